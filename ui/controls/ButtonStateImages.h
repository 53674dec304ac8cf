#pragma once
// The four state images of a skin push button and the choice among them, shared by CPngButton
// and CImageButton.
#include "ui/skin/SkinResources.h"

// Visual states of an enabled skin button.
enum SkinButtonState { BUTTON_NORMAL = 1, BUTTON_HOVER = 2, BUTTON_PRESSED = 3 };

class ButtonStateImages {
public:
  // Loads normal, hover, pressed and disabled in that order; the result of the last load.
  BOOL Load(UINT normal, UINT hover, UINT pressed, UINT disabled);
  void Free();
  bool Complete() const;
  // The image and caption colour for a window state: disabled wins over every state value.
  Gdiplus::Image* Choose(bool enabled, int state, COLORREF* captionColor) const;

private:
  PngImage m_images[4];  // normal, hover, pressed, disabled
};
