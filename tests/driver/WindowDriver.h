#pragma once

// The window test driver: finds windows and controls, moves the pointer, clicks and types with
// real input (SendInput), and saves screenshots. Input goes to whatever window lies under the
// pointer or has the keyboard focus, in this process or another; a dialog driven from the same
// process must run its message loop on another thread, or the caller pumps with PumpMessages.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "tests/driver/ScreenCapture.h"
#include "tests/driver/StartedProcess.h"

namespace driver {

// What a top-level window must match; empty or zero fields match anything.
struct WindowQuery {
  std::wstring className;
  std::wstring title;
  HWND owner = nullptr;
  DWORD processId = 0;
  bool visibleOnly = true;
};

// The first top-level window that matches, or nullptr.
HWND FindTopLevelWindow(const WindowQuery& query);
// Polls for the window until `timeoutMs` has passed, pumping this thread's messages.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);
// Polls `condition` until it holds or `timeoutMs` has passed, pumping this thread's messages.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);
// How often the waits above poll: 20 ms, unless a benchmark needs a finer resolution.
void SetPollPeriod(DWORD ms);
// Handles this thread's messages for `ms` milliseconds (at least once).
void PumpMessages(DWORD ms);
// Polls until `hwnd` is visible and neither it nor any window inside it has anything left to
// paint: what the screen shows is what the window drew.
bool WaitUntilPainted(HWND hwnd, DWORD timeoutMs);
// Polls until `hwnd` is the foreground window, the one that takes typed keys.
bool WaitUntilForeground(HWND hwnd, DWORD timeoutMs);
// Waits until the process has handled all the input it was sent and waits for more
// (WaitForInputIdle): after input meant to change nothing, before checking that it did not.
bool WaitUntilInputIdle(HANDLE process, DWORD timeoutMs);

struct ControlInfo {
  HWND hwnd = nullptr;
  int id = 0;
  std::wstring className;
  std::wstring text;
  RECT screen = {};  // window rectangle in screen coordinates
  RECT client = {};  // the same rectangle in the dialog's client coordinates
  bool visible = false;
  bool enabled = false;
};

// Every descendant control of `dialog`, in Z order (the template's order).
std::vector<ControlInfo> ListControls(HWND dialog);
// The control with `id`; false when the dialog has none.
bool FindControl(HWND dialog, int id, ControlInfo* info);
// A window's text, asked with a time limit so that a hung window cannot hang the test.
std::wstring GetText(HWND hwnd);

// Makes the window the foreground window, so that typed keys reach it.
bool BringToFront(HWND hwnd);
void MovePointer(int screenX, int screenY);
void MovePointerTo(HWND hwnd, int clientX, int clientY);
void MovePointerToCentre(HWND hwnd);
void PressLeft();
void ReleaseLeft();
// Moves there, presses and releases the left button.
void Click(int screenX, int screenY);
void ClickCentre(HWND hwnd);
// Types the text as Unicode characters into the focused window.
void TypeText(const std::wstring& text);
// Presses and releases a virtual key while holding `modifiers` (VK_CONTROL, VK_SHIFT, VK_MENU).
void PressKey(WORD vk, std::initializer_list<WORD> modifiers = {});

// The folder named by SCREENSHOT_DIR, else the current directory (with a trailing separator).
std::wstring ScreenshotDir();
// Saves a PNG of the window (or the whole screen for nullptr) as `name` in ScreenshotDir(),
// adding ".png" when missing. Returns the file's path, empty on failure.
std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name);

// GDI and USER objects of a process (this one by default), for leak tests and benchmarks.
// Wine's GetGuiResources answers 0; there the GDI count comes from the process's GDI handle
// table and the USER count is the number of its windows (less Wine's own IME windows).
DWORD GetProcessGdiObjectCount(HANDLE process = ::GetCurrentProcess());
DWORD GetProcessUserObjectCount(HANDLE process = ::GetCurrentProcess());

}  // namespace driver
