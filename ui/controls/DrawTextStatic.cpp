#include "ui/controls/DrawTextStatic.h"

#include "ui/controls/ControlGeometry.h"
#include "ui/controls/ParentFont.h"
#include "ui/skin/BackgroundSlice.h"

static_assert(TEXT_CENTER == DT_CENTER && TEXT_RIGHT == DT_RIGHT && TEXT_VCENTER == DT_VCENTER &&
                  TEXT_WORDBREAK == DT_WORDBREAK && TEXT_SINGLELINE == DT_SINGLELINE,
              "alignment tables use the system's text-format flags");

void CDrawTextStatic::CreateFontFromParent() { m_font.reset(CreateCopyOfParentFont(m_hWnd)); }

void CDrawTextStatic::SetAlignMode(int mode) { m_alignMode = mode; }

void CDrawTextStatic::SetBkImage(Gdiplus::Image* image) { m_bkImage = image; }

void CDrawTextStatic::SetBkImageRect(int left, int top, int right, int bottom) {
  m_bkRect = {left, top, right, bottom};
}

void CDrawTextStatic::SetTextColors(COLORREF normal, COLORREF hover) {
  m_normalColor = normal;
  m_hoverColor = hover;
}

void CDrawTextStatic::SetBkColor(COLORREF color) { m_bkColor = color; }

void CDrawTextStatic::UpdateHover(POINT screenPoint) {
  const bool hover = HitTest(screenPoint);
  if (hover == m_hover) return;
  m_hover = hover;
  Invalidate(TRUE);
}

bool CDrawTextStatic::HitTest(POINT screenPoint) const {
  RECT window;
  GetWindowRect(&window);
  return ::PtInRect(&window, screenPoint) != FALSE;
}

void CDrawTextStatic::OnPaint() {
  const ScopedPaintDC paint(m_hWnd);
  GetClientRect(&m_client);
  const ScopedMemoryDC memory(paint.get());
  const ScopedBitmap bitmap(::CreateCompatibleBitmap(paint, m_client.right, m_client.bottom));
  if (!memory || !bitmap) return;
  const ScopedSelectObject selectBitmap(memory, bitmap);

  if (!m_bkBrush) m_bkBrush.reset(::CreateSolidBrush(m_bkColor));
  ::FillRect(memory, &m_client, m_bkBrush);
  ::SetBkMode(memory, TRANSPARENT);
  if (m_bkImage) {
    Gdiplus::Graphics graphics(memory.get());
    DrawBackgroundSlice(graphics, m_bkImage, m_bkRect,
                        Gdiplus::Rect(0, 0, m_client.right, m_client.bottom));
  }
  const ScopedSelectObject selectFont(memory, m_font.get());
  ::SetTextColor(memory, m_hover ? m_hoverColor : m_normalColor);
  unsigned flags = 0;
  if (DrawTextStaticFormat(m_alignMode, &flags)) {
    const std::wstring text = GetWindowText();
    RECT area = m_client;
    ::DrawTextW(memory, text.c_str(), -1, &area, flags);
  }
  ::BitBlt(paint, 0, 0, m_client.right, m_client.bottom, memory, 0, 0, SRCCOPY);
}

bool CDrawTextStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
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
