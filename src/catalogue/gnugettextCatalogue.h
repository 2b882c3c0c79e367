#pragma once
// The reader of one GNU gettext binary catalogue (.mo) lying in memory (a mapped file), and the
// text rules of a lookup. The reader trusts nothing in the bytes: the header, both string tables
// and every string are checked against the catalogue's size once, when it is attached, so a
// damaged or hostile catalogue is refused instead of being read past its end.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TMoCatalogue {
 public:
  static constexpr uint32_t kMagic = 0x950412de;         // as written on a little-endian machine
  static constexpr uint32_t kMagicSwapped = 0xde120495;  // as read when written big-endian

  // Checks the bytes and, when they are a sound catalogue, starts using them (they must outlive
  // this object). False, and nothing attached, for a wrong first word, any offset, length or
  // count that reaches beyond `size`, or a string without its terminating NUL.
  bool Attach(const unsigned char* data, uint64_t size);
  void Detach() { *this = TMoCatalogue(); }

  // The translation of `key` (UTF-8, compared byte by byte as unsigned values), or nothing.
  std::optional<std::string_view> Find(std::string_view key) const;

  uint32_t Count() const { return n_; }
  // The untranslated string of entry `i` (< Count()); for tests and the fuzz target.
  std::string_view Original(uint32_t i) const { return entry(o_, i); }

 private:
  uint32_t word(uint64_t at) const;
  std::string_view entry(uint32_t table, uint32_t i) const;

  const unsigned char* data_ = nullptr;
  uint64_t size_ = 0;
  bool swap_ = false;
  uint32_t n_ = 0;  // number of strings
  uint32_t o_ = 0;  // offset of the table of untranslated strings
  uint32_t t_ = 0;  // offset of the table of translations
};

// Step 1 of a lookup: every CR removed.
std::string RemoveCarriageReturns(std::string_view text);
// Whether the text holds the byte; for the short texts of a lookup, quicker than a library search.
bool ContainsByte(std::string_view text, char byte);
// Step 4 of a lookup: a CR before every LF that does not already follow one.
std::string AddCarriageReturnsBeforeLineFeeds(std::string_view text);
// True when `text` is well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(std::string_view text);
