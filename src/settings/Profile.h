#pragma once
// The platform's profile functions, the only calls through which TIniFile touches a file.
// On Windows they are GetPrivateProfileStringA / WritePrivateProfileStringA; elsewhere our own
// text profile file (TextProfile) with the same contract. Texts are 8-bit, zero-terminated.
#include <cstddef>

// Places the value of key in section (or defaultValue when the file, the section or the key is
// absent) into buffer, at most size - 1 characters followed by a zero; returns the number of
// characters placed.
size_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                        size_t size, const char* fileName);

// Stores value under key in section, creating file, section and key as needed; with key and
// value null removes the section; with all three null writes out held-back changes. Returns
// false on failure.
bool ProfileWriteString(const char* section, const char* key, const char* value, const char* fileName);
