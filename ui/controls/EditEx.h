#pragma once
// The patch-number box: it takes digits only (plus backspace, copy and paste) and shows its
// owner's hint while it is empty and unfocused.
#include "framework/Edit.h"

#include <string>

class CEditEx : public CEdit {
public:
  void SetHintText(std::wstring hint) { m_hint = std::move(hint); }

protected:
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  std::wstring m_hint;
};
