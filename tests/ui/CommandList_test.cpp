// The two command-list groups of the main window, driven through their real controls.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "settings/TarvenikIni.h"
#include "testing/StartUp.h"
#include "testing/WinTest.h"
#include "ui/Unit1.h"

namespace {

// One group's controls, picked from the window.
struct Group {
  const char* name;
  TCheckBox TMain::*box;
  TEdit TMain::*text;
  TSpeedButton TMain::*add;
  TSpeedButton TMain::*edit;
  TSpeedButton TMain::*del;
  TListView TMain::*commands;
};

const Group kBefore{"Before",
                    &TMain::SendBefore,
                    &TMain::SendBeforeText,
                    &TMain::SendBeforeAdd,
                    &TMain::SendBeforeEdit,
                    &TMain::SendBeforeDelete,
                    &TMain::SendBeforeCommands};
const Group kAfter{"After",
                   &TMain::SendAfter,
                   &TMain::SendAfterText,
                   &TMain::SendAfterAdd,
                   &TMain::SendAfterEdit,
                   &TMain::SendAfterDelete,
                   &TMain::SendAfterCommands};

void PrintTo(const Group& g, std::ostream* os) { *os << g.name; }

class CommandListTest : public ::testing::TestWithParam<Group> {
 protected:
  void SetUp() override {
    wintest::SetUpApplication();
    main_ = wintest::MakeMain(dir_.Path());
    wintest::PumpMessages();
    main_->Connect.SetChecked(true);
    (main_.get()->*GetParam().box).SetChecked(true);
  }
  void TearDown() override { main_.reset(); }

  TEdit& text() { return main_.get()->*GetParam().text; }
  TSpeedButton& add() { return main_.get()->*GetParam().add; }
  TSpeedButton& edit() { return main_.get()->*GetParam().edit; }
  TSpeedButton& del() { return main_.get()->*GetParam().del; }
  TListView& list() { return main_.get()->*GetParam().commands; }

  std::vector<std::string> rows() {
    std::vector<std::string> r;
    for (int i = 0; i < list().Count(); ++i) r.push_back(list().RowText(i));
    return r;
  }
  // Enter typed in the edit field, through the window's own keyboard handling.
  void pressEnter() {
    text().SetFocus();
    PostMessageW(text().Handle(), WM_KEYDOWN, VK_RETURN, 1);
    PostMessageW(text().Handle(), WM_KEYUP, VK_RETURN, 0xC0000001);
    wintest::PumpMessages();
  }
  void typeAndAdd(const std::string& s) {
    text().SetText(s);
    add().Click();
  }
  // A left click at a point of the list's client area.
  void clickList(POINT p) {
    PostMessageW(list().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    PostMessageW(list().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    wintest::PumpMessages();
  }
  void clickRow(int row) {
    RECT r{};
    r.left = LVIR_BOUNDS;
    SendMessageW(list().Handle(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    clickList({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
  void clickBelowRows() {
    RECT r;
    GetClientRect(list().Handle(), &r);
    clickList({r.right / 2, r.bottom - 3});
  }

  TempDir dir_;
  std::unique_ptr<TMain> main_;
};

TEST_P(CommandListTest, EnterAddsTheFieldsTextWithoutInsertingItAndAddsNothingWhenEmpty) {
  text().SetText("");
  pressEnter();
  EXPECT_TRUE(rows().empty());
  text().SetText("ATZ");
  pressEnter();
  EXPECT_EQ(rows(), std::vector<std::string>{"ATZ"});
  EXPECT_EQ(text().Text(), "");
}

TEST_P(CommandListTest, PlusAppendsEveryNonEmptyTextAsTyped) {
  typeAndAdd("ATZ");
  typeAndAdd("ATZ");
  typeAndAdd("AT  \"Z\" '");
  typeAndAdd("");
  EXPECT_EQ(rows(), (std::vector<std::string>{"ATZ", "ATZ", "AT  \"Z\" '"}));
  EXPECT_EQ(text().Text(), "");
}

TEST_P(CommandListTest, SelectingARowEnablesEditAndDeleteAndShowsItsCaption) {
  typeAndAdd("one");
  typeAndAdd("two");
  EXPECT_FALSE(edit().Enabled());
  EXPECT_FALSE(del().Enabled());
  clickRow(0);
  EXPECT_EQ(list().Selected(), 0);
  EXPECT_TRUE(edit().Enabled());
  EXPECT_TRUE(del().Enabled());
  EXPECT_EQ(text().Text(), "one");
  // Moving the selection reports the row left first, so the field ends with the new row.
  clickRow(1);
  EXPECT_EQ(text().Text(), "two");
}

TEST_P(CommandListTest, EditReplacesTheSelectedRowWhilePlusAppendsAndClears) {
  typeAndAdd("one");
  typeAndAdd("two");
  clickRow(0);
  text().SetText("uno");
  edit().Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"uno", "two"}));
  EXPECT_EQ(text().Text(), "uno");
  // An empty field replaces nothing.
  text().SetText("");
  edit().Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"uno", "two"}));

  text().SetText("three");
  add().Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"uno", "two", "three"}));
  EXPECT_EQ(text().Text(), "");
}

TEST_P(CommandListTest, AfterDeletingTheSelectedRowEditDoesNothingAndPlusStillAppends) {
  typeAndAdd("one");
  typeAndAdd("two");
  clickRow(1);
  del().Click();
  EXPECT_EQ(rows(), std::vector<std::string>{"one"});
  EXPECT_EQ(list().Selected(), -1);
  text().SetText("changed");
  edit().Click();
  EXPECT_EQ(rows(), std::vector<std::string>{"one"});
  del().Click();  // nothing selected: nothing deleted
  EXPECT_EQ(rows(), std::vector<std::string>{"one"});
  add().Click();
  EXPECT_EQ(rows(), (std::vector<std::string>{"one", "changed"}));
}

TEST_P(CommandListTest, AClickOnTheEmptyAreaClearsTheSelectionTheButtonsAndTheField) {
  typeAndAdd("one");
  clickRow(0);
  ASSERT_TRUE(edit().Enabled());
  clickBelowRows();
  EXPECT_EQ(list().Selected(), -1);
  EXPECT_FALSE(edit().Enabled());
  EXPECT_FALSE(del().Enabled());
  EXPECT_EQ(text().Text(), "");
  EXPECT_EQ(rows(), std::vector<std::string>{"one"});
}

TEST_P(CommandListTest, TheEnablementRuleLeavesEditAndDeleteAsTheSelectionSetThem) {
  typeAndAdd("one");
  clickRow(0);
  main_->Connect.SetChecked(false);
  EXPECT_FALSE(text().Enabled());
  EXPECT_FALSE(add().Enabled());
  EXPECT_FALSE(list().Enabled());
  EXPECT_TRUE(edit().Enabled());
  EXPECT_TRUE(del().Enabled());
  main_->Connect.SetChecked(true);
  EXPECT_TRUE(edit().Enabled());
  // And a group whose buttons were never enabled stays so when it is enabled.
  clickBelowRows();
  main_->Connect.SetChecked(false);
  main_->Connect.SetChecked(true);
  EXPECT_FALSE(edit().Enabled());
  EXPECT_FALSE(del().Enabled());
}

INSTANTIATE_TEST_SUITE_P(Groups, CommandListTest, ::testing::Values(kBefore, kAfter),
                         [](const ::testing::TestParamInfo<Group>& info) {
                           return std::string(info.param.name);
                         });

TEST(MainInterval, IsASpinFieldFromOneToSixtyShowingFive) {
  Application().Initialize();
  TempDir dir;
  const auto window = wintest::MakeMain(dir.Path());
  TMain& main = *window;
  EXPECT_EQ(main.Interval.MinValue(), 1);
  EXPECT_EQ(main.Interval.MaxValue(), 60);
  EXPECT_EQ(main.Interval.Text(), "5");
  EXPECT_EQ(main.Interval.TabOrder(), 16);
  RECT r = main.Interval.BoundsRect();
  EXPECT_EQ(r.left, 80);
  EXPECT_EQ(r.top, 250);
  EXPECT_EQ(r.right - r.left, 60);
  EXPECT_EQ(r.bottom - r.top, 22);
}

}  // namespace
