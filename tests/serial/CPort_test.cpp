#include "serial/CPort.h"

#include <gtest/gtest.h>

namespace {

TEST(ComPort, DefaultsOfEverySetting) {
  TComPort p;
  EXPECT_FALSE(p.Connected());
  EXPECT_EQ(p.BaudRate(), br9600);
  EXPECT_EQ(p.CustomBaudRate(), 9600);
  EXPECT_EQ(p.Port(), "COM1");
  EXPECT_EQ(p.StopBits(), sbOneStopBit);
  EXPECT_EQ(p.DataBits(), dbEight);
  EXPECT_FALSE(p.DiscardNull());
  EXPECT_EQ(p.EventChar(), '\0');
  EXPECT_EQ(p.Events(), TComEvents::All());
  for (int e = evRxChar; e <= evRx80Full; ++e) EXPECT_TRUE(p.Events().Contains(static_cast<TComEvent>(e)));
  EXPECT_EQ(p.SyncMethod(), smThreadSync);

  EXPECT_EQ(p.Buffer().InputSize(), 1024);
  EXPECT_EQ(p.Buffer().OutputSize(), 1024);

  EXPECT_EQ(p.Parity().Bits(), prNone);
  EXPECT_FALSE(p.Parity().Check());
  EXPECT_FALSE(p.Parity().Replace());
  EXPECT_EQ(p.Parity().ReplaceChar(), '\0');

  EXPECT_EQ(p.Timeouts().ReadInterval(), -1);
  EXPECT_EQ(p.Timeouts().ReadTotalMultiplier(), 0);
  EXPECT_EQ(p.Timeouts().ReadTotalConstant(), 0);
  EXPECT_EQ(p.Timeouts().WriteTotalMultiplier(), 100);
  EXPECT_EQ(p.Timeouts().WriteTotalConstant(), 1000);

  const TComFlowControl& f = p.FlowControl();
  EXPECT_FALSE(f.OutCTSFlow());
  EXPECT_FALSE(f.OutDSRFlow());
  EXPECT_EQ(f.ControlDTR(), dtrDisable);
  EXPECT_EQ(f.ControlRTS(), rtsDisable);
  EXPECT_FALSE(f.XonXoffOut());
  EXPECT_FALSE(f.XonXoffIn());
  EXPECT_FALSE(f.DSRSensitivity());
  EXPECT_FALSE(f.TxContinueOnXoff());
  EXPECT_EQ(f.XonChar(), 17);
  EXPECT_EQ(f.XoffChar(), 19);
  EXPECT_EQ(f.FlowControl(), fcNone);

  for (auto* sub :
       {&p.Parity().ComPort(), &p.FlowControl().ComPort(), &p.Timeouts().ComPort(), &p.Buffer().ComPort()})
    EXPECT_EQ(sub, &p);
}

TEST(ComPort, WritesStoreDifferentValuesAndKeepEqualOnes) {
  TComPort p;
  p.SetPort("com1");  // letter case counts
  EXPECT_EQ(p.Port(), "com1");
  p.SetPort("com1");
  EXPECT_EQ(p.Port(), "com1");

  p.SetCustomBaudRate(7200);
  EXPECT_EQ(p.CustomBaudRate(), 7200);
  EXPECT_EQ(p.BaudRate(), br9600);
  EXPECT_EQ(BaudRateToInt(p.BaudRate(), p.CustomBaudRate()), 9600);
  p.SetBaudRate(brCustom);
  EXPECT_EQ(BaudRateToInt(p.BaudRate(), p.CustomBaudRate()), 7200);

  p.SetStopBits(sbTwoStopBits);
  p.SetDataBits(dbSeven);
  p.SetDiscardNull(true);
  p.SetEventChar('x');
  p.SetEvents(TComEvents().With(evRing));
  p.Parity().SetBits(prMark);
  p.Timeouts().SetWriteTotalConstant(5);
  EXPECT_EQ(p.StopBits(), sbTwoStopBits);
  EXPECT_EQ(p.DataBits(), dbSeven);
  EXPECT_TRUE(p.DiscardNull());
  EXPECT_EQ(p.EventChar(), 'x');
  EXPECT_TRUE(p.Events().Contains(evRing));
  EXPECT_FALSE(p.Events().Contains(evRxChar));
  EXPECT_EQ(p.Parity().Bits(), prMark);
  EXPECT_EQ(p.Timeouts().WriteTotalConstant(), 5);
}

// The main window sets the port settings object to values equal to its defaults, so nothing changes.
TEST(ComPort, MainWindowSetUpLeavesTheDefaults) {
  TComPort p;
  p.SetBaudRate(br9600);
  p.SetPort("COM1");
  p.SetStopBits(sbOneStopBit);
  p.SetDataBits(dbEight);
  p.SetEvents(TComEvents::All());
  p.Parity().SetBits(prNone);
  TComFlowControl& f = p.FlowControl();
  f.SetOutCTSFlow(false);
  f.SetOutDSRFlow(false);
  f.SetControlDTR(dtrDisable);
  f.SetControlRTS(rtsDisable);
  f.SetXonXoffOut(false);
  f.SetXonXoffIn(false);
  EXPECT_EQ(p.Port(), "COM1");
  EXPECT_EQ(p.BaudRate(), br9600);
  EXPECT_EQ(f.FlowControl(), fcNone);
}

TEST(ComBuffer, PositiveOddSizesAreStoredOneLess) {
  struct Case {
    int32_t written, stored;
  } cases[] = {{1025, 1024}, {7, 6}, {1, 0}, {2048, 2048}, {0, 0}, {-3, -3}, {1024, 1024}};
  for (const Case& c : cases) {
    TComPort p;
    p.Buffer().SetInputSize(c.written);
    p.Buffer().SetOutputSize(c.written);
    EXPECT_EQ(p.Buffer().InputSize(), c.stored) << c.written;
    EXPECT_EQ(p.Buffer().OutputSize(), c.stored) << c.written;
  }
}

TEST(ValueSets, TextsInTheOrderOfTheValues) {
  EXPECT_EQ(BaudRateTexts().size(), 16u);
  EXPECT_EQ(BaudRateTexts().front(), "Custom");
  EXPECT_EQ(BaudRateTexts().back(), "256000");
  EXPECT_EQ(StopBitsTexts(), (std::vector<std::string>{"1", "1.5", "2"}));
  EXPECT_EQ(DataBitsTexts(), (std::vector<std::string>{"5", "6", "7", "8"}));
  EXPECT_EQ(ParityTexts(), (std::vector<std::string>{"None", "Odd", "Even", "Mark", "Space"}));
  EXPECT_EQ(FlowControlTexts(), (std::vector<std::string>{"Hardware", "Software", "None", "Custom"}));
  for (int v = brCustom; v <= br256000; ++v) {
    auto b = static_cast<TBaudRate>(v);
    EXPECT_EQ(StrToBaudRate(BaudRateToStr(b)), b);
    if (b != brCustom) {
      EXPECT_EQ(std::to_string(BaudRateToInt(b, 0)), BaudRateToStr(b));
    }
  }
}

TEST(ValueSets, TextToValueIgnoresAsciiCaseAndFallsBack) {
  EXPECT_EQ(StrToBaudRate("9600"), br9600);
  EXPECT_EQ(StrToBaudRate("custom"), brCustom);
  EXPECT_EQ(StrToBaudRate("CUSTOM"), brCustom);
  EXPECT_EQ(StrToBaudRate("7200"), br9600);
  EXPECT_EQ(StrToBaudRate(" 9600"), br9600);
  EXPECT_EQ(StrToBaudRate("110"), br110);
  EXPECT_EQ(StrToBaudRate(""), br9600);

  EXPECT_EQ(StrToStopBits("1.5"), sbOne5StopBits);
  EXPECT_EQ(StrToStopBits("2"), sbTwoStopBits);
  EXPECT_EQ(StrToStopBits("1,5"), sbOneStopBit);

  EXPECT_EQ(StrToDataBits("5"), dbFive);
  EXPECT_EQ(StrToDataBits("7"), dbSeven);
  EXPECT_EQ(StrToDataBits("9"), dbEight);

  EXPECT_EQ(StrToParity("space"), prSpace);
  EXPECT_EQ(StrToParity("EVEN"), prEven);
  EXPECT_EQ(StrToParity("oDd"), prOdd);
  EXPECT_EQ(StrToParity("Marks"), prNone);

  EXPECT_EQ(StrToFlowControl("hardware"), fcHardware);
  EXPECT_EQ(StrToFlowControl("SOFTWARE"), fcSoftware);
  EXPECT_EQ(StrToFlowControl("none"), fcNone);
  EXPECT_EQ(StrToFlowControl("RTS/CTS"), fcCustom);
  // Only ASCII letters are folded: a non-ASCII byte never matches a letter.
  EXPECT_EQ(StrToParity("\xC4\x98ven"), prNone);
}

TEST(FlowControl, SummaryReadFromTheFourFields) {
  struct Case {
    TRTSFlowControl rts;
    bool cts, xonIn, xonOut;
    TFlowControl expected;
  } cases[] = {
      {rtsHandshake, true, false, false, fcHardware}, {rtsDisable, false, true, true, fcSoftware},
      {rtsDisable, false, false, false, fcNone},      {rtsHandshake, true, true, false, fcCustom},
      {rtsEnable, true, false, false, fcCustom},      {rtsDisable, true, true, true, fcCustom},
      {rtsDisable, false, true, false, fcCustom},     {rtsDisable, false, false, true, fcCustom},
      {rtsToggle, false, false, false, fcCustom},     {rtsHandshake, false, false, false, fcCustom},
  };
  for (const Case& c : cases) {
    for (bool others : {false, true}) {  // DTR, DSR and the rest do not take part
      TComPort p;
      TComFlowControl& f = p.FlowControl();
      f.SetControlRTS(c.rts);
      f.SetOutCTSFlow(c.cts);
      f.SetXonXoffIn(c.xonIn);
      f.SetXonXoffOut(c.xonOut);
      f.SetControlDTR(others ? dtrHandshake : dtrDisable);
      f.SetOutDSRFlow(others);
      f.SetDSRSensitivity(others);
      EXPECT_EQ(f.FlowControl(), c.expected) << int(c.rts) << c.cts << c.xonIn << c.xonOut << others;
    }
  }
}

TEST(FlowControl, WritingTheSummarySetsTheFields) {
  for (int start = fcHardware; start <= fcNone; ++start) {
    for (int v = fcHardware; v <= fcNone; ++v) {
      TComPort p;
      TComFlowControl& f = p.FlowControl();
      f.SetFlowControl(static_cast<TFlowControl>(start));
      f.SetControlDTR(dtrEnable);
      f.SetOutDSRFlow(true);
      f.SetFlowControl(static_cast<TFlowControl>(v));
      EXPECT_EQ(f.FlowControl(), v);
      EXPECT_EQ(f.ControlRTS(), v == fcHardware ? rtsHandshake : rtsDisable);
      EXPECT_EQ(f.OutCTSFlow(), v == fcHardware);
      EXPECT_EQ(f.XonXoffIn(), v == fcSoftware);
      EXPECT_EQ(f.XonXoffOut(), v == fcSoftware);
      EXPECT_EQ(f.ControlDTR(), dtrEnable);
      EXPECT_TRUE(f.OutDSRFlow());
    }
  }
  TComPort p;
  TComFlowControl& f = p.FlowControl();
  f.SetControlRTS(rtsToggle);
  f.SetXonXoffIn(true);
  f.SetFlowControl(fcCustom);  // changes no field
  EXPECT_EQ(f.ControlRTS(), rtsToggle);
  EXPECT_TRUE(f.XonXoffIn());
  EXPECT_FALSE(f.XonXoffOut());
  EXPECT_EQ(f.FlowControl(), fcCustom);
}

struct Recorder : TComPortObserver {
  std::vector<TCustomComPort*> told;
  void ComPortRemoved(TCustomComPort& port) override { told.push_back(&port); }
};

TEST(ComPort, ObserversAreToldOnceWhenItIsDestroyed) {
  Recorder kept, forgotten;
  TCustomComPort* address = nullptr;
  {
    TComPort p;
    address = &p;
    p.FreeNotification(&kept);
    p.FreeNotification(&kept);
    p.FreeNotification(&forgotten);
    p.RemoveFreeNotification(&forgotten);
  }
  EXPECT_EQ(kept.told, std::vector<TCustomComPort*>{address});
  EXPECT_TRUE(forgotten.told.empty());
}

}  // namespace
