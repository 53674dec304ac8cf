#include "ui/controls/EditEx.h"

#include "ui/controls/ControlGeometry.h"

namespace {
// GetKeyState sets the high bit while the key is down.
bool IsKeyDown(int key) { return (::GetKeyState(key) & 0x8000) != 0; }
}  // namespace

bool CEditEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SETFOCUS:
      result = Default();
      if (!m_hint.empty() && GetWindowText() == m_hint) SetWindowText(L"");
      return true;
    case WM_KILLFOCUS:
      result = Default();
      if (!m_hint.empty() && GetWindowText().empty()) SetWindowText(m_hint.c_str());
      return true;
    case WM_KEYDOWN:
      // Some edit controls (Wine's) select all on the Ctrl+A key itself rather than on its
      // character; the box drops select-all either way.
      if (wParam == 'A' && IsKeyDown(VK_CONTROL)) {
        result = 0;
        return true;
      }
      return CEdit::OnMessage(message, wParam, lParam, result);
    case WM_CHAR:
      // Cut, select-all, undo, letters, blanks and signs are dropped; pasted text is not.
      if (!IsPatchEditCharAccepted(static_cast<wchar_t>(wParam))) {
        result = 0;
        return true;
      }
      return CEdit::OnMessage(message, wParam, lParam, result);
    default:
      return CEdit::OnMessage(message, wParam, lParam, result);
  }
}
