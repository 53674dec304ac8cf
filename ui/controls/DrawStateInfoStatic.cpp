#include "ui/controls/DrawStateInfoStatic.h"

#include "ui/controls/ControlGeometry.h"
#include "ui/controls/ParentFont.h"
#include "ui/skin/BackgroundSlice.h"

namespace {
constexpr UINT_PTR TIMER_DOTS = 36;
constexpr UINT DOTS_PERIOD_MS = 1000;
}  // namespace

CDrawStateInfoStatic::CDrawStateInfoStatic()
    : m_bkBrush(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF))) {}

void CDrawStateInfoStatic::CreateFontFromParent() {
  m_font.reset(CreateCopyOfParentFont(m_hWnd));
}

void CDrawStateInfoStatic::SetAlignMode(int mode) { m_alignMode = mode; }

void CDrawStateInfoStatic::SetBkImage(Gdiplus::Image* image) { m_bkImage = image; }

void CDrawStateInfoStatic::SetBkImageRect(int left, int top, int right, int bottom) {
  m_bkRect = {left, top, right, bottom};
}

void CDrawStateInfoStatic::SetTextColor(COLORREF color) {
  m_textColor = color;
  Invalidate(TRUE);
}

void CDrawStateInfoStatic::StartAnimation() { SetTimer(TIMER_DOTS, DOTS_PERIOD_MS); }

void CDrawStateInfoStatic::StopAnimation() {
  KillTimer(TIMER_DOTS);
  m_dotCount = 0;
  Invalidate(TRUE);
}

void CDrawStateInfoStatic::ResetDots() { m_dotCount = 0; }

void CDrawStateInfoStatic::OnTimer(UINT_PTR id) {
  if (id != TIMER_DOTS) return;
  m_dotCount = NextDotCount(m_dotCount);
  Invalidate(TRUE);
}

void CDrawStateInfoStatic::OnPaint() {
  const ScopedPaintDC paint(m_hWnd);
  GetClientRect(&m_client);
  const ScopedMemoryDC memory(paint.get());
  const ScopedBitmap bitmap(::CreateCompatibleBitmap(paint, m_client.right, m_client.bottom));
  if (!memory || !bitmap) return;
  const ScopedSelectObject selectBitmap(memory, bitmap);

  ::FillRect(memory, &m_client, m_bkBrush);
  ::SetBkMode(memory, TRANSPARENT);
  if (m_bkImage) {
    Gdiplus::Graphics graphics(memory.get());
    DrawBackgroundSlice(graphics, m_bkImage, m_bkRect,
                        Gdiplus::Rect(0, 0, m_client.right, m_client.bottom));
  }
  const ScopedSelectObject selectFont(memory, m_font.get());
  ::SetTextColor(memory, m_textColor);
  const std::wstring text = GetWindowText() + DotTrail(m_dotCount);
  RECT area = m_client;
  ::DrawTextW(memory, text.c_str(), -1, &area, DrawStateInfoFormat(m_alignMode));
  ::BitBlt(paint, 0, 0, m_client.right, m_client.bottom, memory, 0, 0, SRCCOPY);
}

bool CDrawStateInfoStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_TIMER:
      OnTimer(wParam);
      result = Default();
      return true;
    // The system static draws a new text or state at once, outside WM_PAINT; ours follows.
    case WM_SETTEXT:
    case WM_ENABLE:
      result = Default();
      Invalidate(TRUE);
      return true;
    default:
      return CStatic::OnMessage(message, wParam, lParam, result);
  }
}
