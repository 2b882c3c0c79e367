#include <windows.h>

#include <climits>

#include "settings/ProfileFunctions.h"
#include "settings/ProfileSection.h"

size_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                        size_t size, const char* fileName) {
  if (size > UINT_MAX) size = UINT_MAX;
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, static_cast<DWORD>(size), fileName);
}

bool ProfileWriteString(const char* section, const char* key, const char* value, const char* fileName) {
  return WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
}

std::optional<std::vector<std::pair<std::string, std::string>>> ProfileGetSection(const char* section,
                                                                                  const char* fileName) {
  auto read = [&](char* buffer, size_t size) -> size_t {
    return GetPrivateProfileSectionA(section, buffer, static_cast<DWORD>(size), fileName);
  };
  // Past 256 MB the caller goes key by key instead.
  return ReadSectionLines(read, 64 * 1024, 256u * 1024 * 1024);
}

bool ProfileWriteSection(const char* section, const std::vector<std::pair<std::string, std::string>>& values,
                         const char* fileName, bool& ok) {
  std::string data;
  for (const auto& [key, value] : values) {
    data += key;
    data += '=';
    data += value;
    data += '\0';
  }
  data += '\0';
  ok = WritePrivateProfileSectionA(section, data.c_str(), fileName) != FALSE;
  return true;
}
