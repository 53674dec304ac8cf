#pragma once
// A skin button for the large action buttons, with an active area that may lie inside the
// window (a transparent shadow margin is not a button). It paints its whole client area and
// takes over background erasing, so the system's button face never shows between paints;
// pointer messages outside the client area leave its state alone.
#include "ui/controls/SkinImageButton.h"

class CImageButton : public CSkinImageButton {
public:
  void SetHitInsets(int left, int top, int right, int bottom);
  // True when the cursor lies in the client rectangle less the hit insets. Owners ask this
  // first in their click handler and ignore clicks on the margin.
  bool IsCursorInHitArea() const;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;

protected:
  bool ReactsAt(LPARAM point) const override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void PaintClient(HDC target);

  SkinInsets m_hitInsets;
};
