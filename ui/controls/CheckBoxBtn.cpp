#include "ui/controls/CheckBoxBtn.h"

#include "ui/controls/ControlGeometry.h"
#include "ui/controls/ParentFont.h"

CCheckBoxBtn::CCheckBoxBtn() : m_bkBrush(::CreateSolidBrush(RGB(0xFF, 0xFF, 0xFF))) {}

void CCheckBoxBtn::CreateFontFromParent() { m_captionFont.reset(CreateCopyOfParentFont(m_hWnd)); }

void CCheckBoxBtn::SetCheckImage(UINT pngId) { m_checkImageId = pngId; }

void CCheckBoxBtn::OnPaint() {
  const ScopedPaintDC paint(m_hWnd);
  RECT client;
  GetClientRect(&client);
  if (!m_buffer || m_buffer->area().right != client.right ||
      m_buffer->area().bottom != client.bottom) {
    m_buffer.reset();
    m_buffer = std::make_unique<ScopedBackBuffer>(paint, client);
  }
  if (!*m_buffer) return;
  const HDC memory = m_buffer->get();
  ::FillRect(memory, &client, m_bkBrush);
  ::SetBkMode(memory, TRANSPARENT);

  if (m_checkImage || LoadPngResource(m_checkImage, m_checkImageId)) {
    const SkinRect box = CheckBoxBoxRect(client.left, client.bottom - client.top, m_scale);
    {
      Gdiplus::Graphics graphics(memory);
      graphics.DrawImage(m_checkImage.get(),
                         Gdiplus::Rect(box.left, box.top, box.Width(), box.Height()),
                         CheckBoxCellLeft(GetCheck()), 0, 16, 16, Gdiplus::UnitPixel);
    }
    const ScopedSelectObject selectFont(memory, m_captionFont.get());
    ::SetTextColor(memory, m_textColor);
    RECT text = client;
    text.left = CheckBoxCaptionLeft(client.left, m_scale);
    const std::wstring caption = GetWindowText();
    ::DrawTextW(memory, caption.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
  }
  m_buffer->copyTo(paint);
}

bool CCheckBoxBtn::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      result = 0;
      return true;
    case WM_ERASEBKGND:
      result = TRUE;  // the paint covers the whole client area
      return true;
    // The system button draws its own face straight away on these, outside WM_PAINT; paint
    // ours over it at once.
    case BM_SETCHECK:
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
      result = Default();
      ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      return true;
    default:
      return CButton::OnMessage(message, wParam, lParam, result);
  }
}
