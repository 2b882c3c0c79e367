// End-to-end: what a user does in the program, from the first key to the written file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "serial/SerialMap.h"
#include "testing/Program.h"

namespace {

namespace fs = std::filesystem;
using wintest::Running;
using wintest::WaitUntil;
using Texts = std::vector<std::wstring>;

const std::wstring kTitle = L"Tarvenik - Konfigurator";
const std::wstring kEntryDialog = L"Wybierz aplikację";

// The main window's controls, found as a user finds them: by their captions and their place
// among the controls of their kind.
struct MainWindow {
  explicit MainWindow(HWND w) : window(w) {
    connect = wintest::Child(w, L"Łącz się z portem COM:");
    ok = wintest::Child(w, L"OK");
    auto combos = wintest::Children(w, L"ComboBox");
    auto edits = wintest::Children(w, L"Edit");
    auto lists = wintest::Children(w, L"SysListView32");
    plus = wintest::Children(w, L"Button", L"+");
    edit = wintest::Children(w, L"Button", L"E");
    minus = wintest::Children(w, L"Button", L"-");
    if (combos.size() != 2 || edits.size() != 3 || lists.size() != 3 || plus.size() != 3 ||
        edit.size() != 3 || minus.size() != 3)
      return;
    port = combos[0];
    baudRate = combos[1];
    sendBeforeText = edits[0];
    sendAfterText = edits[1];
    sendBeforeCommands = lists[0];
    applications = lists[1];
    sendAfterCommands = lists[2];
  }
  bool complete() const { return connect && ok && port && applications; }

  HWND window, connect = nullptr, ok = nullptr, port = nullptr, baudRate = nullptr;
  HWND sendBeforeText = nullptr, sendAfterText = nullptr;
  HWND sendBeforeCommands = nullptr, applications = nullptr, sendAfterCommands = nullptr;
  // "+", "E" and "-" of the before, application and after groups.
  std::vector<HWND> plus, edit, minus;
};

// The program started in a fresh folder (`home_`) with this settings file ("" for none).
class Flow : public ::testing::Test {
 protected:
  void start(const std::string& ini) {
    if (!ini.empty()) std::ofstream(file(), std::ios::binary) << ini;
    app_ = std::make_unique<Running>(wintest::WindowsPath(KONFIGURATOR_EXE), home_);
    HWND w = app_->waitForWindow(kTitle);
    ASSERT_NE(w, nullptr);
    main_ = std::make_unique<MainWindow>(w);
    ASSERT_TRUE(main_->complete());
  }
  fs::path file() const { return home_ / "Tarvenik.ini"; }
  std::string exe() const { return (home_ / "Konfigurator.exe").string(); }
  MainWindow& main() { return *main_; }

  // Opens the entry dialog with a click on a button of the application group.
  HWND openEntryDialog(HWND button) {
    wintest::Click(button);
    return app_->waitForWindow(kEntryDialog);
  }
  static Texts fields(HWND dialog) {
    Texts texts;
    for (HWND e : wintest::Children(dialog, L"Edit")) texts.push_back(wintest::Text(e));
    return texts;
  }
  static void closeWith(HWND dialog, UINT vk) {
    wintest::PressKey(wintest::FocusOf(dialog), vk);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(dialog); }));
  }
  // Types a command into a group's field and presses Enter there.
  static void addCommand(HWND field, HWND list, const std::wstring& text) {
    const int rows = wintest::RowCount(list);
    wintest::TypeInto(field, text);
    wintest::PressKey(field, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return wintest::RowCount(list) == rows + 1; })) << text.c_str();
  }
  void pressOk() {
    wintest::Click(main().ok);
    EXPECT_EQ(app_->waitForExit(), 0);
  }

  serialtest::SavedSerialMap savedMap_;
  TempDir dir_;
  fs::path home_ = dir_.Path();
  std::unique_ptr<Running> app_;
  std::unique_ptr<MainWindow> main_;
};

bool enabled(HWND w) { return IsWindowEnabled(w) != FALSE; }

TEST_F(Flow, TheTypicalRunRewritesTheFileWithTheAddedCommand) {
  ASSERT_TRUE(serialtest::WriteSerialMap(serialtest::Ports({"COM3", "COM1"})));
  start(
      "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM3\r\nRS232BaudRate=19200\r\nCR=1\r\nLF=0\r\n"
      "SendBefore=1\r\nStartApplication=1\r\nInterval=7\r\nSendAfter=1\r\n"
      "[SendBefore]\r\nCount=2\r\nCommand[0]=ATZ\r\nCommand[1]=AT&F1\r\n"
      "[Application]\r\nCount=1\r\nName[0]=Konfigurator\r\nPath[0]=" +
      exe() + "\r\nParameters[0]=-x\r\n[SendAfter]\r\nCount=0\r\n");
  EXPECT_EQ(wintest::Text(main().port), L"COM3");
  EXPECT_EQ(SendMessageW(main().port, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(wintest::Text(main().baudRate), L"19200");
  EXPECT_EQ(wintest::Rows(main().sendBeforeCommands), (Texts{L"ATZ", L"AT&F1"}));
  EXPECT_EQ(wintest::Rows(main().applications), Texts{L"Konfigurator"});
  EXPECT_EQ(wintest::RowImage(main().applications, 0), 0);  // the program's own icon
  EXPECT_EQ(wintest::Rows(main().sendAfterCommands), Texts{});

  addCommand(main().sendAfterText, main().sendAfterCommands, L"ATH");
  pressOk();
  EXPECT_EQ(wintest::ReadFile(file()),
            "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM3\r\nRS232BaudRate=19200\r\nCR=1\r\nLF=0\r\n"
            "SendBefore=1\r\nStartApplication=1\r\nInterval=7\r\nSendAfter=1\r\n"
            "[SendBefore]\r\nCount=2\r\nCommand[0]=ATZ\r\nCommand[1]=AT&F1\r\n"
            "[Application]\r\nCount=1\r\nName[0]=Konfigurator\r\nPath[0]=" +
                exe() + "\r\nParameters[0]=-x\r\n[SendAfter]\r\nCount=1\r\nCommand[0]=ATH\r\n");
}

TEST_F(Flow, ASavedPortThatIsNotPluggedInIsShownAndKeptByOk) {
  ASSERT_TRUE(serialtest::WriteSerialMap(serialtest::Ports({"COM3", "COM1"})));
  start("[Settings]\r\nRS232Port=COM7\r\n");
  EXPECT_EQ(wintest::Text(main().port), L"COM7");
  EXPECT_EQ(SendMessageW(main().port, CB_GETCOUNT, 0, 0), 3);
  pressOk();
  const std::string written = wintest::ReadFile(file());
  EXPECT_NE(written.find("\r\nRS232Port=COM7\r\n"), std::string::npos) << written;
}

TEST_F(Flow, TheFocusStartsOnTheFirstControlAndEnterPressesTheFocusedButton) {
  start("");
  ASSERT_EQ(wintest::FocusOf(main().window), main().connect);
  // Space toggles the focused check box at once, without a Tab first.
  const LRESULT before = SendMessageW(main().connect, BM_GETCHECK, 0, 0);
  wintest::PressKey(main().connect, VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(main().connect, BM_GETCHECK, 0, 0) != before; }));

  HWND dialog = openEntryDialog(main().plus[1]);
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(
      WaitUntil([&] { return wintest::FocusOf(dialog) == wintest::Children(dialog, L"Edit").at(0); }));
  // Tab goes past the fields and "OK" to "Anuluj", and Enter presses the button that has the focus:
  // it cancels, where "OK" would refuse the empty name.
  HWND cancel = wintest::Child(dialog, L"Anuluj");
  for (int i = 0; i < 4; ++i) wintest::PressKey(wintest::FocusOf(dialog), VK_TAB);
  ASSERT_TRUE(WaitUntil([&] { return wintest::FocusOf(dialog) == cancel; }));
  closeWith(dialog, VK_RETURN);
  EXPECT_EQ(wintest::RowCount(main().applications), 0);
  // Back in the main window the focus is on a control again, not on the window itself.
  EXPECT_TRUE(WaitUntil([&] { return wintest::FocusOf(main().window) == main().connect; }));
}

TEST_F(Flow, DeletingACommandKeepsWhatTheUserTypedAndTheButtons) {
  start("");
  addCommand(main().sendBeforeText, main().sendBeforeCommands, L"one");
  addCommand(main().sendBeforeText, main().sendBeforeCommands, L"two");
  wintest::ClickRow(main().sendBeforeCommands, 0);
  ASSERT_TRUE(WaitUntil([&] { return wintest::Text(main().sendBeforeText) == L"one"; }));
  wintest::TypeInto(main().sendBeforeText, L"typed");
  wintest::Click(main().minus[0]);
  ASSERT_TRUE(WaitUntil([&] { return wintest::Rows(main().sendBeforeCommands) == Texts{L"two"}; }));
  EXPECT_EQ(wintest::Text(main().sendBeforeText), L"typed");
  EXPECT_TRUE(enabled(main().edit[0]));
  EXPECT_TRUE(enabled(main().minus[0]));
}

TEST_F(Flow, DeletingAnApplicationIsNoSelectionChange) {
  start("[Application]\r\nCount=2\r\nName[0]=A\r\nPath[0]=" + exe() +
        "\r\nParameters[0]=-a\r\nName[1]=B\r\nPath[1]=" + exe() + "\r\nParameters[1]=-b\r\n");
  HWND list = main().applications;
  wintest::ClickRow(list, 0);
  ASSERT_TRUE(WaitUntil([&] { return enabled(main().minus[1]); }));
  // "+" puts the dialog in add mode until the selection changes; deleting does not change it.
  HWND dialog = openEntryDialog(main().plus[1]);
  ASSERT_NE(dialog, nullptr);
  closeWith(dialog, VK_ESCAPE);
  wintest::Click(main().minus[1]);
  ASSERT_TRUE(WaitUntil([&] { return wintest::Rows(list) == Texts{L"B"}; }));
  EXPECT_EQ(wintest::RowImage(list, 0), 0);  // its icon moved down with it
  dialog = openEntryDialog(main().edit[1]);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fields(dialog), (Texts{L"", L"", L""}));
  closeWith(dialog, VK_ESCAPE);

  // After a selection, deleting leaves the deleted row's values in the dialog, in edit mode: "OK"
  // changes nothing, as no row is selected.
  wintest::ClickRow(list, 0);
  ASSERT_TRUE(WaitUntil([&] { return wintest::SelectedRow(list) == 0; }));
  wintest::Click(main().minus[1]);
  ASSERT_TRUE(WaitUntil([&] { return wintest::RowCount(list) == 0; }));
  dialog = openEntryDialog(main().edit[1]);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fields(dialog), (Texts{L"B", (dir_.Path() / "Konfigurator.exe").wstring(), L"-b"}));
  closeWith(dialog, VK_RETURN);
  EXPECT_EQ(wintest::RowCount(list), 0);
}

TEST_F(Flow, TheCommandColumnFitsTheListWithAScrollBar) {
  // Whether the list shows the vertical scroll bar, and whether its one column fills it exactly.
  auto fitted = [](HWND list, bool scrollBar) {
    RECT r;
    GetClientRect(list, &r);
    const LONG style = GetWindowLongW(list, GWL_STYLE);
    EXPECT_EQ((style & WS_VSCROLL) != 0, scrollBar);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), r.right);
    EXPECT_FALSE(style & WS_HSCROLL);
  };
  // Five rows read from the file.
  start(
      "[SendBefore]\r\nCount=5\r\nCommand[0]=1\r\nCommand[1]=2\r\nCommand[2]=3\r\nCommand[3]=4\r\n"
      "Command[4]=5\r\n");
  fitted(main().sendBeforeCommands, true);
  // Five rows typed in.
  HWND list = main().sendAfterCommands;
  for (const wchar_t* command : {L"1", L"2", L"3", L"4", L"5"})
    addCommand(main().sendAfterText, list, command);
  fitted(list, true);
  // Back to rows that fit: the scroll bar goes and the column widens with the client area.
  for (int i = 0; i < 3; ++i) {
    wintest::ClickRow(list, 0);
    wintest::Click(main().minus[2]);
    ASSERT_TRUE(WaitUntil([&] { return wintest::RowCount(list) == 4 - i; }));
  }
  fitted(list, false);
}

TEST_F(Flow, AValueWithALineBreakWritesItsFirstLineOnly) {
  start("");
  // Another program can put any text into the field; the file still gets one line per value.
  SendMessageW(main().sendAfterText, WM_SETTEXT, 0,
               reinterpret_cast<LPARAM>(L"ATZ\r\n[Settings]\r\nRS232Port=COM9\nLF=0\r\n"));
  wintest::Click(main().plus[2]);
  ASSERT_TRUE(WaitUntil([&] { return wintest::RowCount(main().sendAfterCommands) == 1; }));
  pressOk();
  const std::string written = wintest::ReadFile(file());
  EXPECT_NE(written.find("[SendAfter]\r\nCount=1\r\nCommand[0]=ATZ\r\n"), std::string::npos) << written;
  EXPECT_EQ(written.find("[Settings]", 1), std::string::npos) << written;
  EXPECT_EQ(written.find("COM9"), std::string::npos) << written;
  EXPECT_NE(written.find("LF=1"), std::string::npos) << written;
}

TEST_F(Flow, AFolderNamedWithLettersTheCodePageLacksKeepsItsOwnFile) {
  // Where the code page has "ó" but not "ż", "ł" or "ć", the nearest 8-bit name of one folder is
  // the other's.
  const fs::path lookAlike = dir_.Path() / L"Zazólc";
  home_ = dir_.Path() / L"Zażółć";
  fs::create_directory(lookAlike);
  fs::create_directory(home_);
  const std::string other = "[SendBefore]\r\nCount=1\r\nCommand[0]=other\r\n";
  std::ofstream(lookAlike / "Tarvenik.ini", std::ios::binary) << other;
  start("[SendBefore]\r\nCount=1\r\nCommand[0]=own\r\n");
  EXPECT_EQ(wintest::Rows(main().sendBeforeCommands), Texts{L"own"});
  pressOk();
  const std::string written = wintest::ReadFile(file());
  EXPECT_NE(written.find("[Settings]\r\nRS232Connect=1\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("[SendBefore]\r\nCount=1\r\nCommand[0]=own\r\n"), std::string::npos) << written;
  EXPECT_EQ(wintest::ReadFile(lookAlike / "Tarvenik.ini"), other);
}

TEST_F(Flow, ACommandTheFileCannotGiveBackIsRefusedAndStaysInTheField) {
  start("");
  HWND field = main().sendBeforeText, list = main().sendBeforeCommands;
  addCommand(field, list, L"ATZ");
  wintest::MessageBoxWatcher watcher(app_->processId());
  // Types `text`, then Enter or a click on `button`: a message, no row changed, the text kept.
  auto refused = [&](const std::wstring& text, HWND button, const std::wstring& message) {
    SCOPED_TRACE(testing::Message() << "typed " << text.size() << " characters");
    const size_t boxes = watcher.seen().size();
    wintest::TypeInto(field, text);
    if (button)
      wintest::Click(button);
    else
      wintest::PressKey(field, VK_RETURN);
    const auto seen = watcher.waitFor(boxes + 1, std::chrono::seconds(10));
    ASSERT_EQ(seen.size(), boxes + 1);
    EXPECT_EQ(seen.back().text, message);
    EXPECT_EQ(seen.back().caption, L"Tarvenik");
    EXPECT_EQ(seen.back().buttons, 1);
    EXPECT_TRUE(WaitUntil([&] { return enabled(main().window); }));  // the box is gone
    EXPECT_EQ(wintest::Rows(list), Texts{L"ATZ"});
    EXPECT_EQ(wintest::Text(field), text);
  };
  const std::wstring outside = L"Tekst zawiera znaki spoza strony kodowej systemu!";
  refused(L"ATH ", nullptr, L"Tekst nie może zaczynać się ani kończyć spacją!");
  refused(L"zażółć", main().plus[0], outside);
  wintest::ClickRow(list, 0);
  ASSERT_TRUE(WaitUntil([&] { return enabled(main().edit[0]); }));
  refused(L"AT\U0001F600", main().edit[0], outside);
}

}  // namespace
