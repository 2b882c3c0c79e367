// Any name in the settings file's folder, past the file's name and ".tmp", is read without crashing;
// a process comes back only for a name of the copies' exact form, and it is the number it carries.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/SettingsSave.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string rest(reinterpret_cast<const char*>(data), size);
  const auto maker = CopyMaker(rest);
  if (!maker) return 0;
  const size_t dash = rest.find('-');
  if (dash == std::string::npos || std::strtoull(rest.substr(0, dash).c_str(), nullptr, 10) != *maker ||
      *maker == 0 || rest.find_first_not_of("0123456789-") != std::string::npos ||
      rest.find('-', dash + 1) != std::string::npos || dash + 1 == rest.size())
    std::abort();
  return 0;
}
