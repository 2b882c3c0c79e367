// The integer text conversion against a reference that validates the characters first and then
// leaves the arithmetic to the standard library.
#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "base/Exception.h"
#include "base/IntText.h"

namespace {

void check(bool condition) {
  if (!condition) std::abort();
}

std::optional<int32_t> reference(std::string s) {
  size_t start = s.find_first_not_of(' ');
  if (start == std::string::npos) return std::nullopt;
  s.erase(0, start);
  bool negative = s[0] == '-';
  if (s[0] == '-' || s[0] == '+') s.erase(0, 1);
  bool hex = false;
  if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0) {
    hex = true;
    s.erase(0, 2);
  } else if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
    hex = true;
    s.erase(0, 1);
  }
  if (s.empty()) return std::nullopt;
  for (char c : s) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x80 || !(hex ? std::isxdigit(u) : std::isdigit(u))) return std::nullopt;
  }
  size_t firstSignificant = s.find_first_not_of('0');
  std::string digits = firstSignificant == std::string::npos ? "0" : s.substr(firstSignificant);
  if (hex) {
    if (digits.size() > 8) return std::nullopt;
    auto pattern = static_cast<uint32_t>(std::stoull(digits, nullptr, 16));
    if (negative) pattern = ~pattern + 1;
    return static_cast<int32_t>(pattern);
  }
  if (digits.size() > 10) return std::nullopt;
  long long v = std::stoll(digits);
  if (negative) v = -v;
  if (v < INT32_MIN || v > INT32_MAX) return std::nullopt;
  return static_cast<int32_t>(v);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  std::optional<int32_t> expected = reference(text);
  check(TryStrToInt(text) == expected);
  check(StrToIntDef(text, 12345) == expected.value_or(12345));
  try {
    int32_t v = StrToInt(text);
    check(expected && v == *expected);
  } catch (const EConvertError& e) {
    check(!expected && e.Message() == "'" + text + "' is not a valid integer value");
  }
  if (expected) {
    check(IntToStr(*expected) == std::to_string(*expected));
    check(StrToInt(IntToStr(*expected)) == *expected);
  }
  if (size >= 4) {  // every value's decimal text converts back to it
    int32_t v;
    std::memcpy(&v, data, sizeof v);
    check(TryStrToInt(IntToStr(v)) == v);
  }
  return 0;
}
