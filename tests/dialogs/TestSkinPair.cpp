#include "tests/dialogs/TestSkinPair.h"

#include "res/resource.h"
#include "tests/driver/WindowDriver.h"

std::vector<std::string>* CTestSkinChildDlg::s_destroyLog = nullptr;

SkinPairValues PromptTestValues() { return PromptPairValues(); }

SkinPairValues AllControlsTestValues() { return FeedbackPairValues(); }

SkinPairValues WaitTestValues() { return ExecutePromptPairValues(); }

SkinPairValues MissingFramePictureValues() {
  SkinPairValues values = PromptTestValues();
  values.framePng = 9999;
  return values;
}

CTestSkinChildDlg::CTestSkinChildDlg(const SkinPairValues& values) : CSkinChildDlg(values) {}

bool CTestSkinChildDlg::IsPromptLayout() const {
  return PairValues().controlsTemplate == IDD_PROMPT_CHILD_DLG;
}

bool CTestSkinChildDlg::IsAllControlsLayout() const {
  return PairValues().controlsTemplate == IDD_FEEDBACK_CHILD_DLG;
}

BOOL CTestSkinChildDlg::OnInitDialog() {
  if (IsAllControlsLayout()) {
    // The feedback template has only image buttons; the other kinds are added here.
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    struct Extra {
      const wchar_t* windowClass;
      const wchar_t* text;
      DWORD style;
      int id;
    };
    const Extra extras[] = {
        {L"Button", L"更多工具", BS_OWNERDRAW | WS_TABSTOP, IDC_TEST_PNG_BUTTON},
        {L"Button", L"同意协议", BS_AUTOCHECKBOX | WS_TABSTOP, IDC_TEST_CHECK},
        {L"Static", L"反馈问题", SS_LEFT, IDC_TEST_LINK},
        {L"Static", L"不应显示", SS_LEFT, IDC_TEST_PLAIN},
        {L"Static", L"正在修复，请稍等", SS_LEFT, IDC_TEST_WAIT},
        {L"Edit", L"", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, IDC_TEST_EDIT},
    };
    const HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    for (const Extra& extra : extras) {
      const HWND control = ::CreateWindowExW(
          0, extra.windowClass, extra.text, WS_CHILD | WS_VISIBLE | extra.style, 0, 0, 10, 10,
          m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(extra.id)), instance, nullptr);
      ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
  }
  return CSkinChildDlg::OnInitDialog();
}

void CTestSkinChildDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinChildDlg::DoDataExchange(pDX);
  if (IsPromptLayout()) {
    DDX_Control(pDX, IDC_BTN_CLOSE, m_close);
    DDX_Control(pDX, IDC_PROMPT_OK, m_ok);
    DDX_Control(pDX, IDC_PROMPT_CANCEL, m_cancel);
    DDX_Control(pDX, IDC_PROMPT_TEXT, m_message);
    return;
  }
  if (!IsAllControlsLayout()) return;
  DDX_Control(pDX, IDC_FEEDBACK_CLOSE, m_feedbackClose);
  DDX_Control(pDX, IDC_FEEDBACK_SOLVED, m_solved);
  DDX_Control(pDX, IDC_FEEDBACK_UNSOLVED, m_unsolved);
  DDX_Control(pDX, IDC_FEEDBACK_OTHER, m_other);
  DDX_Control(pDX, IDC_TEST_PNG_BUTTON, m_pngButton);
  DDX_Control(pDX, IDC_TEST_CHECK, m_check);
  DDX_Control(pDX, IDC_TEST_LINK, m_link);
  DDX_Control(pDX, IDC_TEST_PLAIN, m_plain);
  DDX_Control(pDX, IDC_TEST_WAIT, m_wait);
  DDX_Control(pDX, IDC_TEST_EDIT, m_edit);
}

void CTestSkinChildDlg::Place(CWnd& control, int x, int y, int width, int height) {
  control.MoveWindow(ScaledTrunc(x, m_scale), ScaledTrunc(y, m_scale),
                     ScaledTrunc(width, m_scale), ScaledTrunc(height, m_scale), TRUE);
}

void CTestSkinChildDlg::LayoutControls(BOOL firstTime) {
  RECT client;
  GetClientRect(&client);
  m_layoutSizes.push_back({client.right, client.bottom});
  if (IsPromptLayout()) {
    LayoutPrompt(firstTime);
  } else if (IsAllControlsLayout()) {
    LayoutAllControls(firstTime);
  }
}

// The prompt's own layout, with two buttons lettered 确认 and 取消.
void CTestSkinChildDlg::LayoutPrompt(BOOL firstTime) {
  RECT client;
  GetClientRect(&client);
  const int w = client.right;
  const int h = client.bottom;
  const float s = m_scale;
  const int closeLeft = w - ScaledTrunc(26, s);
  const int closeTop = ScaledTrunc(8, s);
  if (firstTime) {
    m_close.m_scale = s;
    m_close.SetBkImage(BackgroundImage());
    m_close.SetBkImageRect(321, 8, 333, 20);
    m_close.SetPngImages(IDP_PROMPT_CLOSE_NORMAL, IDP_PROMPT_CLOSE_HOVER, IDP_PROMPT_CLOSE_PRESSED,
                         IDP_PROMPT_CLOSE_PRESSED);
    m_ok.m_scale = s;
    m_ok.SetBkImage(BackgroundImage());
    m_ok.SetBkImageRect(106, 107, 161, 131);
    m_ok.SetPngImages(IDP_CONFIRM_NORMAL, IDP_CONFIRM_HOVER, IDP_CONFIRM_PRESSED,
                      IDP_CONFIRM_PRESSED);
    m_cancel.m_scale = s;
    m_cancel.SetBkImage(BackgroundImage());
    m_cancel.SetBkImageRect(185, 107, 240, 131);
    m_cancel.SetPngImages(IDP_CANCEL_NORMAL, IDP_CANCEL_HOVER, IDP_CANCEL_PRESSED,
                          IDP_CANCEL_PRESSED);
    m_message.CreateFontFromParent();
  }
  m_close.MoveWindow(closeLeft, closeTop, ScaledTrunc(12, s), ScaledTrunc(12, s), TRUE);
  const int top = ScaledTrunc(107, s);
  const int okLeft = static_cast<int>(w / 2 - 55.0 * s - 12.0 * s);
  m_ok.MoveWindow(okLeft, top, ScaledTrunc(55, s), ScaledTrunc(24, s), TRUE);
  const int cancelLeft = static_cast<int>(w / 2 + 12.0 * s);
  m_cancel.MoveWindow(cancelLeft, top, ScaledTrunc(55, s), ScaledTrunc(24, s), TRUE);
  m_message.SetWindowText(L"确定要卸载补丁 KB4516058 吗？\r\n\r\n卸载后需要重新启动计算机。");
  const int left = ScaledTrunc(10, s);
  const int textTop = ScaledTrunc(35, s);
  m_message.MoveWindow(left, textTop, w - ScaledTrunc(10, s) - left,
                       h - ScaledTrunc(40, s) - textTop, TRUE);
}

void CTestSkinChildDlg::LayoutAllControls(BOOL firstTime) {
  RECT client;
  GetClientRect(&client);
  Gdiplus::Image* background = BackgroundImage();
  if (firstTime) {
    m_feedbackClose.m_scale = m_scale;
    m_feedbackClose.SetBkImage(background);
    m_feedbackClose.SetBkImageRect(382, 6, 394, 18);
    m_feedbackClose.SetPngImages(IDP_FEEDBACK_CLOSE_NORMAL, IDP_FEEDBACK_CLOSE_HOVER,
                                 IDP_FEEDBACK_CLOSE_PRESSED, IDP_FEEDBACK_CLOSE_DISABLED);
    const struct {
      CImageButton* button;
      int top;
      UINT firstImage;
    } wide[] = {{&m_solved, 154, IDP_SOLVED_NORMAL},
                {&m_unsolved, 234, IDP_UNSOLVED_NORMAL},
                {&m_other, 314, IDP_OTHER_NORMAL}};
    for (const auto& b : wide) {
      b.button->SetBkImage(background);
      b.button->SetBkImageRect(67, b.top, 333, b.top + 60);
      const int inset = ScaledTrunc(9, m_scale);
      b.button->SetHitInsets(inset, inset, inset, inset);
      b.button->SetPngImages(b.firstImage, b.firstImage + 1, b.firstImage + 2, b.firstImage + 3);
    }
    m_pngButton.m_scale = m_scale;
    m_pngButton.SetBkImage(background);
    m_pngButton.SetBkImageRect(20, 404, 78, 422);
    m_pngButton.SetPngImages(IDP_MORE_TOOLS_NORMAL, IDP_MORE_TOOLS_HOVER, IDP_MORE_TOOLS_PRESSED,
                             IDP_MORE_TOOLS_DISABLED);
    m_check.CreateFontFromParent();
    m_check.SetCheckImage(IDP_CHECKBOX);
    m_check.m_scale = m_scale;
    m_check.SetCheck(BST_CHECKED);
    m_link.CreateFontFromParent();
    m_link.SetAlignMode(1);
    m_link.SetTextColors(RGB(92, 92, 255), RGB(0, 0, 255));
    m_plain.SetAlignMode(5);
    m_plain.SetBkColor(RGB(0, 160, 0));
    m_wait.CreateFontFromParent();
    m_wait.SetAlignMode(2);
    m_wait.SetBkImage(background);
    m_wait.SetBkImageRect(67, 378, 333, 398);
    m_wait.SetTextColor(RGB(255, 255, 255));
    m_wait.StartAnimation();
    m_edit.SetHintText(PATCH_EDIT_HINT);
    m_edit.SetWindowText(PATCH_EDIT_HINT);
  }
  Place(m_feedbackClose, 382, 6, 12, 12);
  Place(m_solved, 67, 154, 266, 60);
  Place(m_unsolved, 67, 234, 266, 60);
  Place(m_other, 67, 314, 266, 60);
  Place(m_pngButton, 20, 404, 58, 18);
  Place(m_edit, 90, 406, 230, 20);
  Place(m_check, 20, 436, 120, 20);
  Place(m_link, 150, 436, 100, 20);
  Place(m_plain, 260, 436, 130, 20);
  Place(m_wait, 67, 378, 266, 20);
}

void CTestSkinChildDlg::OnDestroy() {
  if (s_destroyLog) s_destroyLog->push_back("controls");
  for (CPngButton* button : {&m_close, &m_ok, &m_cancel, &m_feedbackClose, &m_pngButton}) {
    button->FreeImages();
  }
  for (CImageButton* button : {&m_solved, &m_unsolved, &m_other}) button->FreeImages();
  m_wait.ResetDots();
  CSkinChildDlg::OnDestroy();
}

bool CTestSkinChildDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_TEST_HOVER) {
    m_link.UpdateHover({static_cast<LONG>(wParam), static_cast<LONG>(lParam)});
    result = ::GetUpdateRect(m_link.m_hWnd, nullptr, FALSE);
    ::UpdateWindow(m_link.m_hWnd);
    return true;
  }
  if (message == WM_TEST_PLAIN_BK) {
    m_plain.SetBkColor(static_cast<COLORREF>(wParam));
    m_plain.Invalidate(TRUE);
    ::UpdateWindow(m_plain.m_hWnd);
    result = 0;
    return true;
  }
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    switch (LOWORD(wParam)) {
      case IDC_BTN_CLOSE:
        ::SendMessageW(GetParent(), WM_CLOSE, 0, 0);
        result = 0;
        return true;
      case IDC_FEEDBACK_SOLVED:
        ++m_solvedClicks;
        if (m_solved.IsCursorInHitArea()) ++m_solvedAccepted;
        result = 0;
        return true;
      default:
        break;
    }
  }
  return CSkinChildDlg::OnMessage(message, wParam, lParam, result);
}

CTestSkinFrameDlg::CTestSkinFrameDlg(const SkinPairValues& values)
    : CSkinFrameDlg(values, nullptr), m_testValues(values) {}

std::unique_ptr<CSkinChildDlg> CTestSkinFrameDlg::NewControlsDialog() {
  m_controlsMade = true;
  return std::make_unique<CTestSkinChildDlg>(m_testValues);
}

CTestSkinChildDlg* CTestSkinFrameDlg::Controls() const {
  return static_cast<CTestSkinChildDlg*>(ControlsDialog());
}

HWND CTestSkinFrameDlg::ControlsWindow() const {
  const CTestSkinChildDlg* controls = Controls();
  return controls ? controls->m_hWnd : nullptr;
}

bool CTestSkinFrameDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == WM_DESTROY && CTestSkinChildDlg::s_destroyLog) {
    CTestSkinChildDlg::s_destroyLog->push_back("frame");
  }
  return CSkinFrameDlg::OnMessage(message, wParam, lParam, result);
}
