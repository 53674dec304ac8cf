#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// The pixels of a screen rectangle as the screen shows them (layered windows blended in),
// copied from the screen's device context.
class ScreenCapture {
public:
  // Copies `screenRect` of the screen; false when it is empty or the copy failed.
  bool CaptureRect(const RECT& screenRect);
  // The window's whole rectangle, frame included.
  bool CaptureWindow(HWND hwnd);
  bool CaptureScreen();

  int width() const { return m_width; }
  int height() const { return m_height; }
  // The colour at (x, y) relative to the captured rectangle; CLR_INVALID outside it.
  COLORREF Pixel(int x, int y) const;
  // Writes the capture as a PNG file (GDI+ encoder).
  bool SavePng(const std::wstring& path) const;

private:
  int m_width = 0;
  int m_height = 0;
  std::vector<uint32_t> m_pixels;  // top-down rows, 0x00RRGGBB
};
