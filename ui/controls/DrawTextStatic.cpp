#include "ui/controls/DrawTextStatic.h"

#include "ui/controls/ControlGeometry.h"

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

HBRUSH CDrawTextStatic::BackgroundBrush() {
  if (!m_bkBrush) m_bkBrush.reset(::CreateSolidBrush(m_bkColor));
  return m_bkBrush;
}

COLORREF CDrawTextStatic::TextColor() const { return m_hover ? m_hoverColor : m_normalColor; }

bool CDrawTextStatic::TextToDraw(std::wstring& text, unsigned& flags) const {
  if (!DrawTextStaticFormat(AlignMode(), &flags)) return false;
  text = GetWindowText();
  return true;
}
