// The layout rules of our profile file: how a text is read and how an edit changes it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "settings/posix/ParsedProfile.h"

namespace {

struct FindCase {
  const char* text;
  const char* section;
  const char* key;
  std::optional<std::string> value;
};

const FindCase kFindCases[] = {
    {"[S]\r\nK=V\r\n", "S", "K", "V"},
    {"[S]\nK=V", "S", "K", "V"},                                            // LF, no final line break
    {"[S]\rK=V\r", "S", "K", "V"},                                          // CR alone
    {"[Settings]\r\nrs232port=COM1\r\n", "SETTINGS", "RS232Port", "COM1"},  // ASCII case ignored
    {"[Zażółć]\r\nK=1\r\n", "ZAżółć", "k", "1"},
    {"[Ą]\r\nK=1\r\n", "ą", "K", std::nullopt},              // only ASCII letters fold
    {"  [ S ]  \r\n\t K \t=  V W \t\r\n", "S", "K", "V W"},  // blanks around names and values
    {"[S]\r\nK=\"quoted\"\r\n", "S", "K", "\"quoted\""},     // quotes are part of the value
    {"[S]\r\nK=a=b\r\n", "S", "K", "a=b"},
    {"[S]\r\nK=\r\n", "S", "K", ""},
    {"[S]\r\nK=1\r\nK=2\r\n", "S", "K", "1"},                       // first of repeated keys
    {"[S]\r\nK=1\r\n[T]\r\n[S]\r\nK=2\r\nL=3\r\n", "S", "L", "3"},  // a repeated section is the same
    {"[S]\r\nK=1\r\n[T]\r\n[S]\r\nK=2\r\n", "S", "K", "1"},
    {"[S]\r\n;K=1\r\n", "S", "K", std::nullopt},  // comment
    {"[S]\r\n  ;K=1\r\n", "S", ";K", std::nullopt},
    {"K=1\r\n[S]\r\n", "S", "K", std::nullopt},  // before any section
    {"K=1\r\n[S]\r\n", "", "K", std::nullopt},
    {"[S]\r\nK\r\n", "S", "K", std::nullopt},  // no "=": not a key
    {"[S\r\nK=1\r\n", "S", "K", "1"},          // "[" without "]"
    {"[S]junk\r\nK=1\r\n", "S", "K", "1"},
    {"\xEF\xBB\xBF[S]\r\nK=1\r\n", "S", "K", "1"},  // byte-order mark
    {"[S]\r\nK=1\r\n[T]\r\nK=2\r\n", "T", "K", "2"},
    {"[S]\r\nK=1\r\n", "T", "K", std::nullopt},
    {"", "S", "K", std::nullopt},
    {"[]\r\nK=1\r\n", "", "K", "1"},
    {"[S]\r\n=1\r\n", "S", "", "1"},
};

struct EditCase {
  const char* name;
  const char* before;
  const char* section;
  const char* key;
  const char* value;
  const char* after;
};

const EditCase kEditCases[] = {
    {"new file", "", "S", "K", "V", "[S]\r\nK=V\r\n"},
    {"replace", "[S]\r\nK=old\r\nL=2\r\n", "S", "K", "new", "[S]\r\nK=new\r\nL=2\r\n"},
    {"replace keeps spacing", "[S]\r\n  k = old  \r\n", "S", "K", "new", "[S]\r\n  k = new  \r\n"},
    {"replace empty", "[S]\r\nK=\r\n", "S", "K", "V", "[S]\r\nK=V\r\n"},
    {"set empty", "[S]\r\nK=V\r\n", "S", "K", "", "[S]\r\nK=\r\n"},
    {"first repeated replaced", "[S]\r\nK=1\r\nK=2\r\n", "S", "K", "3", "[S]\r\nK=3\r\nK=2\r\n"},
    {"new key at section end", "[S]\r\nA=1\r\n[T]\r\nB=2\r\n", "S", "C", "3",
     "[S]\r\nA=1\r\nC=3\r\n[T]\r\nB=2\r\n"},
    {"new key before blank lines", "[S]\r\nA=1\r\n\r\n[T]\r\n", "S", "C", "3",
     "[S]\r\nA=1\r\nC=3\r\n\r\n[T]\r\n"},
    {"new key after comment", "[S]\r\nA=1\r\n; note\r\n[T]\r\n", "S", "C", "3",
     "[S]\r\nA=1\r\n; note\r\nC=3\r\n[T]\r\n"},
    {"new key in first of repeated", "[S]\r\nA=1\r\n[T]\r\n[S]\r\nB=2\r\n", "s", "C", "3",
     "[S]\r\nA=1\r\nC=3\r\n[T]\r\n[S]\r\nB=2\r\n"},
    {"new key under last line without break", "[S]\nA=1", "S", "B", "2", "[S]\nA=1\nB=2"},
    {"new key under lone header", "[S]", "S", "B", "2", "[S]\r\nB=2"},
    {"new section at end", "[S]\nA=1\n", "T", "B", "2", "[S]\nA=1\n[T]\nB=2\n"},
    {"new section after missing break", "[S]\rA=1", "T", "B", "2", "[S]\rA=1\r[T]\rB=2\r"},
    {"new section after bom", "\xEF\xBB\xBF", "S", "K", "V", "\xEF\xBB\xBF[S]\r\nK=V\r\n"},
    {"names written trimmed", "", " S ", " K ", "V", "[S]\r\nK=V\r\n"},
    {"quotes kept", "", "S", "K", "\"a b\"", "[S]\r\nK=\"a b\"\r\n"},
    {"value cut at line break", "[S]\r\n", "S", "K", "a\r\n[Settings]\r\nX=1", "[S]\r\nK=a\r\n"},
    {"comments kept", ";top\r\n[S]\r\n;c\r\nK=1\r\n", "S", "K", "2", ";top\r\n[S]\r\n;c\r\nK=2\r\n"},
};

}  // namespace

TEST(ParsedProfile, FindsValuesByTheLayoutRules) {
  for (const FindCase& c : kFindCases) {
    ParsedProfile document(c.text);
    std::optional<std::string_view> found = document.Find(c.section, c.key);
    std::optional<std::string> value;
    if (found) value = std::string(*found);
    EXPECT_EQ(value, c.value) << c.text;
  }
}

TEST(ParsedProfile, EditsChangeOnlyWhatTheyMust) {
  for (const EditCase& c : kEditCases) {
    ParsedProfile document(c.before);
    EXPECT_EQ(document.WithValue(c.section, c.key, c.value), std::optional<std::string>(c.after)) << c.name;
  }
}

TEST(ParsedProfile, RefusesNamesThatCouldNotBeFoundAgain) {
  ParsedProfile document("[S]\r\n");
  for (auto [section, key] :
       {std::pair{"S", "a=b"}, {"S", "[K]"}, {"S", ";K"}, {"S", "K\nL"}, {"S]", "K"}, {"S\r", "K"}}) {
    EXPECT_EQ(document.WithValue(section, key, "V"), std::nullopt) << section << " / " << key;
  }
}

TEST(ParsedProfile, RemovesEverySectionOfTheNameWithItsLines) {
  ParsedProfile document(";top\r\n[A]\r\nK=1\r\n\r\n[b]\r\nK=2\r\n; about C\r\n[C]\r\nK=3\r\n[B]\r\nL=4");
  EXPECT_TRUE(document.HasSection("B"));
  EXPECT_EQ(document.WithoutSection("B"), ";top\r\n[A]\r\nK=1\r\n\r\n[C]\r\nK=3\r\n");
  EXPECT_EQ(document.WithoutSection("a"), ";top\r\n[b]\r\nK=2\r\n; about C\r\n[C]\r\nK=3\r\n[B]\r\nL=4");
  EXPECT_EQ(document.WithoutSection("Z"), document.Text());
  EXPECT_FALSE(document.HasSection("Z"));
}

TEST(ParsedProfile, NewLinesTakeTheFilesFirstLineBreak) {
  auto withNewSection = [](const char* text) { return ParsedProfile(text).WithValue("N", "K", "V"); };
  EXPECT_EQ(withNewSection(""), "[N]\r\nK=V\r\n");
  EXPECT_EQ(withNewSection("[S]"), "[S]\r\n[N]\r\nK=V\r\n");
  EXPECT_EQ(withNewSection("[S]\nK=1\r\n"), "[S]\nK=1\r\n[N]\nK=V\n");
  EXPECT_EQ(withNewSection("[S]\r\rK=1\r\n"), "[S]\r\rK=1\r\n[N]\rK=V\r");
}

TEST(ParsedProfile, SurvivesHostileText) {
  std::string text = "[S]\r\nK=1\r\n";
  text +=
      std::string(1000, '\0') + "\r\n[" + std::string(100000, '[') + "\n" + std::string(100000, '=') + "\r";
  for (int i = 0; i < 256; ++i) text += static_cast<char>(i);
  ParsedProfile document(text);
  EXPECT_EQ(document.Find("S", "K"), std::optional<std::string_view>("1"));
  std::optional<std::string> edited = document.WithValue("S", "K", "2");
  ASSERT_TRUE(edited);
  EXPECT_EQ(ParsedProfile(*edited).Find("S", "K"), std::optional<std::string_view>("2"));
  EXPECT_EQ(edited->size(), text.size());
}
