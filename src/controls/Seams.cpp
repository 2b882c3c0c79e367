#include "controls/Seams.h"

namespace {

void startOrStopTimer(HWND window, UINT_PTR id, UINT interval) {
  if (interval)
    SetTimer(window, id, interval, nullptr);
  else
    KillTimer(window, id);
}

}  // namespace

ControlsSeams& TheControlsSeams() {
  static ControlsSeams seams{startOrStopTimer};
  return seams;
}
