#pragma once
// A push button.
#include <functional>

#include "toolkit/Control.h"

class TButton : public TControl {
 public:
  std::function<void()> OnClick;
  // Clicks the button as the user would (nothing happens while it is disabled).
  void Click() override;
  void HandleCommand(WORD code) override;
  // Enter clicks the focused button.
  DialogKey UseDialogKey(WPARAM key) override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_PUSHBUTTON; }
};
