#pragma once
// Conversions between the program's 8-bit texts (the system code page, "ANSI"), UTF-8 and
// UTF-16. On Windows the code page is the system's; elsewhere the 8-bit texts are UTF-8.
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view s);
std::string WideToUtf8(std::wstring_view s);
std::wstring AnsiToWide(std::string_view s);
std::string WideToAnsi(std::wstring_view s);
