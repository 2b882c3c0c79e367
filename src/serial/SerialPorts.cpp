#include "serial/SerialPorts.h"

#include <optional>

#include "base/ResStrings.h"
#include "serial/Seams.h"
#include "catalogue/gnugettext.h"

namespace {

// "Registry error" as fetched when the serial support started (translated by then).
std::optional<std::string>& registryErrorText() {
  static std::optional<std::string> text;
  return text;
}

}  // namespace

// The serial support's texts are looked up in the default domain only, not through the string
// resources' list of domains, which holds "cport" too.
void SerialSupportStart() {
  AddResourceStringDomain("cport");
  registryErrorText() = TranslateAnsi(BuiltinText(ResId::RegistryError));
}

EComPort RegistryError(int32_t winCode) {
  const std::optional<std::string>& text = registryErrorText();
  std::string message = text ? *text : TranslateAnsi(BuiltinText(ResId::RegistryError));
  message += FormatText(TranslateAnsi(BuiltinText(ResId::WinErrorCode)), {std::to_string(winCode)});
  return EComPort(std::move(message), winCode, CError_RegError);
}

SerialSeams& TheSerialSeams() {
  static SerialSeams seams{ListSerialPorts};
  return seams;
}
