#pragma once
// The platform's profile functions, the only calls through which TIniFile touches a file.
// On Windows they are GetPrivateProfileStringA / WritePrivateProfileStringA; elsewhere our own
// text profile file (ProfileStandIn) with the same contract. Texts are 8-bit, zero-terminated.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// Places the value of key in section (or defaultValue when the file, the section or the key is
// absent) into buffer, at most size - 1 characters followed by a zero; returns the number of
// characters placed.
size_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                        size_t size, const char* fileName);

// Stores value under key in section, creating file, section and key as needed; with key and
// value null removes the section; with all three null writes out held-back changes. Returns
// false on failure.
bool ProfileWriteString(const char* section, const char* key, const char* value, const char* fileName);

// Whole sections in one call, where the platform has such calls (nullopt / false elsewhere, and
// the caller goes key by key). A section's lines are read as "key=value" pairs, keys and values
// as the file holds them, blanks around them removed.
std::optional<std::vector<std::pair<std::string, std::string>>> ProfileGetSection(const char* section,
                                                                                  const char* fileName);
// Replaces the section's keys by the given "key=value" lines; false when the platform has no such
// call. `ok` tells whether the write succeeded.
bool ProfileWriteSection(const char* section, const std::vector<std::pair<std::string, std::string>>& values,
                         const char* fileName, bool& ok);
