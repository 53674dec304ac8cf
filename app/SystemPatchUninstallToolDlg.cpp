#include "app/SystemPatchUninstallToolDlg.h"

#include "app/MainWindowLayout.h"
#include "base/ToolIdentity.h"
#include "base/WorkerThread.h"
#include "engine/PatchRules.h"
#include "framework/GdiObjects.h"
#include "res/resource.h"
#include "ui/dialogs/ExecutePromptDlg.h"
#include "ui/dialogs/PromptDlg.h"

#include <windowsx.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <mutex>

const wchar_t PATCH_EDIT_HINT[] = L"请输入6-7位数字补丁号，无需输入\"KB\"";

namespace {

constexpr UINT TIMER_PERIOD_MS = 100;
constexpr COLORREF WHITE = RGB(0xFF, 0xFF, 0xFF);
constexpr COLORREF LINK_COLOR = RGB(92, 92, 255);
constexpr COLORREF LINK_HOVER_COLOR = RGB(0, 0, 255);
constexpr int ALIGN_SINGLE_LINE_LEFT = 1;

const wchar_t AGREEMENT_MEASURE_TEXT[] = L"同意《Halvex服务工具使用许可协议》";
const wchar_t FEEDBACK_MEASURE_TEXT[] = L"反馈问题";
const wchar_t WAIT_TEXT[] = L"正在卸载，请稍等";
const wchar_t INIT_FAILED_TEXT[] = L"工具初始化失败";
const wchar_t NOT_WINDOWS10_TEXT[] = L"此工具不支持当前系统";
const wchar_t LENGTH_TEXT[] = L"输入的补丁号不正确，请输入6或者7位的补丁号！";
const wchar_t NON_DIGIT_TEXT[] = L"您输入的补丁号是否正确？";
const wchar_t PROTECTED_TEXT[] =
    L"此补丁是系统重要更新，不支持卸载，请了解\r\n\r\n不是工具问题，无需反馈";
const wchar_t REMOVAL_FAILED_TEXT[] = L"卸载系统补丁失败！";
const wchar_t FOUND_TEXT_BEFORE[] = L"将要卸载";
const wchar_t FOUND_TEXT_AFTER[] =
    L"补丁，确定卸载吗？请按弹出的提示窗口操作继续卸载。\r\n注意：由于微软的系统限制，某些补丁可能"
    L"无法卸载，是正常现象，无需反馈";
const wchar_t NOT_FOUND_TEXT[] = L"您输入的补丁未查询到，您要继续卸载吗？";
const wchar_t DONE_TEXT[] = L"操作完成。";

// Why, after a blank line as in the protected-update notice, when the engine can tell.
std::wstring FailureText(const std::wstring& reason) {
  return reason.empty() ? REMOVAL_FAILED_TEXT : REMOVAL_FAILED_TEXT + (L"\r\n\r\n" + reason);
}

const wchar_t* NewVersionText(int deviceType) {
  switch (deviceType) {
    case DEVICE_TYPE_AMBREL: return L"检测到当前工具有新的版本，请在Ambrel客户端下载最新版本使用。";
    case DEVICE_TYPE_CORVIN: return L"检测到当前工具有新的版本，请在Corvin客户端下载最新版本使用。";
    default: return L"检测到当前工具有新的版本，请下载最新版本使用。";
  }
}

// Uninstall is enabled exactly while the agreement box is checked. Each click has a worker of
// its own; one at a time reads the box and sets the button, so that the last to run, which
// comes after the last click, always leaves both alike.
void UpdateUninstallButton(HWND box, HWND uninstall) {
  static std::mutex oneAtATime;
  const std::lock_guard<std::mutex> hold(oneAtATime);
  const bool checked = ::SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  ::EnableWindow(uninstall, checked);
  ::InvalidateRect(uninstall, nullptr, TRUE);
}

std::atomic<UsbVolumeQuery> g_usbVolumeQuery{IsUsbVolume};

}  // namespace

SkinPairValues MainPairValues() {
  SkinPairValues values;
  values.frameTemplate = IDD_MAIN_DLG;
  values.framePng = IDP_MAIN_FRAME;
  values.controlsTemplate = IDD_MAIN_CHILD_DLG;
  values.controlsPng = IDP_MAIN_CHILD;
  values.geometry = MAIN_PAIR;
  values.controlsLead = true;
  return values;
}

CSystemPatchUninstallToolDlg::CSystemPatchUninstallToolDlg() : CSkinChildDlg(MainPairValues()) {}

CSystemPatchUninstallToolDlg::~CSystemPatchUninstallToolDlg() = default;

void CSystemPatchUninstallToolDlg::DoDataExchange(CDataExchange* pDX) {
  CSkinChildDlg::DoDataExchange(pDX);
  DDX_Control(pDX, IDC_VERSION, m_version);
  DDX_Control(pDX, IDC_BTN_CLOSE, m_close);
  DDX_Control(pDX, IDC_BTN_MINIMIZE, m_minimise);
  DDX_Control(pDX, IDC_PATCH_EDIT, m_patchEdit);
  DDX_Control(pDX, IDC_UNINSTALL, m_uninstall);
  DDX_Control(pDX, IDC_MORE_TOOLS, m_moreTools);
  DDX_Control(pDX, IDC_AGREE, m_agreeBox);
  DDX_Control(pDX, IDC_AGREEMENT_LINK, m_agreementLink);
  DDX_Control(pDX, IDC_FEEDBACK_LINK, m_feedbackLink);
}

BOOL CSystemPatchUninstallToolDlg::OnInitDialog() {
  CSkinChildDlg::OnInitDialog();
  if (BackgroundImage()) {  // without its picture the dialog is not laid out and has no timers
    SetTimer(TIMER_LINK_HOVER, TIMER_PERIOD_MS);
    SetTimer(TIMER_UPDATE_CHECK, TIMER_PERIOD_MS);
  }
  return TRUE;
}

void CSystemPatchUninstallToolDlg::PrepareFirstLayout() {
  m_patchEdit.SetHintText(PATCH_EDIT_HINT);
  m_patchEdit.SetWindowText(PATCH_EDIT_HINT);
  DetectServiceClient();
  RunStartupChecks();
}

UsbVolumeQuery CSystemPatchUninstallToolDlg::SetUsbVolumeQuery(UsbVolumeQuery query) {
  return g_usbVolumeQuery.exchange(query ? query : IsUsbVolume);
}

void CSystemPatchUninstallToolDlg::DetectServiceClient() {
  m_deviceType = ::DetectServiceClient(m_cipher, g_usbVolumeQuery.load());
}

void CSystemPatchUninstallToolDlg::RunStartupChecks() {
  if (!m_engine.SetOwner(m_hWnd)) EndAfterPrompt(INIT_FAILED_TEXT);
  if (!m_engine.IsWindows10()) EndAfterPrompt(NOT_WINDOWS10_TEXT);
  if (!m_mouseHook.SetTargetWindow(m_hWnd)) EndAfterPrompt(INIT_FAILED_TEXT);
  if (!m_mouseHook.Install()) EndAfterPrompt(INIT_FAILED_TEXT);
  if (!m_feedbackBridge.Load()) EndAfterPrompt(INIT_FAILED_TEXT);
  if (!m_feedbackBridge.InitFreedbackDll()) EndAfterPrompt(INIT_FAILED_TEXT);
}

// The tool cannot run: one notice, then the process ends at once. Neither the feedback question
// nor the removal of the tool's folder follows.
void CSystemPatchUninstallToolDlg::EndAfterPrompt(const wchar_t* text) {
  ShowPrompt(text, PROMPT_CONFIRM);
  std::exit(0);
}

void CSystemPatchUninstallToolDlg::OnUpdateCheckTimer() {
  KillTimer(TIMER_UPDATE_CHECK);
  if (m_feedbackBridge.GetToolIsNewVersion(TOOL_ID, TOOL_VERSION) != NEW_VERSION_AVAILABLE) return;
  {
    CPromptDlg notice(this);
    notice.m_scale = m_scale;
    notice.SetPromptText(NewVersionText(m_deviceType));
    notice.SetPromptType(PROMPT_CONFIRM);
    notice.DoModal();
  }
  // A service client offers the new version itself; otherwise the download page opens. The
  // tool ends with it, so it waits for the page, but the desktop's pointer must not: the hook
  // goes first.
  if (m_deviceType != DEVICE_TYPE_AMBREL && m_deviceType != DEVICE_TYPE_CORVIN) {
    m_mouseHook.Remove();
    m_feedbackBridge.OpenToolDownUrl();
  }
  std::exit(0);
}

int CSystemPatchUninstallToolDlg::MeasureTextWidth(HWND window, HDC dc, const wchar_t* text) {
  if (!window || !dc) return -1;
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (!font) font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
  LOGFONTW description = {};
  ::GetObjectW(font, sizeof(description), &description);
  const ScopedFont copy(::CreateFontIndirectW(&description));
  const ScopedSelectObject select(dc, copy.get());
  SIZE extent = {};
  ::GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
  return extent.cx;
}

void CSystemPatchUninstallToolDlg::LayoutControls(BOOL firstTime) {
  GetClientRect(&m_client);
  const ScopedDC dc(m_hWnd);
  const HWND frame = GetParent();
  const MainWindowLayout layout = LayOutMainWindow(
      ToSkinRect(m_client), m_scale, MeasureTextWidth(frame, dc, AGREEMENT_MEASURE_TEXT),
      MeasureTextWidth(frame, dc, FEEDBACK_MEASURE_TEXT));
  Gdiplus::Image* background = BackgroundImage();

  if (firstTime) {
    m_close.m_scale = m_scale;
    m_close.SetPngImages(IDP_CLOSE_NORMAL, IDP_CLOSE_HOVER, IDP_CLOSE_PRESSED, IDP_CLOSE_DISABLED);
  }
  m_close.MoveWindow(ToRect(layout.close));
  if (firstTime) {
    m_minimise.m_scale = m_scale;
    m_minimise.SetPngImages(IDP_MINIMIZE_NORMAL, IDP_MINIMIZE_HOVER, IDP_MINIMIZE_PRESSED,
                            IDP_MINIMIZE_DISABLED);
  }
  m_minimise.MoveWindow(ToRect(layout.minimise));
  if (firstTime) {
    m_version.SetWindowText(TOOL_VERSION);
    m_version.SetBkImage(background);
    m_version.SetBkImageRect(188, 16, 328, 31);
    m_version.CreateFontFromParent();
    m_version.SetAlignMode(ALIGN_SINGLE_LINE_LEFT);
    m_version.SetBkColor(WHITE);
    m_version.SetTextColors(WHITE, WHITE);
  }
  m_version.MoveWindow(ToRect(layout.version));
  m_patchEdit.MoveWindow(ToRect(layout.patchEdit));

  // The two large buttons: their four pictures in a row of ids, the part of the background
  // under them, no margin.
  const auto placeButton = [&](CImageButton& button, const SkinRect& place, const SkinRect& source,
                               UINT firstImage) {
    if (firstTime) {
      button.SetBkImage(background);
      button.SetHitInsets(0, 0, 0, 0);
      button.SetPngImages(firstImage, firstImage + 1, firstImage + 2, firstImage + 3);
    }
    button.SetBkImageRect(source.left, source.top, source.right, source.bottom);
    button.MoveWindow(ToRect(place));
  };
  placeButton(m_uninstall, layout.uninstall, layout.uninstallSource, IDP_UNINSTALL_NORMAL);
  placeButton(m_moreTools, layout.moreTools, layout.moreToolsSource, IDP_MORE_TOOLS_NORMAL);
  // A service client brings the maker's other tools itself.
  m_moreTools.ShowWindow(m_deviceType > 0 ? SW_HIDE : SW_SHOW);

  if (firstTime) {
    m_agreeBox.SetCheckImage(IDP_CHECKBOX);
    m_agreeBox.CreateFontFromParent();
    m_agreeBox.m_scale = m_scale;
    m_agreeBox.SetCheck(BST_CHECKED);
  }
  m_agreeBox.MoveWindow(ToRect(layout.agreementBox));
  for (CDrawTextStatic* link : {&m_agreementLink, &m_feedbackLink}) {
    if (!firstTime) continue;
    link->CreateFontFromParent();
    link->SetAlignMode(ALIGN_SINGLE_LINE_LEFT);
    link->SetBkColor(WHITE);
    link->SetTextColors(LINK_COLOR, LINK_HOVER_COLOR);
  }
  m_agreementLink.MoveWindow(ToRect(layout.agreementLink));
  m_feedbackLink.MoveWindow(ToRect(layout.feedbackLink));
}

BOOL CSystemPatchUninstallToolDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_ESCAPE || msg->wParam == VK_RETURN))
    return TRUE;
  return CSkinChildDlg::PreTranslateMessage(msg);
}

void CSystemPatchUninstallToolDlg::OnTimer(UINT_PTR id) {
  if (id == TIMER_LINK_HOVER) {
    // Catches the pointer leaving the link, which hit testing alone does not report.
    POINT cursor;
    if (::GetCursorPos(&cursor)) m_agreementLink.UpdateHover(cursor);
  } else if (id == TIMER_UPDATE_CHECK) {
    OnUpdateCheckTimer();
  }
}

void CSystemPatchUninstallToolDlg::OnNcHitTest(LPARAM point) {
  const POINT screen = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  m_feedbackLink.UpdateHover(screen);
  m_agreementLink.UpdateHover(screen);
}

// The links are statics without notification: their clicks reach the dialog.
void CSystemPatchUninstallToolDlg::OnLButtonDown(LPARAM point) {
  POINT screen = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  ::ClientToScreen(m_hWnd, &screen);
  const CFeedbackLibrary library = m_feedbackBridge;
  if (m_feedbackLink.HitTest(screen))
    StartWorkerTask([library] { library.FeedbackQuestion(TOOL_ID, TOOL_VERSION); });
  if (m_agreementLink.HitTest(screen))
    StartWorkerTask([library] { library.OpenUseAgreementUrl(); });
}

bool CSystemPatchUninstallToolDlg::OnCommand(WORD id) {
  switch (id) {
    case IDC_BTN_CLOSE: OnClose(); return true;
    case IDC_BTN_MINIMIZE: ::PostMessageW(GetParent(), WM_SYSCOMMAND, SC_MINIMIZE, 0); return true;
    case IDC_UNINSTALL: OnUninstallClicked(); return true;
    case IDC_AGREE: OnAgreeClicked(); return true;
    case IDC_MORE_TOOLS:
      StartWorkerTask([library = CFeedbackLibrary(m_feedbackBridge),
                       page = std::wstring(m_feedbackBridge.LibraryString(
                           FEEDBACK_SLOT_MORE_TOOLS_PAGE))] { library.OpenUrl(page.c_str()); });
      return true;
    default: return false;
  }
}

INT_PTR CSystemPatchUninstallToolDlg::ShowPrompt(const std::wstring& text, int type) {
  CPromptDlg prompt;
  prompt.m_scale = m_scale;
  prompt.SetPromptText(text);
  prompt.SetPromptType(type);
  return prompt.DoModal();
}

void CSystemPatchUninstallToolDlg::OnUninstallClicked() {
  // From the keyboard the button does nothing unless the pointer happens to rest on it.
  if (!m_uninstall.IsCursorInHitArea()) return;
  const std::wstring number = m_patchEdit.GetWindowText();
  switch (ValidatePatchNumber(number)) {
    case PATCH_LENGTH_INVALID: ShowPrompt(LENGTH_TEXT, PROMPT_CONFIRM); return;
    case PATCH_HAS_NON_DIGIT:
      if (ShowPrompt(NON_DIGIT_TEXT, PROMPT_YES_NO) != IDOK) return;
      break;
    case PATCH_ACCEPTABLE: break;
  }
  if (m_protectedPatches.IsProtectedPatch(number)) {
    ShowPrompt(PROTECTED_TEXT, PROMPT_CONFIRM);
    return;
  }
  m_engine.SetPatchNumber(number);
  RunBehindWaitDialog(&CSystemPatchEngine::StartQuery);
}

bool CSystemPatchUninstallToolDlg::RunBehindWaitDialog(bool (CSystemPatchEngine::*start)()) {
  CExecutePromptDlg wait;
  wait.SetExecuteText(WAIT_TEXT);
  wait.m_scale = m_scale;
  // The result of a worker may be handled inside an outer wait dialog's run: the outer one is
  // the current one again afterwards.
  CExecutePromptDlg* const outer = m_waitDialog;
  m_waitDialog = &wait;
  const bool started = (m_engine.*start)();
  if (started) wait.DoModal();
  m_waitDialog = outer;
  if (!started) ShowPrompt(REMOVAL_FAILED_TEXT, PROMPT_CONFIRM);
  return started;
}

LRESULT CSystemPatchUninstallToolDlg::OnExecutePromptClose() {
  if (m_waitDialog) m_waitDialog->Close();
  return 1;
}

LRESULT CSystemPatchUninstallToolDlg::OnQueryPatchResult(WPARAM result) {
  std::wstring question;
  if (result == QUERY_FOUND) {
    question = FOUND_TEXT_BEFORE + m_engine.PatchNumber() + FOUND_TEXT_AFTER;
  } else if (result == QUERY_NOT_FOUND) {
    question = NOT_FOUND_TEXT;
  } else {
    if (result == QUERY_FAILED) ShowPrompt(FailureText(m_engine.FailureReason()), PROMPT_CONFIRM);
    return 1;
  }
  if (ShowPrompt(question, PROMPT_CONFIRM_CANCEL) == IDOK) {
    RunBehindWaitDialog(&CSystemPatchEngine::StartUninstall);
  }
  return 1;
}

LRESULT CSystemPatchUninstallToolDlg::OnUninstallPatchResult(WPARAM result) {
  if (result == UNINSTALL_DONE) {
    // Confirmed with its button, not closed with its close box: then it counts as feedback.
    if (ShowPrompt(DONE_TEXT, PROMPT_CONFIRM) == IDOK) {
      m_feedbackBridge.CustomerFeedbackEx(TOOL_ID, TOOL_VERSION, 1,
                                          FeedbackTimeText(std::time(nullptr)).c_str(),
                                          FeedbackDeviceText(m_deviceType).c_str());
    }
  } else if (result == UNINSTALL_FAILED) {
    ShowPrompt(FailureText(m_engine.FailureReason()), PROMPT_CONFIRM);
  }
  return 1;
}

// The worker gets the two windows, not the dialog, which may be gone by then.
void CSystemPatchUninstallToolDlg::OnAgreeClicked() {
  StartWorkerTask([box = m_agreeBox.m_hWnd, uninstall = m_uninstall.m_hWnd] {
    UpdateUninstallButton(box, uninstall);
  });
}

void CSystemPatchUninstallToolDlg::OnClose() { ::SendMessageW(GetParent(), WM_CLOSE, 0, 0); }

void CSystemPatchUninstallToolDlg::OnDestroy() {
  m_close.FreeImages();
  m_minimise.FreeImages();
  m_uninstall.FreeImages();
  m_moreTools.FreeImages();
  KillTimer(TIMER_LINK_HOVER);
  m_mouseHook.Remove();
  CSkinChildDlg::OnDestroy();
}

bool CSystemPatchUninstallToolDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                             LRESULT& result) {
  switch (message) {
    case WM_TIMER:
      OnTimer(wParam);
      result = Default();
      return true;
    case WM_NCHITTEST: OnNcHitTest(lParam); break;  // the drag strip is the base's
    case WM_LBUTTONDOWN:
      OnLButtonDown(lParam);
      result = Default();
      return true;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && OnCommand(LOWORD(wParam))) {
        result = 0;
        return true;
      }
      break;
    case WM_EXECUTE_PROMPT_CLOSE: result = OnExecutePromptClose(); return true;
    case WM_QUERY_PATCH_RESULT: result = OnQueryPatchResult(wParam); return true;
    case WM_UNINSTALL_PATCH_RESULT: result = OnUninstallPatchResult(wParam); return true;
    case WM_HOOK_LBUTTONDOWN: result = 1; return true;
  }
  return CSkinChildDlg::OnMessage(message, wParam, lParam, result);
}
