#include "framework/Dialog.h"

#include "framework/Button.h"
#include "framework/Static.h"
#include "framework/WinApp.h"

CDataExchange::CDataExchange(CDialog* dialog, BOOL saveAndValidate)
    : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

void DDX_Control(CDataExchange* pDX, int controlId, CWnd& control) {
  if (control.m_hWnd) return;  // bound already: data exchange runs more than once
  control.SubclassWindow(pDX->m_pDlgWnd->GetDlgItem(controlId));
}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_templateId(templateId), m_pParentWnd(parent) {}

INT_PTR CDialog::DoModal() {
  // The owner as MFC picks it: the parent, else the last active popup of the application's
  // main window (or of the active window); the top of its owner chain is disabled as well.
  HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  if (!owner) {
    const CWinApp* app = CWinApp::GetApp();
    owner = app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd ? app->m_pMainWnd->m_hWnd
                                                              : ::GetActiveWindow();
    if (owner) {
      const HWND root = ::GetAncestor(owner, GA_ROOT);
      owner = ::GetLastActivePopup(root);
      // A popup already hidden on its way out (an ended wait panel) owns nothing new.
      if (!::IsWindowVisible(owner)) owner = root;
    }
  }
  if (owner) owner = ::GetAncestor(owner, GA_ROOT);  // a child cannot own a popup
  HWND top = owner;
  for (HWND above = owner; above; above = ::GetParent(above)) top = above;
  const bool disabledOwner = owner && ::IsWindowEnabled(owner);
  if (disabledOwner) ::EnableWindow(owner, FALSE);
  const bool disabledTop = top != owner && ::IsWindowEnabled(top);
  if (disabledTop) ::EnableWindow(top, FALSE);

  m_inModalLoop = true;
  m_endModal = false;
  m_modalResult = -1;
  if (CreateFromTemplate(m_templateId, owner)) {
    if (!m_endModal && m_hWnd && !::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    while (!m_endModal && m_hWnd) {
      MSG msg;
      const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
      if (got == -1) break;
      if (got == 0) {
        // WM_QUIT belongs to the outermost loop: end this dialog and leave it in the queue.
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (!PreTranslateTree(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
  }
  m_inModalLoop = false;

  // The owner comes back first, so that hiding the dialog hands activation to it rather than
  // to some other program's window.
  if (disabledTop) ::EnableWindow(top, TRUE);
  if (disabledOwner) ::EnableWindow(owner, TRUE);
  if (owner) {
    // Unless the user has moved on to another window: this dialog, one of its own popups
    // (a skin's controls panel) or nothing is active.
    const HWND active = ::GetActiveWindow();
    if (!active || (m_hWnd && (active == m_hWnd || ::GetWindow(active, GW_OWNER) == m_hWnd)))
      ::SetActiveWindow(owner);
  }
  if (m_hWnd) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    ::DestroyWindow(m_hWnd);
  }
  return m_modalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  return Create(templateId, parent ? parent->m_hWnd : nullptr);
}

BOOL CDialog::Create(UINT templateId, HWND parent) {
  return CreateFromTemplate(templateId, parent) != nullptr;
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND owner) {
  if (m_hWnd) return nullptr;  // one window per object
  const HWND hwnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(templateId),
                                         owner, DialogProc, reinterpret_cast<LPARAM>(this));
  if (hwnd && m_hWnd != hwnd) {  // could not be linked: no object would handle it
    ::DestroyWindow(hwnd);
    return nullptr;
  }
  return hwnd;
}

void CDialog::EndDialog(int result) {
  if (m_inModalLoop) {
    m_modalResult = result;
    m_endModal = true;
    // Wakes the loop when the request came inside a message sent from another thread.
    if (m_hWnd) ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    return;
  }
  if (m_hWnd) {
    ::ShowWindow(m_hWnd, SW_HIDE);
    ::DestroyWindow(m_hWnd);
  }
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
  CDataExchange dx(this, saveAndValidate);
  DoDataExchange(&dx);
  return TRUE;
}

BOOL CDialog::OnInitDialog() {
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}
void CDialog::OnOK() { EndDialog(IDOK); }
void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  // Only input is the dialog manager's business (tab, arrows, Enter, Escape, mnemonics);
  // IsDialogMessage would otherwise dispatch every message for the dialog itself.
  const bool key = msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST;
  const bool mouse = msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST;
  return (key || mouse) && m_hWnd && ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::PreTranslateTree(MSG* msg) {
  // From the message's window up through parents and owners to this dialog: each of our
  // dialogs on the way (an owned controls dialog, say) sees the message before it is sent.
  for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
    if (auto* dialog = dynamic_cast<CDialog*>(FromHandlePermanent(hwnd))) {
      if (dialog->PreTranslateMessage(msg)) return TRUE;
    }
    if (hwnd == m_hWnd) break;
  }
  return FALSE;
}

bool CDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      result = OnInitDialog();
      return true;
    case WM_COMMAND:
      // Buttons, Enter and Escape (through the dialog manager) and WM_CLOSE all arrive here.
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
        OnOK();
        result = 0;
        return true;
      }
      if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
        OnCancel();
        result = 0;
        return true;
      }
      break;
    case WM_DRAWITEM: {
      // Sent to the parent; drawn by the object of the control that asks.
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
      if (dis->CtlType == ODT_MENU) break;
      CWnd* control = FromHandlePermanent(dis->hwndItem);
      if (auto* button = dynamic_cast<CButton*>(control)) {
        button->DrawItem(dis);
        result = TRUE;
        return true;
      }
      if (auto* label = dynamic_cast<CStatic*>(control)) {
        label->DrawItem(dis);
        result = TRUE;
        return true;
      }
      break;
    }
  }
  return CWnd::OnMessage(message, wParam, lParam, result);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // The dialog procedure only links the window at WM_INITDIALOG; from then on the subclass
  // sees every message before the dialog manager, which calls back here only for defaults.
  if (message != WM_INITDIALOG || FromHandlePermanent(hwnd)) return FALSE;
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (!dialog->SubclassWindow(hwnd)) return FALSE;

  RECT before;
  ::GetWindowRect(hwnd, &before);
  const LONG styleBefore = ::GetWindowLongW(hwnd, GWL_STYLE);
  const INT_PTR result = dialog->Dispatch(WM_INITDIALOG, wParam, lParam);
  if (dialog->m_hWnd) {
    // MFC's standard placement: a dialog that stayed hidden and unmoved through its
    // initialisation, and whose owner is disabled or missing, is centred.
    RECT after;
    ::GetWindowRect(hwnd, &after);
    const LONG style = ::GetWindowLongW(hwnd, GWL_STYLE);
    const HWND owner = ::GetWindow(hwnd, GW_OWNER);
    if (!(styleBefore & WS_VISIBLE) && !(style & (WS_VISIBLE | WS_CHILD)) &&
        after.left == before.left && after.top == before.top &&
        (!owner || !::IsWindowEnabled(owner)))
      dialog->CenterOverOwner();
  }
  return result;
}

void CDialog::CenterOverOwner() {
  const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoW(::MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
  const RECT area = monitor.rcWork;
  RECT over = area;
  if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) ::GetWindowRect(owner, &over);

  RECT r;
  ::GetWindowRect(m_hWnd, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  int x = (over.left + over.right - width) / 2;
  int y = (over.top + over.bottom - height) / 2;
  // Keep it on the work area, the top-left corner first.
  if (x + width > area.right) x = area.right - width;
  if (x < area.left) x = area.left;
  if (y + height > area.bottom) y = area.bottom - height;
  if (y < area.top) y = area.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
