#pragma once
// The one rule by which the configurator turns text into a 32-bit signed integer, and the one
// written form of an integer.
//
// Accepted: blanks (the space character only) before an optional "+" or "-", then either
// decimal digits, or a hexadecimal prefix ("$", "x", "X", "0x", "0X") and hexadecimal digits,
// running to the end of the text. Hexadecimal keeps at most 32 significant bits and is read as a
// two's-complement pattern; decimal must lie in the signed 32-bit range exactly.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The conversion itself; nothing when the text is not an integer.
std::optional<int32_t> TryStrToInt(std::string_view text);

// Strict form: raises EConvertError "'<text>' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// Lenient form: the caller's default when the text does not convert. Never raises.
int32_t StrToIntDef(std::string_view text, int32_t defaultValue) noexcept;

// Decimal integer text: "-" and the magnitude's digits for negatives, the digits otherwise.
std::string IntToStr(int32_t value);
