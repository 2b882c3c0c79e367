#include "base/IconData.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace {

// Caps far above anything a real file holds, so that no count or size read from a file makes us
// read or allocate much.
constexpr uint32_t kMaxImages = 512;             // images of an icon file or an icon group
constexpr uint32_t kMaxImageBytes = 32u << 20;   // one image
constexpr uint32_t kMaxImageSide = 1024;         // pixels, for a bitmap image
constexpr uint32_t kMaxHeaderOffset = 1u << 20;  // where an executable's new header may start
constexpr uint32_t kMaxSections = 96;            // the executable format's own limit
constexpr uint32_t kMaxOptionalHeader = 4096;

constexpr uint16_t kRtIcon = 3;
constexpr uint16_t kRtGroupIcon = 14;

uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t u32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

class File {
 public:
  File(uint64_t size, const ReadFileAt& read) : size_(size), read_(read) {}
  uint64_t size() const { return size_; }
  bool holds(uint64_t offset, uint64_t length) const { return offset <= size_ && length <= size_ - offset; }
  // `length` bytes at `offset`, or nothing when they are not all in the file.
  std::optional<std::vector<uint8_t>> bytes(uint64_t offset, size_t length) const {
    if (!holds(offset, length)) return std::nullopt;
    std::vector<uint8_t> b(length);
    if (length > 0 && !read_(offset, b.data(), length)) return std::nullopt;
    return b;
  }

 private:
  uint64_t size_;
  const ReadFileAt& read_;
};

// One image of an icon, `size` bytes at `offset`: a PNG stream, or a bitmap header whose colour
// table and colour bits fit in the image's bytes.
bool imageIsSound(const File& file, uint64_t offset, uint32_t size) {
  if (size == 0 || size > kMaxImageBytes || !file.holds(offset, size)) return false;
  static constexpr std::array<uint8_t, 8> kPng = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
  auto head = file.bytes(offset, std::min<uint32_t>(size, 40));
  if (!head) return false;
  const uint8_t* h = head->data();
  if (head->size() >= 16 && std::memcmp(h, kPng.data(), kPng.size()) == 0)
    return std::memcmp(h + 12, "IHDR", 4) == 0;
  if (head->size() < 40) return false;
  const uint32_t headerSize = u32(h);
  const int32_t width = static_cast<int32_t>(u32(h + 4));
  const int32_t height = static_cast<int32_t>(u32(h + 8));  // colour and mask rows together
  const uint16_t planes = u16(h + 12);
  const uint16_t bits = u16(h + 14);
  const uint32_t compression = u32(h + 16);
  const uint32_t colorsUsed = u32(h + 32);
  if (headerSize < 40 || headerSize > size || planes != 1) return false;
  if (width <= 0 || static_cast<uint32_t>(width) > kMaxImageSide || height <= 1 ||
      static_cast<uint32_t>(height) > 2 * kMaxImageSide)
    return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
  if (compression != 0 && compression != 3) return false;  // plain or bit fields
  uint64_t colors = colorsUsed != 0 ? colorsUsed : (bits <= 8 ? 1u << bits : 0);
  if (colors > 256) return false;
  const uint64_t w = static_cast<uint64_t>(width), rows = static_cast<uint64_t>(height) / 2;
  uint64_t need = headerSize + colors * 4 + (compression == 3 && headerSize == 40 ? 12 : 0);
  // The colour bits; the mask bits after them may be missing (images with an alpha channel).
  need += (w * bits + 31) / 32 * 4 * rows;
  return need <= size;
}

// An icon file: a directory of 1 to kMaxImages entries, each image within the file.
bool iconFileIsSound(const File& file) {
  auto head = file.bytes(0, 6);
  if (!head) return false;
  const uint16_t count = u16(head->data() + 4);
  if (count == 0 || count > kMaxImages) return false;
  auto entries = file.bytes(6, 16u * count);
  if (!entries) return false;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = entries->data() + 16 * i;
    if (!imageIsSound(file, u32(e + 12), u32(e + 8))) return false;
  }
  return true;
}

// An executable's sections, and the resource tree within the section that holds it.
class Executable {
 public:
  explicit Executable(const File& file) : file_(file) {}

  bool parse() {
    auto dos = file_.bytes(0, 64);
    if (!dos) return false;
    const uint32_t peOffset = u32(dos->data() + 0x3c);
    if (peOffset > kMaxHeaderOffset) return false;
    auto pe = file_.bytes(peOffset, 24);
    if (!pe || std::memcmp(pe->data(), "PE\0\0", 4) != 0) return false;
    const uint16_t sectionCount = u16(pe->data() + 6);
    const uint16_t optionalSize = u16(pe->data() + 20);
    if (sectionCount == 0 || sectionCount > kMaxSections || optionalSize > kMaxOptionalHeader) return false;
    auto optional = file_.bytes(peOffset + 24, optionalSize);
    if (!optional || optional->size() < 64) return false;
    const uint8_t* o = optional->data();
    size_t directories;
    const uint16_t magic = u16(o);
    if (magic == 0x10b) {
      directories = 96;
    } else if (magic == 0x20b) {
      directories = 112;
    } else {
      return false;
    }
    if (u32(o + 60) > file_.size()) return false;  // the headers' size
    if (optional->size() < directories) return false;
    const uint32_t directoryCount = u32(o + directories - 4);
    constexpr size_t kResourceDirectory = 2;
    if (directoryCount <= kResourceDirectory || optional->size() < directories + 8 * (kResourceDirectory + 1))
      return false;
    resourceRva_ = u32(o + directories + 8 * kResourceDirectory);
    if (resourceRva_ == 0) return false;

    auto table = file_.bytes(peOffset + 24 + optionalSize, 40u * sectionCount);
    if (!table) return false;
    for (uint32_t i = 0; i < sectionCount; ++i) {
      const uint8_t* s = table->data() + 40 * i;
      Section section{u32(s + 12), u32(s + 16), u32(s + 20)};
      // A file cut short loses the end of its last sections.
      if (section.rawSize != 0 && !file_.holds(section.rawOffset, section.rawSize)) return false;
      sections_.push_back(section);
    }
    for (const Section& s : sections_) {
      if (resourceRva_ >= s.rva && resourceRva_ - s.rva < s.rawSize) {
        resourceBase_ = s.rawOffset + (resourceRva_ - s.rva);
        resourceEnd_ = static_cast<uint64_t>(s.rawOffset) + s.rawSize;
        return true;
      }
    }
    return false;
  }

  // The first icon group and every icon it names, within the file.
  bool firstIconGroupIsSound() const {
    auto groups = subdirectory(0, kRtGroupIcon, false);
    if (!groups) return false;
    auto group = dataOf(*groups, 0, true);
    if (!group) return false;
    const auto [groupOffset, groupSize] = *group;
    if (groupSize < 6) return false;
    auto head = file_.bytes(groupOffset, 6);
    if (!head) return false;
    const uint16_t count = u16(head->data() + 4);
    if (count == 0 || count > kMaxImages || 6u + 14u * count > groupSize) return false;
    auto entries = file_.bytes(groupOffset + 6, 14u * count);
    if (!entries) return false;
    auto icons = subdirectory(0, kRtIcon, false);
    if (!icons) return false;
    for (uint32_t i = 0; i < count; ++i) {
      const uint16_t id = u16(entries->data() + 14 * i + 12);
      auto icon = dataOf(*icons, id, false);
      if (!icon || !imageIsSound(file_, icon->first, icon->second)) return false;
    }
    return true;
  }

 private:
  struct Section {
    uint32_t rva, rawSize, rawOffset;
  };

  // The entries of the resource directory at `offset` (from the resource tree's start): pairs of
  // name or number and the offset of what it leads to, high bit set for a directory.
  std::optional<std::vector<std::pair<uint32_t, uint32_t>>> entries(uint32_t offset) const {
    const uint64_t at = resourceBase_ + offset;
    if (at > resourceEnd_ || resourceEnd_ - at < 16) return std::nullopt;
    auto head = file_.bytes(at, 16);
    if (!head) return std::nullopt;
    const uint32_t count = static_cast<uint32_t>(u16(head->data() + 12)) + u16(head->data() + 14);
    if (count == 0 || resourceEnd_ - at - 16 < 8ull * count) return std::nullopt;
    auto raw = file_.bytes(at + 16, 8u * count);
    if (!raw) return std::nullopt;
    std::vector<std::pair<uint32_t, uint32_t>> list;
    list.reserve(count);
    for (uint32_t i = 0; i < count; ++i)
      list.emplace_back(u32(raw->data() + 8 * i), u32(raw->data() + 8 * i + 4));
    return list;
  }

  // Within the directory at `offset`, the subdirectory of the numbered entry `id` (or of the
  // first entry when `first`).
  std::optional<uint32_t> subdirectory(uint32_t offset, uint32_t id, bool first) const {
    auto list = entries(offset);
    if (!list) return std::nullopt;
    for (const auto& [name, target] : *list) {
      if (!first && name != id) continue;
      if (!(target & 0x80000000u)) return std::nullopt;
      return target & 0x7fffffffu;
    }
    return std::nullopt;
  }

  // The file offset and size of the data of the entry `id` (or of the first entry when `first`)
  // of the type directory at `offset`, taking its first language.
  std::optional<std::pair<uint64_t, uint32_t>> dataOf(uint32_t offset, uint32_t id, bool first) const {
    auto resource = subdirectory(offset, id, first);
    if (!resource) return std::nullopt;
    auto languages = entries(*resource);
    if (!languages) return std::nullopt;
    const uint32_t target = languages->front().second;
    if (target & 0x80000000u) return std::nullopt;
    const uint64_t at = resourceBase_ + target;
    if (at > resourceEnd_ || resourceEnd_ - at < 16) return std::nullopt;
    auto data = file_.bytes(at, 16);
    if (!data) return std::nullopt;
    const uint32_t rva = u32(data->data()), size = u32(data->data() + 4);
    for (const Section& s : sections_)
      if (rva >= s.rva && rva - s.rva <= s.rawSize && size <= s.rawSize - (rva - s.rva))
        return std::pair<uint64_t, uint32_t>{s.rawOffset + static_cast<uint64_t>(rva - s.rva), size};
    return std::nullopt;
  }

  const File& file_;
  std::vector<Section> sections_;
  uint32_t resourceRva_ = 0;
  uint64_t resourceBase_ = 0, resourceEnd_ = 0;
};

}  // namespace

bool IconDataIsSound(uint64_t fileSize, const ReadFileAt& read) {
  File file(fileSize, read);
  auto magic = file.bytes(0, 4);
  if (!magic) return false;
  const uint8_t* m = magic->data();
  if (m[0] == 'M' && m[1] == 'Z') {
    Executable exe(file);
    return exe.parse() && exe.firstIconGroupIsSound();
  }
  // Reserved 0, then type 1: an icon file.
  if (u16(m) == 0 && u16(m + 2) == 1) return iconFileIsSound(file);
  return false;
}
