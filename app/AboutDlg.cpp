#include "app/AboutDlg.h"

#include "framework/GdiObjects.h"
#include "res/resource.h"

#include <algorithm>

CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialogEx::OnInitDialog();
  FitVersionLine();
  return TRUE;
}

// The line gets the room its text takes in the dialog's font at this screen's resolution, which
// the template's place cannot know; the box grows with it, so that nothing is cut off.
void CAboutDlg::FitVersionLine() {
  const HWND line = ::GetDlgItem(m_hWnd, IDC_ABOUT_VERSION);
  wchar_t text[128] = {};
  const int length = ::GetWindowTextW(line, text, 128);
  SIZE needed = {};
  {
    const ScopedDC dc(line);
    const ScopedSelectObject font(
        dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(line, WM_GETFONT, 0, 0)));
    if (!::GetTextExtentPoint32W(dc, text, length, &needed)) return;
  }
  RECT place;
  ::GetWindowRect(line, &place);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
  const int grow = std::max(0L, needed.cx - (place.right - place.left));
  ::MoveWindow(line, place.left, place.top, place.right - place.left + grow,
               std::max(needed.cy, place.bottom - place.top), TRUE);
  if (grow == 0) return;
  RECT box;
  GetWindowRect(&box);
  ::SetWindowPos(m_hWnd, nullptr, 0, 0, box.right - box.left + grow, box.bottom - box.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const HWND ok = ::GetDlgItem(m_hWnd, IDOK);
  RECT button;
  ::GetWindowRect(ok, &button);
  ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&button), 2);
  ::SetWindowPos(ok, nullptr, button.left + grow, button.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
