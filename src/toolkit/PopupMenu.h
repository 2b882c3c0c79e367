#pragma once
// A context menu: shown at a point of the screen, it runs the action of the item chosen.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct TMenuItem {
  std::wstring caption;  // "&" marks the item's letter, "\t" starts the text of its key
  bool enabled;
  std::function<void()> action;
};

// Shows `items` for `owner` with the top left corner at `screen` and runs the chosen item's action
// once the menu has closed; nothing when the menu is closed without a choice. Item `defaultItem`
// (-1: none) is shown as the one a double click does.
void ShowPopupMenu(HWND owner, POINT screen, const std::vector<TMenuItem>& items, int defaultItem = -1);
