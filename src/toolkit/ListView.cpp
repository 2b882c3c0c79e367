#include "toolkit/ListView.h"

#include <windowsx.h>

#include <algorithm>

#include "base/Text.h"
#include "toolkit/ImageList.h"
#include "toolkit/ToolTip.h"

DWORD TListView::Style() const {
  // The small images belong to the image list's owner, never to the list: it must not destroy them.
  DWORD s = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS;
  if (!showHeaders_) s |= LVS_NOCOLUMNHEADER;
  return s;
}

void TListView::AfterCreate() {
  ListView_SetExtendedListViewStyle(Handle(), LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
}

void TListView::AddColumn(const std::wstring& caption, int width) { insertColumn(caption, Scale(width)); }

void TListView::insertColumn(const std::wstring& caption, int pixels) {
  LVCOLUMNW col{};
  col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  col.pszText = const_cast<wchar_t*>(caption.c_str());
  col.cx = pixels;
  col.iSubItem = columns_;
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, columns_, reinterpret_cast<LPARAM>(&col));  // -1 on failure
  ++columns_;
  captions_.push_back(caption);
}

void TListView::AddColumnsSharingWidth(const std::vector<std::wstring>& captions) {
  RECT r;
  GetClientRect(Handle(), &r);
  const int share = (r.right - r.left) / std::max<int>(static_cast<int>(captions.size()), 1);
  for (const std::wstring& caption : captions) insertColumn(caption, share);
  sizing_ = captions.size() == 1 ? ColumnSizing::Fitted : ColumnSizing::Automatic;
}

void TListView::rowsChanged() {
  if (sizing_ != ColumnSizing::Fitted || updating_) return;
  RECT r;
  GetClientRect(Handle(), &r);
  if (ListView_GetColumnWidth(Handle(), 0) != r.right - r.left)
    ListView_SetColumnWidth(Handle(), 0, r.right - r.left);
}

LRESULT TListView::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
  // The system asks for the menu after a right click, or at no point (-1) after Shift+F10 or the
  // menu key. A right click on the column headers is not one on the list.
  if (msg == WM_CONTEXTMENU && OnContextMenu && reinterpret_cast<HWND>(wp) == Handle()) {
    OnContextMenu(lp == -1 ? menuPoint() : POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)});
    return 0;
  }
  LRESULT result = TControl::WndProc(msg, wp, lp);
  // The client width changes when the vertical scroll bar comes or goes.
  if (msg == WM_SIZE) rowsChanged();
  if (msg == WM_MOUSEMOVE && rowTip_) updateRowTip(lp);
  return result;
}

POINT TListView::menuPoint() const {
  POINT p{0, 0};
  if (const int row = Selected(); row >= 0) {
    ListView_EnsureVisible(Handle(), row, FALSE);
    RECT r{};
    r.left = LVIR_LABEL;
    if (SendMessageW(Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r))) p = {r.left, r.bottom};
  }
  ClientToScreen(Handle(), &p);
  return p;
}

void TListView::ShowCutRowsInTip(TToolTip& tips) {
  rowTip_ = &tips;
  rowTip_->Add(Handle(), L"");
}

bool TListView::rowCut(int row) const {
  RECT client;
  GetClientRect(Handle(), &client);
  for (int column = 0; column < columns_; ++column) {
    RECT cell{};
    cell.top = column;
    cell.left = LVIR_LABEL;
    if (!SendMessageW(Handle(), LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) continue;
    const std::wstring text = AnsiToWide(RowText(row, column));
    const auto needed = static_cast<int>(
        SendMessageW(Handle(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
    const int shown = std::min(cell.right, client.right) - std::max(cell.left, client.left);
    // The margins the list keeps around a text: a little beside the row's image, more in the other
    // columns.
    const int margin = Scale(column == 0 ? 4 : 12);
    if (!text.empty() && needed + margin > shown) return true;
  }
  return false;
}

void TListView::updateRowTip(LPARAM point) {
  LVHITTESTINFO hit{};
  hit.pt = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
  const auto row =
      static_cast<int>(SendMessageW(Handle(), LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  std::wstring text;
  if (row >= 0 && RowMarked(row)) text = markerTip_;
  if (row >= 0 && rowCut(row)) {
    for (int column = 0; column < columns_; ++column) {
      if (!text.empty()) text += L'\n';
      text += captions_[column] + L": " + AnsiToWide(RowText(row, column));
    }
  }
  if (text == rowTipText_) return;
  rowTipText_ = text;
  // The tip of the row left behind goes; the one of this row shows after the usual pause.
  rowTip_->Pop();
  rowTip_->SetText(Handle(), text);
}

void TListView::hideRowTip() {
  if (!rowTip_ || rowTipText_.empty()) return;
  rowTipText_.clear();
  rowTip_->Pop();
  rowTip_->SetText(Handle(), L"");
}

void TListView::SetRowMarker(const wchar_t* icon, std::wstring tip) {
  markerIcon_ = icon;
  markerTip_ = std::move(tip);
}

void TListView::SetRowMarked(int index, bool marked) {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  item.lParam = marked;
  anyMarked_ = anyMarked_ || marked;
  SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));  // FALSE for a bad index
  ListView_RedrawItems(Handle(), index, index);
}

bool TListView::RowMarked(int index) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  return SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) && item.lParam;
}

LRESULT TListView::customDraw(NMLVCUSTOMDRAW& draw) {
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return markerIcon_ && anyMarked_ ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT:
      return draw.nmcd.lItemlParam ? CDRF_NOTIFYPOSTPAINT : CDRF_DODEFAULT;
    case CDDS_ITEMPOSTPAINT: {
      // The marker in the place of the row's image, which a marked row does not show.
      const int size = Scale(TImageList::kDesignSize);
      if (!marker_)
        marker_.reset(static_cast<HICON>(LoadImageW(nullptr, markerIcon_, IMAGE_ICON, size, size, 0)));
      RECT r{};
      r.left = LVIR_ICON;
      if (SendMessageW(Handle(), LVM_GETITEMRECT, draw.nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&r)))
        DrawIconEx(draw.nmcd.hdc, r.left + (r.right - r.left - size) / 2,
                   r.top + (r.bottom - r.top - size) / 2, marker_.get(), size, size, 0, nullptr, DI_NORMAL);
      break;
    }
  }
  return CDRF_DODEFAULT;
}

void TListView::AutoSizeColumns() {
  // The columns share the client width; with rows, each first takes what its texts need.
  sizing_ = ColumnSizing::Automatic;
  if (columns_ == 0) return;
  RECT r;
  GetClientRect(Handle(), &r);
  int total = r.right - r.left;
  if (Count() == 0) {
    // A width set again, even unchanged, makes the header tell the list and repaint.
    for (int i = 0; i < columns_; ++i)
      if (ListView_GetColumnWidth(Handle(), i) != total / columns_)
        ListView_SetColumnWidth(Handle(), i, total / columns_);
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
  smallImages_ = images;
  if (images && Parent()) images->SetImageSize(Scale(TImageList::kDesignSize));
  ListView_SetImageList(Handle(), images ? images->Handle() : nullptr, LVSIL_SMALL);
}

void TListView::ScaleChanged(UINT oldDpi) {
  marker_.reset();  // made again at the new size
  // The images first: their size sets the rows' height, which the column sizes may depend on.
  // Set afresh, so that the list measures its rows again.
  if (smallImages_) {
    ListView_SetImageList(Handle(), nullptr, LVSIL_SMALL);
    SetSmallImages(smallImages_);
  }
  switch (sizing_) {
    case ColumnSizing::Fitted:
      rowsChanged();
      break;
    case ColumnSizing::Automatic:
      AutoSizeColumns();
      break;
    case ColumnSizing::Given:
      for (int i = 0; i < columns_; ++i)
        ListView_SetColumnWidth(
            Handle(), i,
            MulDiv(ListView_GetColumnWidth(Handle(), i), static_cast<int>(Dpi()), static_cast<int>(oldDpi)));
      break;
  }
}

int TListView::Count() const { return ListView_GetItemCount(Handle()); }  // no error value

void TListView::BeginUpdate(int rows) {
  updating_ = true;
  SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LVM_SETITEMCOUNT, Count() + rows, LVSICF_NOINVALIDATEALL);
}

void TListView::EndUpdate() {
  updating_ = false;
  rowsChanged();
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
  // -1 when the row could not be added.
  const auto row =
      static_cast<int>(SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  rowsChanged();
  return row;
}

void TListView::DeleteRow(int index) {
  ++ownChanges_;
  ListView_DeleteItem(Handle(), index);  // FALSE for a bad index
  --ownChanges_;
  hideRowTip();
  rowsChanged();
}

void TListView::ExchangeRows(int a, int b) {
  const int n = Count();
  if (a == b || a < 0 || b < 0 || a >= n || b >= n) return;
  ++ownChanges_;
  for (int column = 0; column < std::max(columns_, 1); ++column) {
    const std::string textA = RowText(a, column);
    SetRowText(a, column, RowText(b, column));
    SetRowText(b, column, textA);
  }
  const bool markedA = RowMarked(a);
  SetRowMarked(a, RowMarked(b));
  SetRowMarked(b, markedA);
  if (const int selected = Selected(); selected == a || selected == b) {
    const int to = selected == a ? b : a;
    SetSelected(to);
    ListView_EnsureVisible(Handle(), to, FALSE);
  }
  --ownChanges_;
}

std::string TListView::RowText(int index, int column) const {
  // Most texts fit the buffer on the stack; a longer one is asked for again into a larger one.
  wchar_t shortText[256];
  std::wstring longText;
  wchar_t* buf = shortText;
  size_t size = std::size(shortText);
  for (;;) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buf;
    item.cchTextMax = static_cast<int>(size);
    // Asked of the list's own procedure: a save reads every cell, and a message costs more than the
    // reading (nothing of ours handles this one).
    auto n = static_cast<size_t>(
        const_cast<TListView*>(this)->DefaultProc(LVM_GETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item)));
    if (n + 1 < size) return WideToAnsi(std::wstring_view(buf, n));
    size *= 2;
    longText.assign(size, L'\0');
    buf = longText.data();
  }
}

void TListView::SetRowText(int index, int column, const std::string& text) {
  std::wstring w = AnsiToWide(text);
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = w.data();
  SendMessageW(Handle(), LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&item));  // FALSE for a bad index
  hideRowTip();
  rowsChanged();
}

int TListView::ImageIndex(int index) const {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  if (!SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return -1;  // a bad index
  return item.iImage;
}

void TListView::SetImageIndex(int index, int image) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  item.iImage = image;
  SendMessageW(Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));  // FALSE for a bad index
}

int TListView::Selected() const { return ListView_GetNextItem(Handle(), -1, LVNI_SELECTED); }  // -1: none

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
      if (OnClick) OnClick();
      break;
    case NM_DBLCLK:
      if (int row = reinterpret_cast<NMITEMACTIVATE*>(hdr)->iItem; row >= 0 && OnDblClick) OnDblClick(row);
      break;
    case LVN_ITEMCHANGED: {
      if (ownChanges_) break;
      auto* nm = reinterpret_cast<NMLISTVIEW*>(hdr);
      if ((nm->uChanged & LVIF_STATE) && nm->iItem >= 0 &&
          ((nm->uOldState ^ nm->uNewState) & LVIS_SELECTED) && OnSelectItem) {
        OnSelectItem(nm->iItem, (nm->uNewState & LVIS_SELECTED) != 0);
      }
      break;
    }
    case NM_CUSTOMDRAW:
      return customDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(hdr));
    case LVN_BEGINLABELEDITW:
    case LVN_BEGINLABELEDITA:
      return TRUE;  // no in-place editing
  }
  return 0;
}
