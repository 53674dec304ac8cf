#pragma once

#include "framework/Wnd.h"

// A subclassed standard BUTTON control.
class CButton : public CWnd {
public:
  // Owner-draw request, handed over by the parent dialog's WM_DRAWITEM.
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
  int GetCheck() const;
  void SetCheck(int state);
};
