#include "toolkit/Button.h"

#include "toolkit/Application.h"

void TButton::Click() {
  if (Enabled()) HandleCommand(BN_CLICKED);
}

void TButton::HandleCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) SafeCall(OnClick);
}
