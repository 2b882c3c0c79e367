#pragma once
// A one-line edit field.
#include <functional>

#include "toolkit/Control.h"

class TCustomEdit : public TControl {
 public:
  // Gets each typed character; setting it to 0 drops the character.
  std::function<void(wchar_t& key)> OnKeyPress;
  std::function<void()> OnChange;
  void HandleCommand(WORD code) override;
  bool WantsReturn() const override { return static_cast<bool>(OnKeyPress); }
  void SelectAll();

 protected:
  const wchar_t* WindowClass() const override { return L"EDIT"; }
  DWORD Style() const override { return ES_AUTOHSCROLL; }
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
};

class TEdit : public TCustomEdit {};
