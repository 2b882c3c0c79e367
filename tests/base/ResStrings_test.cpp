#include <gtest/gtest.h>

#include "base/ResStrings.h"

TEST(ErrorBoxText, AppendsFullStopOnlyAfterCharactersAboveIt) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"", ""},
      {"abc", "abc."},
      {"Error 7", "Error 7."},
      {"Stop!", "Stop!"},
      {"(x)", "(x)"},
      {"done.", "done."},
      {"a/", "a/."},          // '/' is just above '.'
      {"a-", "a-"},           // '-' is just below
      {"zażółć", "zażółć."},  // bytes beyond ASCII count as above
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.in), c.out) << c.in;
}

TEST(FormatText, FillsPlaceholdersInOrderAndNeverReadsPastTheArguments) {
  EXPECT_EQ(FormatText("'%s' is not a valid integer value", {"abc"}), "'abc' is not a valid integer value");
  EXPECT_EQ(FormatText("Error reading %s%s%s: %s", {"Port", ".", "ComProperty", "x"}),
            "Error reading Port.ComProperty: x");
  EXPECT_EQ(FormatText("%s and %s and %d", {"one"}), "one and  and ");
  EXPECT_EQ(FormatText("100%% %s", {"a", "b"}), "100% a");
  EXPECT_EQ(FormatText("trailing %", {}), "trailing %");
  EXPECT_EQ(FormatText("%x stays", {"a"}), "%x stays");
}

namespace {
std::string shout(const std::string& s) { return "<" + s + ">"; }
}  // namespace

TEST(LoadResString, PassesThroughTheInstalledTranslatorOnlyWhileInstalled) {
  EXPECT_EQ(LoadResString(ResId::MsgDlgOK), "OK");
  SetResStringTranslator(shout);
  EXPECT_EQ(LoadResString(ResId::MsgDlgOK), "<OK>");
  SetResStringTranslator(nullptr);
  EXPECT_EQ(LoadResString(ResId::InvalidInteger), "'%s' is not a valid integer value");
}
