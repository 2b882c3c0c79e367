// End-to-end: starts Konfigurator.exe in a folder of its own and drives it from outside.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "testing/WinTest.h"

namespace {

namespace fs = std::filesystem;

// CTest hands over a Linux path; Wine shows the Linux root as drive Z:.
fs::path windowsPath(std::string p) {
  if (!p.empty() && p[0] == '/') {
    for (char& c : p)
      if (c == '/') c = '\\';
    p = "Z:" + p;
  }
  return fs::path(p);
}

class Running {
 public:
  // `lang`: the value of LANG for the program ("" leaves it unset).
  explicit Running(const fs::path& dir, const std::wstring& lang = L"") : dir_(dir) {
    fs::copy_file(windowsPath(KONFIGURATOR_EXE), dir / "Konfigurator.exe");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + (dir / "Konfigurator.exe").wstring() + L"\"";
    SetEnvironmentVariableW(L"LANG", lang.empty() ? nullptr : lang.c_str());
    started_ = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.wstring().c_str(),
                              &si, &pi_);
    SetEnvironmentVariableW(L"LANG", nullptr);
  }
  ~Running() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  bool started() const { return started_; }
  DWORD processId() const { return pi_.dwProcessId; }

  // The first visible top-level window of the process with this caption (waits up to 10 s).
  HWND waitForWindow(const std::wstring& caption) {
    struct Search {
      DWORD pid;
      const std::wstring* caption;
      HWND found;
    };
    for (int i = 0; i < 200; ++i) {
      Search s{pi_.dwProcessId, &caption, nullptr};
      EnumWindows(
          [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            if (pid == s->pid && IsWindowVisible(h) && wintest::WindowText(h) == *s->caption) {
              s->found = h;
              return FALSE;
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&s));
      if (s.found) return s.found;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
  }

  static HWND child(HWND parent, const std::wstring& text) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (wintest::WindowText(c) == text) return c;
    return nullptr;
  }

  // Exit code, or -1 when it did not end within 10 s.
  long waitForExit() {
    if (WaitForSingleObject(pi_.hProcess, 10000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  fs::path dir_;
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

const std::wstring kTitle = L"Tarvenik - Konfigurator";

enum class Ending { Esc, CancelButton, CloseButton };

class EndingTest : public ::testing::TestWithParam<Ending> {};

TEST_P(EndingTest, EndsWithExitCodeZeroAndWritesNothing) {
  TempDir dir;
  Running app(dir.Path());
  ASSERT_TRUE(app.started());
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  switch (GetParam()) {
    case Ending::Esc:
      PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
      break;
    case Ending::CancelButton: {
      HWND cancel = Running::child(main, L"Anuluj");
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

TEST(Konfigurator, HelpShowsItsMessageAndTheProgramGoesOn) {
  TempDir dir;
  Running app(dir.Path());
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
  PostMessageW(Running::child(main, L"Pomoc"), BM_CLICK, 0, 0);
  // The message dialog carries the application's title too; find the one that is not the main window.
  HWND dialog = nullptr;
  for (int i = 0; i < 200 && !dialog; ++i) {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
      if (w != main && IsWindowVisible(w) && wintest::WindowText(w) == kTitle) dialog = w;
    if (!dialog) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ASSERT_NE(dialog, nullptr);
  EXPECT_NE(Running::child(dialog, L"Będzie w następnej wersji"), nullptr);
  EXPECT_FALSE(IsWindowEnabled(main));  // modal
  PostMessageW(Running::child(dialog, L"OK"), BM_CLICK, 0, 0);
  for (int i = 0; i < 100 && IsWindowVisible(dialog); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(IsWindow(dialog) && IsWindowVisible(dialog));
  EXPECT_TRUE(IsWindowEnabled(main));
  PostMessageW(main, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(app.waitForExit(), 0);
}

// The program reports an error beginning with `start` before its window shows, then opens the
// window anyway and ends normally on Esc.
void expectReportThenWindow(Running& app, const std::wstring& start) {
  wintest::MessageBoxWatcher watcher(app.processId());
  auto seen = watcher.waitFor(1, std::chrono::seconds(10));
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0].text.rfind(start, 0), 0u);
  HWND main = app.waitForWindow(kTitle);
  ASSERT_NE(main, nullptr);
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
  fs::copy_file(windowsPath(KONFIGURATOR_EXE).parent_path() / "locale" / "pl" / "LC_MESSAGES" / "default.mo",
                polishCatalogueDir(dir.Path()) / "default.mo");
  std::ofstream(dir.Path() / "Tarvenik.ini") << "[Settings]\r\nRS232BaudRate=abc\r\n";
  Running app(dir.Path(), L"pl_PL.UTF-8");
  // The loading error, in Polish.
  expectReportThenWindow(app, L"'abc' nie jest prawid");
}

TEST(Konfigurator, ADamagedCatalogueIsReportedAndStartUpGoesOn) {
  TempDir dir;
  std::ofstream(polishCatalogueDir(dir.Path()) / "default.mo", std::ios::binary)
      << std::string("\xde\x12\x04\x95\0\0\0\0\xff\xff\xff\x7f", 12) << std::string(20, 'x');
  Running app(dir.Path(), L"pl_PL");
  expectReportThenWindow(app, L"This file is not a valid GNU gettext mo file: ");
}

}  // namespace
