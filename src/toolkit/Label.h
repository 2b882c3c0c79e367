#pragma once
// A static text.
#include "toolkit/Control.h"

class TLabel : public TControl {
 public:
  // Whether the text sits in the middle of the label's height rather than at its top; set before
  // the label is created.
  void SetCentredVertically(bool centred) { centred_ = centred; }

 protected:
  const wchar_t* WindowClass() const override { return L"STATIC"; }
  DWORD Style() const override { return SS_LEFT | SS_NOPREFIX | (centred_ ? SS_CENTERIMAGE : 0); }

 private:
  bool centred_ = false;
};
