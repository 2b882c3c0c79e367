// Any bytes offered as a catalogue: either refused, or every lookup stays inside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "catalogue/gnugettextCatalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMoCatalogue catalogue;
  if (!catalogue.Attach(data, size)) return 0;
  uint32_t n = catalogue.Count();
  for (uint32_t i = 0; i < n && i < 256; ++i) {
    std::string_view original = catalogue.Original(i);
    auto found = catalogue.Find(original);
    if (found) {
      // The text rules run over whatever the catalogue returns.
      std::string text = AddCarriageReturnsBeforeLineFeeds(*found);
      (void)IsWellFormedUtf8(text);
    }
  }
  for (const char* key : {"", "OK", "Operation aborted", "\xff\xff", "zzzzzzzz"}) (void)catalogue.Find(key);
  return 0;
}
