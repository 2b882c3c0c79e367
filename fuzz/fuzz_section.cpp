// Any buffer that a whole-section read fills is split without crashing into the lines that a plain
// reading of it gives, whatever size the buffer starts with; the values looked up from those lines
// are what reading each key alone gives.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/ProfileSection.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

bool blank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

std::string trimmed(const std::string& s) {
  size_t begin = 0, end = s.size();
  while (begin < end && blank(s[begin])) ++begin;
  while (end > begin && blank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

// The lines, found another way: each piece between zeros that holds "=".
ProfileLines reference(const std::string& buffer) {
  ProfileLines lines;
  std::string piece;
  for (size_t i = 0; i <= buffer.size(); ++i) {
    if (i < buffer.size() && buffer[i] != '\0') {
      piece += buffer[i];
      continue;
    }
    const size_t eq = piece.find('=');
    if (eq != std::string::npos)
      lines.emplace_back(trimmed(piece.substr(0, eq)), trimmed(piece.substr(eq + 1)));
    piece.clear();
  }
  return lines;
}

bool sameKey(const std::string& a, const std::string& b) {
  auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return upper(x) == upper(y); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const size_t firstSize = in.ConsumeIntegralInRange<size_t>(3, 64);
  const size_t maxLength = in.ConsumeIntegralInRange<size_t>(0, 16);
  const std::string defaultValue = in.ConsumeRandomLengthString(20);
  std::vector<std::string> keys;
  for (int i = in.ConsumeIntegralInRange(0, 4); i > 0; --i) keys.push_back(in.ConsumeRandomLengthString(8));
  const std::string section = in.ConsumeRemainingBytesAsString();

  // The platform's read: the whole section and a zero when it fits with room for one more, else
  // as much as fits before two zeros, and size - 2.
  auto read = [&](char* buffer, size_t n) -> size_t {
    if (section.size() + 2 <= n) {
      std::memcpy(buffer, section.data(), section.size());
      buffer[section.size()] = '\0';
      return section.size();
    }
    std::memcpy(buffer, section.data(), n - 2);
    buffer[n - 2] = buffer[n - 1] = '\0';
    return n - 2;
  };
  const auto lines = ReadSectionLines(read, firstSize, SIZE_MAX);
  check(lines.has_value());
  check(*lines == reference(section));
  check(SplitSectionBuffer(section) == *lines);
  for (const auto& [key, value] : *lines) {
    check(key.find('\0') == std::string::npos && key.find('=') == std::string::npos && key == trimmed(key));
    check(value.find('\0') == std::string::npos && value == trimmed(value));
  }
  // A section that cannot grow enough gives nothing, never a cut one.
  const auto capped = ReadSectionLines(read, firstSize, firstSize);
  check(capped.has_value() == (section.size() + 2 < firstSize) && (!capped || *capped == *lines));

  for (const auto& [key, value] : *lines) keys.push_back(key);
  const std::vector<std::string> values = SectionTexts(*lines, keys, defaultValue, maxLength);
  check(values.size() == keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    auto line =
        std::find_if(lines->begin(), lines->end(), [&](const auto& l) { return sameKey(l.first, keys[i]); });
    // A key read gives the first line of the value only.
    std::string expected = line == lines->end()
                               ? defaultValue
                               : trimmed(line->second.substr(0, line->second.find_first_of("\r\n")));
    const bool quoted = line != lines->end() && expected.size() >= 2 &&
                        (expected[0] == '"' || expected[0] == '\'') && expected.back() == expected[0];
    if (quoted) expected = expected.substr(1, expected.size() - 2);
    check(values[i] == expected.substr(0, maxLength));
  }
  return 0;
}
