#pragma once
// The wait dialog's status line: its text followed by a trail of one to three dots that
// advances once a second.
#include "ui/controls/SkinTextStatic.h"

class CDrawStateInfoStatic : public CSkinTextStatic {
public:
  CDrawStateInfoStatic();

  void SetTextColor(COLORREF color);  // repaints
  void StartAnimation();
  void StopAnimation();  // clears the dots and repaints
  void ResetDots();      // clears the dots without repainting

protected:
  HBRUSH BackgroundBrush() override;
  COLORREF TextColor() const override;
  bool TextToDraw(std::wstring& text, unsigned& flags) const override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  void OnTimer(UINT_PTR id);

  ScopedBrush m_bkBrush;
  COLORREF m_textColor = RGB(0, 0, 0);
  int m_dotCount = 0;
};
