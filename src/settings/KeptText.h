#pragma once
// Whether the settings file gives a text back exactly as it was typed: what a read gives back is
// ValueReadBack's (one line, at most 2047 characters), and the file holds the system code page's
// characters only.
#include <string_view>

enum class KeepFault { None, Blanks, LineBreak, Quotes, CodePage, TooLong };

// The first reason, in that order, why `typed` would not come back from the file as it is.
KeepFault WhyNotKept(std::wstring_view typed);
