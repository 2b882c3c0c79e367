// The main window's two command-list groups: each handler passes on to its group.
#include "ui/Unit1.h"

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
