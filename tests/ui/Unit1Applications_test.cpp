// The application group of the main window and its entry dialog, driven through real windows:
// the dialog is shown modally by the group's buttons and worked from an idle handler.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "settings/TarvenikIni.h"
#include "testing/ImageSlot.h"
#include "testing/Program.h"
#include "testing/StartUp.h"
#include "testing/WinTest.h"
#include "ui/FileIcon.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

namespace fs = std::filesystem;

const std::wstring kNameMessage = Utf8ToWide("Wprowadź nazwę aplikacji!");
const std::wstring kPathMessage = Utf8ToWide("Nieprawidłowa ścieżka aplikacji!");
const std::wstring kBlanksMessage = Utf8ToWide("Tekst nie może zaczynać się ani kończyć spacją!");
const std::wstring kQuotesMessage =
    Utf8ToWide("Tekst nie może zaczynać się i kończyć tym samym cudzysłowem!");
const std::wstring kCodePageMessage = Utf8ToWide("Tekst zawiera znaki spoza strony kodowej systemu!");
const std::wstring kLengthMessage = Utf8ToWide("Tekst może mieć najwyżej 2047 znaków!");

using wintest::ImageSlot;
using wintest::ReadImageSlot;

// The blank image: a black square (its colour bits; the mask is checked on its own below).
bool isBlank(const ImageSlot& slot) {
  if (slot.colour.size() != 256) return false;
  for (uint32_t p : slot.colour)
    if (p != 0) return false;
  return true;
}

// A file's icon as the icon list would hold it.
ImageSlot iconOf(const std::string& path) {
  TImageList reference;
  UniqueIcon icon = ExtractFileIcon(path);
  reference.Insert(0, icon.get());
  return ReadImageSlot(reference.Handle(), 0);
}

// What the entry dialog showed when it opened, and how it ended.
struct Shown {
  bool opened = false;
  std::string name, path, parameters;
  int editIndex = 0;
  bool stayedOpen = false;  // still open after the action (then cancelled by the test)
};

using Action = std::function<void(TSelectApplication&)>;

// Fills the three fields and presses "OK".
Action fill(const std::string& name, const std::string& path, const std::string& parameters = "") {
  return [=](TSelectApplication& d) {
    d.ApplicationName.SetText(name);
    d.Path.SetText(path);
    d.Parameters.SetText(parameters);
    d.OK.Click();
  };
}
const Action cancel = [](TSelectApplication& d) { d.Cancel.Click(); };
// Types into the fields, then cancels.
Action typeAndCancel(const std::string& name, const std::string& path, const std::string& parameters) {
  return [=](TSelectApplication& d) {
    d.ApplicationName.SetText(name);
    d.Path.SetText(path);
    d.Parameters.SetText(parameters);
    d.Cancel.Click();
  };
}

class ApplicationListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    wintest::SetUpApplication();
    main_ = wintest::MakeMain(dir_.Path());
    dialog_ = wintest::MakeSelectApplication();
    wintest::PumpMessages();

    wchar_t buf[MAX_PATH];
    GetWindowsDirectoryW(buf, MAX_PATH);
    const fs::path windows = buf;
    GetSystemDirectoryW(buf, MAX_PATH);
    const fs::path system = buf;
    // Two programs with icons that look different, to tell slots apart.
    for (const fs::path& p : {windows / "notepad.exe", windows / "regedit.exe", system / "taskmgr.exe",
                              system / "winecfg.exe", system / "winhlp32.exe"}) {
      std::string s = WideToAnsi(p.wstring());
      if (!fs::exists(p) || !ExtractFileIcon(s)) continue;
      if (exe1_.empty()) {
        exe1_ = s;
      } else if (iconOf(s) != iconOf(exe1_)) {
        exe2_ = s;
        break;
      }
    }
    ASSERT_FALSE(exe2_.empty()) << "two programs with distinct icons are needed";
    text_ = file("readme.txt", "plain text\r\n");
    batch_ = file("run.bat", "@echo off\r\n");
  }
  void TearDown() override {
    dialog_.reset();
    main_.reset();
  }

  std::string file(const std::string& name, const std::string& content) {
    fs::path p = dir_.Path() / name;
    WriteBytes(p, content);
    return WideToAnsi(p.wstring());
  }

  // Clicks `button`; if that opens the entry dialog, records its fields and runs `act` in it.
  Shown open(TSpeedButton& button, const Action& act) {
    Shown s;
    TSelectApplication& d = *dialog_;
    int id = Application().AddIdleHandler([&] {
      if (s.opened || !d.Visible() || d.ModalResult() != 0) return;
      s.opened = true;
      s.name = d.ApplicationName.Text();
      s.path = d.Path.Text();
      s.parameters = d.Parameters.Text();
      s.editIndex = EditIndex;
      act(d);
      if (d.Visible() && d.ModalResult() == 0) {
        s.stayedOpen = true;
        d.Cancel.Click();
      }
    });
    button.Click();
    Application().RemoveIdleHandler(id);
    EXPECT_FALSE(d.Visible());
    return s;
  }
  Shown add(const Action& act) { return open(main_->ApplicationAdd, act); }
  Shown edit(const Action& act) { return open(main_->ApplicationEdit, act); }

  TListView& list() { return main_->ApplicationList; }
  std::vector<std::string> row(int i) {
    return {list().RowText(i, 0), list().RowText(i, 1), list().RowText(i, 2)};
  }
  static std::vector<std::string> fields(const Shown& s) { return {s.name, s.path, s.parameters}; }
  std::vector<int> imageIndexes() {
    std::vector<int> r;
    for (int i = 0; i < list().Count(); ++i) r.push_back(list().ImageIndex(i));
    return r;
  }
  ImageSlot slot(int i) { return ReadImageSlot(main_->Icons.Handle(), i); }
  void clickBelowRows() {
    RECT r;
    GetClientRect(list().Handle(), &r);
    PostMessageW(list().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom - 3));
    PostMessageW(list().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(r.right / 2, r.bottom - 3));
    wintest::PumpMessages();
  }

  TempDir dir_;
  std::unique_ptr<TMain> main_;
  std::unique_ptr<TSelectApplication> dialog_;
  std::string exe1_, exe2_, text_, batch_;
};

TEST_F(ApplicationListTest, OkValidatesTheNameFirstThenThePathAndKeepsTheDialogOpen) {
  const fs::path folder = dir_.Path() / "folder";
  fs::create_directory(folder);
  const fs::path only = dir_.Path() / "only";
  fs::create_directory(only);
  std::ofstream(only / "one.txt") << "x";
  // Where the code page has "ó" but not "ż", "ł" or "ć", this file's name is the nearest 8-bit form
  // of "zażółć.txt".
  std::ofstream(dir_.Path() / L"zazólc.txt") << "x";
  const std::wstring exe = AnsiToWide(exe1_);
  struct Case {
    const char* what;
    std::wstring name, path, parameters;
    const std::wstring* message;  // null: accepted
    int field;                    // the field to correct, which has the focus after the message
  };
  const Case cases[] = {
      {"nothing typed", L"", L"", L"", &kNameMessage, 0},
      {"no name", L"", exe, L"", &kNameMessage, 0},
      {"a name of spaces, no path", L"   ", L"", L"", &kBlanksMessage, 0},
      {"missing file", L"A", (dir_.Path() / "missing.exe").wstring(), L"", &kPathMessage, 1},
      {"a folder", L"A", folder.wstring(), L"", &kPathMessage, 1},
      {"a folder with a slash", L"A", folder.wstring() + L"\\", L"", &kPathMessage, 1},
      {"a name with inner spaces, a text file", L"A  b", AnsiToWide(text_), L"", nullptr, -1},
      {"a pattern matching a file", L"A", (only / "*.txt").wstring(), L"", nullptr, -1},
      {"a program", L"A", exe, L"", nullptr, -1},
      {"a name with a blank at its end", L"A\t", exe, L"", &kBlanksMessage, 0},
      {"a path in quotation marks", L"A", L"\"" + exe + L"\"", L"", &kQuotesMessage, 1},
      {"a path the code page lacks, a look-alike there", L"A", (dir_.Path() / L"zażółć.txt").wstring(), L"",
       &kCodePageMessage, 1},
      {"parameters of 2048 characters", L"A", exe, std::wstring(2048, L'x'), &kLengthMessage, 2},
      {"parameters of 2047 characters", L"A", exe, std::wstring(2047, L'x'), nullptr, -1},
      {"parameters in apostrophes", L"A", exe, L"'-a'", &kQuotesMessage, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = list().Count();
    wintest::MessageBoxWatcher watcher;
    HWND focused = nullptr;
    Shown s = add([&](TSelectApplication& d) {
      d.ApplicationName.SetCaption(c.name);
      d.Path.SetCaption(c.path);
      d.Parameters.SetCaption(c.parameters);
      d.OK.Click();
      focused = GetFocus();
    });
    ASSERT_TRUE(s.opened);
    auto seen = watcher.seen();
    if (c.message) {
      EXPECT_TRUE(s.stayedOpen);
      const TEdit* fields[] = {&dialog_->ApplicationName, &dialog_->Path, &dialog_->Parameters};
      EXPECT_EQ(focused, fields[c.field]->Handle());
      ASSERT_EQ(seen.size(), 1u);
      EXPECT_EQ(seen[0].text, *c.message);
      EXPECT_EQ(seen[0].caption, L"Tarvenik");
      EXPECT_TRUE(seen[0].hasStopIcon);
      EXPECT_EQ(seen[0].buttons, 1);
      EXPECT_EQ(list().Count(), before);
    } else {
      EXPECT_FALSE(s.stayedOpen);
      EXPECT_TRUE(seen.empty());
      ASSERT_EQ(list().Count(), before + 1);
      EXPECT_EQ(row(before),
                (std::vector<std::string>{WideToAnsi(c.name), WideToAnsi(c.path), WideToAnsi(c.parameters)}));
    }
    EXPECT_EQ(main_->Icons.Count(), list().Count());
  }
}

TEST_F(ApplicationListTest, TextsAreStoredExactlyAsTyped) {
  const std::vector<std::string> typed = {"Zażółć  gęślą", text_, "\"-a\" b  %1'"};
  add(fill(typed[0], typed[1], typed[2]));
  ASSERT_EQ(list().Count(), 1);
  EXPECT_EQ(row(0), typed);
}

TEST_F(ApplicationListTest, FilesWithoutIconsShowNoImageAndKeepTheBlankImageInTheirSlot) {
  for (const std::string* path : {&text_, &batch_, &exe1_}) add(fill("N", *path));
  EXPECT_EQ(imageIndexes(), (std::vector<int>{-1, -1, 2}));
  ASSERT_EQ(main_->Icons.Count(), 3);
  EXPECT_TRUE(isBlank(slot(0)));
  EXPECT_TRUE(isBlank(slot(1)));
  EXPECT_TRUE(slot(2) == iconOf(exe1_));
}

TEST_F(ApplicationListTest, DeletingARowMovesTheFollowingRowsWithTheirOwnIcons) {
  add(fill("A long name that widens the first column", exe1_));
  add(fill("B", text_));
  add(fill("C", exe2_));
  EXPECT_EQ(imageIndexes(), (std::vector<int>{0, -1, 2}));
  const int wide = ListView_GetColumnWidth(list().Handle(), 0);
  list().SetSelected(0);
  main_->ApplicationDelete.Click();
  ASSERT_EQ(list().Count(), 2);
  EXPECT_LT(ListView_GetColumnWidth(list().Handle(), 0), wide);  // the columns fit the rows left
  EXPECT_EQ(row(0)[0], "B");
  EXPECT_EQ(imageIndexes(), (std::vector<int>{-1, 1}));
  ASSERT_EQ(main_->Icons.Count(), 2);
  EXPECT_TRUE(isBlank(slot(0)));
  EXPECT_TRUE(slot(1) == iconOf(exe2_));
}

TEST_F(ApplicationListTest, TheIconsOutliveTheListWindow) {
  add(fill("A", exe1_));
  // The window's controls go before its icon list: the list must leave the icons to their owner.
  DestroyWindow(list().Handle());
  ASSERT_EQ(main_->Icons.Count(), 1);
  EXPECT_TRUE(slot(0) == iconOf(exe1_));
}

TEST_F(ApplicationListTest, EditingThePathReplacesOnlyThatRowsIcon) {
  add(fill("A", exe1_));
  add(fill("B", exe2_));
  list().SetSelected(0);
  edit(fill("A", text_));
  EXPECT_EQ(imageIndexes(), (std::vector<int>{-1, 1}));
  ASSERT_EQ(main_->Icons.Count(), 2);
  EXPECT_TRUE(isBlank(slot(0)));
  EXPECT_TRUE(slot(1) == iconOf(exe2_));
  // And back: the icon returns to the row's own slot.
  edit(fill("A", exe2_));
  EXPECT_EQ(imageIndexes(), (std::vector<int>{0, 1}));
  EXPECT_TRUE(slot(0) == iconOf(exe2_));
  EXPECT_EQ(main_->Icons.Count(), 2);
}

TEST_F(ApplicationListTest, PlusOpensEmptyInAddModeAndEditStaysInAddModeUntilTheSelectionChanges) {
  add(fill("A", exe1_, "-a"));
  list().SetSelected(0);
  for (const Action& first : {cancel, fill("B", text_)}) {
    Shown plus = add(first);
    EXPECT_EQ(fields(plus), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(plus.editIndex, -1);
    // "E" now opens empty and in add mode: "OK" appends, the selected row stays as it was.
    const int before = list().Count();
    Shown e = edit(fill("C", text_, "-c"));
    ASSERT_TRUE(e.opened);
    EXPECT_EQ(fields(e), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(e.editIndex, -1);
    ASSERT_EQ(list().Count(), before + 1);
    EXPECT_EQ(row(before), (std::vector<std::string>{"C", text_, "-c"}));
    EXPECT_EQ(row(0), (std::vector<std::string>{"A", exe1_, "-a"}));
    EXPECT_EQ(list().Selected(), 0);
  }
  // A selection change ends add mode.
  list().SetSelected(1);
  Shown e = edit(cancel);
  EXPECT_EQ(e.editIndex, 1);
  EXPECT_EQ(fields(e), row(1));
}

TEST_F(ApplicationListTest, EditShowsTheSelectedRowAndACancelledEditKeepsTheTypedTexts) {
  add(fill("A", exe1_, "-a"));
  add(fill("B", text_, "-b"));
  list().SetSelected(1);
  Shown e = edit(typeAndCancel("X", exe2_, "-x"));
  EXPECT_EQ(fields(e), (std::vector<std::string>{"B", text_, "-b"}));
  EXPECT_EQ(e.editIndex, 1);
  EXPECT_EQ(row(1), (std::vector<std::string>{"B", text_, "-b"}));
  EXPECT_EQ(imageIndexes(), (std::vector<int>{0, -1}));
  // Again without a selection change: the texts typed before cancelling.
  e = edit(cancel);
  EXPECT_EQ(fields(e), (std::vector<std::string>{"X", exe2_, "-x"}));
  // A selection change refills the fields from the row; "OK" changes the selected row only.
  list().SetSelected(0);
  e = edit(fill("A2", text_, ""));
  EXPECT_EQ(fields(e), (std::vector<std::string>{"A", exe1_, "-a"}));
  EXPECT_EQ(row(0), (std::vector<std::string>{"A2", text_, ""}));
  EXPECT_EQ(row(1), (std::vector<std::string>{"B", text_, "-b"}));
  EXPECT_EQ(list().Count(), 2);
}

TEST_F(ApplicationListTest, AfterDeletingTheSelectedRowEditOpensWithItsValuesAndChangesNothing) {
  add(fill("A", exe1_, "-a"));
  add(fill("B", text_, "-b"));
  list().SetSelected(0);
  main_->ApplicationDelete.Click();
  ASSERT_EQ(list().Count(), 1);
  EXPECT_EQ(list().Selected(), -1);
  EXPECT_TRUE(main_->ApplicationEdit.Enabled());
  Shown e = edit(fill("Z", exe2_, "-z"));
  ASSERT_TRUE(e.opened);
  EXPECT_EQ(fields(e), (std::vector<std::string>{"A", exe1_, "-a"}));
  EXPECT_NE(e.editIndex, -1);
  EXPECT_FALSE(e.stayedOpen);
  ASSERT_EQ(list().Count(), 1);
  EXPECT_EQ(row(0), (std::vector<std::string>{"B", text_, "-b"}));
  EXPECT_EQ(imageIndexes(), std::vector<int>{-1});
  EXPECT_EQ(main_->Icons.Count(), 1);
  EXPECT_TRUE(isBlank(slot(0)));
}

TEST_F(ApplicationListTest, EditAndDeleteFollowTheSelectionAndClicksThatLeaveNoneSelected) {
  TMain& m = *main_;
  EXPECT_FALSE(m.ApplicationEdit.Enabled());
  EXPECT_FALSE(m.ApplicationDelete.Enabled());
  EXPECT_FALSE(edit(cancel).opened);
  add(fill("A", exe1_));
  add(fill("B", text_));
  EXPECT_FALSE(m.ApplicationEdit.Enabled());  // adding selects nothing
  EXPECT_EQ(EditIndex, -1);
  list().SetSelected(1);
  EXPECT_TRUE(m.ApplicationEdit.Enabled());
  EXPECT_TRUE(m.ApplicationDelete.Enabled());
  EXPECT_EQ(EditIndex, 1);
  EXPECT_EQ(dialog_->ApplicationName.Text(), "B");
  // A click below the rows deselects row 1: the edit index follows it, the buttons go off.
  clickBelowRows();
  EXPECT_EQ(list().Selected(), -1);
  EXPECT_FALSE(m.ApplicationEdit.Enabled());
  EXPECT_FALSE(m.ApplicationDelete.Enabled());
  EXPECT_EQ(EditIndex, 1);
  // Selecting again turns them back on and refills the dialog.
  list().SetSelected(0);
  EXPECT_TRUE(m.ApplicationDelete.Enabled());
  EXPECT_EQ(EditIndex, 0);
  EXPECT_EQ(dialog_->Path.Text(), exe1_);
  // A click on a row leaves them on.
  wintest::ClickRow(list().Handle(), 0);
  wintest::PumpMessages();
  EXPECT_TRUE(m.ApplicationEdit.Enabled());
  EXPECT_TRUE(m.ApplicationDelete.Enabled());
  // "-" does nothing without a selection.
  list().SetSelected(-1);
  m.ApplicationDelete.Click();
  EXPECT_EQ(list().Count(), 2);
}

TEST_F(ApplicationListTest, EditingAnIconRowToAFileWithoutOneLeavesAWholeBlackSquare) {
  // The blank image replaces the icon's mask too, not only its colours.
  add(fill("A", exe1_));
  list().SetSelected(0);
  edit(fill("A", text_));
  TImageList fresh;
  fresh.Insert(0, nullptr);
  EXPECT_TRUE(slot(0) == ReadImageSlot(fresh.Handle(), 0));
}

// Files whose icon data would lead the system's icon code past their end: an icon file that claims
// 65535 images and a program cut short.
TEST_F(ApplicationListTest, DamagedIconFilesAndProgramsHaveNoIconWhetherAddedOrLoaded) {
  const std::string ico =
      file("many.ico", std::string("\0\0\1\0\xff\xff\x10\x10\0\0\1\0\x20\0\x68\x04\0\0\x16\0\0\0", 22) +
                           std::string(200, '\0'));
  const std::string program = ReadBytes(exe1_);
  const std::string cut = file("cut.exe", program.substr(0, program.size() / 2));
  add(fill("Many", ico));
  add(fill("Cut", cut));
  add(fill("Whole", exe1_));
  EXPECT_EQ(imageIndexes(), (std::vector<int>{-1, -1, 2}));
  EXPECT_TRUE(isBlank(slot(0)) && isBlank(slot(1)));

  file("Tarvenik.ini", "[Application]\r\nCount=3\r\nName[0]=Many\r\nPath[0]=" + ico +
                           "\r\nName[1]=Cut\r\nPath[1]=" + cut + "\r\nName[2]=Whole\r\nPath[2]=" + exe1_ +
                           "\r\n");
  dialog_.reset();
  main_.reset();
  main_ = wintest::MakeMain(dir_.Path());
  dialog_ = wintest::MakeSelectApplication();
  ASSERT_EQ(list().Count(), 3);
  EXPECT_EQ(imageIndexes(), (std::vector<int>{-1, -1, 2}));
  EXPECT_TRUE(slot(2) == iconOf(exe1_));
}

TEST_F(ApplicationListTest, TheMouseOnARowCutOffShowsItsWholeTextInATip) {
  add(fill(std::string(300, 'N'), exe1_, std::string("-a")));
  wintest::PumpMessages();  // the tip window is made at the first idle moment
  // The tip of the list: the main window's tip window, which the list's tool belongs to.
  auto tip = [&] {
    wchar_t text[1024] = {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = main_->Handle();
    ti.uId = reinterpret_cast<UINT_PTR>(list().Handle());
    ti.lpszText = text;
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
      if (GetWindow(w, GW_OWNER) == main_->Handle() && wintest::ClassName(w) == TOOLTIPS_CLASSW)
        SendMessageW(w, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
    return std::wstring(text);
  };
  // On the row, then below it.
  RECT r{LVIR_BOUNDS};
  ListView_GetItemRect(list().Handle(), 0, &r, LVIR_BOUNDS);
  SendMessageW(list().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, (r.top + r.bottom) / 2));
  EXPECT_EQ(tip(), Utf8ToWide("Nazwa: " + std::string(300, 'N') + "\nŚcieżka: ") + AnsiToWide(exe1_) +
                       L"\nParametry: -a");
  SendMessageW(list().Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.left + 5, r.bottom + 20));
  EXPECT_EQ(tip(), L"");
}

}  // namespace
