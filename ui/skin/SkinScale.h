#pragma once
// Rectangles, insets and the scale factor of the skins: pixel sizes are given at 96 dots per
// inch and scaled by the factor. No window here.
//
// Every product k·s is formed in double from the 32-bit float scale factor and truncated toward
// zero; a sum written with a product (left + 5·s) is formed before it is truncated. Doing this
// in float instead would round 10·1.2f down to exactly 12 and give pixel sizes one too large.

struct SkinRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  // Half-open like the system's rectangles: the right and bottom edges lie outside.
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

inline bool operator==(const SkinRect& a, const SkinRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

struct SkinInsets {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// LOGPIXELSY / 100 above 100 dots per inch, else 1.0 (the tool divides by 100, not 96).
float ScaleFactorFromLogPixels(int logPixelsY);

// trunc(k·s).
int ScaledTrunc(double k, float s);
