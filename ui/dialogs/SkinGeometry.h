#pragma once
// Pixel arithmetic of the skinned window pairs: frame size, where the controls dialog sits over
// its frame, how the frame follows it, and the drag strip. No window here. Products with the
// scale factor are formed as ui/skin/SkinScale.h describes.
#include "ui/skin/SkinScale.h"

// The values of one frame/controls pair at scale 1.0.
struct SkinPairGeometry {
  int frameWidth = 0;
  int frameHeight = 0;
  // Where the controls dialog lies inside the frame while the frame leads; the placement at
  // creation uses the same numbers (width less left + right, height less top + bottom).
  SkinInsets frameLeads;
  // How far the frame reaches around the controls dialog once that leads.
  SkinInsets follow;
  // Drag strip: this high from the top of the controls dialog's client area, less rightCut at
  // the right. Height 0: the pair cannot be dragged.
  int dragStripHeight = 0;
  int dragStripRightCut = 0;
};

// The three pairs of the tool's dialogs: prompt, wait (never dragged) and feedback; and the
// main window's pair, whose drag strip leaves out the minimise and close buttons.
extern const SkinPairGeometry PROMPT_PAIR;
extern const SkinPairGeometry EXECUTE_PROMPT_PAIR;
extern const SkinPairGeometry FEEDBACK_PAIR;
extern const SkinPairGeometry MAIN_PAIR;

// Frame size: (trunc(frameWidth·s), trunc(frameHeight·s)), as a rectangle at the origin.
SkinRect FrameSizeRect(const SkinPairGeometry& pair, float s);

// The frame's rectangle centred on a screen of the given size (halves of the screen are integer
// divisions): left = width/2 − trunc(frameWidth·s/2), right = left + trunc(frameWidth·s).
SkinRect CentredFrameRect(const SkinPairGeometry& pair, float s, int screenWidth, int screenHeight);

// Controls dialog at creation, from the frame's window rectangle: x = trunc(left + l·s),
// y = trunc(top + t·s), width = trunc(W − (l+r)·s), height = trunc(H − (t+b)·s).
SkinRect ControlsPlacement(const SkinPairGeometry& pair, const SkinRect& frame, float s);

// Controls dialog while the frame leads: the frame rectangle shrunk by the frame-leads insets,
// each product truncated before it is added.
SkinRect FrameLeadsRect(const SkinPairGeometry& pair, const SkinRect& frame, float s);

// Frame around the controls dialog's window rectangle, each product truncated first.
SkinRect FollowRect(const SkinPairGeometry& pair, const SkinRect& controls, float s);

// Drag strip from the controls dialog's client rectangle in screen coordinates.
SkinRect DragStripRect(const SkinPairGeometry& pair, const SkinRect& clientOnScreen, float s);
