#include "serial/SerialPorts.h"

#include <optional>

#include "base/ResStrings.h"
#include "support/gnugettext.h"

namespace {

// "Registry error" as fetched when the serial support started (translated by then).
std::optional<std::string>& registryErrorText() {
  static std::optional<std::string> text;
  return text;
}

}  // namespace

void SerialSupportStart() {
  AddResourceStringDomain("cport");
  registryErrorText() = LoadResString(ResId::RegistryError);
}

EComPort RegistryError(int32_t winCode) {
  const std::optional<std::string>& text = registryErrorText();
  std::string message = text ? *text : LoadResString(ResId::RegistryError);
  message += FormatText(LoadResString(ResId::WinErrorCode), {std::to_string(winCode)});
  return EComPort(std::move(message), winCode, CError_RegError);
}
