// The port-aware drop-down list of the class library.
#include "controls/CPortCtl.h"

TComComboBox::TComComboBox() = default;

TComComboBox::~TComComboBox() {
  if (TCustomComPort* p = select_.ComPort()) p->RemoveFreeNotification(this);
}

void TComComboBox::SetComProperty(TComProperty k) {
  select_.SetComProperty(k);
  select_.FillItems();
  if (Count() == 0) return;
  SetItemIndex(select_.ComPort() ? select_.SyncFromPort() : 0);
}

void TComComboBox::SetComPort(TCustomComPort* p) {
  TCustomComPort* old = select_.ComPort();
  if (p == old) return;
  if (old) old->RemoveFreeNotification(this);
  select_.SetComPort(p);
  if (!p) return;
  p->FreeNotification(this);
  SetItemIndex(select_.SyncFromPort());
}

std::string TComComboBox::Text() const { return Item(ItemIndex()); }

void TComComboBox::SetText(const std::string& text) {
  const int index = select_.IndexOf(text);
  if (index >= 0) SetItemIndex(index);
}

void TComComboBox::SetItemIndex(int index) {
  if (building_) {
    pendingIndex_ = index;
    return;
  }
  TCustomComboBox::SetItemIndex(index);
}

void TComComboBox::Loaded() {
  building_ = false;
  if (pendingIndex_ != -1) SetItemIndex(pendingIndex_);
  TCustomComboBox::Loaded();
}

void TComComboBox::Change() {
  select_.StoreChoice(Text());
  if (select_.AutoApply()) select_.ApplyChoice();
  TCustomComboBox::Change();
}

void TComComboBox::ComPortRemoved(TCustomComPort& port) {
  if (&port != select_.ComPort()) return;
  select_.SetComPort(nullptr);
  if (Count() > 0) SetItemIndex(0);
}
