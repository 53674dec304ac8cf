#include "ui/controls/PngButton.h"

#include "ui/controls/ControlGeometry.h"

void CPngButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis || !ImagesComplete()) return;
  Paint(dis->hDC, dis->rcItem, false);
}

SkinRect CPngButton::ImageSource(Gdiplus::Image& image) const {
  return ButtonImageSource(static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight()),
                           m_scale);
}
