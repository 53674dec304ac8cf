#include "ui/dialogs/SkinGeometry.h"

#include <gtest/gtest.h>

namespace {

SkinRect At(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

}  // namespace

TEST(ScaleFactor, DividesByHundredOnlyAboveHundred) {
  EXPECT_EQ(1.0f, ScaleFactorFromLogPixels(72));
  EXPECT_EQ(1.0f, ScaleFactorFromLogPixels(96));
  EXPECT_EQ(1.0f, ScaleFactorFromLogPixels(100));
  EXPECT_EQ(1.01f, ScaleFactorFromLogPixels(101));
  EXPECT_EQ(1.2f, ScaleFactorFromLogPixels(120));
  EXPECT_EQ(1.44f, ScaleFactorFromLogPixels(144));
}

TEST(SkinPairGeometry, PromptAtScaleOne) {
  const SkinRect frame = FrameSizeRect(PROMPT_PAIR, 1.0f);
  EXPECT_EQ(336, frame.Width());
  EXPECT_EQ(156, frame.Height());
  const SkinRect placed = At(200, 100, 336, 156);
  EXPECT_EQ(At(205, 103, 326, 146), ControlsPlacement(PROMPT_PAIR, placed, 1.0f));
  // While the frame leads, the controls dialog keeps the same place.
  EXPECT_EQ(At(205, 103, 326, 146), FrameLeadsRect(PROMPT_PAIR, placed, 1.0f));
  EXPECT_EQ(placed, FollowRect(PROMPT_PAIR, At(205, 103, 326, 146), 1.0f));
}

TEST(SkinPairGeometry, PromptAt120DotsPerInchLosesOnePixelToTheFloatFactor) {
  const float s = ScaleFactorFromLogPixels(120);
  const SkinRect size = FrameSizeRect(PROMPT_PAIR, s);
  EXPECT_EQ(403, size.Width());
  EXPECT_EQ(187, size.Height());
  // 10·1.2f is slightly above 12, so 403 − 12.0000005 truncates to 390, not 391.
  const SkinRect frame = At(0, 0, 403, 187);
  EXPECT_EQ(At(6, 3, 390, 174), ControlsPlacement(PROMPT_PAIR, frame, s));
  // Frame leads: each inset truncated first: 5·1.2 = 6, 3·1.2 = 3.6 → 3, 7·1.2 = 8.4 → 8.
  EXPECT_EQ((SkinRect{6, 3, 397, 179}), FrameLeadsRect(PROMPT_PAIR, frame, s));
  EXPECT_EQ((SkinRect{94, 47, 496, 232}), FollowRect(PROMPT_PAIR, SkinRect{100, 50, 490, 224}, s));
}

TEST(SkinPairGeometry, CreationPlacementTruncatesTheSumNotTheProduct) {
  // left + 3·1.2 with left 10 is 13.6 → 13; with left −10 it is −6.4 → −6 and left + 5·1.2
  // is −3.9999998 → −3: toward zero, after the sum.
  const float s = 1.2f;
  EXPECT_EQ(13, ControlsPlacement(PROMPT_PAIR, At(10, 10, 403, 187), s).top);
  EXPECT_EQ(-6, ControlsPlacement(PROMPT_PAIR, At(-10, -10, 403, 187), s).top);
  EXPECT_EQ(-3, ControlsPlacement(PROMPT_PAIR, At(-10, -10, 403, 187), s).left);
}

TEST(SkinPairGeometry, WaitAndFeedbackPairs) {
  EXPECT_EQ(At(14, 12, 204, 104),
            ControlsPlacement(EXECUTE_PROMPT_PAIR, FrameSizeRect(EXECUTE_PROMPT_PAIR, 1.0f), 1.0f));
  EXPECT_EQ(0, EXECUTE_PROMPT_PAIR.dragStripHeight);
  EXPECT_EQ(At(5, 4, 400, 468),
            ControlsPlacement(FEEDBACK_PAIR, FrameSizeRect(FEEDBACK_PAIR, 1.0f), 1.0f));
  const SkinRect big = FrameSizeRect(FEEDBACK_PAIR, 1.44f);
  EXPECT_EQ(590, big.Width());
  EXPECT_EQ(689, big.Height());
}

TEST(SkinPairGeometry, DragStripOfPromptSparesTheCloseButton) {
  const SkinRect client = At(100, 200, 326, 146);
  const SkinRect strip = DragStripRect(PROMPT_PAIR, client, 1.0f);
  EXPECT_EQ((SkinRect{100, 200, 400, 230}), strip);
  EXPECT_TRUE(strip.Contains(100, 200));
  EXPECT_TRUE(strip.Contains(399, 229));
  EXPECT_FALSE(strip.Contains(400, 210));  // the close button's column
  EXPECT_FALSE(strip.Contains(150, 230));  // the body below the strip
  const SkinRect scaled = DragStripRect(PROMPT_PAIR, At(0, 0, 390, 174), 1.2f);
  EXPECT_EQ((SkinRect{0, 0, 390 - 31, 36}), scaled);
  EXPECT_EQ((SkinRect{0, 0, 400, 30}), DragStripRect(FEEDBACK_PAIR, At(0, 0, 400, 468), 1.0f));
}

TEST(SkinPairGeometry, MainPairIsCentredAndItsFrameFollowsAtEveryScale) {
  // Picture composed, controls dialog placed, frame after following, on a 1280 × 1024 screen.
  const struct {
    int logPixels;
    int pictureWidth, pictureHeight, controlsWidth, controlsHeight, frameWidth, frameHeight;
  } cases[] = {{96, 410, 611, 400, 600, 410, 611},
               {120, 492, 733, 479, 719, 491, 731},
               {144, 590, 879, 575, 863, 589, 878}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.logPixels);
    const float s = ScaleFactorFromLogPixels(c.logPixels);
    const SkinRect centred = CentredFrameRect(MAIN_PAIR, s, 1280, 1024);
    EXPECT_EQ(c.pictureWidth, centred.Width());
    EXPECT_EQ(c.pictureHeight, centred.Height());
    EXPECT_EQ(640 - static_cast<int>(410 * static_cast<double>(s) / 2), centred.left);
    const SkinRect controls = ControlsPlacement(MAIN_PAIR, centred, s);
    EXPECT_EQ(c.controlsWidth, controls.Width());
    EXPECT_EQ(c.controlsHeight, controls.Height());
    const SkinRect frame = FollowRect(MAIN_PAIR, controls, s);
    EXPECT_EQ(c.frameWidth, frame.Width());
    EXPECT_EQ(c.frameHeight, frame.Height());
  }
  EXPECT_EQ((SkinRect{0, 0, 314, 30}), DragStripRect(MAIN_PAIR, At(0, 0, 400, 600), 1.0f));
}
