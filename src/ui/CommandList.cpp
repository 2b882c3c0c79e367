#include "ui/CommandList.h"

#include "ui/Refusal.h"

void TCommandList::AddClick() {
  // Commands are stored exactly as typed, or refused.
  const std::string text = KeptText(text_);
  if (text.empty()) return;
  commands_.AddRow(text);
  text_.SetText("");
}

void TCommandList::EditClick() {
  const std::string text = KeptText(text_);
  const int row = commands_.Selected();
  if (text.empty() || row < 0) return;
  commands_.SetRowText(row, 0, text);
}

void TCommandList::DeleteClick() {
  const int row = commands_.Selected();
  if (row >= 0) commands_.DeleteRow(row);
}

void TCommandList::Move(int step) {
  if (const int to = MoveTarget(commands_, step); to >= 0) commands_.ExchangeRows(commands_.Selected(), to);
}

int MoveTarget(const TListView& list, int step) {
  const int row = list.Selected();
  return row >= 0 && row + step >= 0 && row + step < list.Count() ? row + step : -1;
}

void TCommandList::TextKeyPress(wchar_t& key) {
  if (key == L'\r') AddClick();
}

void TCommandList::CommandsClick() {
  if (commands_.Selected() >= 0) return;
  edit_.SetEnabled(false);
  delete_.SetEnabled(false);
  text_.SetText("");
}

void TCommandList::CommandsSelectItem(int index, bool /*selected*/) {
  // Reported for the row that loses the selection and then for the one that gains it, so the
  // field ends with the newly selected row's caption.
  edit_.SetEnabled(true);
  delete_.SetEnabled(true);
  text_.SetText(commands_.RowText(index));
}
