// The verdict of the icon-data check on icon files whose one image is just large enough for its
// rows (each padded to four bytes) and on the same files one byte short.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/IconData.h"

namespace {

// An icon file of one bitmap image of `bytes` bytes: the header, the colour table, the rows.
std::vector<uint8_t> iconFile(uint32_t width, uint32_t rows, uint16_t bits, uint32_t bytes) {
  std::vector<uint8_t> f(22 + bytes, 0);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  // The file's header and its one entry: type 1, one image, its size and place.
  put(2, 1, 2);
  put(4, 1, 2);
  put(14, bytes, 4);
  put(18, 22, 4);
  // The image's header: its size, width, colour and mask rows, one plane, bits per pixel.
  put(22, 40, 4);
  put(26, width, 4);
  put(30, 2 * rows, 4);
  put(34, 1, 2);
  put(36, bits, 2);
  return f;
}

bool sound(const std::vector<uint8_t>& f) {
  return IconDataIsSound(f.size(), [&](uint64_t offset, void* buffer, size_t size) {
    std::memcpy(buffer, f.data() + offset, size);
    return true;
  });
}

TEST(IconData, AnImageMustHoldEveryRowWithItsPadding) {
  struct Case {
    uint32_t width, rows;
    uint16_t bits;
    uint32_t needed;  // header, colour table and padded rows
  };
  const Case cases[] = {
      {1, 1, 24, 40 + 4}, {16, 16, 32, 40 + 1024}, {3, 2, 1, 40 + 8 + 8}, {5, 3, 8, 40 + 1024 + 24}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.rows << " at " << c.bits << " bits");
    EXPECT_TRUE(sound(iconFile(c.width, c.rows, c.bits, c.needed)));
    EXPECT_FALSE(sound(iconFile(c.width, c.rows, c.bits, c.needed - 1)));
  }
}

}  // namespace
