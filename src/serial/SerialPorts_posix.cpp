// The port names on Linux: every tty device of the kernel's class list that is backed by a
// device (a serial line, a USB adapter, ...) rather than a virtual console or pseudo terminal.
#include <strings.h>

#include <algorithm>
#include <system_error>

#include "serial/SerialPorts.h"

namespace {

constexpr const char* kTtyClass = "/sys/class/tty";

}  // namespace

void ListSerialPortsFrom(const std::filesystem::path& root, std::vector<std::string>& list) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::directory_iterator it(root, ec);
  if (ec) throw RegistryError(ec.value());
  std::vector<std::string> names;
  for (const fs::directory_iterator end; it != end; it.increment(ec)) {
    // The device entry is a link; whether its target can be read does not matter.
    std::error_code statusError;
    if (!fs::exists(fs::symlink_status(it->path() / "device", statusError))) continue;
    names.push_back("/dev/" + it->path().filename().string());
  }
  if (ec) throw RegistryError(ec.value());  // a failed step ends the loop
  SortPortNames(names);
  list = std::move(names);
}

void ListSerialPorts(std::vector<std::string>& list) { ListSerialPortsFrom(kTtyClass, list); }

void SortPortNames(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) < 0; });
}
