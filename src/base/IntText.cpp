#include "base/IntText.h"

#include <charconv>

#include "base/Exception.h"
#include "base/ResStrings.h"

namespace {

int hexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<int32_t> parseHex(std::string_view digits, bool negative) {
  if (digits.empty()) return std::nullopt;
  uint32_t pattern = 0;
  for (char c : digits) {
    int d = hexDigitValue(c);
    if (d < 0) return std::nullopt;
    if (pattern > 0x0FFFFFFFu) return std::nullopt;  // one more digit needs a 33rd bit
    pattern = (pattern << 4) | static_cast<uint32_t>(d);
  }
  if (negative) pattern = 0u - pattern;  // two's complement, so -$80000000 stays itself
  return static_cast<int32_t>(pattern);
}

std::optional<int32_t> parseDecimal(std::string_view digits, bool negative) {
  if (digits.empty()) return std::nullopt;
  constexpr uint64_t kMaxMagnitude = 2147483648u;  // |INT32_MIN|
  uint64_t magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + static_cast<uint64_t>(c - '0');
    if (magnitude > kMaxMagnitude) return std::nullopt;  // also keeps the sum from overflowing
  }
  if (negative) return static_cast<int32_t>(-static_cast<int64_t>(magnitude));
  if (magnitude == kMaxMagnitude) return std::nullopt;
  return static_cast<int32_t>(magnitude);
}

}  // namespace

std::optional<int32_t> TryStrToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  std::string_view rest = text.substr(i);
  if (!rest.empty() && (rest[0] == '$' || rest[0] == 'x' || rest[0] == 'X'))
    return parseHex(rest.substr(1), negative);
  if (rest.size() >= 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
    return parseHex(rest.substr(2), negative);
  return parseDecimal(rest, negative);
}

int32_t StrToInt(std::string_view text) {
  if (auto value = TryStrToInt(text)) return *value;
  throw EConvertError(FormatText(LoadResString(ResId::InvalidInteger), {text}));
}

int32_t StrToIntDef(std::string_view text, int32_t defaultValue) noexcept {
  return TryStrToInt(text).value_or(defaultValue);
}

std::string IntToStr(int32_t value) {
  char buffer[16];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}
