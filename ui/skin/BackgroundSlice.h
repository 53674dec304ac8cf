#pragma once
// Every skin control paints, under its own image or text, the piece of its owner's background
// picture that lies beneath it, so that transparent edges blend with the window's skin.
#include "framework/GdiPlusInclude.h"

// Stretches `slice` of `background` (not owned; may be null, then nothing is drawn) over `target`.
void DrawBackgroundSlice(Gdiplus::Graphics& graphics, Gdiplus::Image* background,
                         const RECT& slice, const Gdiplus::Rect& target);
