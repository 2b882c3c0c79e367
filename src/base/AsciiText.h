#pragma once
// Letter case and blanks by ASCII's rules alone: the names of the settings file, the catalogues and
// the port settings are ASCII, and the code page's other letters stay as they are.
#include <string_view>

// The small letter of an ASCII capital; any other character unchanged.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Whether the texts are the same when ASCII letter case is ignored.
constexpr bool SameAsciiText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// What surrounds names and values in the settings file without being part of them: the characters
// the profile functions drop at their ends (Ctrl+Z is an old end-of-file mark).
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a'; }

// The text without the characters at either end for which `cut` is true.
template <typename Char, typename Cut>
constexpr std::basic_string_view<Char> TrimWhere(std::basic_string_view<Char> s, Cut cut) {
  while (!s.empty() && cut(s.front())) s.remove_prefix(1);
  while (!s.empty() && cut(s.back())) s.remove_suffix(1);
  return s;
}

// The text without the blanks at either end.
constexpr std::string_view TrimBlanks(std::string_view s) { return TrimWhere(s, IsBlank); }
