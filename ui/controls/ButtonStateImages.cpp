#include "ui/controls/ButtonStateImages.h"

BOOL ButtonStateImages::Load(UINT normal, UINT hover, UINT pressed, UINT disabled) {
  const UINT ids[4] = {normal, hover, pressed, disabled};
  BOOL result = FALSE;
  for (int i = 0; i < 4; ++i) {
    m_images[i].reset();
    result = LoadPngResource(m_images[i], ids[i]);
  }
  return result;
}

void ButtonStateImages::Free() {
  for (PngImage& image : m_images) image.reset();
}

bool ButtonStateImages::Complete() const {
  for (const PngImage& image : m_images) {
    if (!image) return false;
  }
  return true;
}

Gdiplus::Image* ButtonStateImages::Choose(bool enabled, int state, COLORREF* captionColor) const {
  if (!enabled) {
    *captionColor = RGB(0xC0, 0xC0, 0xC0);
    return m_images[3].get();
  }
  switch (state) {
    case BUTTON_HOVER:
      *captionColor = RGB(0xFF, 0xFF, 0xFF);
      return m_images[1].get();
    case BUTTON_PRESSED:
      *captionColor = RGB(0xFF, 0xFF, 0xFF);
      return m_images[2].get();
    default:
      *captionColor = RGB(0, 0, 0);
      return m_images[0].get();
  }
}
