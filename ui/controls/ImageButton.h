#pragma once
// A push button painted from four PNG state images over its owner's skin picture, with an
// active area that may lie inside the window (a transparent shadow margin is not a button);
// used for the large action buttons. It also paints on background erasing, so the system's
// button face never shows between paints.
#include "framework/Button.h"
#include "framework/GdiObjects.h"
#include "ui/controls/ButtonStateImages.h"

#include <string>

class CImageButton : public CButton {
public:
  CImageButton();

  BOOL SetPngImages(UINT normal, UINT hover, UINT pressed, UINT disabled);
  void SetBkImage(Gdiplus::Image* image);
  void SetBkImageRect(int left, int top, int right, int bottom);
  void FreeImages();
  void SetHitInsets(int left, int top, int right, int bottom);
  // True when the cursor lies in the client rectangle less the hit insets. Owners ask this
  // first in their click handler and ignore clicks on the margin.
  bool IsCursorInHitArea() const;

  void DrawItem(LPDRAWITEMSTRUCT dis) override;

  std::wstring m_captionText;
  ScopedFont m_captionFont;  // owned; empty unless the owner creates it

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void Paint(HDC target);
  void OnMouseMove();
  void OnMouseHover(LPARAM point);  // also the left-button release
  void OnLButtonDown(LPARAM point);
  void OnMouseLeave();
  bool InClient(LPARAM point) const;
  void SetState(int state);

  Gdiplus::Image* m_bkImage = nullptr;  // not owned: the owner's skin picture
  RECT m_bkRect = {};
  ScopedBrush m_bkBrush;
  RECT m_client = {};
  ButtonStateImages m_images;
  int m_state = BUTTON_NORMAL;
  bool m_tracking = false;
  SkinInsets m_hitInsets;
};
