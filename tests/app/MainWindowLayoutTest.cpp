// The main window's layout arithmetic at 100 % and above it.
#include "app/MainWindowLayout.h"

#include <gtest/gtest.h>

namespace {

SkinRect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

}  // namespace

TEST(MainWindowLayout, AtOneHundredPercentTheNarrowFormulasGiveThePictureItsButtons) {
  // An agreement text 140 pixels wide gives units of 10; the feedback text is 48 wide.
  const MainWindowLayout at100 = LayOutMainWindow(At(0, 0, 400, 600), 1.0f, 140, 48);
  EXPECT_EQ((SkinRect{77, 255, 323, 275}), at100.patchEdit);
  EXPECT_EQ((SkinRect{77, 306, 323, 353}), at100.uninstall);
  EXPECT_EQ(at100.uninstall, at100.uninstallSource);
  EXPECT_EQ((SkinRect{45, 540, 103, 558}), at100.moreTools);
  EXPECT_EQ((SkinRect{368, 0, 394, 34}), at100.close);     // trunc(400 − 31.2)
  EXPECT_EQ((SkinRect{340, 0, 366, 34}), at100.minimise);  // trunc(400 − 59.8)
  EXPECT_EQ((SkinRect{188, 16, 328, 31}), at100.version);
  EXPECT_EQ((SkinRect{8, 575, 46, 595}), at100.agreementBox);  // 8 + 16 + 2·10 + 2
  EXPECT_EQ((SkinRect{52, 575, 192, 595}), at100.agreementLink);
  EXPECT_EQ((SkinRect{334, 575, 394, 595}), at100.feedbackLink);  // 48 + 4 + 2 + 6 = 60
}

TEST(MainWindowLayout, WideWindowsScaleEverySizeAndKeepThePictureSources) {
  const float s = 1.2f;  // 120 dots per inch: client 479 × 719
  const MainWindowLayout wide = LayOutMainWindow(At(0, 0, 479, 719), s, 168, 58);
  EXPECT_EQ(At(92, 306, 295, 24), wide.patchEdit);  // trunc(240 − 147.6), trunc(360 − 54)
  EXPECT_EQ(At(92, 367, 295, 56), wide.uninstall);  // trunc(360 + 7.2), trunc(56.4)
  EXPECT_EQ((SkinRect{77, 306, 323, 353}), wide.uninstallSource);
  EXPECT_EQ(At(54, 647, 69, 21), wide.moreTools);  // 719 − trunc(72)
  EXPECT_EQ((SkinRect{45, 540, 103, 558}), wide.moreToolsSource);
  EXPECT_EQ(441, wide.close.left);  // trunc(479 − 37.44)
  EXPECT_EQ(40, wide.close.bottom);
  // 25·1.2f is slightly above 30: the row starts at trunc(688.9999993).
  EXPECT_EQ((SkinRect{9, 688, 54, 712}), wide.agreementBox);
}
