#include "ui/controls/ControlGeometry.h"

#include "tests/dialogs/PatchEditHint.h"

#include <gtest/gtest.h>

#include <string>

TEST(HitArea, ShrinksByInsetsOnEverySide) {
  const SkinRect area = HitArea({0, 0, 266, 60}, {9, 9, 9, 9});
  EXPECT_EQ((SkinRect{9, 9, 257, 51}), area);
  EXPECT_FALSE(area.Contains(5, 30));    // 5 pixels inside the window edge: the shadow margin
  EXPECT_FALSE(area.Contains(130, 55));
  EXPECT_TRUE(area.Contains(9, 9));
  EXPECT_TRUE(area.Contains(256, 50));
  EXPECT_FALSE(area.Contains(257, 50));
  EXPECT_EQ((SkinRect{0, 0, 246, 47}), HitArea({0, 0, 246, 47}, {}));
}

TEST(ButtonImageSource, DropsLastRowAndColumnOnlyAboveScaleOne) {
  EXPECT_EQ((SkinRect{0, 0, 26, 34}), ButtonImageSource(26, 34, 1.0f));
  EXPECT_EQ((SkinRect{0, 0, 25, 33}), ButtonImageSource(26, 34, 1.5f));
  EXPECT_EQ((SkinRect{0, 0, 54, 23}), ButtonImageSource(55, 24, 1.01f));
  EXPECT_EQ((SkinRect{0, 0, 55, 24}), ButtonImageSource(55, 24, 0.5f));
}

TEST(CheckBoxGeometry, BoxAndCaptionAtScaleOneAndAbove) {
  EXPECT_EQ((SkinRect{0, 2, 16, 18}), CheckBoxBoxRect(0, 20, 1.0f));
  EXPECT_EQ(18, CheckBoxCaptionLeft(0, 1.0f));
  // 24/2 − 8·1.2 = 2.4 → 2; side 19.2 → 19; caption 19 + 2.
  EXPECT_EQ((SkinRect{0, 2, 19, 21}), CheckBoxBoxRect(0, 24, 1.2f));
  EXPECT_EQ(21, CheckBoxCaptionLeft(0, 1.2f));
  // Odd heights halve by integer division first: 21/2 = 10.
  EXPECT_EQ(2, CheckBoxBoxRect(0, 21, 1.0f).top);
  EXPECT_EQ(16, CheckBoxCellLeft(1));
  EXPECT_EQ(0, CheckBoxCellLeft(0));
  EXPECT_EQ(0, CheckBoxCellLeft(2));  // indeterminate shows the empty box
}

TEST(AlignmentTable, DrawTextStaticModes) {
  const unsigned expected[] = {0x14, 0x24, 0x25, 0x16, 0x24};
  for (int mode = 0; mode <= 4; ++mode) {
    unsigned flags = 0;
    ASSERT_TRUE(DrawTextStaticFormat(mode, &flags)) << mode;
    EXPECT_EQ(expected[mode], flags) << mode;
  }
  for (int mode : {5, 6, 7, -1, 100}) {
    unsigned flags = 0xDEAD;
    EXPECT_FALSE(DrawTextStaticFormat(mode, &flags)) << mode;
  }
}

TEST(AlignmentTable, DrawStateInfoModes) {
  const unsigned expected[] = {0x24, 0x24, 0x25, 0x26, 0x14, 0x15, 0x16};
  for (int mode = 0; mode <= 6; ++mode) EXPECT_EQ(expected[mode], DrawStateInfoFormat(mode)) << mode;
  EXPECT_EQ(0x24u, DrawStateInfoFormat(7));
  EXPECT_EQ(0x24u, DrawStateInfoFormat(-3));
}

TEST(WaitDots, CycleThroughThreeAndBackToNone) {
  int count = 0;
  std::wstring seen;
  for (int step = 0; step < 5; ++step) {
    seen += DotTrail(count);
    seen += L'|';
    count = NextDotCount(count);
  }
  EXPECT_EQ(L"|.|..|...||", seen);
}

TEST(PatchEditFilter, DigitsBackspaceCopyPasteOnly) {
  std::wstring kept;
  for (wchar_t c : std::wstring(L"12a4 -+KB\x0FF11")) {
    if (IsPatchEditCharAccepted(c)) kept += c;
  }
  EXPECT_EQ(L"124", kept);
  EXPECT_TRUE(IsPatchEditCharAccepted(8));
  EXPECT_TRUE(IsPatchEditCharAccepted(3));
  EXPECT_TRUE(IsPatchEditCharAccepted(22));
  EXPECT_FALSE(IsPatchEditCharAccepted(24));  // cut
  EXPECT_FALSE(IsPatchEditCharAccepted(1));   // select all
  EXPECT_FALSE(IsPatchEditCharAccepted(26));  // undo
  EXPECT_FALSE(IsPatchEditCharAccepted(L'/'));
  EXPECT_FALSE(IsPatchEditCharAccepted(L':'));
  EXPECT_EQ(21u, std::wstring(PATCH_EDIT_HINT).size());
}
