#pragma once
// The port-aware drop-down list of the class library, made of the selector.
#include "serial/ComSelect.h"
#include "toolkit/ComboBox.h"

// A drop-down list of the values of one kind of port setting, linked to a port settings object.
// Selections made while its form is being built are only recorded; the last one (unless -1) is
// applied when building ends.
class TComComboBox : public TCustomComboBox, private TComPortObserver {
 public:
  TComComboBox();
  ~TComComboBox() override;

  TCustomComPort* ComPort() const { return select_.ComPort(); }
  void SetComPort(TCustomComPort* p);
  TComProperty ComProperty() const { return select_.ComProperty(); }
  // Refills the list; a failure to list the ports leaves it empty and reaches the caller.
  void SetComProperty(TComProperty k);
  bool AutoApply() const { return select_.AutoApply(); }
  void SetAutoApply(bool v) { select_.SetAutoApply(v); }

  // The selected item's text, "" when none is selected.
  std::string Text() const;
  // Selects the first item equal to `text` ignoring case; does nothing when there is none.
  void SetText(const std::string& text);
  // The index of the first item equal to `text` ignoring case, or -1.
  int IndexOf(const std::string& text) const { return select_.IndexOf(text); }

  void SetItemIndex(int index) override;
  void Loaded() override;

 protected:
  void Change() override;

 private:
  void ComPortRemoved(TCustomComPort& port) override;

  // The control's list as the selector sees it.
  class ItemList : public TComItems {
   public:
    explicit ItemList(TComComboBox& owner) : owner_(owner) {}
    int Count() const override { return owner_.Count(); }
    std::string Item(int index) const override { return owner_.Item(index); }
    void Clear() override { owner_.ClearItems(); }
    void Add(const std::string& text) override { owner_.AddItem(text); }

   private:
    TComComboBox& owner_;
  };

  ItemList items_{*this};
  TComSelect select_{items_};
  bool building_ = true;
  int pendingIndex_ = -1;
};
