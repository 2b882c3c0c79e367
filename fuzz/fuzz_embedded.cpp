// Any bytes offered as an executable with appended catalogues: the record chain is read without
// crashing, looping or reading past the file, whatever the first record's offset.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "catalogue/gnugettextEmbedded.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  static const std::string path = [] {
    std::string p = "/tmp/fuzz_embedded." + std::to_string(getpid()) + ".exe";
    std::atexit([] { std::remove(("/tmp/fuzz_embedded." + std::to_string(getpid()) + ".exe").c_str()); });
    return p;
  }();
  // The first byte picks where the chain starts, the rest is the file.
  uint64_t first = data[0];
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data + 1, 1, size - 1, f);
  std::fclose(f);
  TAssemblyAnalyzer table;
  table.Analyze(path, first);
  for (const TAssemblyFileInfo& e : table.Entries()) {
    const TAssemblyFileInfo* found = table.Find("/tmp/" + e.name);
    if (!found) std::abort();  // every entry read can be found again by its name
  }
  (void)table.Find("/tmp/locale/pl/LC_MESSAGES/default.mo");
  return 0;
}
