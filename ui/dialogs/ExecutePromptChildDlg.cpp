#include "ui/dialogs/ExecutePromptChildDlg.h"

#include "res/resource.h"

namespace {
constexpr wchar_t FALLBACK_TEXT[] = L"正在修复，请稍等";
constexpr int CENTRED_WORD_WRAP = 5;
}  // namespace

CExecutePromptChildDlg::CExecutePromptChildDlg() : CSkinChildDlg(ExecutePromptPairValues()) {}

void CExecutePromptChildDlg::SetExecuteText(std::wstring text) { m_text = std::move(text); }

void CExecutePromptChildDlg::StopAnimation() { m_status.StopAnimation(); }

void CExecutePromptChildDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinChildDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_STATE_INFO, m_status);
}

void CExecutePromptChildDlg::LayoutControls(BOOL firstTime) {
  RECT client;
  GetClientRect(&client);
  const int w = client.right;
  const int h = client.bottom;
  const float s = m_scale;
  const double scale = s;

  m_status.SetWindowText(m_text.size() >= 2 ? m_text.c_str() : FALLBACK_TEXT);
  m_status.SetAlignMode(CENTRED_WORD_WRAP);
  m_status.SetTextColor(RGB(0xFF, 0xFF, 0xFF));

  const int left = ScaledTrunc(10, s);
  const int top = static_cast<int>(h / 2 - 10 * scale);
  const int right = static_cast<int>(w - 10 * scale);
  const int bottom = static_cast<int>(top + 40 * scale);
  if (firstTime) {
    m_status.SetBkImage(BackgroundImage());
    m_status.CreateFontFromParent();
    m_status.StartAnimation();
  }
  // In the picture's own pixels: the band under the text at scale 1.0.
  m_status.SetBkImageRect(10, 42, 194, 82);
  m_status.MoveWindow(left, top, right - left, bottom - top, TRUE);
}

void CExecutePromptChildDlg::OnDestroy() {
  m_status.ResetDots();
  CSkinChildDlg::OnDestroy();
}
