#include <windows.h>

#include <algorithm>

#include "base/Text.h"

namespace {

// Every code page the program converts with (the system's and UTF-8) holds ASCII as ASCII: such
// text, nearly all of a settings file, is widened and narrowed without asking the system.
bool isAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}
bool isAscii(std::wstring_view s) {
  return std::all_of(s.begin(), s.end(), [](wchar_t c) { return c < 0x80; });
}

std::wstring toWide(UINT cp, std::string_view s) {
  if (isAscii(s)) return std::wstring(s.begin(), s.end());
  int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring w(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

std::string fromWide(UINT cp, std::wstring_view w, DWORD flags = 0) {
  if (isAscii(w)) {
    std::string s(w.size(), '\0');
    std::transform(w.begin(), w.end(), s.begin(), [](wchar_t c) { return static_cast<char>(c); });
    return s;
  }
  int n = WideCharToMultiByte(cp, flags, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, flags, w.data(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view s) { return toWide(CP_UTF8, s); }
std::string WideToUtf8(std::wstring_view s) { return fromWide(CP_UTF8, s); }
std::wstring AnsiToWide(std::string_view s) { return toWide(CP_ACP, s); }
// A system code page of UTF-8 has every character, and refuses the flag.
std::string WideToAnsi(std::wstring_view s) {
  return fromWide(CP_ACP, s, GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS);
}
bool AnsiHoldsExactly(std::wstring_view s) { return AnsiToWide(WideToAnsi(s)) == s; }

// ASCII is the same in UTF-8 and in every system code page.
bool AnsiIsUtf8(std::string_view s) { return isAscii(s); }
std::string AnsiToUtf8(std::string s) { return AnsiIsUtf8(s) ? s : WideToUtf8(AnsiToWide(s)); }
std::string Utf8ToAnsi(std::string s) { return AnsiIsUtf8(s) ? s : WideToAnsi(Utf8ToWide(s)); }
