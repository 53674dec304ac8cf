#include "framework/Wnd.h"

#include <commctrl.h>

#include <vector>

namespace {
// Our one subclass on each window; the subclass data is the CWnd object. The same pointer sits
// in a window property for lookups by handle (GetWindowSubclass is exported by ordinal only).
constexpr UINT_PTR kSubclassId = 0x4357;  // 'CW'

// The property's name as an atom, added once: a string name would be looked up in the atom
// table at every call.
LPCWSTR ObjectProperty() {
  static const ATOM atom = ::GlobalAddAtomW(L"Framework.CWnd");
  return MAKEINTATOM(atom);
}
}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
  // An object that dies before its window must not leave the window pointing at it.
  if (m_hWnd && FromHandlePermanent(m_hWnd) == this) Unlink();
}

HWND CWnd::GetSafeHwnd() const { return m_hWnd; }
CWnd::operator HWND() const { return m_hWnd; }

BOOL CWnd::ShowWindow(int cmd) { return ::ShowWindow(m_hWnd, cmd); }
BOOL CWnd::EnableWindow(BOOL enable) { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::Invalidate(BOOL erase) { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::MoveWindow(int x, int y, int w, int h, BOOL repaint) {
  ::MoveWindow(m_hWnd, x, y, w, h, repaint);
}
void CWnd::MoveWindow(const RECT& r, BOOL repaint) {
  ::MoveWindow(m_hWnd, r.left, r.top, r.right - r.left, r.bottom - r.top, repaint);
}
void CWnd::GetClientRect(RECT* r) const { ::GetClientRect(m_hWnd, r); }
void CWnd::GetWindowRect(RECT* r) const { ::GetWindowRect(m_hWnd, r); }
void CWnd::ClientToScreen(RECT* r) const {
  ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(r), 2);
}
void CWnd::ScreenToClient(RECT* r) const {
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(r), 2);
}
void CWnd::SetWindowText(const wchar_t* text) { ::SetWindowTextW(m_hWnd, text); }

std::wstring CWnd::GetWindowText() const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  if (length <= 0) return std::wstring();
  std::vector<wchar_t> buffer(static_cast<size_t>(length) + 1);
  const int copied = ::GetWindowTextW(m_hWnd, buffer.data(), length + 1);
  return std::wstring(buffer.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

HWND CWnd::GetParent() const { return ::GetParent(m_hWnd); }
HWND CWnd::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
LRESULT CWnd::SendMessage(UINT m, WPARAM w, LPARAM l) const {
  return ::SendMessageW(m_hWnd, m, w, l);
}
BOOL CWnd::PostMessage(UINT m, WPARAM w, LPARAM l) const {
  return ::PostMessageW(m_hWnd, m, w, l);
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT ms) { return ::SetTimer(m_hWnd, id, ms, nullptr); }
BOOL CWnd::KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add) {
  const LONG_PTR old = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
  const LONG_PTR style = (old & ~static_cast<LONG_PTR>(remove)) | static_cast<LONG_PTR>(add);
  if (style == old) return FALSE;
  ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, style);
  return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (m_hWnd || !::IsWindow(hwnd) || FromHandlePermanent(hwnd)) return FALSE;
  if (!::SetPropW(hwnd, ObjectProperty(), this)) return FALSE;
  if (!::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    ::RemovePropW(hwnd, ObjectProperty());
    return FALSE;
  }
  m_hWnd = hwnd;
  return TRUE;
}

void CWnd::Unlink() {
  ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
  ::RemovePropW(m_hWnd, ObjectProperty());
  m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, ObjectProperty())) : nullptr;
}

bool CWnd::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

LRESULT CWnd::Default() {
  return ::DefSubclassProc(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  // Handlers may send messages to their own window; each level keeps its own message.
  const CurrentMessage outer = m_current;
  m_current = {message, wParam, lParam};
  LRESULT result = 0;
  try {
    if (!OnMessage(message, wParam, lParam, result)) result = Default();
  } catch (...) {
    // No exception may cross the system's window procedure; the message counts as handled.
    result = 0;
  }
  m_current = outer;
  return result;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR, DWORD_PTR data) {
  CWnd* wnd = reinterpret_cast<CWnd*>(data);
  const LRESULT result = wnd->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) wnd->Unlink();
  return result;
}
