#include "ui/skin/SkinScale.h"

float ScaleFactorFromLogPixels(int logPixelsY) {
  return logPixelsY > 100 ? static_cast<float>(logPixelsY / 100.0) : 1.0f;
}

int ScaledTrunc(double k, float s) { return static_cast<int>(k * static_cast<double>(s)); }
