// The icon-data check's verdict on icon files whose one image is just large enough for its rows
// (each padded to four bytes), and on the same files one byte short.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include "base/IconData.h"

namespace {

// An icon file of one bitmap image of `bytes` bytes: the file's header and its one entry, then the
// image's header (width, colour and mask rows, one plane, bits per pixel) and zeros.
bool sound(uint32_t width, uint32_t rows, uint32_t bits, uint32_t bytes) {
  std::vector<uint8_t> f(22 + bytes, 0);
  const std::pair<size_t, uint32_t> fields[] = {{2, 1},      {4, 1},         {14, bytes}, {18, 22},  {22, 40},
                                                {26, width}, {30, 2 * rows}, {34, 1},     {36, bits}};
  for (auto [at, value] : fields)
    for (size_t i = 0; i < (at == 34 || at == 36 || at < 6 ? 2u : 4u); ++i)
      f[at + i] = uint8_t(value >> 8 * i);
  return IconDataIsSound(f.size(), [&](uint64_t offset, void* buffer, size_t size) {
    std::memcpy(buffer, f.data() + offset, size);
    return true;
  });
}

TEST(IconData, AnImageMustHoldEveryRowWithItsPadding) {
  // Width, rows, bits per pixel, and the bytes needed: header, colour table, padded rows.
  const uint32_t cases[][4] = {
      {1, 1, 24, 40 + 4}, {16, 16, 32, 40 + 1024}, {3, 2, 1, 40 + 8 + 8}, {5, 3, 8, 40 + 1024 + 24}};
  for (auto [width, rows, bits, needed] : cases) {
    SCOPED_TRACE(testing::Message() << width << "x" << rows << " at " << bits << " bits");
    EXPECT_TRUE(sound(width, rows, bits, needed));
    EXPECT_FALSE(sound(width, rows, bits, needed - 1));
  }
}

}  // namespace
