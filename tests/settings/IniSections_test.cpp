// Whole-section reads and writes give exactly what key-by-key reads and writes give.
#include <gtest/gtest.h>

#include <fstream>

#include "testing/TempDir.h"
#include "settings/IniFiles.h"
#include "settings/ProfileSection.h"

namespace {

// Tricky lines: blanks around names and values, quotation marks, letter case, repeated keys,
// a line without "=", a comment, an over-long value, an empty value.
const char kFile[] =
    "[List]\r\n"
    "Count=40\r\n"
    "  Command[0]  =  spaced value  \r\n"
    "Command[1]=\"quoted\"\r\n"
    "Command[2]='single'\r\n"
    "Command[3]=\"unbalanced\r\n"
    "Command[4]=\"a\" and \"b\"\r\n"
    "command[5]=lower case name\r\n"
    "Command[6]=first\r\n"
    "Command[6]=second\r\n"
    "no equals sign here\r\n"
    ";Command[7]=commented\r\n"
    "Command[8]=\r\n"
    "Command[9]=x=y=z\r\n"
    "Command[10]=\"\"\r\n"
    "Command[11]=\"\r\n"
    "Long=@\r\n"
    "[Other]\r\n"
    "Command[12]=elsewhere\r\n";

std::vector<std::string> keys() {
  std::vector<std::string> k;
  for (int i = 0; i < 20; ++i) k.push_back("Command[" + std::to_string(i) + "]");
  k.push_back("Count");
  k.push_back("COMMAND[1]");
  k.push_back("Long");
  return k;
}

class IniSectionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = (dir_.Path() / "Tarvenik.ini").string();
    std::string text = kFile;
    text.replace(text.find('@'), 1, std::string(3000, 'L'));
    WriteBytes(file_, text);
  }
  TempDir dir_;
  std::string file_;
};

TEST_F(IniSectionsTest, ReadingASectionAtOnceGivesWhatKeyByKeyReadsGive) {
  TIniFile ini(file_);
  for (const std::string& def : {std::string(), std::string("default")}) {
    std::vector<std::string> one;
    for (const std::string& k : keys()) one.push_back(ini.ReadText("List", k, def));
    EXPECT_EQ(ini.ReadTexts("List", keys(), def), one);
    EXPECT_EQ(ini.ReadTexts("Missing", keys(), def), std::vector<std::string>(keys().size(), def));
  }
  EXPECT_EQ(ini.ReadTexts("List", keys(), "")[22].size(), TIniFile::kReadBufferSize - 1);
}

TEST_F(IniSectionsTest, WritingASectionAtOnceEndsLikeRemovingItAndWritingEachKey) {
  TCustomIniFile::KeyValues values = {
      {"Count", "3"}, {"Command[0]", "ATZ"}, {"Command[1]", ""}, {"Command[2]", "with = sign and  spaces"}};
  std::string copy = (dir_.Path() / "copy.ini").string();
  std::filesystem::copy_file(file_, copy);
  TIniFile whole(file_), keyByKey(copy);
  whole.WriteSection("List", values);
  keyByKey.RemoveSection("List");
  for (const auto& [k, v] : values) keyByKey.WriteText("List", k, v);
  for (const std::string& k : keys())
    EXPECT_EQ(whole.ReadText("List", k, "-"), keyByKey.ReadText("List", k, "-")) << k;
  EXPECT_EQ(whole.ReadText("List", "Command[1]", "-"), "");  // present, empty
  EXPECT_EQ(whole.ReadText("Other", "Command[12]", "-"), "elsewhere");
  EXPECT_EQ(whole.ReadText("List", "Command[3]", "-"), "-");  // the old keys are gone
}

TEST_F(IniSectionsTest, AFailedSectionWriteRaisesTheWriteError) {
  std::filesystem::remove(file_);
  std::filesystem::create_directory(file_);
  TIniFile ini(file_);
  try {
    ini.WriteSection("List", {{"Count", "0"}});
    FAIL() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to " + file_);
  }
}

TEST(SectionRead, ASectionThatDoesNotFitTheLargestBufferGivesNothingRatherThanItsHead) {
  size_t largest = 0;
  const SectionRead full = [&](char*, size_t size) { return (largest = size) - 2; };
  EXPECT_FALSE(ReadSectionLines(full, 16, 256).has_value());
  EXPECT_EQ(largest, 256u);
}

}  // namespace
