#include "ui/dialogs/SkinChildDlg.h"

#include "framework/GdiObjects.h"
#include "ui/dialogs/SkinFrameDlg.h"

#include <windowsx.h>

CSkinChildDlg::CSkinChildDlg(const SkinPairValues& values)
    : CDialog(values.controlsTemplate, nullptr), m_values(values), m_inDragStrip(values.controlsLead ? 1 : 0) {}

CSkinChildDlg::~CSkinChildDlg() = default;

bool CSkinChildDlg::EnsureBackground() {
  return m_bkImage || LoadPngResource(m_bkImage, m_values.controlsPng);
}

BOOL CSkinChildDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (!EnsureBackground()) return TRUE;  // controls stay at their template places
  PrepareFirstLayout();
  LayoutControls(TRUE);
  m_layoutDone = 1;
  return TRUE;
}

void CSkinChildDlg::OnOK() {}

void CSkinChildDlg::OnCancel() {}

void CSkinChildDlg::OnDestroy() { m_bkImage.reset(); }

// The frame's placement of this dialog at its final size arrives here, so the final layout
// always follows the final client size.
void CSkinChildDlg::OnSize() {
  if (m_layoutDone) LayoutControls(FALSE);
}

void CSkinChildDlg::OnEraseBkgnd(HDC dc) {
  if (!EnsureBackground()) return;
  RECT client;
  GetClientRect(&client);
  const ScopedBackBuffer buffer(dc, client);
  if (!buffer) return;
  {
    Gdiplus::Graphics graphics(buffer.get());
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.DrawImage(m_bkImage.get(), Gdiplus::Rect(0, 0, client.right, client.bottom), 0, 0,
                       static_cast<INT>(m_bkImage->GetWidth()),
                       static_cast<INT>(m_bkImage->GetHeight()), Gdiplus::UnitPixel);
  }
  buffer.copyTo(dc);
}

LRESULT CSkinChildDlg::OnNcHitTest(LPARAM lParam) {
  const SkinPairGeometry& geometry = m_values.geometry;
  if (geometry.dragStripHeight == 0) return Default();
  RECT client;
  GetClientRect(&client);
  ClientToScreen(&client);
  const SkinRect strip = DragStripRect(geometry, ToSkinRect(client), m_scale);
  m_inDragStrip = strip.Contains(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) ? 1 : 0;
  // The system then drags this dialog as if by its caption.
  return m_inDragStrip ? HTCAPTION : Default();
}

void CSkinChildDlg::OnMove() {
  if (!m_inDragStrip) return;
  auto* frame = dynamic_cast<CSkinFrameDlg*>(CWnd::FromHandlePermanent(GetParent()));
  if (!frame) return;
  RECT window;
  GetWindowRect(&window);
  frame->MoveAroundChild(window.left, window.top, window.right, window.bottom);
}

bool CSkinChildDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SIZE:
      result = Default();
      OnSize();
      return true;
    case WM_ERASEBKGND:
      OnEraseBkgnd(reinterpret_cast<HDC>(wParam));
      result = TRUE;
      return true;
    case WM_NCHITTEST:
      result = OnNcHitTest(lParam);
      return true;
    case WM_MOVE:
      result = Default();
      OnMove();
      return true;
    case WM_DESTROY:
      result = Default();
      OnDestroy();
      return true;
    case WM_CLOSE:  // the dialog manager would turn it into a cancel, which ends nothing here
      OnClose();
      result = 0;
      return true;
    default:
      return CDialog::OnMessage(message, wParam, lParam, result);
  }
}
