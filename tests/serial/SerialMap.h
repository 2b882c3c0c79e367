#pragma once
// Writes this Wine prefix's (or machine's) serial-port map from inside the test process. Wine
// rebuilds HKLM\HARDWARE, this map included, when its server starts; the server is up while this
// process runs, so what a test writes here stays until the test ends.
#include <windows.h>

#include <string>
#include <vector>

namespace serialtest {

constexpr const char* kSerialMap = "HARDWARE\\DEVICEMAP\\SERIALCOMM";

struct MapValue {
  std::string name;
  std::string data;  // written as is; a REG_SZ gets its trailing NUL added
  DWORD type = REG_SZ;
};

inline void RemoveSerialMap() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSerialMap); }

// Replaces the whole map with `values`, in this order.
inline bool WriteSerialMap(const std::vector<MapValue>& values) {
  RemoveSerialMap();
  HKEY key = nullptr;
  // The HARDWARE tree is volatile, and so must its keys be.
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialMap, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  for (const MapValue& v : values) {
    const DWORD size = static_cast<DWORD>(v.data.size() + (v.type == REG_SZ ? 1 : 0));
    ok = ok && RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.c_str()), size) ==
                   ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return ok;
}

// Ports under the names a serial driver gives them.
inline std::vector<MapValue> Ports(const std::vector<std::string>& names) {
  std::vector<MapValue> values;
  for (size_t i = 0; i < names.size(); ++i) values.push_back({"\\Device\\Serial" + std::to_string(i), names[i]});
  return values;
}

}  // namespace serialtest
