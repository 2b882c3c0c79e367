#include "settings/ProfileSection.h"

#include <algorithm>
#include <unordered_map>

#include "base/AsciiText.h"

namespace {

// ASCII letters only: the keys this program asks for are ASCII.
std::string foldCase(std::string s) {
  for (char& c : s) c = AsciiLower(c);
  return s;
}

}  // namespace

ProfileLines SplitSectionBuffer(std::string_view buffer) {
  ProfileLines lines;
  while (!buffer.empty()) {
    const std::string_view line = buffer.substr(0, buffer.find('\0'));
    buffer.remove_prefix(std::min(line.size() + 1, buffer.size()));
    const size_t eq = line.find('=');
    if (eq != std::string_view::npos)
      lines.emplace_back(TrimBlanks(line.substr(0, eq)), TrimBlanks(line.substr(eq + 1)));
  }
  return lines;
}

std::optional<ProfileLines> ReadSectionLines(const SectionRead& read, size_t firstSize, size_t maxSize) {
  std::string buffer(firstSize, '\0');
  for (;;) {
    const size_t n = read(buffer.data(), buffer.size());
    // An answer of size - 2 may be a section cut to the buffer: grow until it fits.
    if (n + 2 < buffer.size()) {
      buffer.resize(n);
      return SplitSectionBuffer(buffer);
    }
    if (buffer.size() >= maxSize) return std::nullopt;
    buffer.assign(buffer.size() * 4, '\0');
  }
}

std::string_view ValueReadBack(std::string_view written, size_t maxLength) {
  std::string_view v = TrimBlanks(written.substr(0, written.find_first_of("\r\n")));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    v = v.substr(1, v.size() - 2);
  return v.substr(0, maxLength);
}

std::vector<std::string> SectionTexts(const ProfileLines& lines, const std::vector<std::string>& keys,
                                      const std::string& defaultValue, size_t maxLength) {
  std::unordered_map<std::string, const std::string*> byKey;
  byKey.reserve(lines.size());
  for (const auto& [key, value] : lines) byKey.emplace(foldCase(key), &value);
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) {
    auto it = byKey.find(foldCase(key));
    if (it == byKey.end()) {
      values.push_back(defaultValue.substr(0, maxLength));
      continue;
    }
    values.emplace_back(ValueReadBack(*it->second, maxLength));
  }
  return values;
}
