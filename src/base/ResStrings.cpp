#include "base/ResStrings.h"

#include <array>

namespace {

constexpr std::array<const char*, static_cast<size_t>(ResId::Count)> kTexts = {
    "'%s' is not a valid integer value",
    "Unable to write to %s",
    "Error reading %s%s%s: %s",
    "Operation aborted",
    "OK",
    "Registry error",
    " (win error code: %d)",
};

ResStringTranslator gTranslator = nullptr;

}  // namespace

const char* BuiltinText(ResId id) {
  auto i = static_cast<size_t>(id);
  return i < kTexts.size() ? kTexts[i] : "";
}

std::string LoadResString(ResId id) {
  std::string text = BuiltinText(id);
  if (ResStringTranslator t = gTranslator) return t(text);
  return text;
}

void SetResStringTranslator(ResStringTranslator translator) { gTranslator = translator; }

std::string FormatText(std::string_view format, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(format.size() + 32);
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c == '%' && i + 1 < format.size()) {
      char k = format[i + 1];
      if (k == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (k == 's' || k == 'd') {
        if (next != args.end()) out += *next++;
        ++i;
        continue;
      }
    }
    out += c;
  }
  return out;
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > static_cast<unsigned char>('.'))
    return message + ".";
  return message;
}
