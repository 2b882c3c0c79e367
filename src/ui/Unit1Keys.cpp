// The main window for the keyboard and for screen readers: the keys that stand for the small
// buttons, their tips, and the names of the controls whose own text does not say what they are.
#include <oleacc.h>

#include <initializer_list>
#include <tuple>

#include "base/Text.h"
#include "ui/Unit1.h"

void TMain::bindKeysAndNames() {
  AddShortcut(VK_F1, 0, Help);
  for (auto [text, add, edit, del, commands] :
       {std::tie(SendBeforeText, SendBeforeAdd, SendBeforeEdit, SendBeforeDelete, SendBeforeCommands),
        std::tie(SendAfterText, SendAfterAdd, SendAfterEdit, SendAfterDelete, SendAfterCommands)}) {
    // Enter in the field adds, as "+" does; with Ctrl it changes the selected row instead.
    AddShortcut(VK_RETURN, MOD_CONTROL, edit, &text);
    AddShortcut(VK_RETURN, 0, edit, &commands);
    AddShortcut(VK_F2, 0, edit, &commands);
    AddShortcut(VK_DELETE, 0, del, &commands);
    add.SetHint(tips_, L"Dodaj polecenie (Enter)");
    edit.SetHint(tips_, Utf8ToWide("Zmień zaznaczone polecenie (Ctrl+Enter, F2)"));
    del.SetHint(tips_, Utf8ToWide("Usuń zaznaczone polecenie (Delete)"));
  }
  AddShortcut(VK_INSERT, 0, ApplicationAdd, &ApplicationList);
  AddShortcut(VK_RETURN, 0, ApplicationEdit, &ApplicationList);
  AddShortcut(VK_F2, 0, ApplicationEdit, &ApplicationList);
  AddShortcut(VK_DELETE, 0, ApplicationDelete, &ApplicationList);
  ApplicationList.OnDblClick = [this](int) { ApplicationEdit.Click(); };
  ApplicationAdd.SetHint(tips_, Utf8ToWide("Dodaj aplikację (Insert)"));
  ApplicationEdit.SetHint(tips_, Utf8ToWide("Zmień zaznaczoną aplikację (Enter, F2)"));
  ApplicationDelete.SetHint(tips_, Utf8ToWide("Usuń zaznaczoną aplikację (Delete)"));
  ApplicationList.ShowCutRowsInTip(tips_);

  // A field or list is named by the label or check box that the window shows for it.
  Port.SetAccessibleName(L"Port");
  BaudRate.SetAccessibleName(BaudRateLabel.Caption());
  for (TControl* c : std::initializer_list<TControl*>{&SendBeforeText, &SendBeforeCommands})
    c->SetAccessibleName(SendBefore.Caption());
  ApplicationList.SetAccessibleName(StartApplication.Caption());
  for (TControl* c : std::initializer_list<TControl*>{&SendAfterText, &SendAfterCommands})
    c->SetAccessibleName(SendAfter.Caption());
  Interval.SetAccessibleName(Label1.Caption() + L" (w sekundach)");
  Interval.Button().UpButton().SetAccessibleName(Utf8ToWide("Zwiększ (strzałka w górę)"),
                                                 ROLE_SYSTEM_PUSHBUTTON);
  Interval.Button().DownButton().SetAccessibleName(Utf8ToWide("Zmniejsz (strzałka w dół)"),
                                                   ROLE_SYSTEM_PUSHBUTTON);
}
