#include "toolkit/CheckBox.h"

#include "toolkit/Application.h"

bool TCheckBox::Checked() const {
  return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;  // the state; no error value
}

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);  // always 0
  if (OnClick) SafeCall(OnClick);
}

void TCheckBox::HandleCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}
