#pragma once
// Pixel arithmetic and tables of the skin controls: hit areas, image source rectangles, the
// check box's box and caption, text-format flags of the drawn statics, the wait dots and the
// edit box's character filter. No window here.
#include "ui/skin/SkinScale.h"

// The client rectangle shrunk by the hit insets (left and top added, right and bottom taken).
SkinRect HitArea(const SkinRect& client, const SkinInsets& insets);

// Part of a state image drawn over a button: the whole image at scale 1.0 or below; above it,
// the image less its last column and row, so that stretching does not smear the edge pixels.
// Returned as origin and size (left, top, width, height in right/bottom).
SkinRect ButtonImageSource(int imageWidth, int imageHeight, float scale);

// Check box: the box at the client's left, top = trunc(height/2 − 8·s), trunc(16·s) square.
SkinRect CheckBoxBoxRect(int clientLeft, int clientHeight, float scale);
// Left edge of the caption: client left + trunc(16·s) + 2.
int CheckBoxCaptionLeft(int clientLeft, float scale);
// Left edge of the cell in the 48 × 16 strip: 16 checked, 0 otherwise.
int CheckBoxCellLeft(int checkState);

// Text-format flag values (the system's DT_ constants).
constexpr unsigned TEXT_CENTER = 0x01;
constexpr unsigned TEXT_RIGHT = 0x02;
constexpr unsigned TEXT_VCENTER = 0x04;
constexpr unsigned TEXT_WORDBREAK = 0x10;
constexpr unsigned TEXT_SINGLELINE = 0x20;

// Flags of a link/label static for an alignment mode; false: the mode draws no text.
bool DrawTextStaticFormat(int alignMode, unsigned* flags);
// Flags of the animated wait static for an alignment mode (every mode draws).
unsigned DrawStateInfoFormat(int alignMode);

// The wait static's trail: "", ".", "..", "..." for 0 to 3, and the next count (3 wraps to 0).
const wchar_t* DotTrail(int dotCount);
int NextDotCount(int dotCount);

// Characters the patch-number box passes on: digits, backspace, copy (Ctrl+C), paste (Ctrl+V).
bool IsPatchEditCharAccepted(wchar_t c);
