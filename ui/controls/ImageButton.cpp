#include "ui/controls/ImageButton.h"

#include "ui/controls/ControlGeometry.h"
#include "ui/skin/BackgroundSlice.h"

#include <windowsx.h>

CImageButton::CImageButton() : m_bkBrush(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF))) {}

BOOL CImageButton::SetPngImages(UINT normal, UINT hover, UINT pressed, UINT disabled) {
  return m_images.Load(normal, hover, pressed, disabled);
}

void CImageButton::SetBkImage(Gdiplus::Image* image) { m_bkImage = image; }

void CImageButton::SetBkImageRect(int left, int top, int right, int bottom) {
  m_bkRect = {left, top, right, bottom};
}

void CImageButton::FreeImages() { m_images.Free(); }

void CImageButton::SetHitInsets(int left, int top, int right, int bottom) {
  m_hitInsets = {left, top, right, bottom};
}

bool CImageButton::IsCursorInHitArea() const {
  POINT cursor;
  if (!::GetCursorPos(&cursor) || !::ScreenToClient(m_hWnd, &cursor)) return false;
  RECT client;
  GetClientRect(&client);
  return HitArea(ToSkinRect(client), m_hitInsets).Contains(cursor.x, cursor.y);
}

void CImageButton::DrawItem(LPDRAWITEMSTRUCT dis) {
  if (!dis || !m_images.Complete()) return;
  Paint(dis->hDC);
}

void CImageButton::Paint(HDC target) {
  GetClientRect(&m_client);
  const ScopedMemoryDC memory(target);
  const ScopedBitmap bitmap(::CreateCompatibleBitmap(target, m_client.right, m_client.bottom));
  if (!memory || !bitmap) return;
  const ScopedSelectObject selectBitmap(memory, bitmap);
  ::FillRect(memory, &m_client, m_bkBrush);
  ::SetBkMode(memory, TRANSPARENT);

  COLORREF captionColor = 0;
  // The erase path paints without the completeness test; a missing image is then left out.
  Gdiplus::Image* image = m_images.Choose(IsWindowEnabled() != FALSE, m_state, &captionColor);
  {
    Gdiplus::Graphics graphics(memory.get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const Gdiplus::Rect target(0, 0, m_client.right, m_client.bottom);
    DrawBackgroundSlice(graphics, m_bkImage, m_bkRect, target);
    if (image) {
      graphics.DrawImage(image, target, 0, 0, static_cast<INT>(image->GetWidth()),
                         static_cast<INT>(image->GetHeight()), Gdiplus::UnitPixel);
    }
  }
  if (!m_captionText.empty()) {
    const ScopedSelectObject selectFont(memory, m_captionFont.get());
    ::SetTextColor(memory, captionColor);
    RECT text = m_client;
    ::DrawTextW(memory, m_captionText.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  ::BitBlt(target, 0, 0, m_client.right, m_client.bottom, memory, 0, 0, SRCCOPY);
}

bool CImageButton::InClient(LPARAM point) const {
  RECT client;
  GetClientRect(&client);
  const POINT p = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return ::PtInRect(&client, p) != FALSE;
}

void CImageButton::SetState(int state) {
  if (!IsWindowEnabled() || m_state == state) return;
  m_state = state;
  Invalidate(TRUE);
}

void CImageButton::OnMouseMove() {
  if (!IsWindowEnabled() || m_tracking) return;
  TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, 10};
  m_tracking = ::TrackMouseEvent(&track) != FALSE;
}

void CImageButton::OnMouseHover(LPARAM point) {
  if (InClient(point)) SetState(BUTTON_HOVER);
}

void CImageButton::OnLButtonDown(LPARAM point) {
  if (InClient(point)) SetState(BUTTON_PRESSED);
}

void CImageButton::OnMouseLeave() {
  SetState(BUTTON_NORMAL);
  m_tracking = false;
}

bool CImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_ERASEBKGND:
      Paint(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_MOUSEMOVE:
      result = Default();
      OnMouseMove();
      return true;
    case WM_MOUSEHOVER:
      // The hover notification may come after a press that followed the move at once; it
      // only ever lights a button at rest.
      if (m_state == BUTTON_NORMAL) OnMouseHover(lParam);
      result = Default();
      return true;
    case WM_LBUTTONUP:
      OnMouseHover(lParam);
      result = Default();  // the system button sends its click notification here
      return true;
    case WM_LBUTTONDOWN:
      OnLButtonDown(lParam);
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
