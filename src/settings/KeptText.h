#pragma once
// Whether the settings file gives a text back exactly as it was typed: what a read gives back is
// ValueReadBack's (at most 2047 characters), and the file holds the system code page's characters
// only. Of a text with a line break only the first line is written.
#include <string_view>

enum class KeepFault { None, Blanks, Quotes, CodePage, TooLong };

// The first reason, in that order, why `typed` would not come back from the file as it is.
KeepFault WhyNotKept(std::wstring_view typed);
