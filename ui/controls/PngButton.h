#pragma once
// An owner-drawn push button painted from four PNG state images over the piece of its owner's
// skin picture that lies beneath it; used for the small frame buttons and the prompt's buttons.
#include "framework/Button.h"
#include "framework/GdiObjects.h"
#include "ui/controls/ButtonStateImages.h"

#include <string>

class CPngButton : public CButton {
public:
  CPngButton();

  BOOL SetPngImages(UINT normal, UINT hover, UINT pressed, UINT disabled);
  void SetBkImage(Gdiplus::Image* image);
  void SetBkImageRect(int left, int top, int right, int bottom);
  // The owner calls this when its window is destroyed; the destructor keeps the images.
  void FreeImages();

  void DrawItem(LPDRAWITEMSTRUCT dis) override;

  std::wstring m_captionText;
  ScopedFont m_captionFont;  // owned; empty unless the owner creates it
  float m_scale = 1.0f;      // the owner's scale factor

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnMouseMove();
  void OnMouseHover();  // also the left-button release
  void OnLButtonDown();
  void OnMouseLeave();
  void SetState(int state);

  Gdiplus::Image* m_bkImage = nullptr;  // not owned: the owner's skin picture
  RECT m_bkRect = {};
  ScopedBrush m_bkBrush;
  ButtonStateImages m_images;
  int m_state = BUTTON_NORMAL;
  bool m_tracking = false;
};
