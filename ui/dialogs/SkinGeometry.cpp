#include "ui/dialogs/SkinGeometry.h"

const SkinPairGeometry PROMPT_PAIR = {336, 156, {5, 3, 5, 7}, {5, 3, 5, 7}, 30, 26};
const SkinPairGeometry EXECUTE_PROMPT_PAIR = {232, 132, {14, 12, 14, 16}, {0, 0, 0, 0}, 0, 0};
const SkinPairGeometry MAIN_PAIR = {410, 611, {5, 4, 5, 7}, {5, 4, 5, 7}, 30, 86};
const SkinPairGeometry FEEDBACK_PAIR = {410, 479, {5, 4, 5, 7}, {5, 4, 5, 7}, 30, 0};

SkinRect FrameSizeRect(const SkinPairGeometry& pair, float s) {
  return {0, 0, ScaledTrunc(pair.frameWidth, s), ScaledTrunc(pair.frameHeight, s)};
}

SkinRect CentredFrameRect(const SkinPairGeometry& pair, float s, int screenWidth, int screenHeight) {
  const SkinRect size = FrameSizeRect(pair, s);
  const int left = screenWidth / 2 - static_cast<int>(pair.frameWidth * static_cast<double>(s) / 2);
  const int top = screenHeight / 2 - static_cast<int>(pair.frameHeight * static_cast<double>(s) / 2);
  return {left, top, left + size.Width(), top + size.Height()};
}

SkinRect ControlsPlacement(const SkinPairGeometry& pair, const SkinRect& frame, float s) {
  const double scale = s;
  const SkinInsets& in = pair.frameLeads;
  const int x = static_cast<int>(frame.left + in.left * scale);
  const int y = static_cast<int>(frame.top + in.top * scale);
  const int width = static_cast<int>(frame.Width() - (in.left + in.right) * scale);
  const int height = static_cast<int>(frame.Height() - (in.top + in.bottom) * scale);
  return {x, y, x + width, y + height};
}

SkinRect FrameLeadsRect(const SkinPairGeometry& pair, const SkinRect& frame, float s) {
  const SkinInsets& in = pair.frameLeads;
  return {frame.left + ScaledTrunc(in.left, s), frame.top + ScaledTrunc(in.top, s),
          frame.right - ScaledTrunc(in.right, s), frame.bottom - ScaledTrunc(in.bottom, s)};
}

SkinRect FollowRect(const SkinPairGeometry& pair, const SkinRect& controls, float s) {
  const SkinInsets& in = pair.follow;
  return {controls.left - ScaledTrunc(in.left, s), controls.top - ScaledTrunc(in.top, s),
          controls.right + ScaledTrunc(in.right, s), controls.bottom + ScaledTrunc(in.bottom, s)};
}

SkinRect DragStripRect(const SkinPairGeometry& pair, const SkinRect& clientOnScreen, float s) {
  return {clientOnScreen.left, clientOnScreen.top,
          clientOnScreen.right - ScaledTrunc(pair.dragStripRightCut, s),
          clientOnScreen.top + ScaledTrunc(pair.dragStripHeight, s)};
}
