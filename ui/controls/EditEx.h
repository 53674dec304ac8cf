#pragma once
// The patch-number box: it takes digits only (plus backspace, copy and paste) and shows a
// fixed hint while it is empty and unfocused.
#include "framework/Edit.h"

class CEditEx : public CEdit {
protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};
