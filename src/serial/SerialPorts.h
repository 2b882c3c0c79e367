#pragma once
// The machine's serial ports: the port listing, its error and the start-up of the serial support.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/Exception.h"

// A failure of the serial support: the message, the platform's error number and the library's
// own error code.
class EComPort : public Exception {
 public:
  EComPort(std::string message, int32_t winCode, int32_t code)
      : Exception(std::move(message)), winCode_(winCode), code_(code) {}
  int32_t WinCode() const { return winCode_; }
  int32_t Code() const { return code_; }

 private:
  int32_t winCode_;
  int32_t code_;
};

// The library error code of a failure to read the port names.
constexpr int32_t CError_RegError = 23;

// The error for a failed read of the port names, with the platform's error number.
EComPort RegistryError(int32_t winCode);

// Start-up of the serial support, after the translation layer's: adds the text domain "cport" to
// the domains the class library's texts are translated in, and fetches its texts through the
// class library's text function. Until it runs, the built-in text is used.
void SerialSupportStart();

// Replaces the content of `list` with the machine's port names, sorted ignoring case. Raises
// EComPort (code 23) on failure and then leaves `list` as it was.
void ListSerialPorts(std::vector<std::string>& list);
#ifndef _WIN32
// The Linux source: the tty devices under `root` (normally /sys/class/tty) that have a `device`
// entry, named by their device path under /dev.
void ListSerialPortsFrom(const std::filesystem::path& root, std::vector<std::string>& list);
#endif
// Sorts port names ignoring letter case, in the order of the user's locale.
void SortPortNames(std::vector<std::string>& names);
