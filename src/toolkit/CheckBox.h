#pragma once
// A check box with two states.
#include <functional>

#include "toolkit/Control.h"

class TCheckBox : public TControl {
 public:
  std::function<void()> OnClick;
  bool Checked() const;
  // Changing the state from the program raises OnClick too, as a click by the user would.
  void SetChecked(bool checked);
  void HandleCommand(WORD code) override;

 protected:
  const wchar_t* WindowClass() const override { return L"BUTTON"; }
  DWORD Style() const override { return BS_AUTOCHECKBOX; }
};
