#include "tests/dialogs/SkinTestKit.h"

#include "ui/controls/ControlGeometry.h"

#include <atomic>
#include <cstdlib>
#include <thread>

COLORREF ScreenPixels::At(int screenX, int screenY) const {
  const int width = area.right - area.left;
  return pixels[static_cast<size_t>((screenY - area.top) * width + (screenX - area.left))];
}

ScreenPixels CaptureScreen(const RECT& area) {
  ScreenPixels result;
  result.area = area;
  ScreenCapture capture;
  if (!capture.CaptureRect(area)) return result;
  for (int y = 0; y < capture.height(); ++y) {
    for (int x = 0; x < capture.width(); ++x) result.pixels.push_back(capture.Pixel(x, y));
  }
  return result;
}

void SaveScreenshot(const std::wstring& name, const RECT& area) {
  const std::wstring folder = driver::ScreenshotDir();
  ::CreateDirectoryW(folder.c_str(), nullptr);  // the first test of a fresh build makes it
  ScreenCapture capture;
  if (capture.CaptureRect(area)) capture.SavePng(folder + name + L".png");
}

std::vector<COLORREF> RenderLikeButton(Gdiplus::Image* background, const RECT& backgroundRect,
                                       Gdiplus::Image* image, const RECT& imageSource, int width,
                                       int height) {
  Gdiplus::Bitmap canvas(width, height, PixelFormat32bppRGB);
  {
    Gdiplus::Graphics graphics(&canvas);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.Clear(Gdiplus::Color(255, 255, 255));
    const Gdiplus::Rect target(0, 0, width, height);
    if (background) {
      graphics.DrawImage(background, target, backgroundRect.left, backgroundRect.top,
                         backgroundRect.right - backgroundRect.left,
                         backgroundRect.bottom - backgroundRect.top, Gdiplus::UnitPixel);
    }
    graphics.DrawImage(image, target, imageSource.left, imageSource.top,
                       imageSource.right - imageSource.left, imageSource.bottom - imageSource.top,
                       Gdiplus::UnitPixel);
  }
  std::vector<COLORREF> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      Gdiplus::Color c;
      canvas.GetPixel(x, y, &c);
      pixels.push_back(RGB(c.GetR(), c.GetG(), c.GetB()));
    }
  }
  return pixels;
}

double MeanDifference(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size() || a.empty()) return 1e9;
  double sum = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    sum += std::abs(GetRValue(a[i]) - GetRValue(b[i])) + std::abs(GetGValue(a[i]) - GetGValue(b[i])) +
           std::abs(GetBValue(a[i]) - GetBValue(b[i]));
  }
  return sum / (3.0 * a.size());
}

ButtonLook::ButtonLook(Gdiplus::Image* bk, RECT bkRect, const UINT (&ids)[4], bool pngButton,
                       float s)
    : background(bk), backgroundRect(bkRect), trimsSourceAboveScaleOne(pngButton), scale(s) {
  for (int i = 0; i < 4; ++i) LoadPngResource(images[i], ids[i]);
}

ButtonLook::ButtonLook(Gdiplus::Image* bk, RECT bkRect, UINT firstImage, bool pngButton, float s)
    : ButtonLook(bk, bkRect, {firstImage, firstImage + 1, firstImage + 2, firstImage + 3},
                 pngButton, s) {}

int ButtonLook::ShownState(HWND button) const {
  const RECT r = WindowRectOf(button);
  const ScreenPixels shot = CaptureScreen(r);
  int best = 0;
  double bestDifference = 6.0;
  for (int i = 0; i < 4; ++i) {
    Gdiplus::Image* image = images[i].get();
    if (!image) continue;
    SkinRect source = {0, 0, static_cast<int>(image->GetWidth()),
                       static_cast<int>(image->GetHeight())};
    if (trimsSourceAboveScaleOne) source = ButtonImageSource(source.right, source.bottom, scale);
    const double difference = MeanDifference(
        shot.pixels, RenderLikeButton(background, backgroundRect, image, ToRect(source),
                                      r.right - r.left, r.bottom - r.top));
    if (difference < bestDifference) {
      bestDifference = difference;
      best = i + 1;
    }
  }
  return best;
}

bool ButtonLook::Shows(HWND button, int state) const {
  return WaitUntil([&] { return ShownState(button) == state; }, 2000);
}

namespace {

// Input is handled in the order it was sent. A key that nothing in the tool uses, sent after the
// input under test, marks its end: once the dialog's thread has taken the marker from its queue,
// it has taken everything before it, whichever window that went to.
constexpr WORD INPUT_MARKER_KEY = VK_F24;
std::atomic<LONG> g_markersTaken{0};
HHOOK g_inputProbe = nullptr;

LRESULT CALLBACK InputProbe(int code, WPARAM removal, LPARAM lParam) {
  const MSG* msg = reinterpret_cast<const MSG*>(lParam);
  if (code >= 0 && removal == PM_REMOVE && msg->message == WM_KEYUP && msg->wParam == INPUT_MARKER_KEY)
    ++g_markersTaken;
  return ::CallNextHookEx(g_inputProbe, code, removal, lParam);
}

}  // namespace

bool WaitUntilInputHandled(HWND window, DWORD timeoutMs) {
  const LONG before = g_markersTaken;
  PressKey(INPUT_MARKER_KEY);
  if (!WaitUntil([&] { return g_markersTaken > before; }, timeoutMs)) return false;
  // A message sent now is handled when the thread next looks at its queue, after the input it
  // took; the second one also after the characters that the keys posted.
  DWORD_PTR answer = 0;
  for (int i = 0; i < 2; ++i) {
    if (!::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &answer)) return false;
  }
  return true;
}

bool KeysLeavePairShown(HWND frame, HWND controls, POINT body) {
  ClickAt(body);
  PressKey(VK_RETURN);
  PressKey(VK_ESCAPE);
  PressKey(VK_F4, {VK_MENU});
  return WaitUntilInputHandled(controls) && ::IsWindowVisible(frame) &&
         ::IsWindowVisible(controls);
}

bool Drag(HWND window, int x, int y, int dx, int dy) {
  MovePointer(x, y);
  PressLeft();
  for (int step = 1; step <= 6; ++step) MovePointer(x + dx * step / 6, y + dy * step / 6);
  ReleaseLeft();
  return WaitUntilInputHandled(window);
}

INT_PTR RunModalWithDriver(CDialog& dialog, const std::function<void()>& driver,
                           const std::function<void()>& end) {
  g_inputProbe = ::SetWindowsHookExW(WH_GETMESSAGE, InputProbe, nullptr, ::GetCurrentThreadId());
  std::atomic<bool> ended{false};
  std::thread thread([&] {
    driver();
    while (!ended) {
      if (end) {
        end();
      } else if (dialog.m_hWnd) {
        ::PostMessageW(dialog.m_hWnd, WM_CLOSE, 0, 0);
      }
      ::Sleep(100);
    }
  });
  const INT_PTR result = dialog.DoModal();
  ended = true;
  thread.join();
  ::UnhookWindowsHookEx(g_inputProbe);
  g_inputProbe = nullptr;
  return result;
}

HWND ControlsWindowOf(HWND frame) {
  if (!frame) return nullptr;
  driver::WindowQuery query;
  query.owner = frame;
  query.visibleOnly = false;
  return driver::FindTopLevelWindow(query);
}

bool WaitUntilShown(const CWnd& frame, DWORD timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  auto left = [&] { return static_cast<DWORD>(end > ::GetTickCount64() ? end - ::GetTickCount64() : 0); };
  HWND controls = nullptr;
  if (!WaitUntil([&] {
        const HWND window = frame.m_hWnd;
        controls = ControlsWindowOf(window);
        return controls && ::IsWindowVisible(window) && ::IsWindowVisible(controls);
      }, timeoutMs))
    return false;
  return driver::WaitUntilForeground(controls, left()) &&
         driver::WaitUntilPainted(frame.m_hWnd, left()) && driver::WaitUntilPainted(controls, left());
}

namespace {

struct SizeSeen {
  HWND window;
  SIZE size;
};
std::vector<SizeSeen> g_sizes;  // written by the logged thread only
std::atomic<int> g_dialogsMade{0};
HHOOK g_windowProbe = nullptr;

LRESULT CALLBACK WindowProbe(int code, WPARAM sentByThread, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code >= 0 && sent->message == WM_SIZE) {
    g_sizes.push_back({sent->hwnd, {LOWORD(sent->lParam), HIWORD(sent->lParam)}});
  }
  if (code >= 0 && sent->message == WM_INITDIALOG) ++g_dialogsMade;
  return ::CallNextHookEx(g_windowProbe, code, sentByThread, lParam);
}

}  // namespace

WindowLog::WindowLog() {
  g_sizes.clear();
  g_dialogsMade = 0;
  g_windowProbe = ::SetWindowsHookExW(WH_CALLWNDPROC, WindowProbe, nullptr, ::GetCurrentThreadId());
}

WindowLog::~WindowLog() {
  ::UnhookWindowsHookEx(g_windowProbe);
  g_windowProbe = nullptr;
}

std::vector<SIZE> WindowLog::SizesOf(HWND window) const {
  std::vector<SIZE> sizes;
  for (const SizeSeen& seen : g_sizes) {
    if (seen.window == window) sizes.push_back(seen.size);
  }
  return sizes;
}

int WindowLog::DialogsMade() const { return g_dialogsMade; }

POINT ScreenPoint(HWND window, int clientX, int clientY) {
  POINT p = {clientX, clientY};
  ::ClientToScreen(window, &p);
  return p;
}

POINT CentreOf(HWND hwnd) {
  const RECT r = WindowRectOf(hwnd);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickAt(POINT screen) {
  MovePointer(screen.x, screen.y);
  PressLeft();
  ReleaseLeft();
}

RECT WindowRectOf(HWND hwnd) {
  RECT r = {};
  ::GetWindowRect(hwnd, &r);
  return r;
}

RECT ClientRectOnScreen(HWND hwnd) {
  RECT r = {};
  ::GetClientRect(hwnd, &r);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
