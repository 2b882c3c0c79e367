#include "catalogue/gnugettextCatalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "gnugettextTestSupport.h"

namespace {

struct Attached {
  std::vector<unsigned char> bytes;
  TMoCatalogue catalogue;
};

std::string lookup(const TMoCatalogue& c, std::string_view key) {
  auto found = c.Find(key);
  return found ? std::string(*found) : std::string("<none>");
}

void put32(std::vector<unsigned char>& bytes, size_t at, uint32_t value, bool bigEndian) {
  for (int i = 0; i < 4; ++i) {
    int shift = bigEndian ? 8 * (3 - i) : 8 * i;
    bytes[at + i] = static_cast<unsigned char>(value >> shift);
  }
}

uint32_t get32(const std::vector<unsigned char>& bytes, size_t at, bool bigEndian) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) {
    int shift = bigEndian ? 8 * (3 - i) : 8 * i;
    v |= uint32_t{bytes[at + i]} << shift;
  }
  return v;
}

}  // namespace

TEST(MoCatalogue, BothByteOrdersTranslateAlike) {
  const std::pair<const char*, const char*> cases[] = {
      {"Operation aborted", "Operacja przerwana"},
      {"Line one\nLine two", "Wiersz pierwszy\nWiersz drugi"},
      {"Unable to write to %s", "Nie można zapisać do pliku %s"},
      {"a", "A"},
      {"ab", "AB"},           // a proper prefix sorts first
      {"zebra", "zebra-pl"},  // bytes compared unsigned: "zebra" < "émigré"
      {"émigré", "emigrant"},
      {"abc", "<none>"},
      {"Operation", "<none>"},
      {"zz", "<none>"},
  };
  for (const char* name : {"basic", "basic-be"}) {
    auto bytes = ReadBytes<CatalogueBytes>(FixturePath(name));
    TMoCatalogue c;
    ASSERT_TRUE(c.Attach(bytes.data(), bytes.size())) << name;
    EXPECT_EQ(c.Count(), 10u) << name;
    for (const auto& [key, expected] : cases) EXPECT_EQ(lookup(c, key), expected) << name << ": " << key;
  }
}

TEST(MoCatalogue, AcceptsACatalogueWithNoEntries) {
  std::vector<unsigned char> bytes(28, 0);
  put32(bytes, 0, TMoCatalogue::kMagic, false);
  put32(bytes, 12, 28, false);
  put32(bytes, 16, 28, false);
  TMoCatalogue c;
  ASSERT_TRUE(c.Attach(bytes.data(), bytes.size()));
  EXPECT_EQ(lookup(c, "Operation aborted"), "<none>");
  EXPECT_EQ(lookup(c, ""), "<none>");
}

// Every way a header, table or string can point past the end is refused, in both byte orders.
TEST(MoCatalogue, RefusesDamagedCatalogues) {
  using Damage = std::function<void(std::vector<unsigned char>&, bool be)>;
  auto setWord = [](size_t at, uint32_t v) {
    return Damage([=](std::vector<unsigned char>& b, bool be) { put32(b, at, v, be); });
  };
  auto truncateTo = [](size_t n) {
    return Damage([=](std::vector<unsigned char>& b, bool) { b.resize(n); });
  };
  // Entry 1 of a table: its length word and its offset word.
  auto entryWord = [](size_t tableWordAt, uint32_t entry, uint32_t word,
                      std::function<uint32_t(uint32_t)> f) {
    return Damage([=](std::vector<unsigned char>& b, bool be) {
      size_t at = get32(b, tableWordAt, be) + entry * 8 + word;
      put32(b, at, f(get32(b, at, be)), be);
    });
  };
  const std::pair<const char*, Damage> cases[] = {
      {"wrong first word", setWord(0, 0x12345678)},
      {"empty", truncateTo(0)},
      {"shorter than the header", truncateTo(19)},
      {"truncated in the strings", Damage([](auto& b, bool) { b.resize(b.size() - 3); })},
      {"truncated in the tables", truncateTo(40)},
      {"N huge", setWord(8, 0xFFFFFFFF)},
      {"N one too many", Damage([](auto& b, bool be) {
         // Enough entries that the later of the two tables runs 8 bytes past the end.
         uint32_t later = std::max(get32(b, 12, be), get32(b, 16, be));
         put32(b, 8, static_cast<uint32_t>((b.size() - later) / 8 + 1), be);
       })},
      {"O past the end", setWord(12, 0x7FFFFFF0)},
      {"T past the end", setWord(16, 0xFFFFFFFC)},
      {"original offset past the end", entryWord(12, 1, 4, [](uint32_t) { return 0xFFFFFF00u; })},
      {"original length past the end", entryWord(12, 1, 0, [](uint32_t) { return 0x7FFFFFFFu; })},
      {"translation offset past the end", entryWord(16, 9, 4, [](uint32_t) { return 0x10000u; })},
      {"translation length wraps 32 bits", entryWord(16, 2, 0, [](uint32_t) { return 0xFFFFFFFFu; })},
      {"last terminating NUL cut off", Damage([](auto& b, bool) { b.pop_back(); })},
      {"a string not terminated", Damage([](auto& b, bool be) {
         size_t at = get32(b, 16, be) + 8;  // translation 1
         b[get32(b, at + 4, be) + get32(b, at, be)] = 'x';
       })},
      {"translation reaches one byte past", Damage([](auto& b, bool be) {
         size_t at = get32(b, 16, be) + 9 * 8;
         put32(b, at, static_cast<uint32_t>(b.size()) - get32(b, at + 4, be) + 1, be);
       })},
  };
  for (const char* name : {"basic", "basic-be"}) {
    bool be = std::string(name) == "basic-be";
    const auto good = ReadBytes<CatalogueBytes>(FixturePath(name));
    for (const auto& [what, damage] : cases) {
      auto bytes = good;
      damage(bytes, be);
      // A copy in a buffer of exactly its size, so the sanitizer sees any read beyond it.
      std::unique_ptr<unsigned char[]> exact(new unsigned char[bytes.size() + 1]);
      if (!bytes.empty()) std::memcpy(exact.get(), bytes.data(), bytes.size());
      TMoCatalogue c;
      EXPECT_FALSE(c.Attach(exact.get(), bytes.size())) << name << ": " << what;
      EXPECT_EQ(c.Count(), 0u) << "nothing attached";
      EXPECT_EQ(lookup(c, "Operation aborted"), "<none>");
    }
  }
}

TEST(LookupText, LineBreakAndEncodingRules) {
  struct Case {
    const char* in;
    const char* noCr;
    const char* crLf;
  };
  const Case cases[] = {
      {"plain", "plain", "plain"}, {"a\r\nb", "a\nb", "a\r\nb"}, {"a\nb\n", "a\nb\n", "a\r\nb\r\n"},
      {"\n", "\n", "\r\n"},        {"a\rb\r", "ab", "a\rb\r"},   {"a\r\r\nb", "a\nb", "a\r\r\nb"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RemoveCarriageReturns(c.in), c.noCr) << c.in;
    EXPECT_EQ(AddCarriageReturnsBeforeLineFeeds(c.in), c.crLf) << c.in;
  }

  const std::pair<std::string, bool> utf8[] = {
      {"", true},
      {"ASCII", true},
      {"Zażółć gęślą jaźń", true},
      {"\xE2\x82\xAC", true},       // euro sign
      {"\xF0\x9F\x98\x80", true},   // above the BMP
      {"Zwyk\xB3y", false},         // a single-byte code page
      {"\xC5", false},              // lead byte at the end
      {"\xE2\x82", false},          // one continuation byte short
      {"\xE2\x82z", false},         // the second continuation byte not one
      {"\xF1\xBF\xBF\xBF", true},   // U+7FFFF: no limits of its own
      {"\xC5z", false},             // lead byte without its continuation
      {"\x80", false},              // stray continuation byte
      {"\xC0\xAF", false},          // overlong
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // above U+10FFFF
      {"\xFF", false},
  };
  for (const auto& [text, ok] : utf8) EXPECT_EQ(IsWellFormedUtf8(text), ok) << text;
}
