// Timings of the real program under Windows (or Wine), each beside a baseline measured in the
// same run:
//  - start-up: Konfigurator.exe from process start to its window shown, against a program that
//    only shows an empty window (this executable started with --empty-window);
//  - loading the main window from a settings file with N entries in each list (the applications
//    cycling through the programs of the system folder), against the bare profile-function reads
//    of the same keys;
//  - saving it, against the bare profile-function writes of the same keys.
// Usage: window_bench [N ...] (default 100 1000 3000)
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "settings/TarvenikIni.h"
#include "toolkit/Application.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

fs::path tempDir() {
  fs::path p = fs::temp_directory_path() / ("tarvenik-bench-" + std::to_string(GetTickCount64()));
  fs::create_directories(p);
  return p;
}

// The programs of the system folder, so that the applications point at many different files, as
// a real list does (each file's icon is extracted once per load).
std::vector<std::string> programs() {
  std::vector<std::string> found;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator("C:\\windows\\system32", ec))
    if (e.path().extension() == ".exe") found.push_back(e.path().string());
  if (found.empty()) found.push_back("C:\\windows\\notepad.exe");
  return found;
}

void writeSettings(const fs::path& file, int n) {
  static const std::vector<std::string> files = programs();
  std::ofstream out(file, std::ios::binary);
  out << "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM1\r\nRS232BaudRate=19200\r\nInterval=5\r\n";
  for (const char* section : {"SendBefore", "SendAfter"}) {
    out << "[" << section << "]\r\nCount=" << n << "\r\n";
    for (int i = 0; i < n; ++i) out << "Command[" << i << "]=AT+COMMAND" << i << "\r\n";
  }
  out << "[Application]\r\nCount=" << n << "\r\n";
  for (int i = 0; i < n; ++i)
    out << "Name[" << i << "]=Program " << i << "\r\nPath[" << i << "]=" << files[i % files.size()]
        << "\r\nParameters[" << i << "]=-n " << i << "\r\n";
}

std::vector<std::pair<std::string, std::string>> listKeys(int n) {
  using namespace tarvenik_ini;
  std::vector<std::pair<std::string, std::string>> keys;
  for (int i = 0; i < n; ++i) keys.emplace_back("SendBefore", CommandKey(i));
  for (int i = 0; i < n; ++i) {
    keys.emplace_back("Application", NameKey(i));
    keys.emplace_back("Application", PathKey(i));
    keys.emplace_back("Application", ParametersKey(i));
  }
  for (int i = 0; i < n; ++i) keys.emplace_back("SendAfter", CommandKey(i));
  return keys;
}

void loadAndSave(int n) {
  fs::path dir = tempDir();
  fs::path file = dir / "Tarvenik.ini";
  std::string fileA = file.string();
  writeSettings(file, n);
  auto keys = listKeys(n);

  // Baseline: the reads alone.
  auto t = Clock::now();
  char buf[2048];
  for (auto& [section, key] : keys)
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf, 2048, fileA.c_str());
  double readBase = msSince(t);

  t = Clock::now();
  auto main = std::make_unique<TMain>(fileA);
  Main = main.get();
  double load = msSince(t);
  auto dialog = std::make_unique<TSelectApplication>();
  SelectApplication = dialog.get();

  t = Clock::now();
  main->OKClick();
  double save = msSince(t);

  // Baseline: the writes alone, into a copy in the same state.
  fs::path copy = dir / "copy.ini";
  fs::copy_file(file, copy);
  std::string copyA = copy.string();
  t = Clock::now();
  for (auto& [section, key] : keys)
    WritePrivateProfileStringA(section.c_str(), key.c_str(), "value", copyA.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, copyA.c_str());
  double writeBase = msSince(t);

  std::printf(
      "%6d entries a list: load %8.1f ms (bare reads %8.1f ms, ratio %.2f); save %8.1f ms (bare writes %8.1f "
      "ms, ratio %.2f)\n",
      n, load, readBase, load / readBase, save, writeBase, save / writeBase);
  std::fflush(stdout);
  dialog.reset();
  main.reset();
  std::error_code ec;
  fs::remove_all(dir, ec);
}

// Process start to first visible top-level window of that process.
double startUp(const std::wstring& commandLine) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  auto t = Clock::now();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  struct Search {
    DWORD pid;
    bool found;
  } s{pi.dwProcessId, false};
  while (!s.found && msSince(t) < 20000) {
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
          auto* s = reinterpret_cast<Search*>(lp);
          DWORD pid = 0;
          GetWindowThreadProcessId(h, &pid);
          if (pid == s->pid && IsWindowVisible(h)) s->found = true;
          return !s->found;
        },
        reinterpret_cast<LPARAM>(&s));
    if (!s.found) Sleep(1);
  }
  double ms = msSince(t);
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return ms;
}

int emptyWindow() {
  HWND w = CreateWindowExW(0, L"STATIC", L"empty", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 420, nullptr,
                           nullptr, nullptr, nullptr);
  MSG msg;
  while (w && GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string(argv[1]) == "--empty-window") return emptyWindow();
  Application().Initialize();
  Application().SetTitle(L"Tarvenik - Konfigurator");

  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  fs::path exe = fs::path(self).parent_path().parent_path() / "bin" / "Konfigurator.exe";
  fs::path dir = tempDir();
  fs::copy_file(exe, dir / "Konfigurator.exe");
  for (int round = 0; round < 3; ++round) {
    double base = startUp(L"\"" + std::wstring(self) + L"\" --empty-window");
    double ours = startUp(L"\"" + (dir / "Konfigurator.exe").wstring() + L"\"");
    std::printf("start-up to a shown window: %.1f ms (empty window %.1f ms, ratio %.2f)\n", ours, base,
                ours / base);
  }
  std::error_code ec;
  fs::remove_all(dir, ec);

  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {100, 1000, 3000};
  for (int n : sizes) loadAndSave(n);
  return 0;
}
