#include "ui/controls/PngButton.h"

#include "ui/controls/ControlGeometry.h"
#include "ui/skin/BackgroundSlice.h"

CPngButton::CPngButton() : m_bkBrush(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF))) {}

BOOL CPngButton::SetPngImages(UINT normal, UINT hover, UINT pressed, UINT disabled) {
  return m_images.Load(normal, hover, pressed, disabled);
}

void CPngButton::SetBkImage(Gdiplus::Image* image) { m_bkImage = image; }

void CPngButton::SetBkImageRect(int left, int top, int right, int bottom) {
  m_bkRect = {left, top, right, bottom};
}

void CPngButton::FreeImages() { m_images.Free(); }

void CPngButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis || !m_images.Complete()) return;
  const RECT item = dis->rcItem;
  const int width = item.right - item.left;
  const int height = item.bottom - item.top;
  const ScopedBitmap bitmap(::CreateCompatibleBitmap(dis->hDC, width, height));
  const ScopedMemoryDC memory(dis->hDC);
  if (!bitmap || !memory) return;
  const ScopedSelectObject selectBitmap(memory, bitmap);

  const RECT local = {0, 0, width, height};
  if (!m_bkImage) ::FillRect(memory, &local, m_bkBrush);
  COLORREF captionColor = 0;
  Gdiplus::Image* image = m_images.Choose(IsWindowEnabled() != FALSE, m_state, &captionColor);
  {
    Gdiplus::Graphics graphics(memory.get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const Gdiplus::Rect target(0, 0, width, height);
    DrawBackgroundSlice(graphics, m_bkImage, m_bkRect, target);
    const SkinRect source = ButtonImageSource(static_cast<int>(image->GetWidth()),
                                              static_cast<int>(image->GetHeight()), m_scale);
    graphics.DrawImage(image, target, source.left, source.top, source.right, source.bottom,
                       Gdiplus::UnitPixel);
  }
  if (!m_captionText.empty()) {
    ::SetBkMode(memory, TRANSPARENT);
    const ScopedSelectObject selectFont(memory, m_captionFont.get());
    ::SetTextColor(memory, captionColor);
    RECT text = local;
    ::DrawTextW(memory, m_captionText.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ::BitBlt(dis->hDC, item.left, item.top, width, height, memory, 0, 0, SRCCOPY);
}

void CPngButton::SetState(int state) {
  if (!IsWindowEnabled() || m_state == state) return;
  m_state = state;
  Invalidate(TRUE);
}

void CPngButton::OnMouseMove() {
  if (!IsWindowEnabled() || m_tracking) return;
  TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 10};
  m_tracking = ::TrackMouseEvent(&track) != FALSE;
}

void CPngButton::OnMouseHover() { SetState(BUTTON_HOVER); }

void CPngButton::OnLButtonDown() { SetState(BUTTON_PRESSED); }

void CPngButton::OnMouseLeave() {
  SetState(BUTTON_NORMAL);
  m_tracking = false;
}

bool CPngButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEMOVE:
      result = Default();
      OnMouseMove();
      return true;
    case WM_MOUSEHOVER:
      // The hover notification may come after a press that followed the move at once; it
      // only ever lights a button at rest.
      if (m_state == BUTTON_NORMAL) OnMouseHover();
      result = Default();
      return true;
    case WM_LBUTTONUP:
      OnMouseHover();
      result = Default();  // the system button sends its click notification here
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown();
      result = Default();
      return true;
    case WM_MOUSELEAVE:
      result = Default();
      OnMouseLeave();
      return true;
    default:
      return CButton::OnMessage(message, wParam, lParam, result);
  }
}
