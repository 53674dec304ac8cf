// The yardstick of the start-up benchmark: the least a program with a layered window of the main
// window's size does before it is up: one 410 × 611 picture with per-pixel alpha, one popup
// owned by it, a message loop. Built with STRUCTURAL_FLOOR, the floor of the tool's structure:
// nine plain controls of the tool's classes on the popup, the tool's imports and manifest.
#include <windows.h>
#ifdef STRUCTURAL_FLOOR
#include "framework/GdiPlusInclude.h"

#include <commctrl.h>
#include <shellapi.h>

// Never called: it makes the loader map and start each library that the tool imports.
void ImportLikeTheTool() {
  Gdiplus::DllExports::GdipFree(nullptr);
  ::InitCommonControls();
  ::SysFreeString(nullptr);
  ::RegCloseKey(nullptr);
  ::CoTaskMemFree(::CommandLineToArgvW(nullptr, nullptr));
}
#endif

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc = {};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"MinimalLayeredWindow";
  ::RegisterClassW(&wc);
  const int width = 410, height = 611;
  const HWND frame = ::CreateWindowExW(WS_EX_LAYERED, wc.lpszClassName, L"Minimal", WS_POPUP, 100,
                                       100, width, height, nullptr, nullptr, instance, nullptr);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = ::SelectObject(memory, bitmap);
  for (int i = 0; i < width * height; ++i) static_cast<DWORD*>(bits)[i] = 0xC0204080;
  POINT source = {0, 0}, destination = {100, 100};
  SIZE size = {width, height};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(frame, screen, &destination, &size, memory, &source, 0, &blend, ULW_ALPHA);
  ::SelectObject(memory, old);
  ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  ::ShowWindow(frame, SW_SHOW);
  const HWND panel = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 105, 104,
                                       400, 600, frame, nullptr, instance, nullptr);
#ifdef STRUCTURAL_FLOOR
  const wchar_t* const kinds[] = {L"Static", L"Button", L"Button", L"Edit",  L"Button",
                                  L"Button", L"Button", L"Static", L"Static"};
  for (int i = 0; i < 9; ++i)
    ::CreateWindowExW(0, kinds[i], L"更多工具", WS_CHILD | WS_VISIBLE, 77, 20 + 60 * i, 246, 40,
                      panel, nullptr, instance, nullptr);
#endif
  ::RedrawWindow(panel, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
