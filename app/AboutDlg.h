#pragma once
// The About box, opened from the main window's system menu: the tool's name and its version.
#include "framework/DialogEx.h"

class CAboutDlg : public CDialogEx {
public:
  CAboutDlg();

protected:
  BOOL OnInitDialog() override;

private:
  void FitVersionLine();
};
