#include "framework/Edit.h"

void CEdit::SetSel(int start, int end) {
  SendMessage(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}
void CEdit::ReplaceSel(const wchar_t* text) {
  SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}
