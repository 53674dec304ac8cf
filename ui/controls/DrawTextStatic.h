#pragma once
// A skin static text with a normal and a hover colour, so that it can serve as a link; the
// owner feeds it the cursor position.
#include "ui/controls/SkinTextStatic.h"

class CDrawTextStatic : public CSkinTextStatic {
public:
  void SetTextColors(COLORREF normal, COLORREF hover);
  // Takes effect only before the first paint, which makes the background brush once.
  void SetBkColor(COLORREF color);
  // Hover = the point (screen coordinates) lies in the window; repaints only on a change.
  void UpdateHover(POINT screenPoint);
  bool HitTest(POINT screenPoint) const;

protected:
  HBRUSH BackgroundBrush() override;
  COLORREF TextColor() const override;
  bool TextToDraw(std::wstring& text, unsigned& flags) const override;

private:
  ScopedBrush m_bkBrush;
  COLORREF m_normalColor = RGB(0, 0, 0);
  COLORREF m_hoverColor = RGB(0, 0, 0xFF);
  COLORREF m_bkColor = RGB(0xFF, 0xFF, 0xFF);
  bool m_hover = false;
};
