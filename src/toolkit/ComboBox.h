#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"

// A drop-down list without typing.
class TCustomComboBox : public TControl {
 public:
  std::function<void()> OnChange;

  int Count() const;
  std::string Item(int index) const;  // "" outside the list
  void AddItem(const std::string& text);
  void ClearItems();
  int ItemIndex() const;  // -1: none
  virtual void SetItemIndex(int index);
  bool DroppedDown() const;
  void HandleCommand(WORD code) override;
  // The open list takes Esc and Enter first.
  DialogKey UseDialogKey(WPARAM key) override;

 protected:
  const wchar_t* WindowClass() const override { return L"COMBOBOX"; }
  DWORD Style() const override { return CBS_DROPDOWNLIST | WS_VSCROLL; }
  // The closed list is as high as the bounds it was created with: its selection field is sized so.
  void AfterCreate() override;
  void ScaleChanged(UINT oldDpi) override;
  // What happens when the user picks an item; raises OnChange.
  virtual void Change();

 private:
  void fitHeight();
};

class TComboBox : public TCustomComboBox {
 public:
  // The selected item's text, "" when none is selected.
  std::string SelectedText() const { return Item(ItemIndex()); }
};
