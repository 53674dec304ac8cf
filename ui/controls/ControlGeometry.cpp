#include "ui/controls/ControlGeometry.h"

SkinRect HitArea(const SkinRect& client, const SkinInsets& insets) {
  return {client.left + insets.left, client.top + insets.top, client.right - insets.right,
          client.bottom - insets.bottom};
}

SkinRect ButtonImageSource(int imageWidth, int imageHeight, float scale) {
  if (scale > 1.0f) return {0, 0, imageWidth - 1, imageHeight - 1};
  return {0, 0, imageWidth, imageHeight};
}

SkinRect CheckBoxBoxRect(int clientLeft, int clientHeight, float scale) {
  const int top = static_cast<int>(clientHeight / 2 - 8.0 * scale);
  const int side = ScaledTrunc(16, scale);
  return {clientLeft, top, clientLeft + side, top + side};
}

int CheckBoxCaptionLeft(int clientLeft, float scale) {
  return clientLeft + ScaledTrunc(16, scale) + 2;
}

int CheckBoxCellLeft(int checkState) { return checkState == 1 ? 16 : 0; }

bool DrawTextStaticFormat(int alignMode, unsigned* flags) {
  switch (alignMode) {
    case 0: *flags = TEXT_WORDBREAK | TEXT_VCENTER; return true;
    case 1: *flags = TEXT_SINGLELINE | TEXT_VCENTER; return true;
    case 2: *flags = TEXT_SINGLELINE | TEXT_VCENTER | TEXT_CENTER; return true;
    case 3: *flags = TEXT_WORDBREAK | TEXT_VCENTER | TEXT_RIGHT; return true;
    case 4: *flags = TEXT_SINGLELINE | TEXT_VCENTER; return true;
    default: return false;
  }
}

unsigned DrawStateInfoFormat(int alignMode) {
  switch (alignMode) {
    case 2: return TEXT_SINGLELINE | TEXT_VCENTER | TEXT_CENTER;
    case 3: return TEXT_SINGLELINE | TEXT_VCENTER | TEXT_RIGHT;
    case 4: return TEXT_WORDBREAK | TEXT_VCENTER;
    case 5: return TEXT_WORDBREAK | TEXT_VCENTER | TEXT_CENTER;
    case 6: return TEXT_WORDBREAK | TEXT_VCENTER | TEXT_RIGHT;
    default: return TEXT_SINGLELINE | TEXT_VCENTER;
  }
}

const wchar_t* DotTrail(int dotCount) {
  switch (dotCount) {
    case 1: return L".";
    case 2: return L"..";
    case 3: return L"...";
    default: return L"";
  }
}

int NextDotCount(int dotCount) { return dotCount >= 3 ? 0 : dotCount + 1; }

bool IsPatchEditCharAccepted(wchar_t c) {
  return (c >= L'0' && c <= L'9') || c == 8 || c == 3 || c == 22;
}
