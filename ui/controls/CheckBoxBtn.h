#pragma once
// The agreement check box: a 16-pixel box from a PNG strip (unchecked and checked cells) and
// its caption, painted over white. The click and the check state are the system button's.
#include "framework/Button.h"
#include "framework/GdiObjects.h"
#include "ui/skin/SkinResources.h"

#include <memory>

class CCheckBoxBtn : public CButton {
public:
  CCheckBoxBtn();

  // A copy of the owner's font for the caption.
  void CreateFontFromParent();
  // The PNG resource of the 48 × 16 strip; set before the first paint.
  void SetCheckImage(UINT pngId);

  float m_scale = 1.0f;  // the owner's scale factor

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnPaint();

  UINT m_checkImageId = 0;
  PngImage m_checkImage;  // loaded at the first paint
  // Kept from paint to paint; made again only when the client size changes.
  std::unique_ptr<ScopedBackBuffer> m_buffer;
  ScopedBrush m_bkBrush;
  ScopedFont m_captionFont;
  COLORREF m_textColor = RGB(0, 0, 0);
};
