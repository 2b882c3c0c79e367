#pragma once
// What the controls do that a test stands in for to see it happen: one object whose members do
// the real thing until a test replaces them.
#include <windows.h>

#include <functional>

struct ControlsSeams {
  // Starts the timer `id` of `window` to tick every `interval` milliseconds, replacing a running
  // one (SetTimer), or stops it when `interval` is 0 (KillTimer): the spin field's repeat timer.
  std::function<void(HWND window, UINT_PTR id, UINT interval)> timer;
};

ControlsSeams& TheControlsSeams();
