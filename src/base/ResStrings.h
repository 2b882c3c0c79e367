#pragma once
// The built-in message texts of the class library and the serial support, kept in one place.
// Each is fetched through LoadResString, which passes it through the translation layer once that
// layer is set up (and not before or after), exactly as a string resource would be.
#include <string>
#include <string_view>

enum class ResId {
  InvalidInteger,        // "'%s' is not a valid integer value"
  IniFileWriteError,     // "Unable to write to %s"
  ErrorReadingProperty,  // "Error reading %s%s%s: %s"
  OperationAborted,      // "Operation aborted"
  MsgDlgOK,              // "OK"
  RegistryError,         // "Registry error"
  WinErrorCode,          // " (win error code: %d)"
  Count
};

// The text as built (English, ASCII).
const char* BuiltinText(ResId id);

// The text after the translation layer, in the system code page.
std::string LoadResString(ResId id);

// The translation layer installs its resource-string translation here at set-up and removes it
// (nullptr) at its end. Texts are in the system code page both ways.
using ResStringTranslator = std::string (*)(const std::string& text);
void SetResStringTranslator(ResStringTranslator translator);

// Fills the placeholders %s and %d of a (possibly translated) message text in order with the given
// texts. "%%" stands for "%". A placeholder without a matching argument becomes empty and surplus
// arguments are dropped, so a damaged translation can never read beyond what was passed.
std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args);

// The message as the error box shows it: "." appended when the message is not empty and its last
// character has a code above that of ".".
std::string ErrorBoxText(const std::string& message);
