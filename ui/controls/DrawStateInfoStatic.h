#pragma once
// The wait dialog's status line: its text followed by a trail of one to three dots that
// advances once a second.
#include "framework/GdiObjects.h"
#include "framework/Static.h"
#include "ui/skin/SkinResources.h"

class CDrawStateInfoStatic : public CStatic {
public:
  CDrawStateInfoStatic();

  void CreateFontFromParent();
  void SetAlignMode(int mode);
  void SetBkImage(Gdiplus::Image* image);
  void SetBkImageRect(int left, int top, int right, int bottom);
  void SetTextColor(COLORREF color);  // repaints
  void StartAnimation();
  void StopAnimation();  // clears the dots and repaints
  void ResetDots();      // clears the dots without repainting

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnPaint();
  void OnTimer(UINT_PTR id);

  ScopedBrush m_bkBrush;
  RECT m_client = {};
  ScopedFont m_font;
  COLORREF m_textColor = RGB(0, 0, 0);
  int m_dotCount = 0;
  int m_alignMode = 0;
  Gdiplus::Image* m_bkImage = nullptr;  // not owned: the owner's skin picture
  RECT m_bkRect = {};
};
