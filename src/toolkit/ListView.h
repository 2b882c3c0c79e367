#pragma once
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "toolkit/Control.h"
#include "win/Handles.h"

class TImageList;
class TToolTip;

// A report-style list view: columns, grid lines, whole-row selection, one selected row, selection
// kept visible, no in-place editing.
class TListView : public TControl {
 public:
  std::function<void()> OnClick;
  // A row became selected or deselected.
  std::function<void(int index, bool selected)> OnSelectItem;
  // A row was double-clicked.
  std::function<void(int index)> OnDblClick;
  // The context menu is asked for at `screen`: by a right click (the list has selected the row
  // clicked, or cleared the selection on its empty area), by Shift+F10 or by the menu key (at the
  // selected row, or at the list's corner).
  std::function<void(POINT screen)> OnContextMenu;

  void SetShowColumnHeaders(bool show) { showHeaders_ = show; }
  // `width` is given for 96 dpi.
  void AddColumn(const std::wstring& caption, int width);
  // Columns that share the client width equally from the start, so that none is sized twice as the
  // window is built. A single one is then kept at the client width whenever rows are added, changed
  // or deleted or the client width changes (as when the vertical scroll bar comes or goes);
  // several are sized by AutoSizeColumns.
  void AddColumnsSharingWidth(const std::vector<std::wstring>& captions);
  // The columns share the client width; with rows, each first takes what its texts need.
  void AutoSizeColumns();
  // The row images, at the small-icon size of the form's dpi. The list is not owned.
  void SetSmallImages(TImageList* images);
  // A row that the list cuts off shows its whole text, a line per column, in a tip of `tips` while
  // the mouse rests on it.
  void ShowCutRowsInTip(TToolTip& tips);
  // Marked rows show the system icon `icon` (an IDI_ value) in place of their image, and `tip`
  // first in their tip.
  void SetRowMarker(const wchar_t* icon, std::wstring tip);
  void SetRowMarked(int index, bool marked);
  bool RowMarked(int index) const;
  void ScaleChanged(UINT oldDpi) override;

  int Count() const;
  // Around adding many rows: no repainting until the end, room made for `rows` rows at once.
  void BeginUpdate(int rows);
  void EndUpdate();
  int AddRow(const std::string& caption);  // returns the new row's index
  // Deleting is not a selection change: OnSelectItem is not raised for the deleted row.
  void DeleteRow(int index);
  std::string RowText(int index, int column = 0) const;
  void SetRowText(int index, int column, const std::string& text);
  // Rows `a` and `b` change places, with their texts and marks (not their images); the selection
  // and the focus go with the row that has them. Not a selection change: OnSelectItem is not raised.
  void ExchangeRows(int a, int b);
  int ImageIndex(int index) const;
  void SetImageIndex(int index, int image);
  int Selected() const;         // -1: none
  void SetSelected(int index);  // -1 clears
  LRESULT HandleNotify(NMHDR* hdr) override;

 protected:
  const wchar_t* WindowClass() const override { return WC_LISTVIEWW; }
  DWORD Style() const override;
  DWORD ExStyle() const override { return WS_EX_CLIENTEDGE; }
  void AfterCreate() override;
  LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void insertColumn(const std::wstring& caption, int pixels);
  // How the columns were last sized, so that another dpi sizes them the same way.
  enum class ColumnSizing { Given, Fitted, Automatic };

  void rowsChanged();
  // Whether the list shows less than the whole of some text of the row.
  bool rowCut(int row) const;
  void updateRowTip(LPARAM point);
  // The tip of the row under the mouse goes with the row's text; the next move shows the new one.
  void hideRowTip();
  LRESULT customDraw(NMLVCUSTOMDRAW& draw);
  // The point a menu asked for by the keyboard opens at, on the screen.
  POINT menuPoint() const;

  bool showHeaders_ = true;
  int columns_ = 0;
  std::vector<std::wstring> captions_;
  TToolTip* rowTip_ = nullptr;
  std::wstring rowTipText_;
  ColumnSizing sizing_ = ColumnSizing::Given;
  TImageList* smallImages_ = nullptr;
  bool updating_ = false;
  int ownChanges_ = 0;  // inside our own deletion or exchange: its notifications are not the user's
  const wchar_t* markerIcon_ = nullptr;
  std::wstring markerTip_;
  bool anyMarked_ = false;  // until a row is marked, drawing asks nothing of each row
  UniqueIcon marker_;       // made at the row images' size when a marked row is first drawn
};
