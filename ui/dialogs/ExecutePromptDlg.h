#pragma once
// The tool's wait dialog: a small panel with a line of text and animated dots, shown modally
// while a worker thread runs. It has no control that closes it and no key ends it: it ends only
// when told to, by Close() or by WM_EXECUTE_PROMPT_CLOSE, and then DoModal answers IDOK.
#include "ui/dialogs/SkinFrameDlg.h"

#include <atomic>
#include <string>

class CExecutePromptDlg : public CSkinFrameDlg {
public:
  explicit CExecutePromptDlg(CWnd* parent = nullptr);

  void SetExecuteText(std::wstring text);
  // Ends the wait from any thread, also before the window exists or after it has gone: the
  // request is recorded and the dialog ends as soon as it starts (DoModal then returns IDOK at
  // once). When the window exists it sends WM_EXECUTE_PROMPT_CLOSE to it. Safe to call more
  // than once.
  void Close();

protected:
  std::unique_ptr<CSkinChildDlg> NewControlsDialog() override;
  BOOL OnInitDialog() override;
  // Enter, Escape, Alt+F4 and WM_CLOSE reach a dialog as OK and cancel: none may end the wait
  // while its worker runs.
  void OnOK() override;
  void OnCancel() override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  LRESULT OnExecutePromptClose();

  // A worker may finish before the window exists. Close() and OnInitDialog each set their bit
  // in one atomic step, so exactly one of them sees the other's and ends the dialog.
  enum : unsigned { CLOSE_REQUESTED = 1, WINDOW_UP = 2 };
  std::atomic<unsigned> m_closeState{0};
  std::atomic<HWND> m_window{nullptr};  // not owned; published before WINDOW_UP is set
  std::wstring m_text;
};
