#pragma once
// The tool's own message box: one message under the title drawn into its picture, and one or
// two buttons chosen by the prompt type. DoModal answers IDOK for the OK button, IDCANCEL for
// the cancel button and the close box.
#include "ui/dialogs/SkinFrameDlg.h"

#include <string>

// Which buttons a prompt shows: 是 alone, 是 and 否, 确认 alone, 确认 and 取消.
enum PromptType { PROMPT_YES = 1, PROMPT_YES_NO = 2, PROMPT_CONFIRM = 3, PROMPT_CONFIRM_CANCEL = 4 };

// From the controls dialog to the frame: wParam 1 for OK, anything else for cancel.
constexpr UINT WM_PROMPT_RESULT = WM_USER + 0x215;

class CPromptDlg : public CSkinFrameDlg {
public:
  explicit CPromptDlg(CWnd* parent = nullptr);

  void SetPromptText(std::wstring text);
  void SetPromptType(int type);

protected:
  std::unique_ptr<CSkinChildDlg> NewControlsDialog() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnPromptResult(WPARAM button);

  std::wstring m_text;
  int m_type = PROMPT_YES;
};
