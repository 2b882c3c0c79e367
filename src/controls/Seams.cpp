#include "controls/Seams.h"

namespace {

void startOrStopTimer(HWND window, UINT_PTR id, UINT interval) {
  if (interval)
    SetTimer(window, id, interval, nullptr);
  else
    KillTimer(window, id);
}

}  // namespace

SupportSeams& TheSupportSeams() {
  static SupportSeams seams{startOrStopTimer, [](int) {}};
  return seams;
}
