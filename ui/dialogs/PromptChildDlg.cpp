#include "ui/dialogs/PromptChildDlg.h"

#include "res/resource.h"

namespace {

// State pictures of the OK and cancel buttons: normal, hover, pressed, disabled.
struct PromptPictures {
  UINT ok[4];
  UINT cancel[4];
};

constexpr PromptPictures YES_NO_PICTURES = {
    {IDP_YES_NORMAL, IDP_YES_HOVER, IDP_YES_PRESSED, IDP_YES_PRESSED},
    {IDP_NO_NORMAL, IDP_NO_HOVER, IDP_NO_PRESSED, IDP_NO_PRESSED}};
constexpr PromptPictures CONFIRM_CANCEL_PICTURES = {
    {IDP_CONFIRM_NORMAL, IDP_CONFIRM_HOVER, IDP_CONFIRM_PRESSED, IDP_CONFIRM_PRESSED},
    {IDP_CANCEL_NORMAL, IDP_CANCEL_HOVER, IDP_CANCEL_PRESSED, IDP_CANCEL_PRESSED}};

// A type outside the four shows 是 alone, where it stands beside 否 in a two-button prompt.
const PromptPictures& PicturesOf(int type) {
  return type == PROMPT_CONFIRM || type == PROMPT_CONFIRM_CANCEL ? CONFIRM_CANCEL_PICTURES
                                                                 : YES_NO_PICTURES;
}
bool ShowsCancel(int type) { return type == PROMPT_YES_NO || type == PROMPT_CONFIRM_CANCEL; }
bool CentresOk(int type) { return type == PROMPT_YES || type == PROMPT_CONFIRM; }

void SetPictures(CPngButton& button, const UINT (&ids)[4]) {
  button.SetPngImages(ids[0], ids[1], ids[2], ids[3]);
}

}  // namespace

CPromptChildDlg::CPromptChildDlg() : CSkinChildDlg(PromptPairValues()) {}

void CPromptChildDlg::SetPromptText(std::wstring text) { m_text = std::move(text); }

void CPromptChildDlg::SetPromptType(int type) { m_type = type; }

void CPromptChildDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinChildDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_BTN_CLOSE, m_close);
  DDX_Control(pDX, IDC_PROMPT_OK, m_ok);
  DDX_Control(pDX, IDC_PROMPT_CANCEL, m_cancel);
  DDX_Control(pDX, IDC_PROMPT_TEXT, m_message);
}

void CPromptChildDlg::LayoutControls(BOOL firstTime) {
  RECT client;
  GetClientRect(&client);
  const int w = client.right;
  const int h = client.bottom;
  const int half = w / 2;
  const float s = m_scale;
  const double scale = s;
  Gdiplus::Image* background = BackgroundImage();

  const int closeLeft = w - ScaledTrunc(26, s);
  const int closeTop = ScaledTrunc(8, s);
  if (firstTime) {
    m_close.m_scale = s;
    m_close.SetBkImage(background);
    m_close.SetBkImageRect(321, 8, 333, 20);
    m_close.SetPngImages(IDP_PROMPT_CLOSE_NORMAL, IDP_PROMPT_CLOSE_HOVER, IDP_PROMPT_CLOSE_PRESSED,
                         IDP_PROMPT_CLOSE_PRESSED);
  }
  m_close.MoveWindow(closeLeft, closeTop, ScaledTrunc(12, s), ScaledTrunc(12, s), TRUE);

  const int buttonTop = ScaledTrunc(107, s);
  const int buttonWidth = ScaledTrunc(55, s);
  const int buttonHeight = ScaledTrunc(24, s);
  const int okLeft = static_cast<int>(half - 55 * scale - 12 * scale);
  if (firstTime) {
    m_ok.SetBkImage(background);
    m_ok.SetBkImageRect(106, 107, 161, 131);
  }
  m_ok.MoveWindow(okLeft, buttonTop, buttonWidth, buttonHeight, TRUE);

  const int cancelLeft = static_cast<int>(half + 12 * scale);
  if (firstTime) {
    m_cancel.SetBkImage(background);
    m_cancel.SetBkImageRect(185, 107, 240, 131);
  }
  m_cancel.MoveWindow(cancelLeft, buttonTop, buttonWidth, buttonHeight, TRUE);

  if (firstTime) {
    SetPictures(m_ok, PicturesOf(m_type).ok);
    SetPictures(m_cancel, PicturesOf(m_type).cancel);
  }
  m_ok.ShowWindow(SW_SHOW);
  m_cancel.ShowWindow(ShowsCancel(m_type) ? SW_SHOW : SW_HIDE);
  if (CentresOk(m_type)) {
    const int centredLeft = static_cast<int>(half - 55 * scale / 2);
    m_ok.MoveWindow(centredLeft, buttonTop, buttonWidth, buttonHeight, TRUE);
  }

  const int textLeft = ScaledTrunc(10, s);
  const int textTop = ScaledTrunc(35, s);
  const int textRight = w - ScaledTrunc(10, s);
  const int textBottom = h - ScaledTrunc(40, s);
  if (firstTime) m_message.CreateFontFromParent();
  m_message.SetWindowText(m_text.c_str());
  m_message.MoveWindow(textLeft, textTop, textRight - textLeft, textBottom - textTop, TRUE);
}

void CPromptChildDlg::OnDestroy() {
  for (CPngButton* button : {&m_close, &m_ok, &m_cancel}) button->FreeImages();
  CSkinChildDlg::OnDestroy();
}

// The frame ends the prompt: OK and cancel by their result, the close box as a window close.
void CPromptChildDlg::OnButtonClicked(int id) {
  switch (id) {
    case IDC_PROMPT_OK: ::SendMessageW(GetParent(), WM_PROMPT_RESULT, IDOK, 0); break;
    case IDC_PROMPT_CANCEL: ::SendMessageW(GetParent(), WM_PROMPT_RESULT, IDCANCEL, 0); break;
    case IDC_BTN_CLOSE: OnClose(); break;
    default: break;
  }
}

void CPromptChildDlg::OnClose() { ::SendMessageW(GetParent(), WM_CLOSE, 0, 0); }

bool CPromptChildDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const int id = LOWORD(wParam);
    if (id == IDC_PROMPT_OK || id == IDC_PROMPT_CANCEL || id == IDC_BTN_CLOSE) {
      OnButtonClicked(id);
      result = 0;
      return true;
    }
  }
  return CSkinChildDlg::OnMessage(message, wParam, lParam, result);
}
