#pragma once
// An owner-drawn skin button for the small frame buttons and the prompt's buttons, drawn in the
// rectangle the owner's draw request gives. Above scale 1.0 it leaves out the last column and
// row of its state image, so that stretching does not smear the edge pixels.
#include "ui/controls/SkinImageButton.h"

class CPngButton : public CSkinImageButton {
public:
  void DrawItem(LPDRAWITEMSTRUCT dis) override;

  float m_scale = 1.0f;  // the owner's scale factor

protected:
  SkinRect ImageSource(Gdiplus::Image& image) const override;
};
