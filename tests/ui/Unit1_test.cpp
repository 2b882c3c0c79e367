// The main window against real controls: the control table and the enablement rule.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>

#include "base/Text.h"
#include "settings/TarvenikIni.h"
#include "testing/ImageSlot.h"
#include "testing/MainLayout.h"
#include "testing/StartUp.h"
#include "testing/WinTest.h"
#include "toolkit/Dpi.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::SetUpApplication();
    // All four boxes unchecked, and every control put back as the window is built: out of step.
    std::ofstream(dir_.Path() / "Tarvenik.ini")
        << "[Settings]\r\nRS232Connect=0\r\nSendBefore=0\r\nStartApplication=0\r\nSendAfter=0\r\n";
    main_ = wintest::MakeMain(dir_.Path());
    for (const MainControl& c : MainLayout()) c.control(*main_).SetEnabled(c.enabled);
  }
  void TearDown() override { main_.reset(); }

  TempDir dir_;
  std::unique_ptr<TMain> main_;
};

TEST_F(MainWindowTest, WindowHasTitleToolBorderAndClientSize) {
  EXPECT_EQ(wintest::WindowText(main_->Handle()), L"Tarvenik - Konfigurator");
  LONG ex = GetWindowLongW(main_->Handle(), GWL_EXSTYLE);
  LONG style = GetWindowLongW(main_->Handle(), GWL_STYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX));
  RECT r;
  GetClientRect(main_->Handle(), &r);
  EXPECT_EQ(r.right, 400);
  EXPECT_EQ(r.bottom, 420);
  EXPECT_EQ(main_->Controls().size(), std::size(wintest::kMainWindowControls));
}

void expectEveryControlAsTheTable(TMain& main) {
  for (const wintest::ExpectedControl& e : wintest::kMainWindowControls) {
    SCOPED_TRACE(e.name);
    TControl* c = main.FindControl(e.name);
    ASSERT_NE(c, nullptr);
    HWND h = c->Handle();
    EXPECT_EQ(_wcsicmp(wintest::ClassName(h).c_str(), e.windowClass), 0) << wintest::ClassName(h).c_str();
    if (e.caption) {
      EXPECT_EQ(WideToUtf8(c->Caption()), e.caption);
    }
    RECT r = c->BoundsRect();
    EXPECT_EQ(r.left, e.rect.left);
    EXPECT_EQ(r.top, e.rect.top);
    EXPECT_EQ(r.right, e.rect.right);
    EXPECT_EQ(r.bottom, e.rect.bottom);
    EXPECT_EQ(c->Enabled(), e.enabled);
    EXPECT_EQ(c->TabOrder(), e.tabOrder);
    EXPECT_EQ((GetWindowLongW(h, GWL_STYLE) & WS_TABSTOP) != 0, e.tabOrder >= 0);
    SendMessageW(h, WM_GETFONT, 0, 0) == reinterpret_cast<LRESULT>(main.Font()) ? void()
                                                                                : ADD_FAILURE() << "font";
  }
}

TEST_F(MainWindowTest, EveryControlMatchesTheTable) { expectEveryControlAsTheTable(*main_); }

// Windows tells the window that it is now on a monitor at 150 %: it takes the rectangle Windows
// suggests and scales its controls, font, icons, columns and spin field; back at 100 % everything
// is as the table gives it again.
TEST_F(MainWindowTest, MovingToAMonitorWithAnotherScaleRescalesInPlace) {
  TMain& m = *main_;
  m.AddApplication("Notatnik", "C:\\windows\\notepad.exe", "");
  m.ApplicationList.AutoSizeColumns();
  auto moveTo = [&](UINT dpi, int clientWidth, int clientHeight) {
    RECT window;
    GetWindowRect(m.Handle(), &window);
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, GetWindowLongW(m.Handle(), GWL_STYLE), FALSE,
                       GetWindowLongW(m.Handle(), GWL_EXSTYLE));
    OffsetRect(&r, window.left + 7 - r.left, window.top + 3 - r.top);
    SendMessageW(m.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&r));
    GetWindowRect(m.Handle(), &window);
    EXPECT_EQ(window.left, r.left);
    EXPECT_EQ(window.top, r.top);
  };
  // Asked first what size it would have there: its client size at that scale, in that scale's frame.
  SIZE asked{};
  EXPECT_TRUE(
      SendMessageW(m.Handle(), 0x02E4 /* WM_GETDPISCALEDSIZE */, 144, reinterpret_cast<LPARAM>(&asked)));
  RECT framed{0, 0, 600, 630};
  AdjustWindowRectForDpi(framed, static_cast<DWORD>(GetWindowLongW(m.Handle(), GWL_STYLE)),
                         static_cast<DWORD>(GetWindowLongW(m.Handle(), GWL_EXSTYLE)), 144);
  EXPECT_EQ(asked.cx, framed.right - framed.left);
  EXPECT_EQ(asked.cy, framed.bottom - framed.top);
  moveTo(144, 600, 630);
  EXPECT_EQ(m.Dpi(), 144u);
  RECT client;
  GetClientRect(m.Handle(), &client);
  EXPECT_EQ(client.right, 600);
  EXPECT_EQ(client.bottom, 630);
  RECT ok = m.OK.BoundsRect();
  EXPECT_EQ(ok.left, 308);  // 205, 385, 190, 30 at 150 %
  EXPECT_EQ(ok.top, 578);
  EXPECT_EQ(ok.right - ok.left, 285);
  EXPECT_EQ(ok.bottom - ok.top, 45);
  LOGFONTW font{};
  GetObjectW(m.Font(), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -16);
  EXPECT_EQ(SendMessageW(m.CR.Handle(), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(m.Font()));
  EXPECT_EQ(wintest::ImageSize(m.Icons.Handle()), std::make_pair(24, 24));
  EXPECT_EQ(m.Icons.Count(), 1);
  RECT pair = m.Interval.Button().BoundsRect();
  EXPECT_EQ(pair.right - pair.left, 23);
  RECT list;
  GetClientRect(m.SendBeforeCommands.Handle(), &list);
  EXPECT_EQ(ListView_GetColumnWidth(m.SendBeforeCommands.Handle(), 0), list.right);

  moveTo(96, 400, 420);
  GetClientRect(m.Handle(), &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 420);
  expectEveryControlAsTheTable(m);
  GetObjectW(m.Font(), sizeof font, &font);
  EXPECT_EQ(font.lfHeight, -11);
  EXPECT_EQ(wintest::ImageSize(m.Icons.Handle()), std::make_pair(16, 16));
  pair = m.Interval.Button().BoundsRect();
  EXPECT_EQ(pair.right - pair.left, 15);
}

TEST_F(MainWindowTest, OnlyTheMainWindowsLabelsAreCentredVertically) {
  TSelectApplication dialog;
  const std::pair<TForm*, std::vector<const char*>> forms[] = {
      {main_.get(), {"BaudRateLabel", "Label1", "Label2"}},
      {&dialog, {"Label3", "Label1", "Label2"}},
  };
  for (const auto& [form, labels] : forms) {
    for (const char* name : labels) {
      SCOPED_TRACE(name);
      TControl* label = form->FindControl(name);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ((GetWindowLongW(label->Handle(), GWL_STYLE) & SS_CENTERIMAGE) != 0, form == main_.get());
    }
  }
}

TEST_F(MainWindowTest, TabMovesThroughTheControlsInTabOrder) {
  main_->Show();
  // Enable everything so every tab stop can take the focus.
  for (TControl* c : main_->Controls()) c->SetEnabled(true);
  std::vector<std::string> order;
  HWND h = GetNextDlgTabItem(main_->Handle(), nullptr, FALSE);
  for (size_t i = 0; i < 20 && h; ++i) {
    TControl* c = TControl::FromHandle(h);
    if (!c) c = TControl::FromHandle(GetParent(h));
    order.push_back(c ? c->Name() : "?");
    h = GetNextDlgTabItem(main_->Handle(), h, FALSE);
    if (c && order.size() > 1 && c->Name() == order.front()) break;
  }
  // clang-format off
  const std::vector<std::string> expected = {
      "Connect",          "Port",        "BaudRate",      "CR",   "LF",   "SendBefore",
      "SendBeforeText",   "SendBeforeCommands", "StartApplication", "ApplicationList", "SendAfter",
      "SendAfterText",    "SendAfterCommands", "OK",     "Help", "Cancel", "Interval"};
  // clang-format on
  ASSERT_GE(order.size(), expected.size());
  order.resize(expected.size());
  EXPECT_EQ(order, expected);
}

TEST_F(MainWindowTest, BaudRateListHoldsTheTwelveRatesWith9600Selected) {
  const std::vector<std::string> rates = {"600",   "1200",  "2400",  "4800",  "9600",   "14400",
                                          "19200", "38400", "56000", "57600", "115200", "256000"};
  EXPECT_EQ(wintest::ComboItems(main_->BaudRate.Handle()), rates);
  EXPECT_EQ(main_->BaudRate.ItemIndex(), 4);
}

TEST_F(MainWindowTest, ListsHaveTheirColumns) {
  EXPECT_TRUE(GetWindowLongW(main_->SendBeforeCommands.Handle(), GWL_STYLE) & LVS_NOCOLUMNHEADER);
  EXPECT_TRUE(GetWindowLongW(main_->SendAfterCommands.Handle(), GWL_STYLE) & LVS_NOCOLUMNHEADER);
  EXPECT_FALSE(GetWindowLongW(main_->ApplicationList.Handle(), GWL_STYLE) & LVS_NOCOLUMNHEADER);
  auto columns = [](TListView& l) {
    std::vector<std::string> names;
    for (int i = 0;; ++i) {
      wchar_t buf[64] = {};
      LVCOLUMNW col{};
      col.mask = LVCF_TEXT;
      col.pszText = buf;
      col.cchTextMax = 64;
      if (!SendMessageW(l.Handle(), LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&col))) break;
      names.push_back(WideToUtf8(buf));
    }
    return names;
  };
  EXPECT_EQ(columns(main_->SendBeforeCommands), std::vector<std::string>{"Polecenie"});
  EXPECT_EQ(columns(main_->SendAfterCommands), std::vector<std::string>{"Polecenie"});
  EXPECT_EQ(columns(main_->ApplicationList), (std::vector<std::string>{"Nazwa", "Ścieżka", "Parametry"}));
  for (TListView* l : {&main_->SendBeforeCommands, &main_->ApplicationList}) {
    DWORD ex = ListView_GetExtendedListViewStyle(l->Handle());
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    LONG style = GetWindowLongW(l->Handle(), GWL_STYLE);
    EXPECT_TRUE(style & LVS_SINGLESEL);
    EXPECT_TRUE(style & LVS_SHOWSELALWAYS);
    EXPECT_FALSE(style & LVS_EDITLABELS);
  }
}

// Sets a check box as a click by the user would, so the enablement rule runs.
void clickTo(TCheckBox& box, bool checked) {
  if (box.Checked() != checked) SendMessageW(box.Handle(), BM_CLICK, 0, 0);
  ASSERT_EQ(box.Checked(), checked);
}

TEST_F(MainWindowTest, EnablementRuleForAllSixteenCombinations) {
  TMain& m = *main_;
  // "E" and "-" follow the selection only; give some a state the rule must not touch.
  m.SendBeforeEdit.SetEnabled(true);
  m.ApplicationDelete.SetEnabled(true);
  for (int mask = 0; mask < 16; ++mask) {
    const bool c = mask & 1, b = mask & 2, s = mask & 4, a = mask & 8;
    SCOPED_TRACE(testing::Message() << "C=" << c << " B=" << b << " S=" << s << " A=" << a);
    // Enable the dependent boxes first so they can be clicked.
    m.SendBefore.SetEnabled(true);
    m.SendAfter.SetEnabled(true);
    clickTo(m.SendBefore, b);
    clickTo(m.SendAfter, a);
    clickTo(m.StartApplication, s);
    clickTo(m.Connect, !c);
    clickTo(m.Connect, c);
    wintest::PumpMessages();

    EXPECT_EQ(m.Connect.Checked(), c);
    EXPECT_EQ(m.SendBefore.Checked(), b);
    EXPECT_EQ(m.StartApplication.Checked(), s);
    EXPECT_EQ(m.SendAfter.Checked(), a);

    for (TControl* ctl :
         std::initializer_list<TControl*>{&m.Port, &m.BaudRate, &m.CR, &m.LF, &m.SendBefore, &m.SendAfter})
      EXPECT_EQ(ctl->Enabled(), c) << ctl->Name();
    for (TControl* ctl :
         std::initializer_list<TControl*>{&m.SendBeforeText, &m.SendBeforeAdd, &m.SendBeforeCommands})
      EXPECT_EQ(ctl->Enabled(), b && c) << ctl->Name();
    for (TControl* ctl : std::initializer_list<TControl*>{&m.ApplicationList, &m.ApplicationAdd, &m.Interval})
      EXPECT_EQ(ctl->Enabled(), s) << ctl->Name();
    for (TControl* ctl :
         std::initializer_list<TControl*>{&m.SendAfterText, &m.SendAfterAdd, &m.SendAfterCommands})
      EXPECT_EQ(ctl->Enabled(), a && c) << ctl->Name();
    // Never touched by the rule.
    for (TControl* ctl : std::initializer_list<TControl*>{&m.Connect, &m.StartApplication, &m.BaudRateLabel,
                                                          &m.Label1, &m.Label2, &m.OK, &m.Cancel, &m.Help,
                                                          &m.SendBeforeEdit, &m.ApplicationDelete})
      EXPECT_TRUE(ctl->Enabled()) << ctl->Name();
    for (TControl* ctl : std::initializer_list<TControl*>{&m.SendBeforeDelete, &m.ApplicationEdit,
                                                          &m.SendAfterEdit, &m.SendAfterDelete})
      EXPECT_FALSE(ctl->Enabled()) << ctl->Name();
  }
}

TEST_F(MainWindowTest, CheckingFromTheProgramRunsTheRuleOnlyOnAChange) {
  TMain& m = *main_;
  m.StartApplication.SetChecked(false);  // no change: the rule does not run
  EXPECT_TRUE(m.Interval.Enabled());
  EXPECT_TRUE(m.CR.Enabled());
  m.StartApplication.SetChecked(true);  // a change: the rule runs
  EXPECT_TRUE(m.Interval.Enabled());
  EXPECT_FALSE(m.CR.Enabled());  // Connect is unchecked
}

}  // namespace
