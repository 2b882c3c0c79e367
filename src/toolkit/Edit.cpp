#include "toolkit/Edit.h"

void TCustomEdit::HandleCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) OnChange();
}

void TCustomEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }  // no return value

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR && OnKeyPress) {
    auto key = static_cast<wchar_t>(wp);
    OnKeyPress(key);
    if (key == 0) return 0;
    // A one-line edit does not insert Enter; it would only beep.
    if (key == L'\r') return 0;
    wp = key;
  }
  return TControl::WndProc(msg, wp, lp);
}
