// The port names on Windows: the data of every value of the serial-port map in the registry.
#include <windows.h>

#include <algorithm>

#include "serial/SerialPorts.h"
#include "win/Handles.h"

namespace {

constexpr const char* kSerialMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr DWORD kBufferSize = 256;

}  // namespace

void ListSerialPorts(std::vector<std::string>& list) {
  HKEY raw = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialMap, 0, KEY_READ, &raw);
  if (rc != ERROR_SUCCESS) throw RegistryError(rc);
  UniqueRegKey key(raw);

  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    // Both buffers and their lengths are set anew for every value: a call changes the lengths.
    char name[kBufferSize];
    DWORD nameLength = kBufferSize;
    BYTE data[kBufferSize];
    DWORD dataLength = kBufferSize;
    DWORD type = 0;
    rc = RegEnumValueA(key.get(), index, name, &nameLength, nullptr, &type, data, &dataLength);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    if (rc != ERROR_SUCCESS) throw RegistryError(rc);  // ERROR_MORE_DATA when a value does not fit
    const auto* text = reinterpret_cast<const char*>(data);
    const size_t length = std::min<DWORD>(dataLength, kBufferSize);
    // The registry text's trailing NUL, and anything after an inner one, is not part of the name.
    names.emplace_back(text, std::find(text, text + length, '\0'));
  }
  SortPortNames(names);
  list = std::move(names);
}

void SortPortNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                          b.data(), static_cast<int>(b.size())) == CSTR_LESS_THAN;
  });
}
