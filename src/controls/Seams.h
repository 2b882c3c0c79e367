#pragma once
// What the support components do that a test stands in for to see it happen: one object whose
// members do the real thing until a test replaces them.
#include <windows.h>

#include <functional>

struct SupportSeams {
  // Starts the timer `id` of `window` to tick every `interval` milliseconds, replacing a running
  // one (SetTimer), or stops it when `interval` is 0 (KillTimer): the spin field's repeat timer.
  std::function<void(HWND window, UINT_PTR id, UINT interval)> timer;
  // Told each time the keyboard-cue repaint fix starts (+1) or stops (-1) tracking a form, its
  // tracker made or freed; nothing happens by default.
  std::function<void(int change)> formTracked;
};

SupportSeams& TheSupportSeams();
