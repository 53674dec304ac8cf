#pragma once
// A static text painted in the owner's font over a piece of its owner's skin picture; the base
// of CDrawTextStatic and CDrawStateInfoStatic, which choose the colours, the background brush
// and the text with its format flags.
#include "framework/GdiObjects.h"
#include "framework/Static.h"
#include "ui/skin/SkinResources.h"

#include <string>

class CSkinTextStatic : public CStatic {
public:
  // A copy of the owner's font for the text.
  void CreateFontFromParent();
  void SetAlignMode(int mode);
  void SetBkImage(Gdiplus::Image* image);
  void SetBkImageRect(int left, int top, int right, int bottom);

protected:
  int AlignMode() const { return m_alignMode; }
  // Fills the client area under the background slice.
  virtual HBRUSH BackgroundBrush() = 0;
  virtual COLORREF TextColor() const = 0;
  // The text and its format flags; false: no text is drawn.
  virtual bool TextToDraw(std::wstring& text, unsigned& flags) const = 0;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnPaint();

  ScopedFont m_font;
  int m_alignMode = 0;
  Gdiplus::Image* m_bkImage = nullptr;  // not owned: the owner's skin picture
  RECT m_bkRect = {};
};
