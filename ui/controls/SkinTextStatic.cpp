#include "ui/controls/SkinTextStatic.h"

#include "ui/controls/ControlGeometry.h"
#include "ui/controls/ParentFont.h"
#include "ui/skin/BackgroundSlice.h"

static_assert(TEXT_CENTER == DT_CENTER && TEXT_RIGHT == DT_RIGHT && TEXT_VCENTER == DT_VCENTER &&
                  TEXT_WORDBREAK == DT_WORDBREAK && TEXT_SINGLELINE == DT_SINGLELINE,
              "alignment tables use the system's text-format flags");

void CSkinTextStatic::CreateFontFromParent() { m_font.reset(CreateCopyOfParentFont(m_hWnd)); }

void CSkinTextStatic::SetAlignMode(int mode) { m_alignMode = mode; }

void CSkinTextStatic::SetBkImage(Gdiplus::Image* image) { m_bkImage = image; }

void CSkinTextStatic::SetBkImageRect(int left, int top, int right, int bottom) {
  m_bkRect = {left, top, right, bottom};
}

void CSkinTextStatic::OnPaint() {
  const ScopedPaintDC paint(m_hWnd);
  RECT client;
  GetClientRect(&client);
  const ScopedBackBuffer buffer(paint, client);
  if (!buffer) return;

  ::FillRect(buffer, &client, BackgroundBrush());
  ::SetBkMode(buffer, TRANSPARENT);
  if (m_bkImage) {
    Gdiplus::Graphics graphics(buffer.get());
    DrawBackgroundSlice(graphics, m_bkImage, m_bkRect,
                        Gdiplus::Rect(0, 0, client.right, client.bottom));
  }
  const ScopedSelectObject selectFont(buffer, m_font.get());
  ::SetTextColor(buffer, TextColor());
  std::wstring text;
  unsigned flags = 0;
  if (TextToDraw(text, flags)) {
    RECT area = client;
    ::DrawTextW(buffer, text.c_str(), -1, &area, flags);
  }
  buffer.copyTo(paint);
}

bool CSkinTextStatic::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    // The system static draws a new text or state at once, outside WM_PAINT; ours follows.
    case WM_SETTEXT:
    case WM_ENABLE:
      result = Default();
      Invalidate(TRUE);
      return true;
    default:
      return CStatic::OnMessage(message, wParam, lParam, result);
  }
}
