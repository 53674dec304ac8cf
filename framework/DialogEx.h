#pragma once

#include "framework/Dialog.h"

// The extended dialog class of the program's dialogs; it behaves as CDialog.
class CDialogEx : public CDialog {
public:
  using CDialog::CDialog;
};
