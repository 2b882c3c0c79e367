#include "toolkit/Controls.h"

#include <windowsx.h>

#include "toolkit/Application.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/Text.h"

namespace {
constexpr wchar_t kControlProp[] = L"TarvenikControl";
}

void TControl::Create(TForm& parent, std::string name, const std::wstring& caption, Bounds b, int tabOrder,
                      bool enabled) {
  name_ = std::move(name);
  form_ = &parent;
  tabOrder_ = tabOrder;
  DWORD style = WS_CHILD | WS_VISIBLE | Style();
  if (tabOrder >= 0) style |= WS_TABSTOP;
  if (!enabled) style |= WS_DISABLED;
  hwnd_ = CreateWindowExW(ExStyle(), WindowClass(), caption.c_str(), style, b.left, b.top, b.width, b.height,
                          parent.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return;
  SetPropW(hwnd_, kControlProp, this);
  SetWindowSubclass(hwnd_, &TControl::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(parent.Font()), FALSE);
  parent.AddControl(this);
  AfterCreate();
}

TControl::~TControl() {
  if (hwnd_) {
    RemoveWindowSubclass(hwnd_, &TControl::SubclassProc, 1);
    RemovePropW(hwnd_, kControlProp);
  }
}

TControl* TControl::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<TControl*>(GetPropW(hwnd, kControlProp)) : nullptr;
}

LRESULT CALLBACK TControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto* self = reinterpret_cast<TControl*>(ref);
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, &TControl::SubclassProc, 1);
    RemovePropW(hwnd, kControlProp);
    self->hwnd_ = nullptr;
    return DefSubclassProc(hwnd, msg, wp, lp);
  }
  return self->WndProc(msg, wp, lp);
}

LRESULT TControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) { return DefaultProc(msg, wp, lp); }
LRESULT TControl::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) { return DefSubclassProc(hwnd_, msg, wp, lp); }

bool TControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }
void TControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}
bool TControl::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

std::wstring TControl::Caption() const {
  if (!hwnd_) return {};
  int n = GetWindowTextLengthW(hwnd_);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = GetWindowTextW(hwnd_, s.data(), n + 1);
  s.resize(static_cast<size_t>(n));
  return s;
}
void TControl::SetCaption(const std::wstring& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}
std::string TControl::Text() const { return WideToAnsi(Caption()); }
void TControl::SetText(const std::string& text) { SetCaption(AnsiToWide(text)); }

RECT TControl::BoundsRect() const {
  RECT r{};
  if (!hwnd_) return r;
  GetWindowRect(hwnd_, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
void TControl::SetBounds(Bounds b) {
  if (hwnd_) MoveWindow(hwnd_, b.left, b.top, b.width, b.height, TRUE);
}
bool TControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }
void TControl::SetFocus() {
  if (hwnd_) ::SetFocus(hwnd_);
}

// --- buttons ---------------------------------------------------------------------------------

void TButton::Click() {
  if (Enabled()) HandleCommand(BN_CLICKED);
}

void TButton::HandleCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) SafeCall(OnClick);
}

LRESULT TSpeedButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The button's own mouse handling would take the focus; do the press and release here instead.
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = true;
      SetCapture(Handle());
      SendMessageW(Handle(), BM_SETSTATE, TRUE, 0);
      return 0;
    case WM_MOUSEMOVE:
      if (pressed_) {
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT r;
        GetClientRect(Handle(), &r);
        SendMessageW(Handle(), BM_SETSTATE, PtInRect(&r, p), 0);
      }
      return 0;
    case WM_LBUTTONUP:
      if (pressed_) {
        pressed_ = false;
        ReleaseCapture();
        SendMessageW(Handle(), BM_SETSTATE, FALSE, 0);
        POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        RECT r;
        GetClientRect(Handle(), &r);
        if (PtInRect(&r, p) && IsWindowEnabled(Handle())) HandleCommand(BN_CLICKED);
      }
      return 0;
    case WM_CAPTURECHANGED:
      if (pressed_) {
        pressed_ = false;
        SendMessageW(Handle(), BM_SETSTATE, FALSE, 0);
      }
      break;
    case WM_SETFOCUS:
      // Never keep the focus: hand it back to where it came from.
      if (wp) ::SetFocus(reinterpret_cast<HWND>(wp));
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(Handle())) HandleCommand(BN_CLICKED);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
  }
  return TButton::WndProc(msg, wp, lp);
}

// --- check box -------------------------------------------------------------------------------

bool TCheckBox::Checked() const { return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  if (Checked() == checked) return;
  SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (OnClick) SafeCall(OnClick);
}

void TCheckBox::HandleCommand(WORD code) {
  if (code == BN_CLICKED && OnClick) SafeCall(OnClick);
}

// --- edit ------------------------------------------------------------------------------------

void TCustomEdit::HandleCommand(WORD code) {
  if (code == EN_CHANGE && OnChange) SafeCall(OnChange);
}

void TCustomEdit::SelectAll() { SendMessageW(Handle(), EM_SETSEL, 0, -1); }

LRESULT TCustomEdit::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CHAR && OnKeyPress) {
    auto key = static_cast<wchar_t>(wp);
    SafeCall([&] { OnKeyPress(key); });
    if (key == 0) return 0;
    // A one-line edit does not insert Enter; it would only beep.
    if (key == L'\r') return 0;
    wp = key;
  }
  return TControl::WndProc(msg, wp, lp);
}

// --- combo box -------------------------------------------------------------------------------

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

std::vector<std::string> TCustomComboBox::Items() const {
  std::vector<std::string> items;
  int n = Count();
  items.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) items.push_back(Item(i));
  return items;
}

void TCustomComboBox::SetItems(const std::vector<std::string>& items) {
  ClearItems();
  for (const auto& s : items) AddItem(s);
}

void TCustomComboBox::AddItem(const std::string& text) {
  SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AnsiToWide(text).c_str()));
}

void TCustomComboBox::ClearItems() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

int TCustomComboBox::ItemIndex() const {
  LRESULT i = SendMessageW(Handle(), CB_GETCURSEL, 0, 0);  // CB_ERR when none
  return i == CB_ERR ? -1 : static_cast<int>(i);
}

void TCustomComboBox::SetItemIndex(int index) { SendMessageW(Handle(), CB_SETCURSEL, index, 0); }

bool TCustomComboBox::DroppedDown() const { return SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }

void TCustomComboBox::HandleCommand(WORD code) {
  if (code == CBN_SELCHANGE) SafeCall([this] { Change(); });
}

void TCustomComboBox::Change() {
  if (OnChange) OnChange();
}

// --- list view -------------------------------------------------------------------------------

DWORD TListView::Style() const {
  DWORD s = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  if (!showHeaders_) s |= LVS_NOCOLUMNHEADER;
  return s;
}

void TListView::AfterCreate() {
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(const std::wstring& caption, int width) {
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = const_cast<wchar_t*>(caption.c_str());
  col.cx = width;
  col.iSubItem = columns_;
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, columns_, reinterpret_cast<LPARAM>(&col));
  ++columns_;
}

void TListView::FitColumnToClient() {
  RECT r;
  GetClientRect(Handle(), &r);
  ListView_SetColumnWidth(Handle(), 0, r.right - r.left);
}

void TListView::AutoSizeColumns() {
  // The columns share the client width; with rows, each first takes what its texts need.
  if (columns_ == 0) return;
  RECT r;
  GetClientRect(Handle(), &r);
  int total = r.right - r.left;
  if (Count() == 0) {
    for (int i = 0; i < columns_; ++i) ListView_SetColumnWidth(Handle(), i, total / columns_);
    return;
  }
  int used = 0;
  for (int i = 0; i + 1 < columns_; ++i) {
    ListView_SetColumnWidth(Handle(), i, LVSCW_AUTOSIZE_USEHEADER);
    used += ListView_GetColumnWidth(Handle(), i);
  }
  ListView_SetColumnWidth(Handle(), columns_ - 1, LVSCW_AUTOSIZE_USEHEADER);
  if (used + ListView_GetColumnWidth(Handle(), columns_ - 1) < total)
    ListView_SetColumnWidth(Handle(), columns_ - 1, total - used);
}

void TListView::SetSmallImages(TImageList* images) {
  ListView_SetImageList(Handle(), images ? images->Handle() : nullptr, LVSIL_SMALL);
}

int TListView::Count() const { return ListView_GetItemCount(Handle()); }

void TListView::BeginUpdate(int rows) {
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LVM_SETITEMCOUNT, Count() + rows, LVSICF_NOINVALIDATEALL);
}

void TListView::EndUpdate() {
  SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
  InvalidateRect(Handle(), nullptr, TRUE);
}

int TListView::AddRow(const std::string& caption) {
  std::wstring w = AnsiToWide(caption);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = Count();
  item.iImage = -1;  // I_IMAGENONE would leave no room; -1 shows no image
  item.pszText = w.data();
  return static_cast<int>(SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void TListView::DeleteRow(int index) { ListView_DeleteItem(Handle(), index); }
void TListView::Clear() { ListView_DeleteAllItems(Handle()); }

std::string TListView::RowText(int index, int column) const {
  std::wstring buf(256, L'\0');
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buf.data();
    item.cchTextMax = static_cast<int>(buf.size());
    auto n =
        static_cast<size_t>(SendMessageW(Handle(), LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
    if (n + 1 < buf.size()) {
      buf.resize(n);
      return WideToAnsi(buf);
    }
    buf.assign(buf.size() * 2, L'\0');
  }
}

void TListView::SetRowText(int index, int column, const std::string& text) {
  std::wstring w = AnsiToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = w.data();
  SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));
}

int TListView::ImageIndex(int index) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  if (!SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;
  return item.iImage;
}

void TListView::SetImageIndex(int index, int image) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = image;
  SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int TListView::Selected() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }

void TListView::SetSelected(int index) {
  if (index < 0) {
    ListView_SetItemState(Handle(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  } else {
    ListView_SetItemState(Handle(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
}

LRESULT TListView::HandleNotify(NMHDR* hdr) {
  switch (hdr->code) {
    case NM_CLICK:
      if (OnClick) SafeCall(OnClick);
      break;
    case LVN_ITEMCHANGED: {
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if ((nm->uChanged & LVIF_STATE) && nm->iItem >= 0 &&
          ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) && OnSelectItem) {
        bool selected = (nm->uNewState & LVIS_SELECTED) != 0;
        int index = nm->iItem;
        SafeCall([&] { OnSelectItem(index, selected); });
      }
      break;
    }
    case LVN_BEGINLABELEDITW:
    case LVN_BEGINLABELEDITA:
      return TRUE;  // no in-place editing
  }
  return 0;
}
