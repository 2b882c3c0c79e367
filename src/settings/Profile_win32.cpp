#include <windows.h>

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
