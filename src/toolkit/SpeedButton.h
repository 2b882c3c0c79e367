#pragma once
#include <string>

#include "toolkit/Button.h"

class TToolTip;

// A button drawn raised like a push button that never takes the keyboard focus and is not in the
// tab order. It acts on a mouse click, or a click sent by the program (BM_CLICK).
class TSpeedButton : public TButton {
 public:
  // What the button does, and its key: shown in a tip and announced by screen readers, while the
  // caption stays a sign.
  void SetHint(TToolTip& tips, const std::wstring& hint);

 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool pressed_ = false;
};
