#pragma once
// What the support components do that a test stands in for to see it happen: one object whose
// members do the real thing until a test replaces them.
#include <functional>

struct SupportSeams {
  // Told each time the keyboard-cue repaint fix starts (+1) or stops (-1) tracking a form, its
  // tracker made or freed; nothing happens by default.
  std::function<void(int change)> formTracked;
};

SupportSeams& TheSupportSeams();
