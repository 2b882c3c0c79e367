#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "base/Exception.h"
#include "base/IntText.h"

namespace {

struct Case {
  const char* text;
  std::optional<int32_t> value;  // nothing: the conversion fails
};

// clang-format off
const Case kCases[] = {
    // decimal, signs and leading zeros
    {"0", 0}, {"7", 7}, {"+7", 7}, {"-5", -5}, {"007", 7}, {"-0", 0}, {"+0", 0}, {"00", 0},
    {"2147483647", 2147483647}, {"2147483648", std::nullopt},
    {"-2147483648", INT32_MIN}, {"-2147483649", std::nullopt},
    {"0002147483647", 2147483647}, {"99999999999999999999", std::nullopt},
    // hexadecimal prefixes
    {"$1a", 26}, {"$1A", 26}, {"x1A", 26}, {"X1A", 26}, {"0x1A", 26}, {"0X1a", 26}, {"+$1A", 26},
    {"$0", 0}, {"0x0", 0}, {"$1", 1}, {"0x1", 1},
    {"-$10", -16}, {"-0x10", -16},
    {"$FFFFFFFF", -1}, {"$80000000", INT32_MIN}, {"-$80000000", INT32_MIN}, {"-$FFFFFFFF", 1},
    {"$7FFFFFFF", 2147483647},
    {"$100000000", std::nullopt}, {"$000000001", 1}, {"$00000000FFFFFFFF", -1},
    // blanks: only the space, only in front
    {"  12", 12}, {" -12", -12}, {"12 ", std::nullopt}, {"\t12", std::nullopt}, {"1 2", std::nullopt},
    {"- 1", std::nullopt}, {"+ 1", std::nullopt}, {" ", std::nullopt}, {"", std::nullopt},
    // incomplete or malformed
    {"$", std::nullopt}, {"x", std::nullopt}, {"0x", std::nullopt}, {"-", std::nullopt}, {"+", std::nullopt},
    {"--1", std::nullopt}, {"+-1", std::nullopt}, {"-+1", std::nullopt}, {"5a", std::nullopt},
    {"1.5", std::nullopt}, {"$G", std::nullopt}, {"$-1", std::nullopt}, {"0x$1", std::nullopt},
    {"$$1", std::nullopt}, {"00x1", std::nullopt}, {"abc", std::nullopt}, {"yes", std::nullopt},
    {"true", std::nullopt}, {"1e3", std::nullopt}, {"٣", std::nullopt},
};
// clang-format on

}  // namespace

TEST(IntText, ConvertsExactlyTheAcceptedForms) {
  for (const Case& c : kCases) {
    EXPECT_EQ(TryStrToInt(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(StrToIntDef(c.text, -77), c.value.value_or(-77)) << '"' << c.text << '"';
    if (c.value) {
      EXPECT_EQ(StrToInt(c.text), *c.value) << '"' << c.text << '"';
    } else {
      EXPECT_THROW(StrToInt(c.text), EConvertError) << '"' << c.text << '"';
    }
  }
}

TEST(IntText, NulInsideTheTextFailsTheConversion) {
  EXPECT_EQ(TryStrToInt(std::string("12\0"
                                    "3",
                                    4)),
            std::nullopt);
}

TEST(IntText, StrictFormNamesTheWholeTextUnchanged) {
  for (const char* text : {"abc", " 12 ", "", "%s%d"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), std::string("'") + text + "' is not a valid integer value");
    }
  }
}

TEST(IntText, DecimalTextIsPlainAndRoundTrips) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "0"}, {60, "60"}, {-5, "-5"}, {2147483647, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (auto [value, text] : cases) {
    EXPECT_EQ(IntToStr(value), text);
    EXPECT_EQ(StrToInt(IntToStr(value)), value);
  }
}
