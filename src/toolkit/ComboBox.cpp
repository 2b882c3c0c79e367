#include "toolkit/ComboBox.h"

#include "base/Text.h"

int TCustomComboBox::Count() const {
  LRESULT n = SendMessageW(Handle(), CB_GETCOUNT, 0, 0);  // CB_ERR on failure
  return n == CB_ERR ? 0 : static_cast<int>(n);
}

std::string TCustomComboBox::Item(int index) const {
  if (index < 0 || index >= Count()) return {};
  LRESULT n = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);  // CB_ERR for a bad index
  if (n == CB_ERR) return {};
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(s.data()));
  if (n == CB_ERR) return {};
  s.resize(static_cast<size_t>(n));
  return WideToAnsi(s);
}

void TCustomComboBox::AddItem(const std::string& text) {
  // CB_ERR or CB_ERRSPACE when the item could not be added; the list is then as it was.
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(text).c_str()));
}

void TCustomComboBox::ClearItems() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }  // always CB_OKAY

int TCustomComboBox::ItemIndex() const {
  LRESULT i = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);  // CB_ERR when none
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TCustomComboBox::SetItemIndex(int index) {
  SendMessageW(Handle(), CB_SETCURSEL, index, 0);  // CB_ERR for -1 or a bad index: none is selected
}

bool TCustomComboBox::DroppedDown() const {
  return SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;  // TRUE or FALSE; no error value
}

TControl::DialogKey TCustomComboBox::UseDialogKey(WPARAM key) {
  return DroppedDown() ? DialogKey::Control : TControl::UseDialogKey(key);
}

void TCustomComboBox::AfterCreate() { fitHeight(); }
void TCustomComboBox::ScaleChanged(UINT /*oldDpi*/) { fitHeight(); }

void TCustomComboBox::fitHeight() {
  // The closed list is its selection field and a border, so the field gets what the border leaves
  // of the wanted height. How a set field height shows differs between systems: measure again.
  auto height = [this] {
    RECT r;
    GetWindowRect(Handle(), &r);
    return static_cast<int>(r.bottom - r.top);
  };
  const int wanted = Scale(CreatedBounds().height);
  auto field = static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, -1, 0));  // CB_ERR on failure
  if (field == CB_ERR) return;
  // A field height once set may show otherwise than the list's own (Wine's grows by three at the
  // first step): the field height that fitted the last list of the same own and wanted heights is
  // tried first, which spares each further list a step that costs as much as making it.
  static struct { int own = -1, wanted = -1, fitted = -1; } last;
  const int own = field;
  if (own == last.own && wanted == last.wanted && height() != wanted) {
    field = last.fitted;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, -1, field);
  }
  for (int attempt = 0; attempt < 3 && height() != wanted; ++attempt) {
    field += wanted - height();
    if (field <= 0) return;
    SendMessageW(Handle(), CB_SETITEMHEIGHT, -1, field);
  }
  if (height() == wanted) last = {own, wanted, field};
}

void TCustomComboBox::HandleCommand(WORD code) {
  if (code == CBN_SELCHANGE) Change();
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange();
}
