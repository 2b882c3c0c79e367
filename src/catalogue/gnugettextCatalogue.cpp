#include "catalogue/gnugettextCatalogue.h"

#include <bit>
#include <cstring>

namespace {

constexpr uint64_t kHeaderSize = 20;  // magic, revision, N, O, T; the hash table is not used
constexpr uint64_t kEntrySize = 8;    // length, offset

uint32_t byteSwap(uint32_t v) { return (v >> 24) | ((v >> 8) & 0xff00) | ((v << 8) & 0xff0000) | (v << 24); }

// Eight bytes read so that comparing the numbers compares the bytes in order.
uint64_t bigEndian64(const char* p) {
  uint64_t v;
  std::memcpy(&v, p, sizeof v);
  if constexpr (std::endian::native == std::endian::little)
    v = (uint64_t{byteSwap(static_cast<uint32_t>(v))} << 32) | byteSwap(static_cast<uint32_t>(v >> 32));
  return v;
}

// Byte by byte as unsigned values, a proper prefix being the smaller; eight bytes a step, since
// this is most of a lookup's time.
int compareBytes(std::string_view a, std::string_view b) {
  const size_t common = a.size() < b.size() ? a.size() : b.size();
  size_t i = 0;
  for (; i + 8 <= common; i += 8) {
    uint64_t x = bigEndian64(a.data() + i), y = bigEndian64(b.data() + i);
    if (x != y) return x < y ? -1 : 1;
  }
  for (; i < common; ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

}  // namespace

uint32_t TMoCatalogue::word(uint64_t at) const {
  uint32_t v;
  std::memcpy(&v, data_ + at, sizeof v);  // tables need not be aligned in a damaged file
  return swap_ ? byteSwap(v) : v;
}

std::string_view TMoCatalogue::entry(uint32_t table, uint32_t i) const {
  uint64_t at = table + uint64_t{i} * kEntrySize;
  return {reinterpret_cast<const char*>(data_ + word(at + 4)), word(at)};
}

bool TMoCatalogue::Attach(const unsigned char* data, uint64_t size) {
  Detach();
  if (data == nullptr || size < kHeaderSize) return false;
  TMoCatalogue c;
  c.data_ = data;
  c.size_ = size;
  uint32_t magic;
  std::memcpy(&magic, data, sizeof magic);
  if (magic == kMagicSwapped)
    c.swap_ = true;
  else if (magic != kMagic)
    return false;
  c.n_ = c.word(8);
  c.o_ = c.word(12);
  c.t_ = c.word(16);
  // 64-bit sums: N, O and T are 32-bit, so none of these can overflow.
  uint64_t tableBytes = uint64_t{c.n_} * kEntrySize;
  if (c.o_ + tableBytes > size || c.t_ + tableBytes > size) return false;
  for (uint32_t table : {c.o_, c.t_}) {
    for (uint32_t i = 0; i < c.n_; ++i) {
      uint64_t at = table + uint64_t{i} * kEntrySize;
      // Each string is followed by its terminating NUL, which must lie inside too.
      uint64_t end = uint64_t{c.word(at + 4)} + c.word(at);
      if (end >= size || data[end] != 0) return false;
    }
  }
  *this = c;
  return true;
}

std::optional<std::string_view> TMoCatalogue::Find(std::string_view key) const {
  if (!data_) return std::nullopt;
  uint32_t lo = 0, hi = n_;
  while (lo < hi) {
    uint32_t mid = lo + (hi - lo) / 2;
    int c = compareBytes(entry(o_, mid), key);
    if (c == 0) return entry(t_, mid);
    if (c < 0)
      lo = mid + 1;
    else
      hi = mid;
  }
  return std::nullopt;
}

bool ContainsByte(std::string_view text, char byte) {
  constexpr uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
  const uint64_t pattern = kOnes * static_cast<unsigned char>(byte);
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t v;
    std::memcpy(&v, text.data() + i, sizeof v);
    v ^= pattern;  // a zero byte where the byte is
    if ((v - kOnes) & ~v & kHighs) return true;
  }
  for (; i < text.size(); ++i)
    if (text[i] == byte) return true;
  return false;
}

std::string RemoveCarriageReturns(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  // Copies the runs between CRs whole: most texts have none.
  for (size_t from = 0; from <= text.size();) {
    size_t cr = text.find('\r', from);
    out.append(text.substr(from, cr == std::string_view::npos ? std::string_view::npos : cr - from));
    if (cr == std::string_view::npos) break;
    from = cr + 1;
  }
  return out;
}

std::string AddCarriageReturnsBeforeLineFeeds(std::string_view text) {
  if (!ContainsByte(text, '\n')) return std::string(text);  // most texts
  std::string out;
  out.reserve(text.size() + 8);
  for (size_t from = 0; from <= text.size();) {
    size_t lf = text.find('\n', from);
    if (lf == std::string_view::npos) {
      out.append(text.substr(from));
      break;
    }
    out.append(text.substr(from, lf - from));
    if (lf == 0 || text[lf - 1] != '\r') out += '\r';
    out += '\n';
    from = lf + 1;
  }
  return out;
}

bool IsWellFormedUtf8(std::string_view text) {
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size();
  for (size_t i = 0; i < n;) {
    // Eight ASCII bytes at a time: most texts are nothing else.
    uint64_t eight;
    if (n - i >= 8 && (std::memcpy(&eight, s + i, 8), (eight & 0x8080808080808080u) == 0)) {
      i += 8;
      continue;
    }
    unsigned c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t len;
    unsigned lo = 0x80, hi = 0xBF;  // allowed range of the first continuation byte
    if (c >= 0xC2 && c <= 0xDF)
      len = 2;
    else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      if (c == 0xE0)
        lo = 0xA0;  // overlong
      else if (c == 0xED)
        hi = 0x9F;  // surrogates
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      if (c == 0xF0)
        lo = 0x90;  // overlong
      else if (c == 0xF4)
        hi = 0x8F;  // above U+10FFFF
    } else
      return false;
    if (n - i < len) return false;
    if (s[i + 1] < lo || s[i + 1] > hi) return false;
    for (size_t k = 2; k < len; ++k)
      if ((s[i + k] & 0xC0) != 0x80) return false;
    i += len;
  }
  return true;
}
