// The port-aware drop-down list against a real combo box, and the main window's port list, with
// the serial-port map written by each test.
#include <gtest/gtest.h>

#include <memory>

#include "controls/CPortCtl.h"
#include "serial/SerialMap.h"
#include "settings/TarvenikIni.h"
#include "testing/StartUp.h"
#include "testing/WinTest.h"
#include "ui/Unit1.h"

using namespace serialtest;

namespace {

using Names = std::vector<std::string>;

class PortForm : public TForm {
 public:
  PortForm() : TForm(L"Ports", 200, 60) { Port.Create(*this, "Port", L"", {5, 5, 120, 21}, 0, true); }
  TComComboBox Port;
};

// Picks an item as the user does: the selection moves, then the list tells its form.
void pick(TComComboBox& box, int index) {
  SendMessageW(box.Handle(), CB_SETCURSEL, index, 0);
  SendMessageW(GetParent(box.Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box.Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(box.Handle()));
}

class ComComboBoxTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::SetUpApplication(); }
  // The main window, built over a temporary folder without a settings file.
  std::unique_ptr<TMain> buildMain() { return wintest::MakeMain(dir_.Path()); }

  SavedSerialMap saved_;
  TempDir dir_;
};

TEST_F(ComComboBoxTest, MainWindowListsThePortsSortedWithCom1Selected) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM3", "COM1", "COM10", "COM2"})));
  auto main = buildMain();
  EXPECT_EQ(wintest::ComboItems(main->Port.Handle()), (Names{"COM1", "COM10", "COM2", "COM3"}));
  EXPECT_EQ(main->Port.ItemIndex(), 0);
  EXPECT_EQ(main->Port.Text(), "COM1");
  EXPECT_EQ(main->Port.ComProperty(), cpPort);
  EXPECT_EQ(main->Port.ComPort(), &main->ComPort);
  EXPECT_FALSE(main->Port.AutoApply());
  // What the list shows chosen, as the window holds it.
  EXPECT_EQ(wintest::ComboSelection(main->Port.Handle()), "COM1");
}

TEST_F(ComComboBoxTest, MainWindowPortSettingsObjectHasItsDesignData) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM1"})));
  auto main = buildMain();
  const TComPort& p = main->ComPort;
  EXPECT_FALSE(p.Connected());
  EXPECT_EQ(p.Port(), "COM1");
  EXPECT_EQ(p.BaudRate(), br9600);
  EXPECT_EQ(p.StopBits(), sbOneStopBit);
  EXPECT_EQ(p.DataBits(), dbEight);
  EXPECT_EQ(p.Events(), TComEvents::All());
  EXPECT_EQ(p.Parity().Bits(), prNone);
  EXPECT_EQ(p.FlowControl().FlowControl(), fcNone);
}

TEST_F(ComComboBoxTest, APortListedTwiceShowsTwiceAndTextSelectsTheFirst) {
  ASSERT_TRUE(WriteSerialMap({{"\\Device\\Serial0", "COM1"}, {"\\Device\\Serial1", "COM1"}, {"a", "COM2"}}));
  auto main = buildMain();
  EXPECT_EQ(wintest::ComboItems(main->Port.Handle()), (Names{"COM1", "COM1", "COM2"}));
  main->Port.SetItemIndex(2);
  main->Port.SetText("com1");
  EXPECT_EQ(main->Port.ItemIndex(), 0);
}

TEST_F(ComComboBoxTest, ALowerCaseCom1IsSelectedAndReadAsListed) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM2", "com1"})));
  auto main = buildMain();
  EXPECT_EQ(main->Port.ItemIndex(), 0);
  EXPECT_EQ(main->Port.Text(), "com1");
}

TEST_F(ComComboBoxTest, WithoutCom1NothingIsSelected) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM3", "COM2"})));
  auto main = buildMain();
  EXPECT_EQ(wintest::ComboItems(main->Port.Handle()), (Names{"COM2", "COM3"}));
  EXPECT_EQ(main->Port.ItemIndex(), -1);
  EXPECT_EQ(main->Port.Text(), "");
  main->Port.SetText("COM4");  // unlisted: no change, no error
  EXPECT_EQ(main->Port.ItemIndex(), -1);
  main->Port.SetText("com3");
  EXPECT_EQ(main->Port.Text(), "COM3");
}

TEST_F(ComComboBoxTest, AnEmptyMapGivesAnEmptyList) {
  ASSERT_TRUE(WriteSerialMap({}));
  auto main = buildMain();
  EXPECT_EQ(main->Port.Count(), 0);
  EXPECT_EQ(main->Port.Text(), "");
  main->Port.SetText("COM1");
  EXPECT_EQ(main->Port.ItemIndex(), -1);
  main->Port.SetComProperty(cpPort);
  EXPECT_EQ(main->Port.ItemIndex(), -1);
  EXPECT_EQ(main->Port.Count(), 0);
}

TEST_F(ComComboBoxTest, AMissingMapIsShownAndTheWindowGoesOnWithAnEmptyList) {
  RemoveSerialMap();
  std::unique_ptr<TMain> main;
  std::vector<wintest::SeenBox> seen;
  {
    wintest::MessageBoxWatcher watcher;
    main = buildMain();
    seen = watcher.seen();
  }
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].caption, L"Tarvenik - Konfigurator");
  // No "." after the closing parenthesis.
  EXPECT_EQ(seen[0].text, L"Error reading Port.ComProperty: Registry error (win error code: 2)");
  EXPECT_TRUE(seen[0].hasStopIcon);
  EXPECT_EQ(seen[0].buttons, 1);
  EXPECT_EQ(main->Port.Count(), 0);
  EXPECT_EQ(main->Port.ItemIndex(), -1);
  EXPECT_EQ(main->Port.Text(), "");
  EXPECT_EQ(main->Port.ComProperty(), cpPort);
  EXPECT_EQ(main->Port.ComPort(), &main->ComPort);
  // The rest of the window works.
  main->Connect.SetChecked(true);
  EXPECT_TRUE(main->Port.Enabled());
}

// Building in the order the main window builds its port list; only the last selection counts.
TEST_F(ComComboBoxTest, SelectionsWhileBuildingAreRecordedAndTheLastApplied) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM2", "COM1"})));
  PortForm form;
  TComPort port;
  form.Port.SetComProperty(cpPort);
  form.Port.SetText("COM2");
  EXPECT_EQ(form.Port.ItemIndex(), -1);  // recorded only
  form.Port.SetItemIndex(1);
  form.EndBuilding();
  EXPECT_EQ(form.Port.ItemIndex(), 1);

  PortForm noPort;
  port.SetPort("COM7");
  noPort.Port.SetComProperty(cpPort);
  noPort.Port.SetItemIndex(1);
  noPort.Port.SetComPort(&port);  // not listed: -1, which is not applied
  noPort.EndBuilding();
  EXPECT_EQ(noPort.Port.ItemIndex(), -1);
  noPort.Port.SetItemIndex(1);  // after building, straight through
  EXPECT_EQ(noPort.Port.ItemIndex(), 1);
}

TEST_F(ComComboBoxTest, AutoApplyOffKeepsTheObjectsPortAndOnSetsIt) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM1", "COM4"})));
  for (bool autoApply : {false, true}) {
    PortForm form;
    TComPort port;
    form.Port.SetComProperty(cpPort);
    form.Port.SetComPort(&port);
    form.Port.SetAutoApply(autoApply);
    form.EndBuilding();
    int changes = 0;
    form.Port.OnChange = [&] { ++changes; };
    pick(form.Port, 1);
    EXPECT_EQ(form.Port.Text(), "COM4");
    EXPECT_EQ(wintest::ComboSelection(form.Port.Handle()), "COM4");
    EXPECT_EQ(port.Port(), autoApply ? "COM4" : "COM1");
    EXPECT_EQ(changes, 1);
  }
}

TEST_F(ComComboBoxTest, TheRemovalNoticeUnlinksAndSelectsTheFirstItem) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM2", "COM3"})));
  PortForm form;
  auto port = std::make_unique<TComPort>();
  form.Port.SetComProperty(cpPort);
  form.Port.SetComPort(port.get());
  form.EndBuilding();
  EXPECT_EQ(form.Port.ItemIndex(), -1);
  port.reset();
  EXPECT_EQ(form.Port.ComPort(), nullptr);
  EXPECT_EQ(form.Port.ItemIndex(), 0);

  // A control that goes first is forgotten by the object, which then tells nobody.
  auto other = std::make_unique<TComPort>();
  {
    PortForm shortLived;
    shortLived.Port.SetComPort(other.get());
    shortLived.EndBuilding();
  }
  other.reset();
}

TEST_F(ComComboBoxTest, RelinkingForgetsTheEarlierObject) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM1", "COM2"})));
  PortForm form;
  auto first = std::make_unique<TComPort>();
  TComPort second;
  second.SetPort("COM2");
  form.EndBuilding();
  form.Port.SetComProperty(cpPort);
  form.Port.SetComPort(first.get());
  EXPECT_EQ(form.Port.ItemIndex(), 0);
  form.Port.SetComPort(&second);
  EXPECT_EQ(form.Port.ItemIndex(), 1);
  first.reset();  // no longer linked: no notice
  EXPECT_EQ(form.Port.ComPort(), &second);
  EXPECT_EQ(form.Port.ItemIndex(), 1);
  form.Port.SetComPort(nullptr);  // unlinking keeps the selection
  EXPECT_EQ(form.Port.ItemIndex(), 1);
}

// Writing the kind refills the list and selects what the linked object holds, or item 0 without one.
TEST_F(ComComboBoxTest, EveryKindSelectsTheLinkedValue) {
  TComPort port;
  port.SetBaudRate(br57600);
  port.SetDataBits(dbSix);
  port.SetStopBits(sbOne5StopBits);
  port.Parity().SetBits(prSpace);
  port.FlowControl().SetFlowControl(fcHardware);
  struct Case {
    TComProperty kind;
    int count, linked;
    const char* text;
  } cases[] = {{cpBaudRate, 16, 12, "57600"},
               {cpDataBits, 4, 1, "6"},
               {cpStopBits, 3, 1, "1.5"},
               {cpParity, 5, 4, "Space"},
               {cpFlowControl, 4, 0, "Hardware"}};
  for (const Case& c : cases) {
    PortForm form;
    form.EndBuilding();
    form.Port.SetComProperty(c.kind);
    EXPECT_EQ(form.Port.Count(), c.count);
    EXPECT_EQ(form.Port.ItemIndex(), 0);
    form.Port.SetComPort(&port);
    EXPECT_EQ(form.Port.ItemIndex(), c.linked);
    EXPECT_EQ(form.Port.Text(), c.text);
    form.Port.SetComProperty(c.kind);
    EXPECT_EQ(form.Port.ItemIndex(), c.linked);
  }
  PortForm none;
  none.EndBuilding();
  none.Port.SetComPort(&port);
  none.Port.SetComProperty(cpNone);
  EXPECT_EQ(none.Port.Count(), 0);
  EXPECT_EQ(none.Port.Text(), "");
}

TEST_F(ComComboBoxTest, PickingAValueKindAppliesItWithAutoApply) {
  TComPort port;
  PortForm form;
  form.EndBuilding();
  form.Port.SetComProperty(cpParity);
  form.Port.SetComPort(&port);
  form.Port.SetAutoApply(true);
  pick(form.Port, 2);
  EXPECT_EQ(port.Parity().Bits(), prEven);
  form.Port.SetComProperty(cpFlowControl);
  pick(form.Port, 1);
  EXPECT_EQ(port.FlowControl().FlowControl(), fcSoftware);
}

}  // namespace
