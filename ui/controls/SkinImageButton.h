#pragma once
// A push button painted from four PNG state images over the piece of its owner's skin picture
// that lies beneath it, with an optional caption; the base of CPngButton and CImageButton. The
// state follows the pointer: pressed on the left button, hover on its release and when the
// pointer rests, normal when it leaves.
#include "framework/Button.h"
#include "framework/GdiObjects.h"
#include "ui/skin/SkinResources.h"

#include <string>

// Visual states of an enabled skin button.
enum SkinButtonState { BUTTON_NORMAL = 1, BUTTON_HOVER = 2, BUTTON_PRESSED = 3 };

class CSkinImageButton : public CButton {
public:
  CSkinImageButton();

  // Loads normal, hover, pressed and disabled in that order; the result of the last load.
  BOOL SetPngImages(UINT normal, UINT hover, UINT pressed, UINT disabled);
  // Deletes the images. The owner calls this when its window is destroyed, while GDI+ still
  // runs; the destructor deletes whatever has not been released here.
  void FreeImages();
  void SetBkImage(Gdiplus::Image* image);
  void SetBkImageRect(int left, int top, int right, int bottom);

  std::wstring m_captionText;
  ScopedFont m_captionFont;  // owned; empty unless the owner creates it

protected:
  bool ImagesComplete() const;
  // Paints the button into `area` of `target`: white (under the background slice too, or only
  // where no background picture is set), the slice, the state image and the caption. A missing
  // state image is left out.
  void Paint(HDC target, const RECT& area, bool whiteUnderBackground);
  // What of a state image is drawn over the button: here the whole image.
  virtual SkinRect ImageSource(Gdiplus::Image& image) const;
  // Whether a pointer message at this point (client coordinates) may change the state.
  virtual bool ReactsAt(LPARAM point) const;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void SetState(int state);
  void OnMouseMove();
  void OnMouseLeave();

  PngImage m_images[4];                 // normal, hover, pressed, disabled
  Gdiplus::Image* m_bkImage = nullptr;  // not owned: the owner's skin picture
  RECT m_bkRect = {};
  ScopedBrush m_bkBrush;
  int m_state = BUTTON_NORMAL;
  bool m_tracking = false;
};
