#pragma once

#include "framework/Wnd.h"

// A subclassed standard EDIT control.
class CEdit : public CWnd {
public:
  void SetSel(int start, int end);
  void ReplaceSel(const wchar_t* text);  // as typed: can be undone
};
