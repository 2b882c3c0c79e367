// The main window's lists edited as in the system's own lists, beyond their buttons: moving a row
// with Alt+Up and Alt+Down, a context menu of each list's actions, Insert in a command list, and
// program files dropped onto the application list.
#include "base/Text.h"
#include "toolkit/PopupMenu.h"
#include "ui/Unit1.h"

namespace {

// The context menu of a list at `at`: its buttons and the moves of the selected row, each item
// enabled exactly when its button or key would act now.
void showListMenu(TListView& list, POINT at, TSpeedButton& add, bool addActs, TSpeedButton& edit,
                  bool editActs, TSpeedButton& del, const std::function<void(int step)>& move,
                  int defaultItem) {
  ShowPopupMenu(
      list.Handle(), at,
      {
          {L"&Dodaj\tInsert", add.Enabled() && addActs, [&] { add.Click(); }},
          {Utf8ToWide("&Zmień\tF2"), edit.Enabled() && editActs, [&] { edit.Click(); }},
          {Utf8ToWide("&Usuń\tDelete"), del.Enabled() && list.Selected() >= 0, [&] { del.Click(); }},
          {Utf8ToWide("Przenieś w &górę\tAlt+Strzałka w górę"), MoveTarget(list, -1) >= 0, [&] { move(-1); }},
          {Utf8ToWide("Przenieś w dó&ł\tAlt+Strzałka w dół"), MoveTarget(list, 1) >= 0, [&] { move(1); }},
      },
      defaultItem);
}

}  // namespace

void TMain::bindListEditing() {
  bindCommandListEditing(sendBefore_, SendBeforeText, SendBeforeAdd, SendBeforeEdit, SendBeforeDelete,
                         SendBeforeCommands);
  bindCommandListEditing(sendAfter_, SendAfterText, SendAfterAdd, SendAfterEdit, SendAfterDelete,
                         SendAfterCommands);

  AddShortcut(
      VK_UP, MOD_ALT, [this] { ApplicationMove(-1); }, &ApplicationList);
  AddShortcut(
      VK_DOWN, MOD_ALT, [this] { ApplicationMove(1); }, &ApplicationList);
  // "Zmień" is what a double click on a row does.
  ApplicationList.OnContextMenu = [this](POINT at) {
    showListMenu(
        ApplicationList, at, ApplicationAdd, true, ApplicationEdit, true, ApplicationDelete,
        [this](int step) { ApplicationMove(step); }, 1);
  };
  ApplicationList.AcceptDroppedFiles(
      [this](const std::vector<std::wstring>& files) { ApplicationListDropFiles(files); });
  ApplicationList.SetRowMarker(IDI_WARNING, L"Nie znaleziono pliku");
}

void TMain::bindCommandListEditing(TCommandList& group, TEdit& text, TSpeedButton& add, TSpeedButton& edit,
                                   TSpeedButton& del, TListView& commands) {
  TCommandList* g = &group;
  AddShortcut(VK_INSERT, 0, add, &commands);
  AddShortcut(
      VK_UP, MOD_ALT, [g] { g->Move(-1); }, &commands);
  AddShortcut(
      VK_DOWN, MOD_ALT, [g] { g->Move(1); }, &commands);
  // "+" and "E" take the field's text, and do nothing while it is empty.
  commands.OnContextMenu = [g, t = &text, a = &add, e = &edit, d = &del, c = &commands](POINT at) {
    const bool typed = !t->Caption().empty();
    showListMenu(
        *c, at, *a, typed, *e, typed && c->Selected() >= 0, *d, [g](int step) { g->Move(step); }, -1);
  };
}
