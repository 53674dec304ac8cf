#include "ui/dialogs/ExecutePromptDlg.h"

#include "engine/SystemPatchEngine.h"
#include "ui/dialogs/ExecutePromptChildDlg.h"

CExecutePromptDlg::CExecutePromptDlg(CWnd* parent)
    : CSkinFrameDlg(ExecutePromptPairValues(), parent) {}

void CExecutePromptDlg::SetExecuteText(std::wstring text) { m_text = std::move(text); }

void CExecutePromptDlg::Close() {
  const unsigned before = m_closeState.fetch_or(CLOSE_REQUESTED);
  if (before & CLOSE_REQUESTED) return;  // asked before: that request stands
  if (!(before & WINDOW_UP)) return;     // the dialog ends as soon as it starts
  const HWND window = m_window.load();
  if (window) ::SendMessageW(window, WM_EXECUTE_PROMPT_CLOSE, 0, 0);
}

std::unique_ptr<CSkinChildDlg> CExecutePromptDlg::NewControlsDialog() {
  auto controls = std::make_unique<CExecutePromptChildDlg>();
  controls->SetExecuteText(m_text);
  return controls;
}

BOOL CExecutePromptDlg::OnInitDialog() {
  const BOOL result = CSkinFrameDlg::OnInitDialog();
  m_window.store(m_hWnd);
  if (m_closeState.fetch_or(WINDOW_UP) & CLOSE_REQUESTED) OnExecutePromptClose();
  return result;
}

void CExecutePromptDlg::OnOK() {}

void CExecutePromptDlg::OnCancel() {}

LRESULT CExecutePromptDlg::OnExecutePromptClose() {
  auto* controls = static_cast<CExecutePromptChildDlg*>(ControlsDialog());
  if (controls) controls->StopAnimation();
  CSkinFrameDlg::OnOK();
  // The panel goes at once, not when its modal run has unwound: the worker's result, a question
  // say, is often handled inside that run, and must not appear with the wait panel behind it.
  constexpr UINT hide = SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
  if (controls) ::SetWindowPos(controls->GetSafeHwnd(), nullptr, 0, 0, 0, 0, hide);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, hide);
  return 0;
}

bool CExecutePromptDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_EXECUTE_PROMPT_CLOSE: result = OnExecutePromptClose(); return true;
    case WM_NCDESTROY: m_window.store(nullptr); break;
  }
  return CSkinFrameDlg::OnMessage(message, wParam, lParam, result);
}
