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
  std::string data;  // a REG_SZ gets its trailing NUL added when written
  DWORD type = REG_SZ;
};

inline void RemoveSerialMap() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kSerialMap); }

// Replaces the whole map with `values`, in this order; `addNul` ends each text with its NUL.
inline bool WriteSerialMap(const std::vector<MapValue>& values, bool addNul = true) {
  RemoveSerialMap();
  HKEY key = nullptr;
  // The HARDWARE tree is volatile, and so must its keys be.
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSerialMap, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                      nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  bool ok = true;
  for (const MapValue& v : values) {
    const DWORD size = static_cast<DWORD>(v.data.size() + (addNul && v.type == REG_SZ ? 1 : 0));
    ok = ok && RegSetValueExA(key, v.name.c_str(), 0, v.type, reinterpret_cast<const BYTE*>(v.data.c_str()),
                              size) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return ok;
}

// The map as it was, put back when the test ends, so that later tests in the same prefix (which
// may build the main window) find what Wine or another test left there.
class SavedSerialMap {
 public:
  SavedSerialMap() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSerialMap, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    existed_ = true;
    for (DWORD i = 0;; ++i) {
      char name[16384];
      DWORD nameLength = sizeof name;
      MapValue v;
      DWORD size = 0;
      if (RegEnumValueA(key, i, name, &nameLength, nullptr, &v.type, nullptr, &size) != ERROR_SUCCESS) break;
      v.data.assign(size, '\0');
      nameLength = sizeof name;
      if (RegEnumValueA(key, i, name, &nameLength, nullptr, &v.type, reinterpret_cast<BYTE*>(v.data.data()),
                        &size) != ERROR_SUCCESS)
        break;
      v.data.resize(size);
      v.name.assign(name, nameLength);
      values_.push_back(std::move(v));
    }
    RegCloseKey(key);
  }
  ~SavedSerialMap() {
    if (existed_)
      WriteSerialMap(values_, false);
    else
      RemoveSerialMap();
  }
  SavedSerialMap(const SavedSerialMap&) = delete;
  SavedSerialMap& operator=(const SavedSerialMap&) = delete;

 private:
  bool existed_ = false;
  std::vector<MapValue> values_;  // the data as stored, trailing NULs included
};

// Ports under the names a serial driver gives them.
inline std::vector<MapValue> Ports(const std::vector<std::string>& names) {
  std::vector<MapValue> values;
  for (size_t i = 0; i < names.size(); ++i)
    values.push_back({"\\Device\\Serial" + std::to_string(i), names[i]});
  return values;
}

}  // namespace serialtest
