#include "ui/controls/SkinImageButton.h"

#include "ui/skin/BackgroundSlice.h"

namespace {
// How long the pointer rests on a button before it lights up.
constexpr DWORD HOVER_TIME_MS = 10;
}  // namespace

CSkinImageButton::CSkinImageButton() : m_bkBrush(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF))) {}

BOOL CSkinImageButton::SetPngImages(UINT normal, UINT hover, UINT pressed, UINT disabled) {
  const UINT ids[4] = {normal, hover, pressed, disabled};
  BOOL result = FALSE;
  for (int i = 0; i < 4; ++i) {
    m_images[i].reset();
    result = LoadPngResource(m_images[i], ids[i]);
  }
  return result;
}

void CSkinImageButton::FreeImages() {
  for (PngImage& image : m_images) image.reset();
}

void CSkinImageButton::SetBkImage(Gdiplus::Image* image) { m_bkImage = image; }

void CSkinImageButton::SetBkImageRect(int left, int top, int right, int bottom) {
  m_bkRect = {left, top, right, bottom};
}

bool CSkinImageButton::ImagesComplete() const {
  for (const PngImage& image : m_images) {
    if (!image) return false;
  }
  return true;
}

SkinRect CSkinImageButton::ImageSource(Gdiplus::Image& image) const {
  return {0, 0, static_cast<int>(image.GetWidth()), static_cast<int>(image.GetHeight())};
}

bool CSkinImageButton::ReactsAt(LPARAM) const { return true; }

void CSkinImageButton::Paint(HDC target, const RECT& area, bool whiteUnderBackground) {
  const ScopedBackBuffer buffer(target, area);
  if (!buffer) return;
  const RECT local = {0, 0, area.right - area.left, area.bottom - area.top};
  if (whiteUnderBackground || !m_bkImage) ::FillRect(buffer, &local, m_bkBrush);

  // Disabled wins over every state value.
  Gdiplus::Image* image = m_images[3].get();
  COLORREF captionColor = RGB(0xC0, 0xC0, 0xC0);
  if (IsWindowEnabled()) {
    const int index = m_state == BUTTON_HOVER ? 1 : m_state == BUTTON_PRESSED ? 2 : 0;
    image = m_images[index].get();
    captionColor = index == 0 ? RGB(0, 0, 0) : RGB(0xFF, 0xFF, 0xFF);
  }
  {
    Gdiplus::Graphics graphics(buffer.get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    const Gdiplus::Rect rect(0, 0, local.right, local.bottom);
    DrawBackgroundSlice(graphics, m_bkImage, m_bkRect, rect);
    if (image) {
      const SkinRect source = ImageSource(*image);
      graphics.DrawImage(image, rect, source.left, source.top, source.Width(), source.Height(),
                         Gdiplus::UnitPixel);
    }
  }
  if (!m_captionText.empty()) {
    ::SetBkMode(buffer, TRANSPARENT);
    const ScopedSelectObject selectFont(buffer, m_captionFont.get());
    ::SetTextColor(buffer, captionColor);
    RECT text = local;
    ::DrawTextW(buffer, m_captionText.c_str(), -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  buffer.copyTo(target);
}

void CSkinImageButton::SetState(int state) {
  if (!IsWindowEnabled() || m_state == state) return;
  m_state = state;
  Invalidate(TRUE);
}

void CSkinImageButton::OnMouseMove() {
  if (!IsWindowEnabled() || m_tracking) return;
  TRACKMOUSEEVENT track = {sizeof(track), TME_HOVER | TME_LEAVE, m_hWnd, HOVER_TIME_MS};
  m_tracking = ::TrackMouseEvent(&track) != FALSE;
}

void CSkinImageButton::OnMouseLeave() {
  SetState(BUTTON_NORMAL);
  m_tracking = false;
}

bool CSkinImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEMOVE:
      result = Default();
      OnMouseMove();
      return true;
    case WM_MOUSEHOVER:
      // The hover notification may come after a press that followed the move at once; it
      // only ever lights a button at rest.
      if (m_state == BUTTON_NORMAL && ReactsAt(lParam)) SetState(BUTTON_HOVER);
      result = Default();
      return true;
    case WM_LBUTTONUP:
      if (ReactsAt(lParam)) SetState(BUTTON_HOVER);
      result = Default();  // the system button sends its click notification here
      return true;
    case WM_LBUTTONDOWN:
      if (ReactsAt(lParam)) SetState(BUTTON_PRESSED);
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
