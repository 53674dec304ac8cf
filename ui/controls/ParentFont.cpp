#include "ui/controls/ParentFont.h"

HFONT CreateCopyOfParentFont(HWND control) {
  HFONT font = reinterpret_cast<HFONT>(::SendMessageW(::GetParent(control), WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  if (!font) font = static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT));
  LOGFONTW description = {};
  if (!font || ::GetObjectW(font, sizeof(description), &description) == 0) return nullptr;
  return ::CreateFontIndirectW(&description);
}
