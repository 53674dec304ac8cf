#include "tests/engine/EngineTestWindow.h"

#include "engine/SystemPatchEngine.h"

namespace {
const wchar_t kClassName[] = L"EngineTestOwner";
}

CEngineTestWindow::CEngineTestWindow() {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassW(&windowClass);  // already registered by an earlier test: fine
  m_hwnd = CreateWindowExW(0, kClassName, L"engine test", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                           nullptr, nullptr, GetModuleHandleW(nullptr), this);
}

CEngineTestWindow::~CEngineTestWindow() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

bool CEngineTestWindow::WaitFor(UINT message, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    for (const ReceivedMessage& received : m_received) {
      if (received.message == message) return true;
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    // Sent messages are delivered while this thread waits for input.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                              QS_ALLINPUT);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
}

LRESULT CALLBACK CEngineTestWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CEngineTestWindow*>(
        reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CEngineTestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && (message == WM_EXECUTE_PROMPT_CLOSE || message == WM_QUERY_PATCH_RESULT ||
               message == WM_UNINSTALL_PATCH_RESULT)) {
    const bool sent = (InSendMessageEx(nullptr) & ISMEX_SEND) != 0;
    self->m_received.push_back({message, wParam, lParam, sent});
    return 1;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}
