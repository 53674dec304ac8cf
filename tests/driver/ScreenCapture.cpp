#include "tests/driver/ScreenCapture.h"

// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <cstring>

#include "framework/GdiObjects.h"
#include "framework/GdiplusSession.h"

namespace {

bool FindPngEncoder(CLSID* clsid) {
  UINT count = 0;
  UINT bytes = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &bytes) != Gdiplus::Ok || bytes == 0) return false;
  std::vector<unsigned char> buffer(bytes);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, bytes, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wcscmp(encoders[i].MimeType, L"image/png") == 0) {
      *clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ScreenCapture::CaptureRect(const RECT& screenRect) {
  const int width = screenRect.right - screenRect.left;
  const int height = screenRect.bottom - screenRect.top;
  if (width <= 0 || height <= 0) return false;

  ScopedDC screen(nullptr);
  ScopedMemoryDC memory(screen);
  if (!screen.get() || !memory.get()) return false;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bitmap(::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return false;
  {
    ScopedSelectObject select(memory, bitmap);
    // CAPTUREBLT takes layered windows along, as they are on the screen.
    if (!::BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top,
                  SRCCOPY | CAPTUREBLT))
      return false;
    ::GdiFlush();
  }
  const auto* source = static_cast<const uint32_t*>(bits);
  m_pixels.assign(source, source + static_cast<size_t>(width) * height);
  for (uint32_t& pixel : m_pixels) pixel &= 0x00FFFFFFu;
  m_width = width;
  m_height = height;
  return true;
}

bool ScreenCapture::CaptureWindow(HWND hwnd) {
  RECT r;
  return ::GetWindowRect(hwnd, &r) && CaptureRect(r);
}

bool ScreenCapture::CaptureScreen() {
  const RECT r = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  return CaptureRect(r);
}

COLORREF ScreenCapture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
  const uint32_t pixel = m_pixels[static_cast<size_t>(y) * m_width + x];
  return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

bool ScreenCapture::SavePng(const std::wstring& path) const {
  if (m_pixels.empty()) return false;
  // GDI+ for the length of one save; nesting with the program's own start-up is allowed.
  CGdiplusSession session;
  CLSID png;
  if (!session.IsStarted() || !FindPngEncoder(&png)) return false;
  // The bitmap only borrows the pixels; it is gone before the session ends.
  Gdiplus::Bitmap bitmap(m_width, m_height, m_width * 4, PixelFormat32bppRGB,
                         reinterpret_cast<BYTE*>(const_cast<uint32_t*>(m_pixels.data())));
  return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}
