// Lookups per second of the translation layer against glibc's dgettext, same catalogue, same run.
#include <benchmark/benchmark.h>
#include <libintl.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/Text.h"
#include "catalogue/gnugettext.h"
#include "catalogue/gnugettextLanguage.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMessages = 2000;

class TLangOnly : public TLocaleQueries {
 public:
  std::string Environment(const char* name) const override { return std::string(name) == "LANG" ? "pl" : ""; }
  int UserLocaleInfo(uint32_t, char*, int) const override { return 0; }
  uint32_t ThreadLocale() const override { return 0; }
};

// The catalogue, the keys in a shuffled order, and both translators ready to use.
struct TBenchSetup {
  fs::path dir;
  std::vector<std::string> keys;
  std::vector<std::wstring> wideKeys;
  std::unique_ptr<TGettextLayer> layer;

  TBenchSetup() {
    dir = fs::temp_directory_path() / "bench-gettext";
    fs::remove_all(dir);
    fs::create_directories(dir / "locale" / "pl" / "LC_MESSAGES");
    fs::path po = dir / "bench.po";
    {
      std::ofstream out(po);
      out << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n";
      for (int i = 0; i < kMessages; ++i) {
        std::string key = "Message " + std::to_string(i) + ": the settings could not be written";
        out << "msgid \"" << key << "\"\nmsgstr \"Komunikat " << i << ": nie można zapisać ustawień\"\n\n";
        keys.push_back(key);
      }
    }
    std::string command = "msgfmt -o '" + (dir / "locale" / "pl" / "LC_MESSAGES" / "default.mo").string() +
                          "' '" + po.string() + "'";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("msgfmt failed");
    std::shuffle(keys.begin(), keys.end(), std::mt19937(42));
    for (const auto& k : keys) wideKeys.push_back(Utf8ToWide(k));

    layer = std::make_unique<TGettextLayer>((dir / "bench").string(), TLangOnly(), 0);
    GettextSetUp((dir / "bench").string(), TLangOnly(), 0);  // the string loader's layer

    // glibc: a non-"C" locale so that LANGUAGE is honoured, and the same file.
    setlocale(LC_ALL, "C.UTF-8");
    setenv("LANGUAGE", "pl", 1);
    bindtextdomain("default", (dir / "locale").c_str());
    bind_textdomain_codeset("default", "UTF-8");
    std::string ours = layer->Instance()->TranslateUtf8InDomain("default", keys[0]);
    std::string theirs = dgettext("default", keys[0].c_str());
    if (ours != theirs || ours == keys[0] || ResourceStringTranslateAnsi(keys[0]) != theirs)
      throw std::runtime_error("the two readers disagree: " + ours + " / " + theirs);
  }
  ~TBenchSetup() {
    GettextEnd();
    fs::remove_all(dir);
  }
};

TBenchSetup& setup() {
  static TBenchSetup s;
  return s;
}

// One lookup per iteration, going round the shuffled keys.
template <class Key, class Lookup>
void lookups(benchmark::State& state, const std::vector<Key>& keys, Lookup lookup) {
  size_t i = 0;
  for (auto _ : state) {
    auto r = lookup(keys[i]);
    benchmark::DoNotOptimize(r);
    if (++i == keys.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_GlibcDgettext(benchmark::State& state) {
  lookups(state, setup().keys, [](const std::string& k) { return dgettext("default", k.c_str()); });
}

void BM_TranslateUtf8InDomain(benchmark::State& state) {
  TGnuGettextInstance& instance = *setup().layer->Instance();
  lookups(state, setup().keys,
          [&](const std::string& k) { return instance.TranslateUtf8InDomain("default", k); });
}

// The full interface: wide text in, wide text out.
void BM_TranslateInDomain(benchmark::State& state) {
  TGnuGettextInstance& instance = *setup().layer->Instance();
  lookups(state, setup().wideKeys,
          [&](const std::wstring& k) { return instance.TranslateInDomain("default", k); });
}

// The class library's string loader: 8-bit text in and out, through the resource-string domains.
void BM_ResourceStringTranslateAnsi(benchmark::State& state) {
  lookups(state, setup().keys, [](const std::string& k) { return ResourceStringTranslateAnsi(k); });
}

}  // namespace

BENCHMARK(BM_GlibcDgettext);
BENCHMARK(BM_TranslateUtf8InDomain);
BENCHMARK(BM_TranslateInDomain);
BENCHMARK(BM_ResourceStringTranslateAnsi);
BENCHMARK_MAIN();
