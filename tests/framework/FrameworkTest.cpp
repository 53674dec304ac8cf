// The framework's dialogs and controls on real windows: modal loops, owners, threads,
// subclassing, owner-draw and pre-translation.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "framework/Button.h"
#include "framework/Dialog.h"
#include "framework/Edit.h"
#include "framework/GdiObjects.h"
#include "framework/Static.h"
#include "framework/WinApp.h"
#include "tests/driver/WindowDriver.h"
#include "tests/framework/FrameworkTestResource.h"

namespace {

constexpr UINT WM_TEST_STEP = WM_APP + 1;     // runs the dialog's step inside its modal loop
constexpr UINT WM_TEST_FINISH = WM_APP + 2;   // ends the dialog with kFinished
constexpr UINT WM_TEST_WORKER = WM_APP + 3;   // sent from a worker thread
constexpr UINT WM_TEST_PING = WM_APP + 4;     // posted, handled by nobody
constexpr UINT_PTR kWatchdogTimer = 99;
constexpr INT_PTR kWatchdog = -2;             // result of a dialog that hung
constexpr INT_PTR kFinished = 42;

// A dialog whose behaviour each test gives as functions. A watchdog ends a modal loop that
// would otherwise hang the test.
class TestDialog : public CDialog {
public:
  explicit TestDialog(UINT templateId, CWnd* parent = nullptr) : CDialog(templateId, parent) {}

  std::function<void()> step;
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> handler;
  std::function<BOOL(MSG*)> preTranslate;

protected:
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (step) {  // a dialog with a step runs a modal loop that must not hang
      SetTimer(kWatchdogTimer, 10000);
      PostMessage(WM_TEST_STEP);
    }
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (preTranslate && preTranslate(msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
  }
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (handler && handler(message, wParam, lParam, result)) return true;
    switch (message) {
      case WM_TEST_STEP:
        step();
        return true;
      case WM_TEST_FINISH:
        EndDialog(kFinished);
        return true;
      case WM_TIMER:
        if (wParam != kWatchdogTimer) break;
        EndDialog(kWatchdog);
        return true;
    }
    return CDialog::OnMessage(message, wParam, lParam, result);
  }
};

// Keeps digits only; lets the edit control insert them first and records the text after.
class DigitsEdit : public CEdit {
public:
  int chars = 0;
  std::wstring textAfterDefault;

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    if (message != WM_CHAR) return CEdit::OnMessage(message, wParam, lParam, result);
    ++chars;
    if (wParam >= L'0' && wParam <= L'9') {
      result = Default();
      textAfterDefault = GetWindowText();
    }
    return true;
  }
};

constexpr COLORREF kButtonColour = RGB(0, 128, 255);
constexpr COLORREF kStaticColour = RGB(200, 40, 0);

struct DrawRecord {
  int count = 0;
  UINT controlType = 0;
  UINT controlId = 0;
  HWND item = nullptr;
};

void Record(DrawRecord& record, const DRAWITEMSTRUCT* dis, COLORREF colour) {
  ++record.count;
  record.controlType = dis->CtlType;
  record.controlId = dis->CtlID;
  record.item = dis->hwndItem;
  ScopedBrush brush(::CreateSolidBrush(colour));
  ::FillRect(dis->hDC, &dis->rcItem, brush);
}

class DrawnButton : public CButton {
public:
  DrawRecord drawn;
  void DrawItem(LPDRAWITEMSTRUCT dis) override { Record(drawn, dis, kButtonColour); }
};

class DrawnStatic : public CStatic {
public:
  DrawRecord drawn;
  void DrawItem(LPDRAWITEMSTRUCT dis) override { Record(drawn, dis, kStaticColour); }
};

// The modal test dialog with every control bound by data exchange.
class ControlsDialog : public TestDialog {
public:
  explicit ControlsDialog(CWnd* parent) : TestDialog(IDD_FW_MODAL, parent) {}
  DigitsEdit edit;
  DrawnButton button;
  DrawnStatic picture;
  CStatic label;
  int exchanges = 0;

protected:
  void DoDataExchange(CDataExchange* pDX) override {
    ++exchanges;
    DDX_Control(pDX, IDC_FW_EDIT, edit);
    DDX_Control(pDX, IDC_FW_DRAWN_BUTTON, button);
    DDX_Control(pDX, IDC_FW_DRAWN_STATIC, picture);
    DDX_Control(pDX, IDC_FW_LABEL, label);
  }
};

POINT Centre(HWND hwnd) {
  RECT r;
  ::GetWindowRect(hwnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Every test gets a visible, active, modeless owner window. It is shared: without a window
// manager Wine waits 2 seconds when an activated window goes.
class FrameworkTest : public ::testing::Test {
protected:
  static void TearDownTestSuite() {
    if (s_owner.m_hWnd) ::DestroyWindow(s_owner.m_hWnd);
  }
  void SetUp() override {
    if (!owner.m_hWnd) {
      ASSERT_TRUE(owner.Create(IDD_FW_OWNER, static_cast<HWND>(nullptr)));
      ::SetWindowPos(owner, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      owner.ShowWindow(SW_SHOW);
    }
    ASSERT_TRUE(owner.IsWindowEnabled());
    ::SetForegroundWindow(owner);
    ::SetActiveWindow(owner);
  }
  static inline TestDialog s_owner{IDD_FW_OWNER};
  TestDialog& owner = s_owner;
};

TEST_F(FrameworkTest, ModalLoopEndsWithResultAndReenablesOwner) {
  TestDialog dialog(IDD_FW_MODAL, &owner);
  BOOL ownerEnabled = TRUE;
  BOOL visible = FALSE;
  HWND ownerOfDialog = nullptr;
  HWND window = nullptr;
  dialog.step = [&] {
    ownerEnabled = owner.IsWindowEnabled();
    visible = dialog.IsWindowVisible();
    ownerOfDialog = ::GetWindow(dialog, GW_OWNER);
    window = dialog.m_hWnd;
    dialog.EndDialog(7);
  };
  EXPECT_EQ(7, dialog.DoModal());
  EXPECT_FALSE(ownerEnabled);
  EXPECT_TRUE(visible);
  EXPECT_EQ(owner.m_hWnd, ownerOfDialog);
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_EQ(owner.m_hWnd, ::GetActiveWindow());
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(nullptr, dialog.m_hWnd);

  // The object outlives its window and runs again: the OK button, then Escape through the
  // dialog manager, end it with their results.
  dialog.step = [&] { ::PostMessageW(dialog.GetDlgItem(IDOK), BM_CLICK, 0, 0); };
  EXPECT_EQ(IDOK, dialog.DoModal());
  dialog.step = [&] { ::PostMessageW(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); };
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(FrameworkTest, ModalDialogWithoutParentIsOwnedByTheActiveWindowAndCentred) {
  TestDialog dialog(IDD_FW_MODAL);
  HWND ownerOfDialog = nullptr;
  POINT centre = {};
  dialog.step = [&] {
    ownerOfDialog = ::GetWindow(dialog, GW_OWNER);
    centre = Centre(dialog);
    dialog.EndDialog(IDOK);
  };
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(owner.m_hWnd, ownerOfDialog);
  const POINT ownerCentre = Centre(owner);
  EXPECT_NEAR(ownerCentre.x, centre.x, 1);
  EXPECT_NEAR(ownerCentre.y, centre.y, 1);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

class TestApp : public CWinApp {
public:
  int runs = 0;
  HINSTANCE resources = nullptr;
  BOOL InitInstance() override {
    ++runs;
    resources = AfxGetResourceHandle();
    return FALSE;
  }
};

TEST_F(FrameworkTest, DialogWithoutParentIsOwnedByTheMainWindowsActivePopup) {
  // The main window's controls panel is active, as in the tool's skinned windows: the dialog
  // belongs to the panel, and the main window at the top of the chain is disabled too.
  TestApp app;
  app.m_pMainWnd = &owner;
  TestDialog panel(IDD_FW_PANEL);
  ASSERT_TRUE(panel.Create(IDD_FW_PANEL, &owner));
  panel.ShowWindow(SW_SHOW);
  ::SetActiveWindow(panel);
  TestDialog dialog(IDD_FW_MODAL);
  HWND ownerOfDialog = nullptr;
  BOOL panelEnabled = TRUE;
  BOOL mainEnabled = TRUE;
  dialog.step = [&] {
    ownerOfDialog = ::GetWindow(dialog, GW_OWNER);
    panelEnabled = panel.IsWindowEnabled();
    mainEnabled = owner.IsWindowEnabled();
    dialog.EndDialog(IDOK);
  };
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_EQ(panel.m_hWnd, ownerOfDialog);
  EXPECT_FALSE(panelEnabled);
  EXPECT_FALSE(mainEnabled);
  EXPECT_TRUE(panel.IsWindowEnabled());
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_EQ(panel.m_hWnd, ::GetActiveWindow());
  ::DestroyWindow(panel);
}

TEST_F(FrameworkTest, EndDialogInsideOnInitDialogEndsBeforeTheDialogIsShown) {
  TestDialog dialog(IDD_FW_MODAL, &owner);
  bool everVisible = false;
  dialog.handler = [&](UINT message, WPARAM wParam, LPARAM, LRESULT&) {
    if (message == WM_SHOWWINDOW && wParam) everVisible = true;
    if (message == WM_INITDIALOG) dialog.EndDialog(IDCANCEL);
    return false;
  };
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
  EXPECT_FALSE(everVisible);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(FrameworkTest, CloseMessageEndsModalDialogWithCancel) {
  TestDialog dialog(IDD_FW_MODAL, &owner);
  dialog.step = [&] { dialog.PostMessage(WM_CLOSE); };
  EXPECT_EQ(IDCANCEL, dialog.DoModal());
}

TEST_F(FrameworkTest, FailedCreationReturnsMinusOneAndLeavesOwnerEnabled) {
  TestDialog dialog(4711, &owner);  // no such template
  EXPECT_EQ(-1, dialog.DoModal());
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(FrameworkTest, QuitMessageEndsModalLoopAndStaysQueued) {
  TestDialog dialog(IDD_FW_MODAL, &owner);
  dialog.step = [] { ::PostQuitMessage(5); };
  EXPECT_EQ(-1, dialog.DoModal());
  EXPECT_TRUE(owner.IsWindowEnabled());
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(5u, msg.wParam);
}

TEST_F(FrameworkTest, NestedModalLoops) {
  TestDialog outer(IDD_FW_MODAL, &owner);
  TestDialog inner(IDD_FW_MODAL, &outer);
  INT_PTR innerResult = 0;
  BOOL outerEnabledDuringInner = TRUE;
  BOOL ownerEnabledDuringInner = TRUE;
  BOOL outerEnabledAfterInner = FALSE;
  HWND activeAfterInner = nullptr;
  outer.step = [&] {
    innerResult = inner.DoModal();
    outerEnabledAfterInner = outer.IsWindowEnabled();
    activeAfterInner = ::GetActiveWindow();
    outer.EndDialog(static_cast<int>(innerResult) + 10);
  };
  inner.step = [&] {
    outerEnabledDuringInner = outer.IsWindowEnabled();
    ownerEnabledDuringInner = owner.IsWindowEnabled();
    inner.EndDialog(5);
  };
  EXPECT_EQ(15, outer.DoModal());
  EXPECT_EQ(5, innerResult);
  EXPECT_FALSE(outerEnabledDuringInner);
  EXPECT_FALSE(ownerEnabledDuringInner);
  EXPECT_TRUE(outerEnabledAfterInner);
  EXPECT_NE(nullptr, activeAfterInner);
  EXPECT_NE(owner.m_hWnd, activeAfterInner);  // the outer dialog, not the first owner
  EXPECT_TRUE(owner.IsWindowEnabled());
  EXPECT_EQ(owner.m_hWnd, ::GetActiveWindow());

  // Ending the outer dialog from inside the inner one ends both, innermost first.
  bool outerAliveAfterInner = false;
  outer.step = [&] {
    innerResult = inner.DoModal();
    outerAliveAfterInner = ::IsWindow(outer) != FALSE;
  };
  inner.step = [&] {
    outer.EndDialog(3);
    inner.EndDialog(4);
  };
  EXPECT_EQ(3, outer.DoModal());
  EXPECT_EQ(4, innerResult);
  EXPECT_TRUE(outerAliveAfterInner);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(FrameworkTest, MessageSentFromWorkerThreadIsHandledInsideModalLoop) {
  // No controls: no caret timer or other posted message wakes the loop by chance.
  TestDialog dialog(IDD_FW_OWNER, &owner);
  const DWORD uiThread = ::GetCurrentThreadId();
  DWORD handledOn = 0;
  LRESULT workerGot = 0;
  std::thread worker;
  dialog.step = [&] {
    const HWND hwnd = dialog.m_hWnd;
    worker = std::thread([&workerGot, hwnd] {
      ::Sleep(300);  // until the loop waits in GetMessage with an empty queue
      workerGot = ::SendMessageW(hwnd, WM_TEST_WORKER, 0, 0);
    });
  };
  dialog.handler = [&](UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message != WM_TEST_WORKER) return false;
    handledOn = ::GetCurrentThreadId();
    dialog.EndDialog(9);
    result = 77;
    return true;
  };
  const auto start = std::chrono::steady_clock::now();
  const INT_PTR result = dialog.DoModal();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - start);
  worker.join();
  EXPECT_EQ(9, result);
  EXPECT_EQ(uiThread, handledOn);
  EXPECT_EQ(77, workerGot);
  // A sent message does not end GetMessage's wait; EndDialog must wake the loop itself
  // rather than leave it to the next posted message (here, the watchdog's timer at 10 s).
  // Wine takes 2 s of the time to close the activated window.
  EXPECT_LT(elapsed.count(), 6000);
}

TEST_F(FrameworkTest, DataExchangeBindsControlsByIdOnce) {
  ControlsDialog dialog(&owner);
  bool bound = false;
  bool rebound = false;
  dialog.step = [&] {
    bound = dialog.edit.m_hWnd == dialog.GetDlgItem(IDC_FW_EDIT) &&
            dialog.button.m_hWnd == dialog.GetDlgItem(IDC_FW_DRAWN_BUTTON) &&
            dialog.picture.m_hWnd == dialog.GetDlgItem(IDC_FW_DRAWN_STATIC) &&
            CWnd::FromHandlePermanent(dialog.edit) == &dialog.edit &&
            CWnd::FromHandlePermanent(dialog) == &dialog;
    dialog.UpdateData(TRUE);  // a second exchange keeps the same objects bound
    rebound = CWnd::FromHandlePermanent(dialog.GetDlgItem(IDC_FW_EDIT)) == &dialog.edit;
    dialog.EndDialog(IDOK);
  };
  EXPECT_EQ(IDOK, dialog.DoModal());
  EXPECT_TRUE(bound);
  EXPECT_TRUE(rebound);
  EXPECT_EQ(2, dialog.exchanges);
  // Unlinked when their windows went.
  EXPECT_EQ(nullptr, dialog.edit.m_hWnd);
  EXPECT_EQ(nullptr, dialog.button.m_hWnd);
}

TEST_F(FrameworkTest, SubclassedControlsGetTheirMessages) {
  ControlsDialog dialog(&owner);
  std::wstring text;
  std::wstring replaced;
  std::wstring label;
  dialog.step = [&] {
    for (wchar_t c : std::wstring(L"1a2 x3")) dialog.edit.SendMessage(WM_CHAR, c, 1);
    text = dialog.edit.GetWindowText();
    label = dialog.label.GetWindowText();
    dialog.edit.SetSel(0, 1);
    dialog.edit.ReplaceSel(L"9");
    replaced = dialog.edit.GetWindowText();
    dialog.EndDialog(IDOK);
  };
  dialog.DoModal();
  EXPECT_EQ(6, dialog.edit.chars);
  EXPECT_EQ(L"123", text);
  EXPECT_EQ(L"923", replaced);
  EXPECT_EQ(L"123", dialog.edit.textAfterDefault);  // Default() inserted before the read
  EXPECT_EQ(L"适用系统", label);                     // UTF-8 template text arrives intact
}

TEST_F(FrameworkTest, OwnerDrawReachesTheControlsDrawItem) {
  ControlsDialog dialog(&owner);
  COLORREF buttonPixel = CLR_INVALID;
  COLORREF staticPixel = CLR_INVALID;
  dialog.step = [&] {
    ::RedrawWindow(dialog, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    buttonPixel = ::GetPixel(ScopedDC(dialog.button), 3, 3);
    staticPixel = ::GetPixel(ScopedDC(dialog.picture), 3, 3);
    dialog.EndDialog(IDOK);
  };
  dialog.DoModal();
  EXPECT_GE(dialog.button.drawn.count, 1);
  EXPECT_EQ(static_cast<UINT>(ODT_BUTTON), dialog.button.drawn.controlType);
  EXPECT_EQ(static_cast<UINT>(IDC_FW_DRAWN_BUTTON), dialog.button.drawn.controlId);
  EXPECT_GE(dialog.picture.drawn.count, 1);
  EXPECT_EQ(static_cast<UINT>(ODT_STATIC), dialog.picture.drawn.controlType);
  EXPECT_EQ(static_cast<UINT>(IDC_FW_DRAWN_STATIC), dialog.picture.drawn.controlId);
  EXPECT_EQ(kButtonColour, buttonPixel);
  EXPECT_EQ(kStaticColour, staticPixel);
}

TEST_F(FrameworkTest, RepeatedDialogsLeaveNoGdiOrUserObjectsBehind) {
  auto cycle = [&] {
    ControlsDialog dialog(&owner);
    dialog.step = [&] {
      ::RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      dialog.EndDialog(IDOK);
    };
    return dialog.DoModal();
  };
  ASSERT_EQ(IDOK, cycle());  // the first run fills the system's caches
  const DWORD gdi = driver::GetProcessGdiObjectCount();
  const DWORD user = driver::GetProcessUserObjectCount();
  // Closing an activated window costs Wine 2 seconds without a window manager: 20 cycles.
  for (int i = 0; i < 20; ++i) ASSERT_EQ(IDOK, cycle());
  EXPECT_EQ(gdi, driver::GetProcessGdiObjectCount());
  EXPECT_EQ(user, driver::GetProcessUserObjectCount());
}

TEST_F(FrameworkTest, ModalLoopCallsPreTranslateMessage) {
  TestDialog dialog(IDD_FW_MODAL, &owner);
  std::vector<WPARAM> keys;
  dialog.preTranslate = [&](MSG* msg) -> BOOL {
    if (msg->message != WM_KEYDOWN) return FALSE;
    keys.push_back(msg->wParam);
    return msg->wParam == VK_ESCAPE;  // swallowed: the dialog manager never sees it
  };
  dialog.step = [&] {
    const HWND edit = dialog.GetDlgItem(IDC_FW_EDIT);
    ::PostMessageW(edit, WM_KEYDOWN, 'A', 0);
    ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    dialog.PostMessage(WM_TEST_FINISH);
  };
  EXPECT_EQ(kFinished, dialog.DoModal());
  EXPECT_EQ((std::vector<WPARAM>{'A', VK_ESCAPE}), keys);
}

TEST_F(FrameworkTest, OwnedModelessDialogPreTranslatesBeforeItsModalOwner) {
  TestDialog dialog(IDD_FW_MODAL, &owner);
  TestDialog panel(IDD_FW_PANEL);
  std::vector<std::wstring> log;
  HWND panelWindow = nullptr;
  panel.preTranslate = [&](MSG* msg) -> BOOL {
    if (msg->message != WM_KEYDOWN && msg->message != WM_TEST_PING) return FALSE;
    log.push_back(L"panel " + std::to_wstring(msg->wParam));
    return msg->wParam == VK_RETURN;
  };
  dialog.preTranslate = [&](MSG* msg) -> BOOL {
    if (msg->message == WM_KEYDOWN || msg->message == WM_TEST_PING)
      log.push_back(L"dialog " + std::to_wstring(msg->wParam));
    return FALSE;
  };
  dialog.step = [&] {
    ASSERT_TRUE(panel.Create(IDD_FW_PANEL, &dialog));
    panelWindow = panel.m_hWnd;
    panel.ShowWindow(SW_SHOW);
    const HWND edit = panel.GetDlgItem(IDC_FW_PANEL_EDIT);
    ::PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);  // swallowed by the panel
    ::PostMessageW(edit, WM_KEYDOWN, 'B', 0);        // the panel's dialog manager takes it
    ::PostMessageW(edit, WM_TEST_PING, 7, 0);        // not input: passed on to the owner
    dialog.PostMessage(WM_TEST_FINISH);
  };
  EXPECT_EQ(kFinished, dialog.DoModal());
  const std::vector<std::wstring> expected = {L"panel 13", L"panel 66", L"panel 7", L"dialog 7"};
  EXPECT_EQ(expected, log);
  // The owned panel went with its owner.
  EXPECT_FALSE(::IsWindow(panelWindow));
  EXPECT_EQ(nullptr, panel.m_hWnd);
}

TEST_F(FrameworkTest, EndDialogDestroysModelessDialog) {
  TestDialog panel(IDD_FW_PANEL);
  ASSERT_TRUE(panel.Create(IDD_FW_PANEL, &owner));
  const HWND window = panel.m_hWnd;
  EXPECT_EQ(owner.m_hWnd, ::GetWindow(window, GW_OWNER));
  EXPECT_FALSE(panel.IsWindowVisible());  // the template is not visible
  EXPECT_FALSE(panel.Create(IDD_FW_PANEL, &owner));  // one window per object
  panel.EndDialog(IDOK);
  EXPECT_FALSE(::IsWindow(window));
  EXPECT_EQ(nullptr, panel.m_hWnd);
  EXPECT_TRUE(owner.IsWindowEnabled());
}

TEST_F(FrameworkTest, ObjectDyingBeforeItsWindowUnlinksIt) {
  const HWND edit = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20,
                                      owner, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(nullptr, edit);
  {
    DigitsEdit first;
    DigitsEdit second;
    ASSERT_TRUE(first.SubclassWindow(edit));
    EXPECT_FALSE(second.SubclassWindow(edit));  // a window has one object
    ::SendMessageW(edit, WM_CHAR, L'x', 1);
    EXPECT_EQ(1, first.chars);
    EXPECT_EQ(L"", first.GetWindowText());
  }
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(edit));
  ::SendMessageW(edit, WM_CHAR, L'x', 1);  // the plain edit control again, no dangling object
  wchar_t text[8] = {};
  ::GetWindowTextW(edit, text, 8);
  EXPECT_STREQ(L"x", text);
  ::DestroyWindow(edit);
}

TEST(WinAppTest, RunStoresInstanceAndCallsInitInstance) {
  EXPECT_EQ(nullptr, CWinApp::GetApp());
  EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetResourceHandle());
  const HINSTANCE other = ::GetModuleHandleW(L"user32.dll");
  {
    TestApp app;
    EXPECT_EQ(&app, CWinApp::GetApp());
    EXPECT_EQ(0, app.Run(other));
    EXPECT_EQ(1, app.runs);
    EXPECT_EQ(other, app.resources);
    EXPECT_EQ(other, app.m_hInstance);
  }
  EXPECT_EQ(nullptr, CWinApp::GetApp());
  EXPECT_EQ(::GetModuleHandleW(nullptr), AfxGetResourceHandle());
}

}  // namespace
