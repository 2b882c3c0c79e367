// Reading every key of a 10,000-key settings file through TIniFile, and writing keys, measured
// against one full parse of the same file by inih in the same run. The counter "x_inih" is the
// ratio to that parse.
#include <benchmark/benchmark.h>
#include <ini.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "settings/IniFiles.h"

namespace {

constexpr int kSections = 10;
constexpr int kKeysPerSection = 1000;

struct Fixture {
  std::filesystem::path folder;
  std::string path;
  std::vector<std::pair<std::string, std::string>> keys;  // section, key

  Fixture() {
    folder = std::filesystem::temp_directory_path() / "tk-bench-settings";
    std::filesystem::create_directories(folder);
    path = (folder / "Tarvenik.ini").string();
    std::string text;
    for (int s = 0; s < kSections; ++s) {
      std::string section = "Section" + std::to_string(s);
      text += "[" + section + "]\r\n";
      for (int k = 0; k < kKeysPerSection; ++k) {
        std::string key = "Command[" + std::to_string(k) + "]";
        text += key + "=ATDT 555-" + std::to_string(s * kKeysPerSection + k) + " ; line\r\n";
        keys.emplace_back(section, key);
      }
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  }
  ~Fixture() {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

int countPair(void* user, const char*, const char*, const char*) {
  ++*static_cast<long*>(user);
  return 1;
}

long inihParse() {
  long pairs = 0;
  ini_parse(fixture().path.c_str(), countPair, &pairs);
  return pairs;
}

// The best of several parses, as the yardstick for the ratios.
double inihSeconds() {
  static const double best = [] {
    double b = 1e9;
    for (int i = 0; i < 30; ++i) {
      auto t0 = std::chrono::steady_clock::now();
      benchmark::DoNotOptimize(inihParse());
      b = std::min(b, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return b;
  }();
  return best;
}

void BM_InihFullParse(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(inihParse());
  state.counters["keys"] = static_cast<double>(inihParse());
}

void BM_TIniFileRead10000Keys(benchmark::State& state) {
  Fixture& f = fixture();
  TIniFile ini(f.path);
  double best = 1e9;
  for (auto _ : state) {
    auto t0 = std::chrono::steady_clock::now();
    for (const auto& [section, key] : f.keys) benchmark::DoNotOptimize(ini.ReadText(section, key, ""));
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  state.counters["x_inih"] = best / inihSeconds();
}

void BM_TIniFileWriteOneKey(benchmark::State& state) {
  Fixture& f = fixture();
  TIniFile ini(f.path);
  size_t i = 0;
  double total = 0;
  for (auto _ : state) {
    const auto& [section, key] = f.keys[(i * 7919) % f.keys.size()];
    auto t0 = std::chrono::steady_clock::now();
    ini.WriteText(section, key, "written " + std::to_string(i++));
    total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  }
  state.counters["x_inih"] = total / static_cast<double>(i) / inihSeconds();
}

}  // namespace

BENCHMARK(BM_InihFullParse)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TIniFileRead10000Keys)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TIniFileWriteOneKey)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK_MAIN();
