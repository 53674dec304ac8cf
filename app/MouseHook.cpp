#include "app/MouseHook.h"

namespace {
HHOOK g_hook = nullptr;   // owned by the one CMouseHook
HWND g_target = nullptr;  // not owned: the main window
}  // namespace

CMouseHook::CMouseHook() {
  g_hook = nullptr;
  g_target = nullptr;
}

bool CMouseHook::SetTargetWindow(HWND target) {
  if (!target) return false;
  g_target = target;
  return true;
}

bool CMouseHook::Install() {
  g_hook = ::SetWindowsHookExW(WH_MOUSE_LL, MouseHookProc, nullptr, 0);
  return g_hook != nullptr;
}

void CMouseHook::Remove() {
  if (!g_hook) return;
  ::UnhookWindowsHookEx(g_hook);
  g_hook = nullptr;
}

// Runs on the thread that installed it, while that thread waits for messages: it only posts.
// Every pointer move on the desktop waits for it.
LRESULT CALLBACK MouseHookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return ::CallNextHookEx(g_hook, code, wParam, lParam);  // the hook contract
  if (wParam == WM_LBUTTONDOWN)
    ::PostMessageW(g_target, WM_HOOK_LBUTTONDOWN, WM_LBUTTONDOWN, lParam);
  return ::CallNextHookEx(g_hook, code, wParam, lParam);
}
