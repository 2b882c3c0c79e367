#pragma once
// Reading a whole section at once: the buffer that the platform's section read fills, and the
// values of many keys taken from its lines exactly as reading each key alone would give them.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using ProfileLines = std::vector<std::pair<std::string, std::string>>;

// The "key=value" lines of a section buffer (lines ended by a zero, the last zero optional):
// keys and values as the file holds them, blanks around them removed; lines without "=" skipped.
ProfileLines SplitSectionBuffer(std::string_view buffer);

// Fills `buffer` as the platform's section read does: returns the number of characters placed
// before the final zero, or size - 2 when the section did not fit.
using SectionRead = std::function<size_t(char* buffer, size_t size)>;

// The lines of a section read into a buffer of `firstSize` characters (at least 3) that grows
// until the section fits; nothing when it would have to grow past `maxSize`.
std::optional<ProfileLines> ReadSectionLines(const SectionRead& read, size_t firstSize, size_t maxSize);

// What reading a key gives back after `written` was stored under it: its first line, without the
// blanks at its ends and one pair of matching quotation marks around it, cut to `maxLength`
// characters (the read buffer less its final zero).
std::string_view ValueReadBack(std::string_view written, size_t maxLength);

// For each key, as a single read gives it: the value of the first line of that key (letter case
// ignored) as ValueReadBack gives it; the default, cut to `maxLength`, for a key that no line has.
std::vector<std::string> SectionTexts(const ProfileLines& lines, const std::vector<std::string>& keys,
                                      const std::string& defaultValue, size_t maxLength);
