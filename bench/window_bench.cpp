// Timings of the real program under Windows (or Wine), each beside a baseline measured in the
// same run, interleaved with it:
//  - start-up, from CreateProcess to WaitForInputIdle, and the private memory at that moment:
//    Konfigurator.exe against the floor program (floor.exe: the same window made with plain
//    calls), with no settings file and with 10,000 commands in each command list;
//  - loading the main window from a settings file with N entries in each list, against the same list
//    sections read whole with the profile functions, and saving it, against the same content (the
//    settings section and the three lists) written a section at a time into the file as it was; the
//    growth from the first size to the last;
//  - loading 100 applications with their icons, against the bare reads and bare ExtractIconA of
//    the same files.
// Usage: window_bench [N ...] (default 1000 10000); medians of 21 runs each (of 5 for loading and
// saving): this machine shares its processors, and a few slow runs must not move a figure.
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
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
constexpr int kRuns = 21;
constexpr int kSaveRounds = 5;
constexpr const char* kListSections[] = {"SendBefore", "Application", "SendAfter"};

double msSince(Clock::time_point t) {
  return std::chrono::duration<double, std::milli>(Clock::now() - t).count();
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

fs::path tempDir(const char* name) {
  fs::path p =
      fs::temp_directory_path() / ("tarvenik-bench-" + std::string(name) + std::to_string(GetTickCount64()));
  fs::create_directories(p);
  return p;
}

// The programs of the system folder, so that the applications point at many different files, as
// a real list does (each file's icon is extracted once per load).
const std::vector<std::string>& programs() {
  static const std::vector<std::string> found = [] {
    std::vector<std::string> f;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("C:\\windows\\system32", ec))
      if (e.path().extension() == ".exe") f.push_back(e.path().string());
    if (f.empty()) f.push_back("C:\\windows\\notepad.exe");
    return f;
  }();
  return found;
}

// The settings the window shows after loading a file of writeSettings, as the program saves them:
// its settings section whole, then each list section with its count.
using Lines = std::vector<std::pair<std::string, std::string>>;
std::vector<std::pair<std::string, Lines>> savedContent(int commands, int applications) {
  using namespace tarvenik_ini;
  const std::vector<std::string>& files = programs();
  std::vector<std::pair<std::string, Lines>> content = {{"Settings",
                                                         {{"RS232Connect", "1"},
                                                          {"RS232Port", "COM1"},
                                                          {"RS232BaudRate", "19200"},
                                                          {"CR", "1"},
                                                          {"LF", "1"},
                                                          {"SendBefore", "1"},
                                                          {"StartApplication", "1"},
                                                          {"Interval", "5"},
                                                          {"SendAfter", "1"}}}};
  auto commandList = [&](const char* section) {
    Lines lines{{"Count", std::to_string(commands)}};
    for (int i = 0; i < commands; ++i) lines.emplace_back(CommandKey(i), "AT+COMMAND" + std::to_string(i));
    content.emplace_back(section, std::move(lines));
  };
  commandList("SendBefore");
  Lines apps{{"Count", std::to_string(applications)}};
  for (int i = 0; i < applications; ++i) {
    apps.emplace_back(NameKey(i), "Program " + std::to_string(i));
    apps.emplace_back(PathKey(i), files[static_cast<size_t>(i) % files.size()]);
    apps.emplace_back(ParametersKey(i), "-n " + std::to_string(i));
  }
  content.emplace_back("Application", std::move(apps));
  commandList("SendAfter");
  return content;
}

// A settings file with the given lists; its settings section lacks the keys left at their
// defaults, as a file the launcher's installer lays down does.
void writeSettings(const fs::path& file, int commands, int applications) {
  std::ofstream out(file, std::ios::binary);
  out << "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM1\r\nRS232BaudRate=19200\r\nInterval=5\r\n";
  for (const auto& [section, lines] : savedContent(commands, applications)) {
    if (section == "Settings") continue;
    out << "[" << section << "]\r\n";
    for (const auto& [key, value] : lines) out << key << "=" << value << "\r\n";
  }
}

std::vector<std::pair<std::string, std::string>> listKeys(int commands, int applications) {
  std::vector<std::pair<std::string, std::string>> keys;
  for (const auto& [section, lines] : savedContent(commands, applications))
    if (section != "Settings")
      for (const auto& line : lines)
        if (line.first != "Count") keys.emplace_back(section, line.first);
  return keys;
}

struct LoadSave {
  double load, readBase, save, writeBase;
};

LoadSave loadAndSave(int n) {
  fs::path dir = tempDir("load");
  fs::path file = dir / "Tarvenik.ini";
  std::string fileA = file.string();
  writeSettings(file, n, n);
  LoadSave r{};

  // Baseline: the same sections read whole, as the program reads them.
  auto t = Clock::now();
  std::vector<char> buf(1 << 24);
  for (const char* section : kListSections)
    GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), fileA.c_str());
  r.readBase = msSince(t);

  t = Clock::now();
  auto main = std::make_unique<TMain>(fileA);
  Main = main.get();
  r.load = msSince(t);
  auto dialog = std::make_unique<TSelectApplication>();
  SelectApplication = dialog.get();

  t = Clock::now();
  main->OKClick();
  r.save = msSince(t);

  // Baseline: the same content, each section written whole, into a copy of the file as it was.
  fs::path copy = dir / "copy.ini";
  writeSettings(copy, n, n);
  std::string copyA = copy.string();
  std::vector<std::pair<std::string, std::string>> sections;
  for (const auto& [section, lines] : savedContent(n, n)) {
    std::string text;
    for (const auto& [key, value] : lines) text.append(key).append("=").append(value).push_back('\0');
    sections.emplace_back(section, std::move(text));
  }
  t = Clock::now();
  for (auto& [section, text] : sections)
    WritePrivateProfileSectionA(section.c_str(), text.c_str(), copyA.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, copyA.c_str());
  r.writeBase = msSince(t);

  dialog.reset();
  main.reset();
  std::error_code ec;
  fs::remove_all(dir, ec);
  return r;
}

// Loading applications with their icons, against the same reads and ExtractIconA calls alone.
void icons(int n) {
  fs::path dir = tempDir("icons");
  fs::path file = dir / "Tarvenik.ini";
  std::string fileA = file.string();
  writeSettings(file, 0, n);
  auto keys = listKeys(0, n);
  std::vector<double> ours, base;
  for (int run = 0; run < kRuns; ++run) {
    auto t = Clock::now();
    char buf[2048];
    for (auto& [section, key] : keys) {
      GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buf, 2048, fileA.c_str());
      if (key.rfind("Path", 0) == 0) {
        HICON icon = ExtractIconA(GetModuleHandleW(nullptr), buf, 0);
        if (reinterpret_cast<UINT_PTR>(icon) > 1) DestroyIcon(icon);
      }
    }
    base.push_back(msSince(t));
    t = Clock::now();
    auto main = std::make_unique<TMain>(tarvenik_ini::SettingsFilePathIn(dir.string()));
    ours.push_back(msSince(t));
  }
  double o = median(ours), b = median(base);
  std::printf(
      "load %d applications with icons: %8.1f ms (bare reads + ExtractIconA %8.1f ms), ratio %.2f (goal <= "
      "1.3)\n",
      n, o, b, o / b);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

struct Started {
  double ms;
  double privateMB;
};

// From CreateProcess to the process waiting for input, and its private memory then.
Started startUp(const fs::path& exe) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = L"\"" + exe.wstring() + L"\"";
  std::wstring dir = exe.parent_path().wstring();
  auto t = Clock::now();
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
    return {-1, -1};
  WaitForInputIdle(pi.hProcess, 120000);
  Started s{msSince(t), 0};
  PROCESS_MEMORY_COUNTERS mem{};
  mem.cb = sizeof mem;
  if (GetProcessMemoryInfo(pi.hProcess, &mem, sizeof mem))
    s.privateMB = static_cast<double>(mem.PagefileUsage) / (1024.0 * 1024.0);  // the private bytes
  TerminateProcess(pi.hProcess, 0);
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return s;
}

// Both programs started in turn, kRuns times each, from a folder with the given settings file.
void startUps(const char* what, int commands, bool memory) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  fs::path bench = fs::path(self).parent_path();
  fs::path dir = tempDir("start");
  fs::copy_file(bench.parent_path() / "bin" / "Konfigurator.exe", dir / "Konfigurator.exe");
  fs::copy_file(bench / "floor.exe", dir / "floor.exe");
  if (commands > 0) writeSettings(dir / "Tarvenik.ini", commands, 0);
  std::vector<double> ours, base, oursMem, baseMem;
  for (int run = 0; run < kRuns; ++run) {
    Started f = startUp(dir / "floor.exe");
    Started k = startUp(dir / "Konfigurator.exe");
    base.push_back(f.ms);
    ours.push_back(k.ms);
    baseMem.push_back(f.privateMB);
    oursMem.push_back(k.privateMB);
  }
  double o = median(ours), b = median(base);
  std::printf("start-up, %s: %8.1f ms (floor %8.1f ms), ratio %.2f (goal <= %s)\n", what, o, b, o / b,
              commands > 0 ? "1.5" : "1.05");
  if (memory) {
    double om = median(oursMem), bm = median(baseMem);
    std::printf("private memory after start-up: %.2f MB (floor %.2f MB), ratio %.2f (goal <= 1.2)\n", om, bm,
                om / bm);
  }
  std::fflush(stdout);
  std::error_code ec;
  fs::remove_all(dir, ec);
}

}  // namespace

int main(int argc, char** argv) {
  Application().Initialize();
  Application().SetTitle(L"Tarvenik - Konfigurator");

  startUps("no settings file", 0, true);
  startUps("10,000 commands in each command list", 10000, false);
  icons(100);

  std::vector<int> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::atoi(argv[i]));
  if (sizes.empty()) sizes = {1000, 10000};
  std::vector<LoadSave> results;
  for (int n : sizes) {
    // Each figure the median of its own in several rounds; a round measures the program and its
    // baseline one after the other on the same file.
    std::vector<LoadSave> rounds;
    for (int round = 0; round < kSaveRounds; ++round) rounds.push_back(loadAndSave(n));
    auto mid = [&](double LoadSave::*field) {
      std::vector<double> v;
      for (const LoadSave& r : rounds) v.push_back(r.*field);
      return median(v);
    };
    LoadSave r{mid(&LoadSave::load), mid(&LoadSave::readBase), mid(&LoadSave::save),
               mid(&LoadSave::writeBase)};
    results.push_back(r);
    std::printf(
        "%6d entries a list: load %8.1f ms (section reads %8.1f ms, ratio %.2f); save %8.1f ms (section "
        "writes "
        "%8.1f ms, ratio %.2f, goal <= 1.5)\n",
        n, r.load, r.readBase, r.load / r.readBase, r.save, r.writeBase, r.save / r.writeBase);
    std::fflush(stdout);
  }
  if (results.size() >= 2) {
    const LoadSave &a = results.front(), &b = results.back();
    double f = static_cast<double>(sizes.back()) / sizes.front();
    std::printf(
        "growth %d -> %d entries a list: load %.1f x (section reads %.1f x), save %.1f x (section writes "
        "%.1f x); "
        "goal <= %.0f x\n",
        sizes.front(), sizes.back(), b.load / a.load, b.readBase / a.readBase, b.save / a.save,
        b.writeBase / a.writeBase, f * 1.1);
  }
  return 0;
}
