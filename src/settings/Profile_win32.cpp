#include <windows.h>

#include <algorithm>
#include <climits>

#include "settings/Profile.h"

size_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                        size_t size, const char* fileName) {
  if (size > UINT_MAX) size = UINT_MAX;
  return GetPrivateProfileStringA(section, key, defaultValue, buffer, static_cast<DWORD>(size), fileName);
}

bool ProfileWriteString(const char* section, const char* key, const char* value, const char* fileName) {
  return WritePrivateProfileStringA(section, key, value, fileName) != FALSE;
}

namespace {

std::string trimBlanks(const char* begin, const char* end) {
  while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
  while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
  return std::string(begin, end);
}

}  // namespace

std::optional<std::vector<std::pair<std::string, std::string>>> ProfileGetSection(const char* section,
                                                                                  const char* fileName) {
  // The call answers size - 2 when the buffer was too small: grow until it fits.
  std::string buffer(64 * 1024, '\0');
  for (;;) {
    DWORD n = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), fileName);
    if (n + 2 < buffer.size()) {
      buffer.resize(n);
      break;
    }
    if (buffer.size() >= 256u * 1024 * 1024) return std::nullopt;  // go key by key instead
    buffer.assign(buffer.size() * 4, '\0');
  }
  std::vector<std::pair<std::string, std::string>> lines;
  const char* p = buffer.data();
  const char* end = p + buffer.size();
  while (p < end) {
    const char* line = p;
    while (p < end && *p) ++p;
    const char* eq = std::find(line, p, '=');
    if (eq != p) lines.emplace_back(trimBlanks(line, eq), trimBlanks(eq + 1, p));
    ++p;
  }
  return lines;
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
