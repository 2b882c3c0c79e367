#include "toolkit/Button.h"

#include "toolkit/Application.h"

void TButton::Click() {
  if (Enabled()) SafeCall([this] { HandleCommand(BN_CLICKED); });
}

TControl::DialogKey TButton::UseDialogKey(WPARAM key) {
  if (key != VK_RETURN) return DialogKey::Form;
  Click();
  return DialogKey::Used;
}

void TButton::HandleCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) OnClick();
}
