#include "ui/CommandList.h"

#include "ui/Unit1.h"

void TCommandList::AddClick() {
  const std::string text = text_.Text();
  // Any text counts, spaces alone included: commands are stored exactly as typed.
  if (text.empty()) return;
  commands_.AddRow(text);
  text_.SetText("");
}

void TCommandList::EditClick() {
  const std::string text = text_.Text();
  const int row = commands_.Selected();
  if (text.empty() || row < 0) return;
  commands_.SetRowText(row, 0, text);
}

void TCommandList::DeleteClick() {
  const int row = commands_.Selected();
  if (row >= 0) commands_.DeleteRow(row);
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

// --- the main window's two groups --------------------------------------------------------------

void TMain::SendBeforeAddClick() { sendBefore_.AddClick(); }
void TMain::SendBeforeEditClick() { sendBefore_.EditClick(); }
void TMain::SendBeforeDeleteClick() { sendBefore_.DeleteClick(); }
void TMain::SendBeforeTextKeyPress(wchar_t& key) { sendBefore_.TextKeyPress(key); }
void TMain::SendBeforeCommandsClick() { sendBefore_.CommandsClick(); }
void TMain::SendBeforeCommandsSelectItem(int index, bool selected) {
  sendBefore_.CommandsSelectItem(index, selected);
}

void TMain::SendAfterAddClick() { sendAfter_.AddClick(); }
void TMain::SendAfterEditClick() { sendAfter_.EditClick(); }
void TMain::SendAfterDeleteClick() { sendAfter_.DeleteClick(); }
void TMain::SendAfterTextKeyPress(wchar_t& key) { sendAfter_.TextKeyPress(key); }
void TMain::SendAfterCommandsClick() { sendAfter_.CommandsClick(); }
void TMain::SendAfterCommandsSelectItem(int index, bool selected) {
  sendAfter_.CommandsSelectItem(index, selected);
}

void TMain::bindCommandLists() {
  SendBeforeAdd.OnClick = [this] { SendBeforeAddClick(); };
  SendBeforeEdit.OnClick = [this] { SendBeforeEditClick(); };
  SendBeforeDelete.OnClick = [this] { SendBeforeDeleteClick(); };
  SendBeforeText.OnKeyPress = [this](wchar_t& key) { SendBeforeTextKeyPress(key); };
  SendBeforeCommands.OnClick = [this] { SendBeforeCommandsClick(); };
  SendBeforeCommands.OnSelectItem = [this](int index, bool selected) {
    SendBeforeCommandsSelectItem(index, selected);
  };

  SendAfterAdd.OnClick = [this] { SendAfterAddClick(); };
  SendAfterEdit.OnClick = [this] { SendAfterEditClick(); };
  SendAfterDelete.OnClick = [this] { SendAfterDeleteClick(); };
  SendAfterText.OnKeyPress = [this](wchar_t& key) { SendAfterTextKeyPress(key); };
  SendAfterCommands.OnClick = [this] { SendAfterCommandsClick(); };
  SendAfterCommands.OnSelectItem = [this](int index, bool selected) {
    SendAfterCommandsSelectItem(index, selected);
  };
}
