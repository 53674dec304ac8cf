#pragma once

#include "framework/Wnd.h"

// A subclassed standard STATIC control.
class CStatic : public CWnd {
public:
  // Owner-draw request (SS_OWNERDRAW), handed over by the parent dialog's WM_DRAWITEM.
  virtual void DrawItem(LPDRAWITEMSTRUCT dis);
};
