#pragma once
// The main window's controls: name, caption, position in the client area, tab order and
// whether each is enabled when the window is created. The window is built from this table.
#include <span>

#include "toolkit/Control.h"

class TMain;

struct MainControl {
  const char* name;
  const char* caption;  // UTF-8
  Bounds bounds;
  int tabOrder;  // -1: not a tab stop
  bool enabled;
  TControl& (*control)(TMain&);
};

std::span<const MainControl> MainLayout();
