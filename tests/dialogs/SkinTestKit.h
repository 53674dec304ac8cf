#pragma once
// What the skin window tests share besides the window driver: GDI+ for the program, screen
// pixels of a rectangle, pictures drawn the way the skin buttons draw, which state image a
// button shows, what a thread's windows were told, and running a modal dialog while a second
// thread drives it as a user would.
#include "framework/Dialog.h"
#include "framework/GdiplusSession.h"
#include "tests/driver/WindowDriver.h"
#include "ui/skin/SkinResources.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Rectangles in test failure messages.
inline void PrintTo(const SkinRect& r, std::ostream* out) {
  *out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

using driver::MovePointer;
using driver::PressKey;
using driver::PressLeft;
using driver::ReleaseLeft;
using driver::WaitUntil;

// Colours of a screen rectangle as the screen shows them, by screen coordinates.
struct ScreenPixels {
  RECT area = {};
  std::vector<COLORREF> pixels;  // rows top to bottom
  COLORREF At(int screenX, int screenY) const;
};
ScreenPixels CaptureScreen(const RECT& area);
// Saves a screen rectangle as name.png in the driver's screenshot folder.
void SaveScreenshot(const std::wstring& name, const RECT& area);

// What a picture drawn like the skin buttons draw looks like: white, the background slice, the
// image (its source part) stretched over width × height. Rows top to bottom.
std::vector<COLORREF> RenderLikeButton(Gdiplus::Image* background, const RECT& backgroundRect,
                                       Gdiplus::Image* image, const RECT& imageSource, int width,
                                       int height);
// Mean absolute channel difference of two pictures of the same size.
double MeanDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b);

// How a skin button may look: its four state images over its background slice.
struct ButtonLook {
  Gdiplus::Image* background = nullptr;  // not owned
  RECT backgroundRect = {};
  PngImage images[4];
  bool trimsSourceAboveScaleOne = false;  // CPngButton's rule, with the button's scale factor
  float scale = 1.0f;

  // Images normal, hover, pressed, disabled.
  ButtonLook(Gdiplus::Image* bk, RECT bkRect, const UINT (&ids)[4], bool pngButton, float s);
  // Four consecutive image ids from `firstImage`.
  ButtonLook(Gdiplus::Image* bk, RECT bkRect, UINT firstImage, bool pngButton, float s);

  // 1 normal, 2 hover, 3 pressed, 4 disabled: the image the screen shows, 0 when none fits.
  int ShownState(HWND button) const;
  // Waits until the button shows `state`.
  bool Shows(HWND button, int state) const;
};

// Runs dialog.DoModal() on this thread while `driver` runs on a second one; once the driver
// returns, `end` (by default WM_CLOSE to the dialog) is repeated until the dialog has ended.
// Returns the DoModal result.
INT_PTR RunModalWithDriver(CDialog& dialog, const std::function<void()>& driver,
                           const std::function<void()>& end = {});
// From the driver of RunModalWithDriver: waits until the dialog's thread has handled all the
// input sent so far (`window` is one of its windows; one of them must have the keyboard). What
// input was meant not to change can be checked after it.
bool WaitUntilInputHandled(HWND window, DWORD timeoutMs = 3000);
// Clicks `body` (a point of the controls dialog where no control lies), presses Enter, Escape
// and Alt+F4, and answers whether both windows of the pair are still shown once the keys have
// been handled. From the driver of RunModalWithDriver.
bool KeysLeavePairShown(HWND frame, HWND controls, POINT body);
// Presses at (x, y), moves the pointer by (dx, dy) in steps and releases; returns once the
// thread of `window` has handled it all (false if it did not in time).
bool Drag(HWND window, int x, int y, int dx, int dy);

// The controls dialog of a skinned pair: the popup that its frame owns, or nullptr.
HWND ControlsWindowOf(HWND frame);
// From a driver thread: waits until both windows of the pair are shown, the controls dialog is
// in the foreground and nothing is left to paint.
bool WaitUntilShown(const CWnd& frame, DWORD timeoutMs = 5000);

// While it lives, what the windows of the thread that made it are told: the client sizes that
// WM_SIZE reports, and how many dialogs are initialised (readable from any thread).
class WindowLog {
public:
  WindowLog();
  ~WindowLog();
  WindowLog(const WindowLog&) = delete;
  WindowLog& operator=(const WindowLog&) = delete;
  std::vector<SIZE> SizesOf(HWND window) const;
  int DialogsMade() const;
};

RECT WindowRectOf(HWND hwnd);
RECT ClientRectOnScreen(HWND hwnd);
// A point in a window's client area, in screen coordinates; the centre of a window.
POINT ScreenPoint(HWND window, int clientX, int clientY);
POINT CentreOf(HWND hwnd);
// Moves the pointer there, presses and releases the left button.
void ClickAt(POINT screen);
