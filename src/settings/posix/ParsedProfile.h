#pragma once
// The text of a profile file and its index: "[section]" lines, "key=value" lines under them,
// ";" comment lines. Section and key names compare without regard to ASCII letter case;
// blanks (IsBlank) around names and values are not part of them; the first of repeated keys
// wins (a section that appears twice is one section). Lines end in CR LF, LF or CR alone; a
// UTF-8 byte-order mark at the start is skipped. Lookups are hashed, so reading every key of a
// large file costs one parse.
//
// The document never changes: an edit returns the new text, which keeps every other byte of
// the old one (comments, blank lines, line endings, the spacing of untouched lines).
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

class ParsedProfile {
 public:
  explicit ParsedProfile(std::string text);
  // The index points into the text, so the document stays where it was made.
  ParsedProfile(const ParsedProfile&) = delete;
  ParsedProfile& operator=(const ParsedProfile&) = delete;

  const std::string& Text() const { return text_; }

  // The stored value, or nothing when the section or the key is absent.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;

  // The text with the key set to value: the first such key's value replaced, or a new line at the
  // end of its section, or a new section at the end of the file. A value is one line: anything
  // from its first line break on is not stored. Nothing when the names could not be found again
  // once written (a line break in either, "]" in the section, "=" in the key, or a key that would
  // read as a comment or a section).
  std::optional<std::string> WithValue(std::string_view section, std::string_view key,
                                       std::string_view value) const;

  // The text without every section of that name and all their lines.
  std::string WithoutSection(std::string_view section) const;

 private:
  struct CaseHash {
    size_t operator()(std::string_view s) const noexcept;
  };
  struct CaseEqual {
    bool operator()(std::string_view a, std::string_view b) const noexcept;
  };
  template <class T>
  using NameMap = std::unordered_map<std::string_view, T, CaseHash, CaseEqual>;

  struct Value {
    size_t begin, end;  // offsets of the trimmed value in text_
  };
  struct Section {
    size_t insertAt = 0;        // just after the section's last non-blank line
    bool lastLineEnded = true;  // whether that line has its line break
    NameMap<Value> keys;
  };

  void index();

  std::string text_;
  // The line break that new lines get: the file's first one, CR LF for a file without any.
  std::string_view lineBreak_ = "\r\n";
  size_t contentStart_ = 0;  // after the byte-order mark
  NameMap<Section> sections_;
};
