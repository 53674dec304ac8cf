#include "framework/Button.h"

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}  // owner-drawn buttons override this
int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
void CButton::SetCheck(int state) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(state)); }
