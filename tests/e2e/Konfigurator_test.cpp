// End-to-end: starts Konfigurator.exe in a folder of its own and drives it from outside.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <algorithm>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#include "base/Text.h"
#include "testing/Host.h"
#include "testing/Program.h"

namespace {

namespace fs = std::filesystem;

using wintest::Running;

fs::path program() { return wintest::WindowsPath(KONFIGURATOR_EXE); }

const std::wstring kTitle = L"Tarvenik - Konfigurator";

enum class Ending { Esc, CancelButton, CloseButton };

class EndingTest : public ::testing::TestWithParam<Ending> {};

TEST_P(EndingTest, EndsWithExitCodeZeroAndWritesNothing) {
  TempDir dir;
  Running app(program(), dir.Path());
  ASSERT_TRUE(app.started());
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  switch (GetParam()) {
    case Ending::Esc:
      PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    case Ending::CancelButton: {
      HWND cancel = wintest::Child(main, L"Anuluj");
      ASSERT_NE(cancel, nullptr);
      PostMessageW(cancel, BM_CLICK, 0, 0);
      break;
    }
    case Ending::CloseButton:
      PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
  }
  EXPECT_EQ(app.waitForExit(), 0);
  EXPECT_FALSE(fs::exists(dir.Path() / "Tarvenik.ini"));
}

INSTANTIATE_TEST_SUITE_P(Konfigurator, EndingTest,
                         ::testing::Values(Ending::Esc, Ending::CancelButton, Ending::CloseButton));

// The control of `window` that has the keyboard focus, once one has it (keys go there).
HWND focusIn(HWND window) {
  wintest::WaitUntil([&] { return IsChild(window, wintest::FocusOf(window)) != FALSE; });
  return wintest::FocusOf(window);
}

// The help window, opened by F1 and by "Pomoc": the read-me in a read-only text that scrolls and
// has the focus, closed by Esc and by "OK"; the main window waits meanwhile.
TEST(Konfigurator, HelpShowsTheReadMeAndTheProgramGoesOn) {
  TempDir dir;
  Running app(program(), dir.Path());
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  for (bool byKey : {true, false}) {
    if (byKey)
      wintest::PressKey(focusIn(main), VK_F1);
    else
      wintest::Click(wintest::Child(main, L"Pomoc"));
    HWND help = app.waitForWindow(L"Pomoc");
    ASSERT_NE(help, nullptr);
    const std::vector<HWND> text = wintest::Children(help, L"Edit");
    ASSERT_EQ(text.size(), 1u);
    EXPECT_NE(wintest::Text(text[0]).find(L"Tarvenik.ini, w tym samym folderze co\r\nKonfigurator.exe"),
              std::wstring::npos);
    EXPECT_EQ(GetWindowLongW(text[0], GWL_STYLE) & (ES_READONLY | WS_VSCROLL), ES_READONLY | WS_VSCROLL);
    EXPECT_FALSE(IsWindowEnabled(main));
    HWND ok = wintest::Child(help, L"OK");
    ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::FocusOf(help) == text[0]; }));
    if (byKey) {
      wintest::PressKey(text[0], VK_TAB);
      ASSERT_TRUE(wintest::WaitUntil([&] { return wintest::FocusOf(help) == ok; }));
      wintest::PressKey(ok, VK_ESCAPE);
    } else {
      wintest::Click(ok);
    }
    EXPECT_TRUE(wintest::WaitUntil([&] { return !IsWindowVisible(help) && IsWindowEnabled(main); }));
  }
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(app.waitForExit(), 0);
}

// The program reports an error beginning with `start` before its window shows, then opens the
// window anyway, with the one command before of the file, and ends normally on Esc.
void expectReportThenWindow(Running& app, const std::wstring& start) {
  wintest::MessageBoxWatcher watcher(app.processId());
  auto seen = watcher.waitFor(1, std::chrono::seconds(10));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].text.rfind(start, 0), 0u);
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(wintest::RowCount(wintest::Children(main, L"SysListView32").at(0)), 1);
  // The box is answered; the key goes to the window once the box is gone and the window takes input.
  ASSERT_TRUE(wintest::WaitUntil(
      [&] { return FindWindowW(L"#32770", nullptr) == nullptr && IsWindowEnabled(main); }));
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(app.waitForExit(), 0);
}

// The catalogue folder for Polish beside the copied program.
fs::path polishCatalogueDir(const fs::path& dir) {
  fs::path p = dir / "locale" / "pl" / "LC_MESSAGES";
  fs::create_directories(p);
  return p;
}

TEST(Konfigurator, ShowsTheBuiltInMessagesInPolishWithTheShippedCatalogue) {
  TempDir dir;
  fs::copy_file(program().parent_path() / "locale" / "pl" / "LC_MESSAGES" / "default.mo",
                polishCatalogueDir(dir.Path()) / "default.mo");
  std::ofstream(dir.Path() / "Tarvenik.ini")
      << "[Settings]\r\nRS232BaudRate=abc\r\n[SendBefore]\r\nCount=1\r\nCommand[0]=AT\r\n";
  Running app(program(), dir.Path(), L"pl_PL.UTF-8");
  // The loading error, in Polish.
  expectReportThenWindow(app, L"'abc' nie jest prawid");
}

// The files in a folder other than the program.
std::vector<std::wstring> filesIn(const fs::path& dir) {
  std::vector<std::wstring> names;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().filename() != "Konfigurator.exe") names.push_back(e.path().filename().wstring());
  std::sort(names.begin(), names.end());
  return names;
}

// An icon file whose header claims 65535 images, and the program itself cut to 97 % of its bytes:
// the system's icon code reads past the end of both.
TEST(Konfigurator, DamagedIconFilesCrashNeitherLoadingNorTheEntryDialog) {
  TempDir dir;
  const fs::path ico = dir.Path() / "many.ico", cut = dir.Path() / "cut.exe";
  WriteBytes(ico, std::string("\0\0\1\0\xff\xff\x10\x10\0\0\1\0\x20\0\x68\x04\0\0\x16\0\0\0", 22) +
                      std::string(200, '\0'));
  const std::string bytes = ReadBytes(program());
  WriteBytes(cut, bytes.substr(0, bytes.size() * 97 / 100));
  const std::string cutPath = cut.string(), icoPath = ico.string();
  WriteBytes(dir.Path() / "Tarvenik.ini",
             "[Application]\r\nCount=1\r\nName[0]=Cut\r\nPath[0]=" + cutPath + "\r\n");
  Running app(program(), dir.Path());
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  // "+" of the applications: the middle one of the three.
  std::vector<HWND> plus = Running::buttons(main, L"+");
  ASSERT_EQ(plus.size(), 3u);
  PostMessageW(plus[1], BM_CLICK, 0, 0);
  HWND dialog = app.waitForWindow(L"Wybierz aplikacj\u0119");
  ASSERT_NE(dialog, nullptr);
  std::vector<HWND> edits;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (wintest::ClassName(c) == L"Edit") edits.push_back(c);
  ASSERT_EQ(edits.size(), 3u);
  SendMessageW(edits[0], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Many"));
  SendMessageW(edits[1], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ico.wstring().c_str()));
  PostMessageW(wintest::Child(dialog, L"OK"), BM_CLICK, 0, 0);
  for (int i = 0; i < 100 && IsWindowVisible(dialog); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_FALSE(IsWindowVisible(dialog));
  PostMessageW(wintest::Child(main, L"OK"), BM_CLICK, 0, 0);
  EXPECT_EQ(app.waitForExit(), 0);
  const std::string saved = ReadBytes(dir.Path() / "Tarvenik.ini");
  EXPECT_NE(saved.find("Count=2\r\nName[0]=Cut\r\nPath[0]=" + cutPath +
                       "\r\nParameters[0]=\r\nName[1]=Many\r\nPath[1]=" + icoPath + "\r\n"),
            std::string::npos)
      << saved;
}

// A settings file of a few megabytes: long lists take the save a while.
std::string bigSettingsFile() {
  std::string text = "[Settings]\r\nCR=1\r\n[Kept]\r\nUnknown=stays\r\n";
  for (const char* list : {"SendBefore", "SendAfter"}) {
    text += std::string("[") + list + "]\r\nCount=5000\r\n";
    for (int i = 0; i < 5000; ++i)
      text +=
          "Command[" + std::to_string(i) + "]=AT+" + list + std::to_string(i) + std::string(60, 'x') + "\r\n";
  }
  return text;
}

// Starts the program on `dir`, clears "CR" and presses "OK"; returns when the click was sent.
void startAndSave(Running& app) {
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  SendMessageW(wintest::Child(main, L"CR"), BM_CLICK, 0, 0);
  PostMessageW(wintest::Child(main, L"OK"), BM_CLICK, 0, 0);
}

// The copies of the settings file that saves left beside it.
int copiesLeftIn(const fs::path& dir) {
  int n = 0;
  for (const auto& e : fs::directory_iterator(dir))
    n += e.path().filename().string().starts_with("Tarvenik.ini.tmp");
  return n;
}

TEST(Konfigurator, ASaveEndedPartWayLeavesTheOldFileOrTheWholeNewOne) {
  const std::string old = bigSettingsFile();
  // A save left to finish: the new file, and how long saving takes.
  std::string whole;
  std::chrono::milliseconds took{};
  {
    TempDir dir;
    WriteBytes(dir.Path() / "Tarvenik.ini", old);
    Running app(program(), dir.Path());
    startAndSave(app);
    auto clicked = std::chrono::steady_clock::now();
    ASSERT_EQ(app.waitForExit(60000), 0);
    took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clicked);
    whole = ReadBytes(dir.Path() / "Tarvenik.ini");
    ASSERT_NE(whole, old);
    ASSERT_NE(whole.find("CR=0"), std::string::npos);
    ASSERT_NE(whole.find("Unknown=stays"), std::string::npos);
  }
  // The same save ended at moments spread over that time. A save that ends before its moment
  // (the machine was busier while the time was measured) says that saving takes at most that long
  // now: the moments are spread over the shorter time from then on, so that the ends still fall
  // inside saves however the machine's load changes.
  int endedWhileSaving = 0;
  constexpr int kSteps = 6;
  for (int step = 0, tries = 0; step < kSteps && tries < 4 * kSteps; ++tries) {
    TempDir dir;
    WriteBytes(dir.Path() / "Tarvenik.ini", old);
    Running app(program(), dir.Path());
    startAndSave(app);
    const auto moment = took * step / kSteps;
    std::this_thread::sleep_for(moment);
    if (app.running()) {
      ++endedWhileSaving;
      ++step;
      app.kill();
    } else {
      took = moment;
    }
    const std::string left = ReadBytes(dir.Path() / "Tarvenik.ini");
    EXPECT_TRUE(left == old || left == whole)
        << "ended after " << step << "/" << kSteps << " of the save: " << left.size() << " bytes, old "
        << old.size() << ", new " << whole.size();
  }
  EXPECT_EQ(endedWhileSaving, kSteps) << "saving took at most " << took.count() << " ms";
  // The copy that an ended save left behind goes with the next save. Whether one of the ends above
  // fell while a copy was there depends on the machine's pace, so the copy is laid here, as
  // made by a process id far beyond any the system hands out.
  TempDir dir;
  WriteBytes(dir.Path() / "Tarvenik.ini", old);
  WriteBytes(dir.Path() / "Tarvenik.ini.tmp4294967293-1", old);
  Running again(program(), dir.Path());
  startAndSave(again);
  ASSERT_EQ(again.waitForExit(60000), 0);
  EXPECT_EQ(copiesLeftIn(dir.Path()), 0);
}

TEST(Konfigurator, AFailedSaveIsReportedTheFileStaysAndOkCanBePressedAgain) {
  TempDir dir;
  const fs::path ini = dir.Path() / "Tarvenik.ini";
  const std::string old = "[Settings]\r\nCR=1\r\n[SendAfter]\r\nCount=1\r\nCommand[0]=ATH\r\n";
  WriteBytes(ini, old);
  Running app(program(), dir.Path());
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  SetFileAttributesW(ini.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
  SendMessageW(wintest::Child(main, L"CR"), BM_CLICK, 0, 0);
  std::wstring text;
  {
    wintest::MessageBoxWatcher watcher(app.processId());
    PostMessageW(wintest::Child(main, L"OK"), BM_CLICK, 0, 0);
    const auto seen = watcher.waitFor(1, std::chrono::seconds(10));
    ASSERT_EQ(seen.size(), 1u);
    text = seen[0].text;
  }
  EXPECT_EQ(text.rfind(L"Unable to write to ", 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 14), L"\\Tarvenik.ini.") << text;
  EXPECT_TRUE(app.running());
  EXPECT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(ReadBytes(ini), old);
  EXPECT_EQ(filesIn(dir.Path()), std::vector<std::wstring>{L"Tarvenik.ini"});
  // Once the file may be written, "OK" again saves and ends.
  SetFileAttributesW(ini.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
  PostMessageW(wintest::Child(main, L"OK"), BM_CLICK, 0, 0);
  EXPECT_EQ(app.waitForExit(), 0);
  const std::string saved = ReadBytes(ini);
  EXPECT_NE(saved.find("CR=0\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Command[0]=ATH\r\n"), std::string::npos) << saved;
  EXPECT_EQ(filesIn(dir.Path()), std::vector<std::wstring>{L"Tarvenik.ini"});
}

void saveWhileHeld(DWORD share) {
  TempDir dir;
  const fs::path ini = dir.Path() / "Tarvenik.ini";
  WriteBytes(ini, "[Settings]\r\nCR=1\r\n");
  Running app(program(), dir.Path());
  HANDLE reader = CreateFileW(ini.wstring().c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  startAndSave(app);
  // Held until the save is well on to its replacement of the file.
  for (int i = 0; i < 50 && copiesLeftIn(dir.Path()) == 0; ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  CloseHandle(reader);
  EXPECT_EQ(app.waitForExit(), 0);
  EXPECT_NE(ReadBytes(ini).find("CR=0\r\n"), std::string::npos) << ReadBytes(ini);
}

TEST(Konfigurator, ASaveWhileAReaderHoldsTheFileForAMomentSucceeds) {
  saveWhileHeld(FILE_SHARE_READ | FILE_SHARE_WRITE);  // as the launcher: the file is not replaced
  saveWhileHeld(FILE_SHARE_READ);                     // the file is not written either
}

// A link stays, the file it leads to and a second name see the new settings, attributes and rights stay.
TEST(Konfigurator, ASaveKeepsLinksNamesAttributesAndRights) {
  constexpr DWORD kAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  auto rightsOf = [](const fs::path& file, std::string sd = std::string(4096, '\0'), DWORD n = 0) {
    return GetFileSecurityW(file.wstring().c_str(), DACL_SECURITY_INFORMATION, sd.data(), 4096, &n), sd;
  };
  SECURITY_DESCRIPTOR everyone{
      SECURITY_DESCRIPTOR_REVISION, 0, SE_DACL_PRESENT, nullptr, nullptr, nullptr, nullptr};
  for (const int kind : {0, 1, 2, 3}) {  // a link, a second name, attributes, rights
    TempDir dir;
    const fs::path ini = dir.Path() / "Tarvenik.ini", other = dir.Path() / "other.ini";
    WriteBytes(kind == 0 ? other : ini, "[Settings]\r\nCR=1\r\n");
    const HostLink link(kind == 0 ? other : fs::path(), ini);
    if (kind == 1) CreateHardLinkW(other.wstring().c_str(), ini.wstring().c_str(), nullptr);
    if (kind == 2) SetFileAttributesW(ini.wstring().c_str(), kAttributes);
    if (kind == 3) SetFileSecurityW(ini.wstring().c_str(), DACL_SECURITY_INFORMATION, &everyone);
    const std::string rights = rightsOf(ini);
    Running app(program(), dir.Path());
    startAndSave(app);
    ASSERT_EQ(app.waitForExit(), 0) << kind;
    EXPECT_NE(ReadBytes(ini).find("CR=0\r\n"), std::string::npos) << kind;
    EXPECT_EQ(ReadBytes(kind < 2 ? other : ini), ReadBytes(ini)) << kind;
    EXPECT_EQ(GetFileAttributesW(ini.wstring().c_str()) & kAttributes, kind == 2 ? kAttributes : 0) << kind;
    EXPECT_EQ(rightsOf(ini), rights) << kind;
  }
}

TEST(Konfigurator, ADamagedCatalogueIsReportedOnceAfterTheWindowAndHidesNoOtherMessage) {
  TempDir dir;
  std::ofstream(polishCatalogueDir(dir.Path()) / "default.mo", std::ios::binary)
      << std::string("\xde\x12\x04\x95\0\0\0\0\xff\xff\xff\x7f", 12) << std::string(20, 'x');
  const fs::path ini = dir.Path() / "Tarvenik.ini";
  WriteBytes(ini, "[Settings]\r\nCR=1\r\n");
  SetFileAttributesW(ini.wstring().c_str(), FILE_ATTRIBUTE_READONLY);
  Running app(program(), dir.Path(), L"pl_PL");
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  wintest::MessageBoxWatcher watcher(app.processId());
  auto seen = watcher.waitFor(1, std::chrono::seconds(10));
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].text.rfind(L"This file is not a valid GNU gettext mo file: ", 0), 0u) << seen[0].text;
  ASSERT_TRUE(wintest::WaitUntil([&] { return IsWindowEnabled(main); }));
  // The failed save is told as it is, in the texts as built.
  PostMessageW(wintest::Child(main, L"OK"), BM_CLICK, 0, 0);
  seen = watcher.waitFor(2, std::chrono::seconds(10));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1].text.rfind(L"Unable to write to ", 0), 0u) << seen[1].text;
  ASSERT_TRUE(wintest::WaitUntil([&] { return IsWindowEnabled(main); }));
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(app.waitForExit(), 0);
  EXPECT_EQ(watcher.seen().size(), 2u);
  SetFileAttributesW(ini.wstring().c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The release zip unpacked into a fresh folder whose name holds a space (by the package_tests
// test; skipped elsewhere): the program starts there in Polish, its help is the read-me beside
// it, and "OK" writes the settings file beside it.
TEST(Package, TheUnpackedProgramSpeaksPolishAndWritesBesideItself) {
  const char* unpacked = std::getenv("TARVENIK_UNPACKED");
  if (!unpacked) GTEST_SKIP() << "needs the unpacked release zip";
  const fs::path dir = wintest::WindowsPath(unpacked), ini = dir / "Tarvenik.ini";
  ASSERT_NE(dir.filename().wstring().find(L' '), std::wstring::npos);
  ASSERT_FALSE(fs::exists(ini));
  // A command with letters beyond ASCII, as the system's code page holds them (Ś ś in the Polish
  // one, Œ œ in the Western one that Wine gives here).
  WriteBytes(ini, "[Settings]\r\nRS232BaudRate=abc\r\n[SendBefore]\r\nCount=1\r\nCommand[0]=AT\x8C\x9C\r\n");
  Running app(dir, std::wstring(L"pl_PL"));
  HWND main = nullptr;
  {
    wintest::MessageBoxWatcher watcher(app.processId());
    const auto seen = watcher.waitFor(1, std::chrono::seconds(10));
    ASSERT_EQ(seen.size(), 1u);
    // The loading error in Polish (its letters beyond ASCII as the system's code page has them).
    EXPECT_EQ(seen[0].text.rfind(L"'abc' nie jest prawid", 0), 0u) << seen[0].text;
    main = app.waitForWindow(kTitle);
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(wintest::WaitUntil([&] { return IsWindowEnabled(main); }));
  }
  wintest::PressKey(focusIn(main), VK_F1);
  HWND help = app.waitForWindow(L"Pomoc");
  ASSERT_NE(help, nullptr);
  std::string readMe = ReadBytes(dir / "CZYTAJ.txt");
  ASSERT_EQ(readMe.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(wintest::Text(wintest::Children(help, L"Edit").at(0)), Utf8ToWide(readMe.substr(3)));
  wintest::PressKey(focusIn(help), VK_ESCAPE);
  ASSERT_TRUE(wintest::WaitUntil([&] { return IsWindowEnabled(main); }));
  PostMessageW(wintest::Child(main, L"OK"), BM_CLICK, 0, 0);
  EXPECT_EQ(app.waitForExit(), 0);
  EXPECT_EQ(ReadBytes(ini).rfind("[Settings]\r\nRS232BaudRate=9600\r\nRS232Connect=1\r\n", 0), 0u)
      << ReadBytes(ini);
  EXPECT_NE(ReadBytes(ini).find("\r\nCommand[0]=AT\x8C\x9C\r\n"), std::string::npos) << ReadBytes(ini);
}

TEST(Konfigurator, ASecondStartBringsTheFirstWindowForwardAndEnds) {
  TempDir dir, other;
  Running first(program(), dir.Path());
  HWND main = first.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  // A copy beside another settings file is a program of its own, and takes the front.
  Running beside(program(), other.Path());
  HWND besideMain = beside.waitForWindow(kTitle);
  ASSERT_NE(besideMain, nullptr);
  ASSERT_TRUE(wintest::WaitUntil([&] { return IsIconic(main) && GetForegroundWindow() == besideMain; }));
  Running second(dir.Path());
  EXPECT_EQ(second.waitForExit(), 0);
  EXPECT_TRUE(wintest::WaitUntil([&] { return !IsIconic(main) && GetForegroundWindow() == main; }));
  const fs::path upper = CharUpperW(std::wstring(dir.Path().wstring()).data());  // other letter case
  const HostLink link(dir.Path(), other.Path() / "link");
  ASSERT_TRUE(link.made);
  for (const fs::path& path : {upper, link.link}) EXPECT_EQ(Running(path).waitForExit(), 0) << path;
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(first.waitForExit(), 0);
}

}  // namespace
