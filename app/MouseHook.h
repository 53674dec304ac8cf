#pragma once
// A low-level mouse hook that tells the main window of every left-button press on the desktop.
// The hook procedure has no context of its own, so the hook and its target are process-wide.
#include <windows.h>

// Posted to the target window for each press: wParam WM_LBUTTONDOWN, lParam the hook's (never
// read: it is valid only during the hook call).
constexpr UINT WM_HOOK_LBUTTONDOWN = WM_USER + 1000;

class CMouseHook {
public:
  CMouseHook();
  CMouseHook(const CMouseHook&) = delete;
  CMouseHook& operator=(const CMouseHook&) = delete;

  // False for a null window.
  bool SetTargetWindow(HWND target);
  // Installs the hook for this thread's desktop; false when the system refuses it.
  bool Install();
  void Remove();
};

LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam);
