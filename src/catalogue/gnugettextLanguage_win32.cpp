#include <windows.h>

#include "catalogue/gnugettextLanguage.h"

namespace {

class TWindowsLocaleQueries : public TLocaleQueries {
 public:
  std::string Environment(const char* name) const override {
    char buffer[1024];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (n == 0) return {};
    if (n < sizeof buffer) return std::string(buffer, n);
    std::string value(n, '\0');  // n is the size needed, terminator included
    n = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
    value.resize(n < value.size() ? n : 0);
    return value;
  }
  int UserLocaleInfo(uint32_t item, char* buffer, int size) const override {
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, item, buffer, size);
  }
  uint32_t ThreadLocale() const override { return GetThreadLocale(); }
};

}  // namespace

const TLocaleQueries& SystemLocaleQueries() {
  static const TWindowsLocaleQueries queries;
  return queries;
}
