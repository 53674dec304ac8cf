#pragma once

#include <windows.h>

#include <string>

// A window and the C++ object that handles its messages. The object is linked to its window in
// one place (SubclassWindow) and unlinked at WM_NCDESTROY; it does not own the window and
// normally outlives it.
class CWnd {
public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;  // not owned: destroyed by Windows or DestroyWindow

  HWND GetSafeHwnd() const;
  operator HWND() const;

  BOOL ShowWindow(int cmd);
  BOOL EnableWindow(BOOL enable);
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  void Invalidate(BOOL erase = TRUE);
  void MoveWindow(int x, int y, int w, int h, BOOL repaint = TRUE);
  void MoveWindow(const RECT& r, BOOL repaint = TRUE);
  void GetClientRect(RECT* r) const;
  void GetWindowRect(RECT* r) const;
  void ClientToScreen(RECT* r) const;
  void ScreenToClient(RECT* r) const;
  void SetWindowText(const wchar_t* text);
  std::wstring GetWindowText() const;
  HWND GetParent() const;  // for an owned popup: its owner
  HWND GetDlgItem(int id) const;
  LRESULT SendMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const;
  BOOL PostMessage(UINT m, WPARAM w = 0, LPARAM l = 0) const;
  UINT_PTR SetTimer(UINT_PTR id, UINT ms);
  BOOL KillTimer(UINT_PTR id);
  // TRUE when the extended style changed.
  BOOL ModifyStyleEx(DWORD remove, DWORD add);

  // Links an existing window (a standard control, or a dialog at WM_INITDIALOG) to this object,
  // so that its messages reach OnMessage. Fails when either side is linked already.
  BOOL SubclassWindow(HWND hwnd);
  // The object linked to hwnd, or nullptr.
  static CWnd* FromHandlePermanent(HWND hwnd);

protected:
  // One virtual message entry per class: a switch that calls On handlers. Returns true when the
  // message was handled and `result` holds the answer; false asks for default processing.
  // Derived classes call their base class's OnMessage for messages they do not handle.
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Default processing of the message being handled now; for handlers that want it first.
  LRESULT Default();

  // Runs OnMessage for one message, with default processing when it is not handled.
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

private:
  struct CurrentMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
  };
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  void Unlink();
  CurrentMessage m_current = {};  // the message that Default() processes
};
