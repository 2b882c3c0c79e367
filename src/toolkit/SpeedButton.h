#pragma once
#include "toolkit/Button.h"

// A button drawn raised like a push button that never takes the keyboard focus and is not in the
// tab order. It acts on a mouse click, or a click sent by the program (BM_CLICK).
class TSpeedButton : public TButton {
 protected:
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  bool pressed_ = false;
};
