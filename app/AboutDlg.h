#pragma once
// The About box, opened from the main window's system menu.
#include "framework/DialogEx.h"

class CAboutDlg : public CDialogEx {
public:
  CAboutDlg();
};
