#pragma once
// Whether the settings file gives a text back exactly as it was typed. Reading a value drops the
// blanks at both of its ends and one pair of quotation marks around it, and gives at most 2047
// characters; the file holds the system code page's characters only.
#include <string_view>

enum class KeepFault { None, Blanks, Quotes, CodePage, TooLong };

// The first reason, in that order, why `typed` would not come back from the file as it is.
KeepFault WhyNotKept(std::wstring_view typed);
