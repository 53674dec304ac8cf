#include "app/MainWindowLayout.h"

namespace {

// trunc(value): a sum with products, formed in double before it is cut toward zero.
int Trunc(double value) { return static_cast<int>(value); }

SkinRect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace

MainWindowLayout LayOutMainWindow(const SkinRect& client, float scale, int agreementTextWidth,
                                  int feedbackTextWidth) {
  const double s = scale;
  const int L = client.left, T = client.top, R = client.right, B = client.bottom;
  const int W = client.Width(), H = client.Height();
  const bool wide = W > 400;
  MainWindowLayout out;

  const int closeLeft = Trunc(R - 31.2 * s);
  out.close = {closeLeft, T, Trunc(closeLeft + 26 * s), Trunc(T + 34 * s)};
  const int minimiseLeft = Trunc(R - 59.8 * s);
  out.minimise = {minimiseLeft, T, Trunc(minimiseLeft + 26 * s), Trunc(T + 34 * s)};
  out.version = At(L + Trunc(188 * s), T + Trunc(16 * s), Trunc(140 * s), Trunc(15 * s));

  if (wide) {
    const int left = L + Trunc(400 * s / 2 - 246 * s / 2);
    out.patchEdit = At(left, T + Trunc(600 * s / 2 - 45 * s), Trunc(246 * s), Trunc(20 * s));
    out.uninstall = At(left, T + Trunc(600 * s / 2 + 6 * s), Trunc(246 * s), Trunc(47 * s));
    out.uninstallSource = {77, 306, 323, 353};
    out.moreTools = At(L + Trunc(45 * s), B - Trunc(60 * s), Trunc(58 * s), Trunc(18 * s));
    out.moreToolsSource = {45, 540, 103, 558};
  } else {
    const int left = W / 2 + L - 123;
    out.patchEdit = At(left, H / 2 + T - 45, 246, 20);
    out.uninstall = At(left, H / 2 + T + 6, 246, 47);
    out.uninstallSource = out.uninstall;
    out.moreTools = At(L + 45, B - 60, 58, 18);
    out.moreToolsSource = out.moreTools;
  }

  const int unit = agreementTextWidth / 14;
  const int boxLeft = Trunc(8 * s);
  const int rowTop = Trunc(B - 25 * s);
  out.agreementBox = {boxLeft, rowTop, Trunc(boxLeft + 16 * s + 2 * unit + 2),
                      Trunc(rowTop + 20 * s)};
  const int linkLeft = out.agreementBox.right + 6;
  out.agreementLink = {linkLeft, rowTop, linkLeft + 14 * unit, Trunc(rowTop + 20 * s)};
  const int feedbackWidth = Trunc(feedbackTextWidth + 4 * s + 2 + 6);
  const int feedbackLeft = R - feedbackWidth - 6;
  out.feedbackLink = {feedbackLeft, rowTop, feedbackLeft + feedbackWidth, Trunc(rowTop + 20 * s)};
  return out;
}
