#include "ui/controls/DrawStateInfoStatic.h"

#include "ui/controls/ControlGeometry.h"

namespace {
constexpr UINT_PTR TIMER_DOTS = 36;
constexpr UINT DOTS_PERIOD_MS = 1000;
}  // namespace

CDrawStateInfoStatic::CDrawStateInfoStatic()
    : m_bkBrush(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF))) {}

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

HBRUSH CDrawStateInfoStatic::BackgroundBrush() { return m_bkBrush; }

COLORREF CDrawStateInfoStatic::TextColor() const { return m_textColor; }

bool CDrawStateInfoStatic::TextToDraw(std::wstring& text, unsigned& flags) const {
  flags = DrawStateInfoFormat(AlignMode());
  text = GetWindowText() + DotTrail(m_dotCount);
  return true;
}

bool CDrawStateInfoStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_TIMER) return CSkinTextStatic::OnMessage(message, wParam, lParam, result);
  OnTimer(wParam);
  result = Default();
  return true;
}
