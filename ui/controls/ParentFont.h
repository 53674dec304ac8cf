#pragma once
#include <windows.h>

// A new font identical to the one the control's owner window uses (asked with WM_GETFONT);
// when the owner has none, a copy of the default GUI font, failing that of the ANSI variable
// font. The caller owns the result; null when no font could be made.
HFONT CreateCopyOfParentFont(HWND control);
