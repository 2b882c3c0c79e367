#include "serial/ComSelect.h"

#include <gtest/gtest.h>

#include "base/ResStrings.h"
#include "serial/Seams.h"

namespace {

struct VectorItems : TComItems {
  std::vector<std::string> items;
  int Count() const override { return static_cast<int>(items.size()); }
  std::string Item(int i) const override { return items.at(static_cast<size_t>(i)); }
  void Clear() override { items.clear(); }
  void Add(const std::string& text) override { items.push_back(text); }
};

struct Selector {
  VectorItems list;
  TComSelect select{list};
  const SerialSeams real = TheSerialSeams();
  explicit Selector(std::vector<std::string> ports = {"COM1", "COM2", "com3"}) {
    TheSerialSeams().listPorts = [ports](std::vector<std::string>& out) { out = ports; };
  }
  ~Selector() { TheSerialSeams() = real; }
  void fill(TComProperty k) {
    select.SetComProperty(k);
    select.FillItems();
  }
};

// Every value of `p` away from where a port object starts.
void setAwayFromTheStart(TComPort& p, const char* port, TParityBits parity) {
  p.SetPort(port);
  p.SetBaudRate(br19200);
  p.SetDataBits(dbSeven);
  p.SetStopBits(sbTwoStopBits);
  p.Parity().SetBits(parity);
  p.FlowControl().SetFlowControl(fcSoftware);
}

TEST(ComSelect, FieldsStartEmpty) {
  Selector s;
  EXPECT_EQ(s.select.ComProperty(), cpNone);
  EXPECT_EQ(s.select.ComPort(), nullptr);
  EXPECT_FALSE(s.select.AutoApply());
  // Nothing chosen yet: applying gives a linked object the starting values.
  TComPort p;
  setAwayFromTheStart(p, "COM5", prOdd);
  s.select.SetComPort(&p);
  for (TComProperty kind : {cpPort, cpBaudRate, cpDataBits, cpStopBits, cpParity, cpFlowControl}) {
    s.select.SetComProperty(kind);
    s.select.ApplyChoice();
  }
  EXPECT_EQ(p.Port(), "");
  EXPECT_EQ(p.BaudRate(), brCustom);
  EXPECT_EQ(p.DataBits(), dbFive);
  EXPECT_EQ(p.StopBits(), sbOneStopBit);
  EXPECT_EQ(p.Parity().Bits(), prNone);
  EXPECT_EQ(p.FlowControl().FlowControl(), fcHardware);
}

TEST(ComSelect, FillItemsListsTheValuesOfEachKind) {
  struct Case {
    TComProperty kind;
    std::vector<std::string> items;
  } cases[] = {
      {cpNone, {}},
      {cpPort, {"COM1", "COM2", "com3"}},
      {cpBaudRate, BaudRateTexts()},
      {cpDataBits, {"5", "6", "7", "8"}},
      {cpStopBits, {"1", "1.5", "2"}},
      {cpParity, {"None", "Odd", "Even", "Mark", "Space"}},
      {cpFlowControl, {"Hardware", "Software", "None", "Custom"}},
  };
  for (const Case& c : cases) {
    Selector s;
    s.list.items = {"stale"};
    s.fill(c.kind);
    EXPECT_EQ(s.list.items, c.items) << int(c.kind);
  }
}

TEST(ComSelect, AFailedPortListingLeavesTheListEmpty) {
  Selector s;
  s.list.items = {"stale"};
  TheSerialSeams().listPorts = [](std::vector<std::string>&) { throw RegistryError(2); };
  s.select.SetComProperty(cpPort);
  EXPECT_THROW(s.select.FillItems(), EComPort);
  EXPECT_TRUE(s.list.items.empty());
  EXPECT_EQ(s.select.ComProperty(), cpPort);
}

TEST(ComSelect, SyncFromPortFindsTheLinkedValueForEveryKind) {
  TComPort p;
  setAwayFromTheStart(p, "COM3", prEven);
  struct Case {
    TComProperty kind;
    int index;
  } cases[] = {{cpPort, 2},     {cpBaudRate, 9}, {cpDataBits, 2},
               {cpStopBits, 2}, {cpParity, 2},   {cpFlowControl, 1}};
  for (const Case& c : cases) {
    Selector s;
    s.fill(c.kind);
    s.select.SetComPort(&p);
    EXPECT_EQ(s.select.SyncFromPort(), c.index) << int(c.kind);
  }
  // What was found becomes the chosen value, which applying gives to another object; a port keeps
  // the text as listed.
  Selector s;
  TComPort other;
  auto syncAndApplyToOther = [&](TComProperty kind) {
    s.fill(kind);
    s.select.SetComPort(&p);
    s.select.SyncFromPort();
    s.select.SetComPort(&other);
    s.select.ApplyChoice();
  };
  syncAndApplyToOther(cpPort);
  EXPECT_EQ(other.Port(), "com3");
  syncAndApplyToOther(cpParity);
  EXPECT_EQ(other.Parity().Bits(), prEven);
  syncAndApplyToOther(cpFlowControl);
  EXPECT_EQ(other.FlowControl().FlowControl(), fcSoftware);
}

TEST(ComSelect, SyncFromPortReportsNoneWhenNothingMatches) {
  TComPort p;
  p.SetPort("COM9");
  p.FlowControl().SetControlRTS(rtsToggle);  // fcCustom, listed
  Selector s;
  EXPECT_EQ(s.select.SyncFromPort(), -1);  // no link
  s.select.SetComPort(&p);
  EXPECT_EQ(s.select.SyncFromPort(), -1);  // cpNone
  s.fill(cpPort);
  EXPECT_EQ(s.select.SyncFromPort(), -1);
  // Nothing was chosen: applying to another object gives it the starting value.
  TComPort other;
  s.select.SetComPort(&other);
  s.select.ApplyChoice();
  EXPECT_EQ(other.Port(), "");
  s.select.SetComPort(&p);
  s.fill(cpFlowControl);
  EXPECT_EQ(s.select.SyncFromPort(), 3);
}

TEST(ComSelect, StoreAndApplyCarryTheChoiceToTheLinkedObject) {
  TComPort p;
  Selector s;
  s.select.SetComPort(&p);
  auto pick = [&](TComProperty kind, const std::string& text) {
    s.fill(kind);
    s.select.StoreChoice(text);
    s.select.ApplyChoice();
  };
  pick(cpPort, "com4");
  EXPECT_EQ(p.Port(), "com4");
  pick(cpBaudRate, "115200");
  EXPECT_EQ(p.BaudRate(), br115200);
  pick(cpDataBits, "6");
  EXPECT_EQ(p.DataBits(), dbSix);
  pick(cpStopBits, "1.5");
  EXPECT_EQ(p.StopBits(), sbOne5StopBits);
  pick(cpParity, "Odd");
  EXPECT_EQ(p.Parity().Bits(), prOdd);
  pick(cpFlowControl, "Hardware");
  EXPECT_EQ(p.FlowControl().FlowControl(), fcHardware);
  EXPECT_EQ(p.FlowControl().ControlRTS(), rtsHandshake);
  pick(cpNone, "COM7");
  EXPECT_EQ(p.Port(), "com4");

  s.select.SetComPort(nullptr);
  s.fill(cpPort);
  s.select.StoreChoice("COM8");
  s.select.ApplyChoice();  // no link: nothing happens
  EXPECT_EQ(p.Port(), "com4");
  // The choice is kept all the same: linked again, it is applied.
  s.select.SetComPort(&p);
  s.select.ApplyChoice();
  EXPECT_EQ(p.Port(), "COM8");
}

TEST(ComSelect, IndexOfIgnoresCaseAndTakesTheFirst) {
  Selector s({"COM1", "com1", "COM2"});
  s.fill(cpPort);
  EXPECT_EQ(s.select.IndexOf("Com1"), 0);
  EXPECT_EQ(s.select.IndexOf("com2"), 2);
  EXPECT_EQ(s.select.IndexOf("COM"), -1);
  EXPECT_EQ(s.select.IndexOf(""), -1);
}

TEST(EComPort, RegistryErrorCarriesCodeNumberAndMessage) {
  EComPort e = RegistryError(234);
  EXPECT_EQ(e.Message(), "Registry error (win error code: 234)");
  EXPECT_EQ(e.WinCode(), 234);
  EXPECT_EQ(e.Code(), 23);
}

std::string shout(const std::string& text) { return "<" + text + ">"; }

// The texts are translated in the default domain alone, never as string resources, which would
// consult "cport" too.
TEST(EComPort, MessageTextsDoNotPassThroughTheResourceStrings) {
  SetResStringTranslator(shout);
  SerialSupportStart();
  EXPECT_EQ(RegistryError(5).Message(), "Registry error (win error code: 5)");
  SetResStringTranslator(nullptr);
}

}  // namespace
