#pragma once
// A static text painted over a piece of its owner's skin picture, with a normal and a hover
// colour so that it can serve as a link; the owner feeds it the cursor position.
#include "framework/GdiObjects.h"
#include "framework/Static.h"
#include "ui/skin/SkinResources.h"

class CDrawTextStatic : public CStatic {
public:
  void CreateFontFromParent();
  void SetAlignMode(int mode);
  void SetBkImage(Gdiplus::Image* image);
  void SetBkImageRect(int left, int top, int right, int bottom);
  void SetTextColors(COLORREF normal, COLORREF hover);
  // Takes effect only before the first paint, which makes the background brush once.
  void SetBkColor(COLORREF color);
  // Hover = the point (screen coordinates) lies in the window; repaints only on a change.
  void UpdateHover(POINT screenPoint);
  bool HitTest(POINT screenPoint) const;

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnPaint();

  ScopedBrush m_bkBrush;
  RECT m_client = {};
  ScopedFont m_font;
  COLORREF m_normalColor = RGB(0, 0, 0);
  COLORREF m_hoverColor = RGB(0, 0, 0xFF);
  COLORREF m_bkColor = RGB(0xFF, 0xFF, 0xFF);
  bool m_hover = false;
  int m_alignMode = 0;
  Gdiplus::Image* m_bkImage = nullptr;  // not owned: the owner's skin picture
  RECT m_bkRect = {};
};
