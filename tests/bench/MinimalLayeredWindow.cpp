// The yardsticks of the start-up benchmark: the least a program with a layered window of the main
// window's size does before it is up: one 410 × 611 picture with per-pixel alpha, one popup
// owned by it, a message loop. Built with STRUCTURAL_FLOOR it is the floor of the tool's own
// structure: the popup carries nine plain controls of the classes the tool's window uses, and
// the program has the tool's imports and manifest.
#include <windows.h>

#ifdef STRUCTURAL_FLOOR
#include "framework/GdiPlusInclude.h"

#include <commctrl.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>

// One function of each library the tool imports beyond the minimal program's, so that the
// loader maps and starts the same libraries.
extern const void* const g_toolImports[] = {
    reinterpret_cast<const void*>(&::InitCommonControlsEx),
    reinterpret_cast<const void*>(&Gdiplus::GdiplusStartup),
    reinterpret_cast<const void*>(&::CoTaskMemFree),
    reinterpret_cast<const void*>(&::SysAllocString),
    reinterpret_cast<const void*>(&::ShellExecuteW)};

namespace {

// The tool's nine controls at 96 dots per inch: class, style, text and place.
struct PlainControl {
  const wchar_t* className;
  DWORD style;
  const wchar_t* text;
  RECT place;
};
const PlainControl NINE_CONTROLS[] = {
    {L"Static", SS_LEFT, L"1.9.22.1021", {188, 16, 328, 31}},
    {L"Button", BS_PUSHBUTTON, L"关闭", {369, 0, 395, 34}},
    {L"Button", BS_PUSHBUTTON, L"最小化", {341, 0, 367, 34}},
    {L"Edit", ES_LEFT | ES_AUTOHSCROLL, L"请输入6-7位数字补丁号", {77, 255, 323, 275}},
    {L"Button", BS_PUSHBUTTON, L"卸载", {77, 306, 323, 353}},
    {L"Button", BS_PUSHBUTTON, L"更多工具", {45, 540, 103, 558}},
    {L"Button", BS_AUTOCHECKBOX, L"同意", {8, 575, 50, 595}},
    {L"Static", SS_LEFT, L"《Halvex服务工具使用许可协议》", {56, 575, 250, 595}},
    {L"Static", SS_LEFT, L"反馈问题", {330, 575, 394, 595}},
};

}  // namespace
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
  const HWND panel = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 105, 104, 400, 600,
                                       frame, nullptr, instance, nullptr);
#ifdef STRUCTURAL_FLOOR
  for (const PlainControl& c : NINE_CONTROLS) {
    ::CreateWindowExW(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.place.left,
                      c.place.top, c.place.right - c.place.left, c.place.bottom - c.place.top,
                      panel, nullptr, instance, nullptr);
  }
#endif
  ::ShowWindow(panel, SW_SHOW);
  ::RedrawWindow(panel, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
  return 0;
}
