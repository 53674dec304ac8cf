#include "ui/controls/ImageButton.h"

#include "ui/controls/ControlGeometry.h"

#include <windowsx.h>

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
  // The picture shows no focus: a change of focus alone leaves it as it is.
  if (!dis || dis->itemAction == ODA_FOCUS || !ImagesComplete()) return;
  PaintClient(dis->hDC);
}

void CImageButton::PaintClient(HDC target) {
  RECT client;
  GetClientRect(&client);
  Paint(target, client, true);
}

bool CImageButton::ReactsAt(LPARAM point) const {
  RECT client;
  GetClientRect(&client);
  const POINT p = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  return ::PtInRect(&client, p) != FALSE;
}

bool CImageButton::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_ERASEBKGND) return CSkinImageButton::OnMessage(message, wParam, lParam, result);
  // Erasing never shows the system's face. A complete button is drawn whole by the owner-draw
  // paint that follows, so it is drawn once per paint; the white and the background slice of an
  // incomplete one, which that paint leaves out, are drawn here.
  if (!ImagesComplete()) PaintClient(reinterpret_cast<HDC>(wParam));
  result = TRUE;
  return true;
}
