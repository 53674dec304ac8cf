#include "ui/dialogs/PromptDlg.h"

#include "ui/dialogs/PromptChildDlg.h"

CPromptDlg::CPromptDlg(CWnd* parent) : CSkinFrameDlg(PromptPairValues(), parent) {}

void CPromptDlg::SetPromptText(std::wstring text) { m_text = std::move(text); }

void CPromptDlg::SetPromptType(int type) { m_type = type; }

std::unique_ptr<CSkinChildDlg> CPromptDlg::NewControlsDialog() {
  auto controls = std::make_unique<CPromptChildDlg>();
  controls->SetPromptText(m_text);
  controls->SetPromptType(m_type);
  return controls;
}

void CPromptDlg::OnPromptResult(WPARAM button) {
  if (button == IDOK) {
    OnOK();
  } else {
    OnCancel();
  }
}

bool CPromptDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_PROMPT_RESULT) return CSkinFrameDlg::OnMessage(message, wParam, lParam, result);
  OnPromptResult(wParam);
  result = 0;
  return true;
}
