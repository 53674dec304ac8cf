#include "ui/controls/EditEx.h"

#include "ui/controls/ControlGeometry.h"

bool CEditEx::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_SETFOCUS:
      result = Default();
      if (GetWindowText() == PATCH_EDIT_HINT) SetWindowText(L"");
      return true;
    case WM_KILLFOCUS:
      result = Default();
      if (GetWindowText().empty()) SetWindowText(PATCH_EDIT_HINT);
      return true;
    case WM_KEYDOWN:
      // Some edit controls (Wine's) select all on the Ctrl+A key itself rather than on its
      // character; the box drops select-all either way.
      if (wParam == 'A' && (::GetKeyState(VK_CONTROL) & 0x8000)) {
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
