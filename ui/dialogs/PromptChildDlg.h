#pragma once
// The prompt's controls: the message, the close box and the OK and cancel buttons, whose
// pictures and places follow the prompt type. Clicks go to the frame, which ends the prompt.
#include "ui/controls/DrawTextStatic.h"
#include "ui/controls/PngButton.h"
#include "ui/dialogs/PromptDlg.h"
#include "ui/dialogs/SkinChildDlg.h"

#include <string>

class CPromptChildDlg : public CSkinChildDlg {
public:
  CPromptChildDlg();

  void SetPromptText(std::wstring text);
  void SetPromptType(int type);

protected:
  void DoDataExchange(CDataExchange* pDX) override;
  void LayoutControls(BOOL firstTime) override;
  void OnDestroy() override;
  // Alt+F4 answers as the close box does.
  void OnClose() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnButtonClicked(int id);

  CPngButton m_close;
  CPngButton m_ok;
  CPngButton m_cancel;
  CDrawTextStatic m_message;
  std::wstring m_text;
  int m_type = PROMPT_YES;
};
