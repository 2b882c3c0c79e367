#include "settings/posix/ParsedProfile.h"

#include <cstring>

#include "base/AsciiText.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isLineBreak(char c) { return c == '\r' || c == '\n'; }

bool containsLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// One line of the text: [begin, end) without its line break, next = start of the next line.
struct Line {
  size_t begin, end, next;
};

// Finds the end of the line starting at begin; memchr keeps long lines cheap.
Line lineAt(const std::string& text, size_t begin) {
  const char* base = text.data();
  size_t size = text.size();
  const void* lf = std::memchr(base + begin, '\n', size - begin);
  size_t lfAt = lf ? static_cast<size_t>(static_cast<const char*>(lf) - base) : size;
  const void* cr = std::memchr(base + begin, '\r', lfAt - begin);
  if (cr) {
    size_t crAt = static_cast<size_t>(static_cast<const char*>(cr) - base);
    size_t next = (crAt + 1 < size && base[crAt + 1] == '\n') ? crAt + 2 : crAt + 1;
    return {begin, crAt, next};
  }
  return {begin, lfAt, lfAt < size ? lfAt + 1 : size};
}

// The name of a "[name]" line; without "]" the name runs to the end of the line.
std::string_view sectionName(std::string_view trimmedLine) {
  std::string_view inner = trimmedLine.substr(1);
  size_t close = inner.find(']');
  if (close != std::string_view::npos) inner = inner.substr(0, close);
  return TrimBlanks(inner);
}

}  // namespace

size_t ParsedProfile::CaseHash::operator()(std::string_view s) const noexcept {
  uint64_t h = 14695981039346656037ull;  // FNV-1a over the lower-cased bytes
  for (char c : s) {
    h ^= static_cast<unsigned char>(AsciiLower(c));
    h *= 1099511628211ull;
  }
  return static_cast<size_t>(h);
}

bool ParsedProfile::CaseEqual::operator()(std::string_view a, std::string_view b) const noexcept {
  return SameAsciiText(a, b);
}

ParsedProfile::ParsedProfile(std::string text) : text_(std::move(text)) { index(); }

void ParsedProfile::index() {
  std::string_view all = text_;
  if (all.substr(0, kByteOrderMark.size()) == kByteOrderMark) contentStart_ = kByteOrderMark.size();
  size_t firstBreak = all.find_first_of("\r\n", contentStart_);
  if (firstBreak != std::string_view::npos) {
    bool crlf = all[firstBreak] == '\r' && firstBreak + 1 < all.size() && all[firstBreak + 1] == '\n';
    lineBreak_ = crlf ? "\r\n" : all[firstBreak] == '\r' ? "\r" : "\n";
  }

  Section* current = nullptr;    // lines before the first section belong to none
  bool firstAppearance = false;  // a repeated section adds keys but new keys go to the first
  for (size_t pos = contentStart_; pos < text_.size();) {
    Line line = lineAt(text_, pos);
    pos = line.next;
    std::string_view content = TrimBlanks(all.substr(line.begin, line.end - line.begin));
    if (content.empty()) continue;
    if (content.front() == '[') {
      auto [it, inserted] = sections_.try_emplace(sectionName(content));
      current = &it->second;
      firstAppearance = inserted;
    } else if (current && content.front() != ';') {
      size_t eq = content.find('=');
      if (eq != std::string_view::npos) {
        std::string_view value = TrimBlanks(content.substr(eq + 1));
        size_t valueBegin = value.empty()
                                ? static_cast<size_t>(content.data() + content.size() - text_.data())
                                : static_cast<size_t>(value.data() - text_.data());
        current->keys.try_emplace(TrimBlanks(content.substr(0, eq)),
                                  Value{valueBegin, valueBegin + value.size()});
      }
    }
    if (current && firstAppearance) {
      current->insertAt = line.next;
      current->lastLineEnded = line.next > line.end;
    }
  }
}

std::optional<std::string_view> ParsedProfile::Find(std::string_view section, std::string_view key) const {
  auto s = sections_.find(TrimBlanks(section));
  if (s == sections_.end()) return std::nullopt;
  auto k = s->second.keys.find(TrimBlanks(key));
  if (k == s->second.keys.end()) return std::nullopt;
  return std::string_view(text_).substr(k->second.begin, k->second.end - k->second.begin);
}

bool ParsedProfile::HasSection(std::string_view section) const {
  return sections_.find(TrimBlanks(section)) != sections_.end();
}

std::optional<std::string> ParsedProfile::WithValue(std::string_view section, std::string_view key,
                                                    std::string_view value) const {
  section = TrimBlanks(section);
  key = TrimBlanks(key);
  if (containsLineBreak(section) || section.find(']') != std::string_view::npos) return std::nullopt;
  if (containsLineBreak(key) || key.find('=') != std::string_view::npos) return std::nullopt;
  if (!key.empty() && (key.front() == '[' || key.front() == ';')) return std::nullopt;
  // A line break in the value would start a line of its own, which could pose as a key or section.
  value = value.substr(0, value.find_first_of("\r\n"));

  std::string out;
  auto s = sections_.find(section);
  if (s != sections_.end()) {
    const Section& sec = s->second;
    auto k = sec.keys.find(key);
    if (k != sec.keys.end()) {
      out.reserve(text_.size() + value.size());
      out.append(text_, 0, k->second.begin).append(value).append(text_, k->second.end);
      return out;
    }
    out.reserve(text_.size() + key.size() + value.size() + 4);
    out.append(text_, 0, sec.insertAt);
    if (!sec.lastLineEnded) out.append(lineBreak_);
    out.append(key).append("=").append(value);
    if (sec.lastLineEnded) out.append(lineBreak_);
    out.append(text_, sec.insertAt);
    return out;
  }
  out.reserve(text_.size() + section.size() + key.size() + value.size() + 8);
  out = text_;
  if (out.size() > contentStart_ && !isLineBreak(out.back())) out.append(lineBreak_);
  out.append("[").append(section).append("]").append(lineBreak_);
  out.append(key).append("=").append(value).append(lineBreak_);
  return out;
}

std::string ParsedProfile::WithoutSection(std::string_view section) const {
  section = TrimBlanks(section);
  std::string_view all = text_;
  std::string out;
  out.reserve(text_.size());
  out.append(text_, 0, contentStart_);
  bool removing = false;
  size_t keepFrom = contentStart_;
  for (size_t pos = contentStart_; pos < text_.size();) {
    Line line = lineAt(text_, pos);
    pos = line.next;
    std::string_view content = TrimBlanks(all.substr(line.begin, line.end - line.begin));
    if (content.empty() || content.front() != '[') continue;
    bool match = CaseEqual()(sectionName(content), section);
    if (match && !removing) out.append(text_, keepFrom, line.begin - keepFrom);
    if (!match && removing) keepFrom = line.begin;
    removing = match;
  }
  if (!removing) out.append(text_, keepFrom);
  return out;
}
