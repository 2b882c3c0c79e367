#include "toolkit/PopupMenu.h"

#include "win/Handles.h"

void ShowPopupMenu(HWND owner, POINT screen, const std::vector<TMenuItem>& items, int defaultItem) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  for (size_t i = 0; i < items.size(); ++i) {
    const UINT flags = MF_STRING | (items[i].enabled ? MF_ENABLED : MF_GRAYED);
    AppendMenuW(menu.get(), flags, i + 1, items[i].caption.c_str());  // FALSE on failure: the item is missing
  }
  if (defaultItem >= 0) SetMenuDefaultItem(menu.get(), static_cast<UINT>(defaultItem), TRUE);
  const auto chosen = static_cast<size_t>(TrackPopupMenu(
      menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, screen.x, screen.y, 0, owner, nullptr));
  if (chosen >= 1 && chosen <= items.size() && items[chosen - 1].enabled && items[chosen - 1].action)
    items[chosen - 1].action();
}
