// Any bytes offered as an icon file or an executable: the check ends without crashing and never
// asks for bytes outside the file or for much memory.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/IconData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t asked = 0;
  (void)IconDataIsSound(size, [&](uint64_t offset, void* buffer, size_t length) {
    if (offset > size || length > size - offset) std::abort();
    asked += length;
    if (asked > 64 * (size + 4096)) std::abort();  // reads stay in proportion to the file
    std::memcpy(buffer, data + offset, length);
    return true;
  });
  return 0;
}
