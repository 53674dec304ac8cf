#pragma once
// What the skin window tests share besides the window driver: GDI+ for the program, screen
// pixels of a rectangle, pictures drawn the way the skin buttons draw, and running a modal
// dialog while a second thread drives it as a user would.
#include "framework/Dialog.h"
#include "framework/GdiplusSession.h"
#include "tests/driver/WindowDriver.h"
#include "ui/skin/SkinResources.h"

#include <functional>
#include <string>
#include <vector>

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

// Runs dialog.DoModal() on this thread while `driver` runs on a second one; once the driver
// returns, the dialog is closed (WM_CLOSE) if it still runs. Returns the DoModal result.
INT_PTR RunModalWithDriver(CDialog& dialog, const std::function<void()>& driver);
// From the driver of RunModalWithDriver: waits until the dialog's thread has handled all the
// input sent so far (`window` is one of its windows; one of them must have the keyboard). What
// input was meant not to change can be checked after it.
bool WaitUntilInputHandled(HWND window, DWORD timeoutMs = 3000);

RECT WindowRectOf(HWND hwnd);
RECT ClientRectOnScreen(HWND hwnd);
