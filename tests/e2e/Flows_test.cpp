// End-to-end: what a user does in the program, from the first key to the written file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "serial/SerialMap.h"
#include "testing/Accessibility.h"
#include "testing/ImageSlot.h"
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
    sendBefore = wintest::Child(w, L"Wyślij polecenia przed uruchomieniem aplikacji:");
    startApplication = wintest::Child(w, L"Uruchom program lub wyświetl listę aplikacji do uruchomienia:");
    sendAfter = wintest::Child(w, L"Wyślij polecenia po zamknięciu aplikacji:");
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
    interval = edits[2];
    sendBeforeCommands = lists[0];
    applications = lists[1];
    sendAfterCommands = lists[2];
  }
  bool complete() const { return connect && ok && port && applications; }

  HWND window, connect = nullptr, ok = nullptr, port = nullptr, baudRate = nullptr;
  HWND sendBefore = nullptr, startApplication = nullptr, sendAfter = nullptr;
  HWND sendBeforeText = nullptr, sendAfterText = nullptr, interval = nullptr;
  HWND sendBeforeCommands = nullptr, applications = nullptr, sendAfterCommands = nullptr;
  // "+", "E" and "-" of the before, application and after groups.
  std::vector<HWND> plus, edit, minus;
};

// The program started in a fresh folder (`home_`) with this settings file ("" for none).
class Flow : public ::testing::Test {
 protected:
  void start(const std::string& ini, bool watch = false) {
    if (!ini.empty()) WriteBytes(file(), ini);
    app_ = std::make_unique<Running>(wintest::WindowsPath(KONFIGURATOR_EXE), home_);
    Application().SetTitle(kTitle);  // the caption of the program's plain messages
    if (watch) boxes_ = std::make_unique<wintest::MessageBoxWatcher>(app_->processId(), true);
    HWND w = app_->waitForWindow(kTitle);
    if (w && !MainWindow(w).complete()) w = app_->waitForWindow(kTitle, w);  // a message came first
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
  std::unique_ptr<wintest::MessageBoxWatcher> boxes_;  // start(..., true): its boxes, answered
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
  EXPECT_EQ(ReadBytes(file()),
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
  const std::string written = ReadBytes(file());
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
  const std::string written = ReadBytes(file());
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
  WriteBytes(lookAlike / "Tarvenik.ini", other);
  start("[SendBefore]\r\nCount=1\r\nCommand[0]=own\r\n");
  EXPECT_EQ(wintest::Rows(main().sendBeforeCommands), Texts{L"own"});
  pressOk();
  const std::string written = ReadBytes(file());
  EXPECT_NE(written.find("[Settings]\r\nRS232Connect=1\r\n"), std::string::npos) << written;
  EXPECT_NE(written.find("[SendBefore]\r\nCount=1\r\nCommand[0]=own\r\n"), std::string::npos) << written;
  EXPECT_EQ(ReadBytes(lookAlike / "Tarvenik.ini"), other);
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
  // The program went on, and ends as always.
  pressOk();
  EXPECT_NE(ReadBytes(file()).find("[SendBefore]\r\nCount=1\r\nCommand[0]=ATZ\r\n"), std::string::npos);
}

}  // namespace

namespace {

using wintest::PressKeys;
using wintest::TypeKeys;

// A visible top-level window of the process of this class ("#32770": the file-open dialog,
// "#32768": a menu), or null.
HWND windowOfClass(DWORD processId, const wchar_t* windowClass) {
  for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == processId && IsWindowVisible(w) && wintest::ClassName(w) == windowClass) return w;
  }
  return nullptr;
}

// The same once there is one (waits up to 10 s).
HWND waitForWindowOfClass(DWORD processId, const wchar_t* windowClass) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = windowOfClass(processId, windowClass)) != nullptr; });
  return found;
}

TEST_F(Flow, TheWholeJobByKeyboardAlone) {
  ASSERT_TRUE(serialtest::WriteSerialMap(serialtest::Ports({"COM1"})));
  start("");
  MainWindow& m = main();
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m.window; }));
  auto focusOn = [&](HWND w) { return WaitUntil([&] { return wintest::FocusOf(m.window) == w; }); };
  auto rows = [](HWND list, Texts expected) {
    return WaitUntil([&] { return wintest::Rows(list) == expected; });
  };
  auto select = [](HWND list, WORD key, int row) {
    PressKeys(key);
    return WaitUntil([&] { return wintest::SelectedRow(list) == row; });
  };
  const std::wstring exePath = (dir_.Path() / "Konfigurator.exe").wstring();

  // The serial settings: the next baud rate, no CR.
  ASSERT_TRUE(focusOn(m.connect));
  PressKeys(VK_TAB);
  PressKeys(VK_TAB);
  PressKeys(VK_DOWN);
  PressKeys(VK_TAB);
  PressKeys(VK_SPACE);
  for (int i = 0; i < 3; ++i) PressKeys(VK_TAB);
  ASSERT_TRUE(focusOn(m.sendBeforeText));
  // The commands sent before: one added, one changed (Ctrl+Enter in the field), one deleted.
  for (const wchar_t* command : {L"ATZ", L"ATH0"}) {
    TypeKeys(command);
    PressKeys(VK_RETURN);
  }
  ASSERT_TRUE(rows(m.sendBeforeCommands, {L"ATZ", L"ATH0"}));
  PressKeys(VK_TAB);
  ASSERT_TRUE(select(m.sendBeforeCommands, VK_HOME, 0));
  PressKeys(VK_TAB, MOD_SHIFT);
  TypeKeys(L"ATZ1");
  PressKeys(VK_RETURN, MOD_CONTROL);
  ASSERT_TRUE(rows(m.sendBeforeCommands, {L"ATZ1", L"ATH0"}));
  PressKeys(VK_TAB);
  ASSERT_TRUE(select(m.sendBeforeCommands, VK_END, 1));
  PressKeys(VK_DELETE);
  ASSERT_TRUE(rows(m.sendBeforeCommands, {L"ATZ1"}));

  // Two applications added (Insert; the second file chosen in the file-open dialog that F4
  // opens), the first changed (Enter), the second deleted.
  PressKeys(VK_TAB);
  ASSERT_TRUE(focusOn(m.startApplication));
  PressKeys(VK_TAB);
  ASSERT_TRUE(focusOn(m.applications));
  PressKeys(VK_INSERT);
  HWND dialog = app_->waitForWindow(kEntryDialog);
  ASSERT_NE(dialog, nullptr);
  for (const std::wstring& field : {std::wstring(L"A"), exePath, std::wstring(L"-a")}) {
    TypeKeys(field);
    PressKeys(VK_TAB);
  }
  PressKeys(VK_RETURN);
  ASSERT_TRUE(rows(m.applications, {L"A"}));
  PressKeys(VK_INSERT);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(dialog); }));
  TypeKeys(L"B");
  PressKeys(VK_TAB);
  PressKeys(VK_F4);
  HWND open = waitForWindowOfClass(app_->processId(), L"#32770");
  ASSERT_NE(open, nullptr);
  TypeKeys(exePath);
  PressKeys(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return fields(dialog) == Texts{L"B", exePath, L""}; }));
  PressKeys(VK_TAB);
  TypeKeys(L"-b");
  PressKeys(VK_RETURN);
  ASSERT_TRUE(rows(m.applications, {L"A", L"B"}));
  ASSERT_TRUE(select(m.applications, VK_HOME, 0));
  PressKeys(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] {
    return IsWindowVisible(dialog) && fields(dialog) == Texts{L"A", exePath, L"-a"};
  }));
  // Alt+Down opens the file-open dialog too; cancelled, it changes nothing.
  PressKeys(VK_TAB);
  PressKeys(VK_DOWN, MOD_ALT);
  open = waitForWindowOfClass(app_->processId(), L"#32770");
  ASSERT_NE(open, nullptr);
  PressKeys(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(open) || !IsWindowVisible(open); }));
  PressKeys(VK_TAB, MOD_SHIFT);
  PressKeys(VK_END);
  TypeKeys(L"2");
  PressKeys(VK_RETURN);
  ASSERT_TRUE(rows(m.applications, {L"A2", L"B"}));
  ASSERT_TRUE(select(m.applications, VK_END, 1));
  PressKeys(VK_DELETE);
  ASSERT_TRUE(rows(m.applications, {L"A2"}));
  ASSERT_TRUE(select(m.applications, VK_SPACE, 0));

  // The commands sent after: Delete in the field deletes a character there (not the selected
  // application); F2 in the list changes the selected command.
  PressKeys(VK_TAB);
  ASSERT_TRUE(focusOn(m.sendAfter));
  PressKeys(VK_TAB);
  for (const wchar_t* command : {L"1X1", L"1X2"}) {
    TypeKeys(command);
    PressKeys(VK_HOME);
    PressKeys(VK_DELETE);
    PressKeys(VK_RETURN);
  }
  ASSERT_TRUE(rows(m.sendAfterCommands, {L"X1", L"X2"}));
  PressKeys(VK_TAB);
  ASSERT_TRUE(select(m.sendAfterCommands, VK_HOME, 0));
  PressKeys(VK_TAB, MOD_SHIFT);
  TypeKeys(L"X0");
  PressKeys(VK_TAB);
  PressKeys(VK_F2);
  ASSERT_TRUE(rows(m.sendAfterCommands, {L"X0", L"X2"}));
  ASSERT_TRUE(select(m.sendAfterCommands, VK_END, 1));
  PressKeys(VK_DELETE);
  ASSERT_TRUE(rows(m.sendAfterCommands, {L"X0"}));

  // The interval, last in the tab order; F1 shows the help window, which Enter closes.
  for (int i = 0; i < 4; ++i) PressKeys(VK_TAB);
  ASSERT_TRUE(focusOn(m.interval));
  TypeKeys(L"312");
  PressKeys(VK_HOME);
  PressKeys(VK_DELETE);
  PressKeys(VK_F1);
  HWND help = app_->waitForWindow(L"Pomoc");
  ASSERT_NE(help, nullptr);
  PressKeys(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(help); }));
  ASSERT_TRUE(focusOn(m.interval));
  for (int i = 0; i < 3; ++i) PressKeys(VK_TAB, MOD_SHIFT);
  ASSERT_TRUE(focusOn(m.ok));
  PressKeys(VK_RETURN);
  EXPECT_EQ(app_->waitForExit(), 0);
  EXPECT_EQ(ReadBytes(file()),
            "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM1\r\nRS232BaudRate=14400\r\nCR=0\r\nLF=1\r\n"
            "SendBefore=1\r\nStartApplication=1\r\nInterval=12\r\nSendAfter=1\r\n"
            "[SendBefore]\r\nCount=1\r\nCommand[0]=ATZ1\r\n"
            "[Application]\r\nCount=1\r\nName[0]=A2\r\nPath[0]=" +
                exe() + "\r\nParameters[0]=-a\r\n[SendAfter]\r\nCount=1\r\nCommand[0]=X0\r\n");
}

// A shortcut made as the shell makes one.
void makeShortcut(const fs::path& link, const fs::path& target, const std::wstring& arguments) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  IShellLinkW* shellLink = nullptr;
  IPersistFile* file = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                         reinterpret_cast<void**>(&shellLink))));
  shellLink->SetPath(target.c_str());
  shellLink->SetArguments(arguments.c_str());
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    EXPECT_TRUE(SUCCEEDED(file->Save(link.c_str(), TRUE)));
    file->Release();
  }
  shellLink->Release();
  CoUninitialize();
}

TEST_F(Flow, ListsAreEditedByKeysMenusAndDrops) {
  const fs::path tool = home_ / "tool.cmd", missing = home_ / "brak.exe", shortcut = home_ / "Skrot.lnk";
  WriteBytes(tool, "@echo off\r\n");
  makeShortcut(shortcut, tool, L"-v");
  ASSERT_TRUE(serialtest::WriteSerialMap(serialtest::Ports({"COM1"})));
  const std::string settings =
      "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM1\r\nRS232BaudRate=9600\r\nCR=0\r\nLF=1\r\n"
      "SendBefore=1\r\nStartApplication=1\r\nInterval=5\r\nSendAfter=1\r\n";
  start(settings + "[SendBefore]\r\nCount=3\r\nCommand[0]=A\r\nCommand[1]=B\r\nCommand[2]=C\r\n" +
        "[Application]\r\nCount=2\r\nName[0]=Brak\r\nPath[0]=" + missing.string() +
        "\r\nParameters[0]=\r\nName[1]=Own\r\nPath[1]=" + exe() + "\r\nParameters[1]=-x\r\n");
  MainWindow& m = main();
  HWND commands = m.sendBeforeCommands, apps = m.applications;
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == m.window; }));
  auto rows = [](HWND list, Texts expected) {
    return WaitUntil([&] { return wintest::Rows(list) == expected; });
  };
  auto menu = [&] { return waitForWindowOfClass(app_->processId(), L"#32768"); };
  auto menuClosed = [&] { return WaitUntil([&] { return !windowOfClass(app_->processId(), L"#32768"); }); };
  // Whether a row shows an image: more than the background's colours where it goes.
  auto imageShown = [&](int row) {
    std::vector<uint32_t> pixels = wintest::ScreenPixels(apps, wintest::RowRect(apps, row, LVIR_ICON));
    std::sort(pixels.begin(), pixels.end());
    return std::unique(pixels.begin(), pixels.end()) - pixels.begin() > 2;
  };
  auto tipOf = [&](int row) {
    const POINT p = wintest::RowCentre(apps, row);
    return wintest::TipText(apps, &p);
  };
  const std::wstring notFound = L"Nie znaleziono pliku";

  // The missing program is marked where its icon would be, and its tip says so.
  EXPECT_TRUE(WaitUntil([&] { return imageShown(0); }));
  EXPECT_EQ(wintest::RowImage(apps, 0), -1);
  EXPECT_TRUE(WaitUntil([&] { return tipOf(0).substr(0, notFound.size()) == notFound; }));
  EXPECT_NE(tipOf(1).substr(0, notFound.size()), notFound);

  // Alt+Up moves the selected command up; the selection and the keys go with it.
  wintest::ClickRow(commands, 2);
  ASSERT_TRUE(WaitUntil([&] { return wintest::SelectedRow(commands) == 2; }));
  PressKeys(VK_UP, MOD_ALT);
  ASSERT_TRUE(rows(commands, {L"A", L"C", L"B"}));
  EXPECT_EQ(wintest::SelectedRow(commands), 1);
  PressKeys(VK_UP);
  ASSERT_TRUE(WaitUntil([&] { return wintest::SelectedRow(commands) == 0; }));
  // A right click selects its row and opens the list's menu, where G moves the row up.
  wintest::ClickRow(commands, 1, true);
  ASSERT_NE(menu(), nullptr);
  EXPECT_EQ(wintest::SelectedRow(commands), 1);
  TypeKeys(L"g");
  ASSERT_TRUE(rows(commands, {L"C", L"A", L"B"}));
  EXPECT_EQ(wintest::SelectedRow(commands), 0);
  // Shift+F10 opens it below the selected row's text; Ł moves the row down.
  ASSERT_TRUE(menuClosed());
  PressKeys(VK_F10, MOD_SHIFT);
  HWND open = menu();
  ASSERT_NE(open, nullptr);
  RECT at, label = wintest::RowRect(commands, 0, LVIR_LABEL);
  GetWindowRect(open, &at);
  MapWindowPoints(commands, nullptr, reinterpret_cast<POINT*>(&label), 2);
  EXPECT_EQ(at.left, label.left);
  EXPECT_EQ(at.top, label.bottom);
  TypeKeys(L"ł");
  ASSERT_TRUE(rows(commands, {L"A", L"C", L"B"}));
  // Insert in the list adds the field's text (the selected row's, here), as "+" does.
  PressKeys(VK_INSERT);
  ASSERT_TRUE(rows(commands, {L"A", L"C", L"B", L"C"}));

  // Dropped files open the entry dialog one after the other, filled from each file: the name from
  // the program's version information, a shortcut's target, arguments and name.
  const std::wstring exePath = (dir_.Path() / "Konfigurator.exe").wstring();
  wintest::DropFiles(apps, {exePath, shortcut.wstring()});
  HWND dialog = app_->waitForWindow(kEntryDialog);
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return fields(dialog) == Texts{L"Tarvenik - Konfigurator", exePath, L""}; }));
  PressKeys(VK_RETURN);
  ASSERT_TRUE(WaitUntil([&] {
    return IsWindowVisible(dialog) && fields(dialog) == Texts{L"Skrot", tool.wstring(), L"-v"};
  }));
  PressKeys(VK_RETURN);
  ASSERT_TRUE(rows(apps, {L"Brak", L"Own", L"Tarvenik - Konfigurator", L"Skrot"}));
  // The batch file is there, and shows no icon.
  EXPECT_EQ(wintest::RowImage(apps, 3), -1);
  EXPECT_NE(tipOf(3).substr(0, notFound.size()), notFound);
  // A file dropped onto the path field fills it, and the empty name.
  dialog = openEntryDialog(m.plus[1]);
  ASSERT_NE(dialog, nullptr);
  wintest::DropFiles(wintest::Children(dialog, L"Edit").at(1), {tool.wstring()});
  ASSERT_TRUE(WaitUntil([&] { return fields(dialog) == Texts{L"tool", tool.wstring(), L""}; }));
  closeWith(dialog, VK_ESCAPE);

  // Alt+Down moves the missing program down with its mark, the other row up with its icon; the tip
  // shown goes with its row.
  wintest::ClickRow(apps, 0);
  ASSERT_TRUE(WaitUntil([&] { return wintest::SelectedRow(apps) == 0; }));
  ASSERT_EQ(tipOf(0).substr(0, notFound.size()), notFound);
  PressKeys(VK_DOWN, MOD_ALT);
  ASSERT_TRUE(rows(apps, {L"Own", L"Brak", L"Tarvenik - Konfigurator", L"Skrot"}));
  EXPECT_EQ(wintest::TipText(apps), L"");
  EXPECT_EQ(wintest::SelectedRow(apps), 1);
  EXPECT_EQ(wintest::RowImage(apps, 0), 0);
  EXPECT_EQ(wintest::RowImage(apps, 1), -1);
  EXPECT_EQ(tipOf(1).substr(0, notFound.size()), notFound);
  // The tip of a deleted row (cut off, it shows the whole row) goes with it.
  wintest::ClickRow(apps, 2);
  ASSERT_TRUE(WaitUntil([&] { return wintest::SelectedRow(apps) == 2; }));
  ASSERT_NE(tipOf(2), L"");
  PressKeys(VK_DELETE);
  ASSERT_TRUE(rows(apps, {L"Own", L"Brak", L"Skrot"}));
  EXPECT_EQ(wintest::TipText(apps), L"");
  // The menu key opens the menu too; Esc closes only the menu.
  PressKeys(VK_APPS);
  ASSERT_NE(menu(), nullptr);
  PressKeys(VK_ESCAPE);
  ASSERT_TRUE(menuClosed());

  pressOk();
  EXPECT_EQ(ReadBytes(file()),
            settings +
                "[SendBefore]\r\nCount=4\r\nCommand[0]=A\r\nCommand[1]=C\r\nCommand[2]=B\r\n"
                "Command[3]=C\r\n[Application]\r\nCount=3\r\nName[0]=Own\r\nPath[0]=" +
                exe() + "\r\nParameters[0]=-x\r\nName[1]=Brak\r\nPath[1]=" + missing.string() +
                "\r\nParameters[1]=\r\nName[2]=Skrot\r\nPath[2]=" + tool.string() +
                "\r\nParameters[2]=-v\r\n[SendAfter]\r\nCount=0\r\n");
}

TEST_F(Flow, ADoubleClickOnAnApplicationRowOpensItForChanging) {
  start("[Application]\r\nCount=1\r\nName[0]=A\r\nPath[0]=" + exe() + "\r\nParameters[0]=-a\r\n");
  wintest::DoubleClickRow(main().applications, 0);
  HWND dialog = app_->waitForWindow(kEntryDialog);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(fields(dialog), (Texts{L"A", (dir_.Path() / "Konfigurator.exe").wstring(), L"-a"}));
  closeWith(dialog, VK_ESCAPE);
}

// The arrows of a spin field, up first.
std::vector<HWND> spinArrows(HWND field) {
  std::vector<HWND> arrows;
  if (HWND pair = GetWindow(field, GW_CHILD))
    for (HWND a = GetWindow(pair, GW_CHILD); a; a = GetWindow(a, GW_HWNDNEXT)) arrows.push_back(a);
  std::sort(arrows.begin(), arrows.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.top < rb.top;
  });
  return arrows;
}

// What a screen reader hears of a control: the name it was given; the rest is what the system says
// of a window of its kind (the role, the children: the rows and items with their own names), but
// for a small button, which is a push button whatever its window is made of.
void expectHeard(HWND control, const std::wstring& name, const std::vector<HWND>& smallButtons) {
  SCOPED_TRACE(testing::Message() << "the control named " << WideToUtf8(name));
  const wintest::Accessible ours = wintest::AccessibleOf(control);
  const wintest::Accessible system = wintest::AccessibleOf(control, CHILDID_SELF, true);
  const bool small = std::find(smallButtons.begin(), smallButtons.end(), control) != smallButtons.end();
  EXPECT_EQ(ours.name, name);
  EXPECT_EQ(ours.role, small ? ROLE_SYSTEM_PUSHBUTTON : system.role);
  EXPECT_EQ(ours.children, system.children);
  for (long child = 1; child <= system.children; ++child) {
    const wintest::Accessible a = wintest::AccessibleOf(control, child);
    const wintest::Accessible b = wintest::AccessibleOf(control, child, true);
    EXPECT_EQ(a.name, b.name) << "child " << child;
    EXPECT_EQ(a.role, b.role) << "child " << child;
    EXPECT_EQ(a.childObject, b.childObject) << "child " << child;
  }
}

TEST_F(Flow, AScreenReaderHearsTheNameOfEveryControl) {
  start("[SendBefore]\r\nCount=1\r\nCommand[0]=ATZ\r\n[Application]\r\nCount=1\r\nName[0]=A\r\nPath[0]=" +
        exe() + "\r\n");
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  MainWindow& m = main();
  const std::vector<HWND> arrows = spinArrows(m.interval);
  ASSERT_EQ(arrows.size(), 2u);
  std::vector<HWND> smallButtons = arrows;
  for (const std::vector<HWND>* buttons : {&m.plus, &m.edit, &m.minus})
    smallButtons.insert(smallButtons.end(), buttons->begin(), buttons->end());
  const std::wstring before = L"Wyślij polecenia przed uruchomieniem aplikacji:";
  const std::wstring applications = L"Uruchom program lub wyświetl listę aplikacji do uruchomienia:";
  const std::wstring after = L"Wyślij polecenia po zamknięciu aplikacji:";
  const std::vector<std::pair<HWND, std::wstring>> mainNames = {
      {m.connect, L"Łącz się z portem COM:"},
      {m.port, L"Port"},
      {m.baudRate, L"BaudRate:"},
      {wintest::Child(m.window, L"CR"), L"CR"},
      {wintest::Child(m.window, L"LF"), L"LF"},
      {m.sendBefore, before},
      {m.sendBeforeText, before},
      {m.plus[0], L"Dodaj polecenie (Enter)"},
      {m.edit[0], L"Zmień zaznaczone polecenie (Ctrl+Enter, F2)"},
      {m.minus[0], L"Usuń zaznaczone polecenie (Delete)"},
      {m.sendBeforeCommands, before},
      {m.startApplication, applications},
      {m.applications, applications},
      {m.plus[1], L"Dodaj aplikację (Insert)"},
      {m.edit[1], L"Zmień zaznaczoną aplikację (Enter, F2)"},
      {m.minus[1], L"Usuń zaznaczoną aplikację (Delete)"},
      {m.interval, L"Sprawdzaj co (w sekundach)"},
      {arrows[0], L"Zwiększ (strzałka w górę)"},
      {arrows[1], L"Zmniejsz (strzałka w dół)"},
      {m.sendAfter, after},
      {m.sendAfterText, after},
      {m.plus[2], L"Dodaj polecenie (Enter)"},
      {m.edit[2], L"Zmień zaznaczone polecenie (Ctrl+Enter, F2)"},
      {m.minus[2], L"Usuń zaznaczone polecenie (Delete)"},
      {m.sendAfterCommands, after},
      {wintest::Child(m.window, L"Anuluj"), L"Anuluj"},
      {wintest::Child(m.window, L"Pomoc"), L"Pomoc"},
      {m.ok, L"OK"},
  };
  for (const auto& [control, name] : mainNames) expectHeard(control, name, smallButtons);

  HWND dialog = openEntryDialog(m.plus[1]);
  ASSERT_NE(dialog, nullptr);
  const std::vector<HWND> fields = wintest::Children(dialog, L"Edit");
  ASSERT_EQ(fields.size(), 3u);
  const std::vector<std::pair<HWND, std::wstring>> dialogNames = {
      {fields[0], L"Nazwa:"},
      {fields[1], L"Ścieżka dostępu:"},
      {wintest::Child(dialog, L"..."), L"Wybierz plik (F4, Alt+Strzałka w dół)"},
      {fields[2], L"Parametry:"},
      {wintest::Child(dialog, L"OK"), L"OK"},
      {wintest::Child(dialog, L"Anuluj"), L"Anuluj"},
  };
  smallButtons.push_back(wintest::Child(dialog, L"..."));
  for (const auto& [control, name] : dialogNames) expectHeard(control, name, smallButtons);
  CoUninitialize();
}

TEST_F(Flow, OkAsksBeforeReplacingAFileTheWindowDoesNotShow) {
  // Held by a program that lets no one else open it while the window starts, or too large to read.
  for (const bool held : {true, false}) {
    WriteBytes(file(), "[Settings]\r\nInterval=7\r\n");
    if (!held) fs::resize_file(file(), (16u << 20) + 1);
    HANDLE holder = held ? CreateFileW(file().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)
                         : INVALID_HANDLE_VALUE;
    start("", true);
    ASSERT_TRUE(WaitUntil([&] { return boxes_->seen().size() == 1; }));
    EXPECT_NE(boxes_->seen()[0].text.find(held ? L"Nie można" : L"za duży"), std::wstring::npos);
    CloseHandle(holder);
    boxes_.reset();
    ASSERT_TRUE(WaitUntil([&] { return enabled(main().window); }));
    wintest::Click(main().ok);
    HWND box = waitForWindowOfClass(app_->processId(), L"#32770");
    wintest::PressKey(wintest::FocusOf(box), VK_RETURN);  // the default: "Nie"; the window stays
    ASSERT_TRUE(WaitUntil([&] { return enabled(main().window); }));
    wintest::Click(wintest::Child(main().window, L"Anuluj"));
    EXPECT_EQ(app_->waitForExit(), 0);
    EXPECT_EQ(fs::file_size(file()), held ? 24u : (16u << 20) + 1);
  }
}

}  // namespace
