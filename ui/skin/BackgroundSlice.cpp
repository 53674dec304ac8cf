#include "ui/skin/BackgroundSlice.h"

void DrawBackgroundSlice(Gdiplus::Graphics& graphics, Gdiplus::Image* background,
                         const RECT& slice, const Gdiplus::Rect& target) {
  if (!background) return;
  graphics.DrawImage(background, target, slice.left, slice.top, slice.right - slice.left,
                     slice.bottom - slice.top, Gdiplus::UnitPixel);
}
