#include "ui/Unit1.h"

#include <algorithm>
#include <array>
#include <vector>

#include "base/ResStrings.h"
#include "base/Text.h"
#include "toolkit/Application.h"
#include "ui/HelpWindow.h"
#include "ui/Unit2.h"
TMain* Main = nullptr;

namespace {

const std::array<const char*, 12> kBaudRates = {"600",   "1200",  "2400",  "4800",  "9600",   "14400",
                                                "19200", "38400", "56000", "57600", "115200", "256000"};
constexpr int kInitialBaudRate = 4;  // "9600"

}  // namespace

TMain::TMain(std::string settingsFile)
    : TForm(L"Tarvenik - Konfigurator", 400, 420), settingsFile_(std::move(settingsFile)) {
  buildControls();
  bindEvents();
  bindKeysAndNames();
  bindListEditing();
  EndBuilding();
  SafeCall([this] { FormCreate(); });
}

TMain::~TMain() {
  if (Main == this) Main = nullptr;
}

void TMain::buildControls() {
  SendBeforeCommands.SetShowColumnHeaders(false);
  SendAfterCommands.SetShowColumnHeaders(false);
  // Only the main window's labels sit in the middle of their height.
  for (TLabel* label : {&BaudRateLabel, &Label1, &Label2}) label->SetCentredVertically(true);
  // Made in tab order, so that building ends with every window in its place.
  std::vector<const MainControl*> inTabOrder;
  for (const MainControl& c : MainLayout()) inTabOrder.push_back(&c);
  std::stable_sort(inTabOrder.begin(), inTabOrder.end(), [](const MainControl* a, const MainControl* b) {
    return BeforeInTabOrder(a->tabOrder, b->tabOrder);
  });
  for (const MainControl* c : inTabOrder) {
    c->control(*this).Create(*this, c->name, Utf8ToWide(c->caption), c->bounds, c->tabOrder, c->enabled);
  }
  buildPort();
  for (const char* rate : kBaudRates) BaudRate.AddItem(rate);
  BaudRate.SetItemIndex(kInitialBaudRate);

  for (TListView* list : {&SendBeforeCommands, &SendAfterCommands})
    list->AddColumnsSharingWidth({L"Polecenie"});
  ApplicationList.AddColumnsSharingWidth({L"Nazwa", Utf8ToWide("Ścieżka"), L"Parametry"});
  ApplicationList.SetSmallImages(&Icons);

  // The limits first, so that the value set after them is clamped by them.
  Interval.SetMaxValue(60);
  Interval.SetMinValue(1);
  Interval.SetValue(5);

  SetCancelButton(&Cancel);
}

// The port list and the port settings object: the list is filled and given its text and index
// first, and linked to the object only once the object has its settings. The list's selections
// are only recorded until building ends, when the item equal to "COM1" (ignoring case) is
// selected, or none. When the ports cannot be listed the error is shown and the window goes on
// with an empty list (loading adds the saved port), so that everything else can still be edited
// and saved.
void TMain::buildPort() {
  SafeCall([this] {
    try {
      Port.SetComProperty(cpPort);
    } catch (const Exception& e) {
      throw Exception(FormatText(LoadResString(ResId::ErrorReadingProperty),
                                 {Port.Name(), ".", "ComProperty", e.Message()}));
    }
  });
  Port.SetText("COM1");
  Port.SetItemIndex(0);

  ComPort.SetBaudRate(br9600);
  ComPort.SetPort("COM1");
  ComPort.SetStopBits(sbOneStopBit);
  ComPort.SetDataBits(dbEight);
  ComPort.SetEvents(TComEvents::All());
  ComPort.Parity().SetBits(prNone);
  TComFlowControl& flow = ComPort.FlowControl();
  flow.SetOutCTSFlow(false);
  flow.SetOutDSRFlow(false);
  flow.SetControlDTR(dtrDisable);
  flow.SetControlRTS(rtsDisable);
  flow.SetXonXoffOut(false);
  flow.SetXonXoffIn(false);

  Port.SetComPort(&ComPort);
}

void TMain::bindEvents() {
  for (TCheckBox* box : {&Connect, &SendBefore, &StartApplication, &SendAfter})
    box->OnClick = [this] { ConnectClick(); };
  Help.OnClick = [this] { HelpClick(); };
  Cancel.OnClick = [this] { CancelClick(); };
  OK.OnClick = [this] { OKClick(); };
  bindCommandLists();
  ApplicationAdd.OnClick = [this] { ApplicationAddClick(); };
  ApplicationEdit.OnClick = [this] { ApplicationEditClick(); };
  ApplicationDelete.OnClick = [this] { ApplicationDeleteClick(); };
  ApplicationList.OnSelectItem = [this](int index, bool selected) {
    ApplicationListSelectItem(index, selected);
  };
  ApplicationList.OnClick = [this] { ApplicationListClick(); };
}

void TMain::ConnectClick() {
  const bool c = Connect.Checked();
  const bool b = SendBefore.Checked();
  const bool s = StartApplication.Checked();
  const bool a = SendAfter.Checked();
  for (TControl* ctl : std::initializer_list<TControl*>{&Port, &BaudRate, &CR, &LF, &SendBefore})
    ctl->SetEnabled(c);
  for (TControl* ctl : std::initializer_list<TControl*>{&SendBeforeText, &SendBeforeAdd, &SendBeforeCommands})
    ctl->SetEnabled(b && c);
  for (TControl* ctl : std::initializer_list<TControl*>{&ApplicationList, &ApplicationAdd, &Interval})
    ctl->SetEnabled(s);
  SendAfter.SetEnabled(c);
  for (TControl* ctl : std::initializer_list<TControl*>{&SendAfterText, &SendAfterAdd, &SendAfterCommands})
    ctl->SetEnabled(a && c);
}

void TMain::HelpClick() { ShowHelp(); }

void TMain::CancelClick() { Application().Terminate(); }
