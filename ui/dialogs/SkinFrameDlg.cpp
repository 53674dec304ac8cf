#include "ui/dialogs/SkinFrameDlg.h"

#include "framework/GdiObjects.h"
#include "ui/dialogs/SkinChildDlg.h"

namespace {

// A picture of the frame's own size (at scale 1.0; the prompt's is stretched even then) needs no
// drawing: its decoded pixels in premultiplied ARGB are what drawing it would give, without
// GDI+'s general drawing path, which Wine runs pixel by pixel. False: it has to be drawn.
bool CopyPremultipliedPixels(Gdiplus::Image& image, int width, int height, void* bits) {
  auto* const decoded = dynamic_cast<Gdiplus::Bitmap*>(&image);
  if (!decoded || image.GetWidth() != static_cast<UINT>(width) ||
      image.GetHeight() != static_cast<UINT>(height)) {
    return false;
  }
  Gdiplus::BitmapData pixels = {};
  pixels.Width = width;
  pixels.Height = height;
  pixels.Stride = width * 4;
  pixels.PixelFormat = PixelFormat32bppPARGB;
  pixels.Scan0 = bits;
  const Gdiplus::Rect whole(0, 0, width, height);
  if (decoded->LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                        PixelFormat32bppPARGB, &pixels) != Gdiplus::Ok) {
    return false;
  }
  decoded->UnlockBits(&pixels);
  return true;
}

}  // namespace

CSkinFrameDlg::CSkinFrameDlg(const SkinPairValues& values, CWnd* parent)
    : CDialog(values.frameTemplate, parent), m_values(values), m_frameLeads(values.controlsLead ? 0 : 1) {}

CSkinFrameDlg::~CSkinFrameDlg() = default;

BOOL CSkinFrameDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  // Without its picture the frame would stay an invisible modal window that nothing can close.
  if (!m_bkImage && !LoadPngResource(m_bkImage, m_values.framePng)) {
    EndDialog(IDCANCEL);
    return TRUE;
  }
  PushLayeredPicture();

  RECT window;
  GetWindowRect(&window);
  const SkinRect frame = m_values.controlsLead
                             ? CentredFrameRect(m_values.geometry, m_scale, ::GetSystemMetrics(SM_CXSCREEN),
                                                ::GetSystemMetrics(SM_CYSCREEN))
                             : ToSkinRect(window);
  m_controls = NewControlsDialog();
  m_controls->m_scale = m_scale;
  if (!m_controls->Create(m_values.controlsTemplate, this)) {
    m_controls.reset();
    EndDialog(IDCANCEL);
    return TRUE;
  }
  const SkinRect place = ControlsPlacement(m_values.geometry, frame, m_scale);
  m_controls->MoveWindow(place.left, place.top, place.Width(), place.Height(), TRUE);
  if (IsWindowVisible()) ShowControls();  // else once the frame is shown
  return TRUE;
}

// Composes the picture once, off-screen, at the frame's scaled size; the system keeps it, so
// moving the frame later never redraws it. The call also gives the frame that size.
void CSkinFrameDlg::PushLayeredPicture() {
  const SkinRect size = FrameSizeRect(m_values.geometry, m_scale);
  ModifyStyleEx(0, WS_EX_LAYERED);

  const ScopedWindowDC windowDC(m_hWnd);
  const ScopedMemoryDC memory(windowDC);
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = size.Width();
  info.bmiHeader.biHeight = -size.Height();  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const ScopedBitmap bitmap(::CreateDIBSection(windowDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap || !bits) return;
  const ScopedSelectObject select(memory, bitmap);
  // Premultiplied ARGB is the form that the layered window takes: a graphics object on the
  // device context would treat the section as opaque RGB.
  if (!CopyPremultipliedPixels(*m_bkImage, size.Width(), size.Height(), bits)) {
    Gdiplus::Bitmap canvas(size.Width(), size.Height(), size.Width() * 4,
                           PixelFormat32bppPARGB, static_cast<BYTE*>(bits));
    Gdiplus::Graphics graphics(&canvas);
    if (m_values.smoothFrame) graphics.SetSmoothingMode(Gdiplus::SmoothingModeHighQuality);
    graphics.DrawImage(m_bkImage.get(), 0, 0, size.Width(), size.Height());
  }
  RECT window;
  GetWindowRect(&window);
  POINT destination = {window.left, window.top};
  SIZE extent = {size.Width(), size.Height()};
  POINT source = {0, 0};
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  ::UpdateLayeredWindow(m_hWnd, windowDC, &destination, &extent, memory, &source, 0, &blend,
                        ULW_ALPHA);
}

BOOL CSkinFrameDlg::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE))
    return TRUE;
  return CDialog::PreTranslateMessage(msg);
}

int CSkinFrameDlg::MoveAroundChild(int left, int top, int right, int bottom) {
  m_frameLeads = 0;
  const SkinRect frame = FollowRect(m_values.geometry, {left, top, right, bottom}, m_scale);
  MoveWindow(frame.left, frame.top, frame.Width(), frame.Height(), TRUE);
  return 0;
}

void CSkinFrameDlg::OnMove() {
  if (!m_frameLeads || !m_controls || !::IsWindow(m_controls->GetSafeHwnd())) return;
  RECT frame;
  GetWindowRect(&frame);
  const SkinRect place = FrameLeadsRect(m_values.geometry, ToSkinRect(frame), m_scale);
  m_controls->MoveWindow(place.left, place.top, place.Width(), place.Height(), TRUE);
}

void CSkinFrameDlg::OnDestroy() {
  m_bkImage.reset();
  // The system destroys owned windows before their owner; should this one still exist, it
  // goes now, so that no window outlives its object.
  if (m_controls && ::IsWindow(m_controls->GetSafeHwnd())) ::DestroyWindow(m_controls->GetSafeHwnd());
  m_controls.reset();
}

// The controls dialog appears only after its frame, so that the window system stacks it above
// the frame as well: Wine orders native windows by when they were mapped, and pointer input
// follows that order, so a controls dialog shown first would lie under its frame.
void CSkinFrameDlg::OnWindowPosChanged(const WINDOWPOS& pos) {
  if (pos.flags & SWP_SHOWWINDOW) ShowHiddenControls();
}

void CSkinFrameDlg::ShowHiddenControls() {
  if (m_controls && ::IsWindow(m_controls->GetSafeHwnd()) && !m_controls->IsWindowVisible())
    ShowControls();
}

// The controls dialog and its controls are painted in one pass as soon as they are shown: left
// to the message loop, each of them would wait for an update cycle of its own.
void CSkinFrameDlg::ShowControls() {
  m_controls->ShowWindow(SW_SHOW);
  ::RedrawWindow(m_controls->GetSafeHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

namespace {
// Posted to the frame when it has become active: the activation is handed on once it is done.
constexpr UINT WM_SKIN_ACTIVATE_CONTROLS = WM_APP + 0x51;
}  // namespace

// The frame is only a picture: when it is clicked or activated, the controls dialog becomes the
// active window, where the keyboard belongs. An active frame could also be raised above its own
// controls dialog (Wine does so with unmanaged windows) and then take the clicks meant for them.
bool CSkinFrameDlg::ActivateControlsInstead() {
  if (!m_controls || !m_controls->IsWindowVisible()) return false;
  ::SetActiveWindow(m_controls->GetSafeHwnd());
  return true;
}

bool CSkinFrameDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      if (!ActivateControlsInstead()) break;
      result = MA_NOACTIVATE;
      return true;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) PostMessage(WM_SKIN_ACTIVATE_CONTROLS);
      break;
    case WM_SKIN_ACTIVATE_CONTROLS:
      if (::GetActiveWindow() == m_hWnd) ActivateControlsInstead();
      result = 0;
      return true;
    case WM_WINDOWPOSCHANGED:
      result = Default();
      OnWindowPosChanged(*reinterpret_cast<const WINDOWPOS*>(lParam));
      return true;
    case WM_MOVE:
      result = Default();
      OnMove();
      return true;
    case WM_SIZE:
      // Minimising hid the controls dialog with the frame; the system does not always bring an
      // owned window back when its owner is restored (Wine does not).
      result = Default();
      if (wParam == SIZE_RESTORED && IsWindowVisible()) ShowHiddenControls();
      return true;
    case WM_DESTROY:
      result = Default();
      OnDestroy();
      return true;
  }
  return CDialog::OnMessage(message, wParam, lParam, result);
}
