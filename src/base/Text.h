#pragma once
// Conversions between the program's 8-bit texts (the system code page, "ANSI"), UTF-8 and
// UTF-16. On Windows the code page is the system's; elsewhere the 8-bit texts are UTF-8.
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
std::wstring AnsiToWide(std::string_view s);
// A character that the code page has no code of its own for becomes its default character ("?"),
// never a look-alike: no text can come to name another file, and a full-width digit stays no digit.
std::string WideToAnsi(std::wstring_view s);
// Whether WideToAnsi keeps every character of the text (always so where the 8-bit texts are UTF-8).
bool AnsiHoldsExactly(std::wstring_view s);
// Between the 8-bit texts and UTF-8 without a detour where there is nothing to convert: ASCII
// text on Windows, every text elsewhere. The text is handed back itself then.
std::string AnsiToUtf8(std::string s);
std::string Utf8ToAnsi(std::string s);
// Whether an 8-bit text is its own UTF-8 (and so needs neither conversion).
bool AnsiIsUtf8(std::string_view s);
