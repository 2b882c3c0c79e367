#pragma once
// What the class library does to the system that a test stands in for to see it happen: one
// object whose members do the real thing until a test replaces them.
#include <functional>

struct ToolkitSeams {
  // The system's default beep, the answer to refused input.
  std::function<void()> beep;
};

ToolkitSeams& TheToolkitSeams();
