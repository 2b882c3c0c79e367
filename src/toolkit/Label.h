#pragma once
// A static text.
#include "toolkit/Control.h"

class TLabel : public TControl {
 protected:
  const wchar_t* WindowClass() const override { return L"STATIC"; }
  DWORD Style() const override { return SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX; }
};
