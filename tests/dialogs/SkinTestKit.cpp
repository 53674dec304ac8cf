#include "tests/dialogs/SkinTestKit.h"

#include "framework/GdiObjects.h"

#include <winternl.h>

#include <atomic>
#include <cstdlib>
#include <thread>

GdiplusSession::GdiplusSession() {
  Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&m_token, &input, nullptr);
}

GdiplusSession::~GdiplusSession() { Gdiplus::GdiplusShutdown(m_token); }

COLORREF ScreenPixels::At(int screenX, int screenY) const {
  const int width = area.right - area.left;
  return pixels[static_cast<size_t>((screenY - area.top) * width + (screenX - area.left))];
}

namespace {

// A 32-bit top-down copy of a screen rectangle.
struct ScreenCopy {
  ScopedBitmap bitmap;
  void* bits = nullptr;
};

ScreenCopy CopyScreen(const RECT& area) {
  ScreenCopy copy;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  const ScopedDC screen(nullptr);
  const ScopedMemoryDC memory(screen);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  copy.bitmap.reset(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &copy.bits, nullptr, 0));
  if (!copy.bitmap) return copy;
  const ScopedSelectObject select(memory, copy.bitmap);
  ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
  ::GdiFlush();
  return copy;
}

bool PngEncoder(CLSID* clsid) {
  UINT count = 0;
  UINT size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<BYTE> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (size == 0 || Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(encoders[i].MimeType) == L"image/png") {
      *clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

void SendMouse(DWORD flags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof(input));
}

void SendKey(WORD vk, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM count) {
  DWORD process = 0;
  ::GetWindowThreadProcessId(hwnd, &process);
  if (process != ::GetCurrentProcessId()) return TRUE;
  ++*reinterpret_cast<int*>(count);
  ::EnumChildWindows(hwnd, CountChild, count);
  return TRUE;
}

}  // namespace

ScreenPixels CaptureScreen(const RECT& area) {
  ScreenPixels result;
  result.area = area;
  const ScreenCopy copy = CopyScreen(area);
  const size_t count = static_cast<size_t>(area.right - area.left) * (area.bottom - area.top);
  result.pixels.resize(count);
  if (!copy.bits) return result;
  const auto* source = static_cast<const DWORD*>(copy.bits);
  for (size_t i = 0; i < count; ++i) {
    const DWORD bgra = source[i];
    result.pixels[i] = RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
  }
  return result;
}

void SaveScreenshot(const std::wstring& name, const RECT& area) {
  const wchar_t* folder = _wgetenv(L"SCREENSHOT_DIR");
  if (!folder || !*folder) return;
  ::CreateDirectoryW(folder, nullptr);
  const ScreenCopy copy = CopyScreen(area);
  CLSID png;
  if (!copy.bitmap || !PngEncoder(&png)) return;
  Gdiplus::Bitmap picture(copy.bitmap.get(), nullptr);
  const std::wstring path = std::wstring(folder) + L"\\" + name + L".png";
  picture.Save(path.c_str(), &png, nullptr);
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

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs) {
  const ULONGLONG end = ::GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (::GetTickCount64() > end) return false;
    ::Sleep(20);
  }
  return true;
}

void Pause(int ms) { ::Sleep(ms); }

void MovePointer(int x, int y) {
  ::SetCursorPos(x, y);
  ::Sleep(60);
}

void PressLeft() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  ::Sleep(80);
}

void ReleaseLeft() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  ::Sleep(80);
}

void PressKeys(std::initializer_list<WORD> keys) {
  for (WORD key : keys) SendKey(key, false);
  for (auto it = keys.end(); it != keys.begin();) SendKey(*--it, true);
  ::Sleep(120);
}

int GdiObjectCount() {
  const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  // Wine reports 0; its handle table, like the system's, hangs off the process environment
  // block, one 24-byte entry per handle with a non-zero type for a live object.
  struct Entry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG user;
  };
  static_assert(sizeof(Entry) == 24, "GDI handle table entry");
  PROCESS_BASIC_INFORMATION basic = {};
  if (::NtQueryInformationProcess(::GetCurrentProcess(), ProcessBasicInformation, &basic,
                                  sizeof(basic), nullptr) != 0)
    return -1;
  const auto* peb = reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const Entry* const*>(peb + 0xF8);
  if (!table) return -1;
  int count = 0;
  for (int i = 0; i < 0x10000; ++i) {
    if (table[i].type != 0) ++count;
  }
  return count;
}

int UserObjectCount() {
  const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
  if (reported != 0) return static_cast<int>(reported);
  int count = 0;  // Wine reports 0: count this process's windows instead
  ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&count));
  return count;
}

INT_PTR RunModalWithDriver(CDialog& dialog, const std::function<void()>& driver) {
  std::atomic<bool> ended{false};
  std::thread thread([&] {
    driver();
    while (!ended) {
      if (dialog.m_hWnd) ::PostMessageW(dialog.m_hWnd, WM_CLOSE, 0, 0);
      ::Sleep(100);
    }
  });
  const INT_PTR result = dialog.DoModal();
  ended = true;
  thread.join();
  return result;
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
