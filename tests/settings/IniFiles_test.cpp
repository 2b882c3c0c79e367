// The profile file object over the platform's profile functions: on Windows the system's, elsewhere
// our text profile file. Everything here must hold for both.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/ResStrings.h"
#include "settings/IniFiles.h"
#include "settings/KeptText.h"
#include "testing/TempDir.h"

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("Tarvenik.ini");
  TIniFile ini{path};
};

void ExpectError(const std::function<void()>& write, const std::string& message) {
  try {
    write();
    ADD_FAILURE() << "no error";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), message);
  }
}

void ExpectWriteError(const std::function<void()>& write, const std::string& path) {
  ExpectError(write, "Unable to write to " + path);
}

}  // namespace

TEST_F(IniFileTest, CreatingTouchesNothingOnDisk) {
  { TIniFile other(dir.File("Other.ini")); }
  EXPECT_EQ(dir.EntryCount(), 0u);
  EXPECT_EQ(ini.FileName(), path);
}

TEST_F(IniFileTest, AbsentFileSectionOrKeyGiveTheDefault) {
  EXPECT_EQ(ini.ReadText("Settings", "RS232Port", "COM9"), "COM9");
  ini.WriteText("Settings", "RS232Port", "COM1");
  EXPECT_EQ(ini.ReadText("Settings", "Missing", "dflt"), "dflt");
  EXPECT_EQ(ini.ReadText("Missing", "RS232Port", ""), "");
  EXPECT_EQ(ini.ReadNumber("Missing", "Interval", 5), 5);
  EXPECT_TRUE(ini.ReadFlag("Missing", "CR", true));
  EXPECT_FALSE(ini.ReadFlag("Missing", "CR", false));
}

TEST_F(IniFileTest, TextsReadBackAsWritten) {
  const std::vector<std::string> values = {
      "COM1", "ATZ",     "C:\\Windows\\notepad.exe", "a=b=c", "; not a comment",
      "[x]",  "100% %s", "Zażółć gęślą jaźń",        "x  y"};
  auto key = [](size_t i) { return std::string("K").append(std::to_string(i)); };
  for (size_t i = 0; i < values.size(); ++i) ini.WriteText("S", key(i), values[i]);
  for (size_t i = 0; i < values.size(); ++i) EXPECT_EQ(ini.ReadText("S", key(i), "?"), values[i]);
  ini.WriteText("S", "K0", "COM2");  // replaces
  EXPECT_EQ(ini.ReadText("S", "K0", ""), "COM2");
}

// A value is one line: what follows its first line break could otherwise pose as keys or sections.
TEST_F(IniFileTest, AValueKeepsOnlyItsFirstLine) {
  // Each line break ends the line, whichever comes first.
  for (const std::string value :
       {"ATZ\rCR=0\n[Settings]\r\nRS232Port=COM9", "ATZ\nLF=0\r[Settings]\r\nRS232Port=COM9"}) {
    ini.WriteText("SendBefore", "Command[0]", value);
    ini.WriteSection("SendAfter", {{"Count", "1"}, {"Command[0]", value}});
    EXPECT_EQ(ini.ReadText("SendBefore", "Command[0]", ""), "ATZ");
    EXPECT_EQ(ini.ReadText("SendAfter", "Command[0]", ""), "ATZ");
    for (const char* key : {"RS232Port", "LF", "CR"})
      for (const char* section : {"Settings", "SendBefore", "SendAfter"})
        EXPECT_EQ(ini.ReadText(section, key, "absent"), "absent") << section << " " << key;
  }
}

TEST_F(IniFileTest, EmptyValueKeepsTheKey) {
  ini.WriteText("Application", "Parameters[0]", "");
  EXPECT_EQ(ini.ReadText("Application", "Parameters[0]", "default"), "");
  EXPECT_NE(ReadBytes(path).find("Parameters[0]="), std::string::npos);
}

TEST_F(IniFileTest, LongValuesAreCutTo2047Characters) {
  std::string value;
  for (int i = 0; i < 3000; ++i) value += static_cast<char>('a' + i % 26);
  ini.WriteText("S", "Long", value);
  EXPECT_EQ(ini.ReadText("S", "Long", ""), value.substr(0, 2047));
  ini.WriteText("S", "Exact", value.substr(0, 2047));
  EXPECT_EQ(ini.ReadText("S", "Exact", ""), value.substr(0, 2047));
}

TEST_F(IniFileTest, NumbersAreReadLenientlyFromTheStoredText) {
  // clang-format off
  const std::pair<const char*, int32_t> cases[] = {
      {"60", 60},        {"+7", 7},      {"007", 7},    {"$1A", 26},   {"0x1a", 26},         {"-$10", -16},
      {"$FFFFFFFF", -1}, {"", 99},       {"abc", 99},   {"2147483648", 99},   {"-2147483648", INT32_MIN},
  };
  // clang-format on
  for (auto [stored, expected] : cases) {
    ini.WriteText("N", "Value", stored);
    EXPECT_EQ(ini.ReadNumber("N", "Value", 99), expected) << '"' << stored << '"';
  }
}

TEST_F(IniFileTest, FlagsAreNumbersOtherThanZero) {
  struct Case {
    const char* stored;
    bool whenDefaultTrue, whenDefaultFalse;
    // clang-format off
  };
  const Case cases[] = {
      {"1", true, true},    {"2", true, true},    {"-1", true, true},   {"$1", true, true},
      {"0x1", true, true},  {"0", false, false},  {"00", false, false}, {"-0", false, false},
      {"$0", false, false}, {"0x0", false, false}, {"", true, false},   {"yes", true, false},
      {"true", true, false},
  };
  // clang-format on
  for (const Case& c : cases) {
    ini.WriteText("F", "Flag", c.stored);
    EXPECT_EQ(ini.ReadFlag("F", "Flag", true), c.whenDefaultTrue) << '"' << c.stored << '"';
    EXPECT_EQ(ini.ReadFlag("F", "Flag", false), c.whenDefaultFalse) << '"' << c.stored << '"';
  }
}

TEST_F(IniFileTest, TypedWritesStoreTheirTextForms) {
  const std::pair<int32_t, const char*> numbers[] = {
      {-5, "-5"}, {0, "0"}, {60, "60"}, {INT32_MIN, "-2147483648"}};
  for (auto [value, text] : numbers) {
    ini.WriteNumber("Settings", "Interval", value);
    EXPECT_EQ(ini.ReadText("Settings", "Interval", ""), text);
    EXPECT_EQ(ini.ReadNumber("Settings", "Interval", 1), value);
  }
  for (bool value : {true, false}) {
    ini.WriteFlag("Settings", "CR", value);
    EXPECT_EQ(ini.ReadText("Settings", "CR", ""), value ? "1" : "0");
    EXPECT_EQ(ini.ReadFlag("Settings", "CR", true), value);
    EXPECT_EQ(ini.ReadFlag("Settings", "CR", false), value);
  }
}

TEST_F(IniFileTest, RemoveSectionTakesAllItsKeysAndNothingElse) {
  ini.WriteText("SendBefore", "Count", "3");
  ini.WriteText("SendBefore", "Command[2]", "ATH");
  ini.WriteText("SendAfter", "Count", "1");
  ini.RemoveSection("SendBefore");
  EXPECT_EQ(ini.ReadText("SendBefore", "Count", "none"), "none");
  EXPECT_EQ(ini.ReadText("SendBefore", "Command[2]", "none"), "none");
  EXPECT_EQ(ini.ReadText("SendAfter", "Count", ""), "1");

  ini.FlushFile();
  std::string before = ReadBytes(path);
  ini.RemoveSection("NotThere");
  ini.FlushFile();
  EXPECT_EQ(ReadBytes(path), before);
}

TEST_F(IniFileTest, WriteFailureNamesTheFileAsGiven) {
  std::filesystem::create_directory(path);  // a folder where the file should be
  ExpectWriteError([&] { ini.WriteText("Settings", "RS232Port", "COM1"); }, path);
  ExpectWriteError([&] { ini.WriteNumber("Settings", "Interval", 5); }, path);
  ExpectWriteError([&] { ini.WriteFlag("Settings", "CR", true); }, path);
  EXPECT_EQ(ini.ReadText("Settings", "RS232Port", "dflt"), "dflt");
  ini.FlushFile();  // never raises
}

TEST_F(IniFileTest, WriteToReadOnlyFileFailsAndLeavesIt) {
  const std::string content = "[Settings]\r\nRS232Port=COM3\r\n";
  WriteBytes(path, content);
  MakeReadOnly(path);
#ifdef _WIN32
  // Wine run by the super-user lets every file be written; Windows itself refuses.
  if (std::ofstream(path, std::ios::app).is_open()) GTEST_SKIP() << "read-only files are writable here";
#endif
  ExpectWriteError([&] { ini.WriteText("Settings", "RS232Port", "COM1"); }, path);
  EXPECT_EQ(ini.ReadText("Settings", "RS232Port", ""), "COM3");
  EXPECT_EQ(ReadBytes(path), content);
}

TEST_F(IniFileTest, RelativeNameIsReportedUnchanged) {
  std::filesystem::create_directory(path);
  TIniFile relative((dir.Path() / "." / "Tarvenik.ini").string());
  ExpectWriteError([&] { relative.WriteText("S", "K", "V"); }, relative.FileName());
}

namespace {
std::string bracket(const std::string& text) { return "<" + text + ">"; }
}  // namespace

TEST_F(IniFileTest, ErrorTextComesThroughTheTranslationLayer) {
  std::filesystem::create_directory(path);
  SetResStringTranslator(bracket);
  ExpectError([&] { ini.WriteText("S", "K", "V"); }, "<Unable to write to " + path + ">");
  SetResStringTranslator(nullptr);
}

// The typed operations are built on the text operations through the object's own virtual calls.
class RecordingIniFile : public TCustomIniFile {
 public:
  RecordingIniFile() : TCustomIniFile("memory") {}
  std::map<std::string, std::string> values;
  std::vector<std::string> calls;

  std::string ReadText(const std::string& section, const std::string& key, const std::string& def) override {
    calls.push_back("read " + section + "." + key + " [" + def + "]");
    auto it = values.find(section + "." + key);
    return it == values.end() ? def : it->second;
  }
  void WriteText(const std::string& section, const std::string& key, const std::string& value) override {
    calls.push_back("write " + section + "." + key + "=" + value);
    values[section + "." + key] = value;
  }
  void RemoveSection(const std::string&) override {}
  void FlushFile() noexcept override {}
};

TEST(CustomIniFile, TypedOperationsGoThroughTheTextOperations) {
  RecordingIniFile ini;
  ini.WriteNumber("S", "N", -12);
  ini.WriteFlag("S", "F", true);
  ini.WriteFlag("S", "G", false);
  EXPECT_EQ(ini.ReadNumber("S", "N", 0), -12);
  EXPECT_TRUE(ini.ReadFlag("S", "F", false));
  EXPECT_FALSE(ini.ReadFlag("S", "Absent", false));
  const std::vector<std::string> expected = {"write S.N=-12", "write S.F=1", "write S.G=0",
                                             "read S.N []",   "read S.F []", "read S.Absent []"};
  EXPECT_EQ(ini.calls, expected);
}

TEST(KeptText, TellsTheFirstReasonTheFileWouldNotGiveATextBack) {
  const struct {
    std::wstring text;
    KeepFault fault;
  } cases[] = {
      {L"", KeepFault::None},
      {L"AT \"Z\" 'a", KeepFault::None},
      {L"\"", KeepFault::None},
      {L"\"a'", KeepFault::None},
      {L" a", KeepFault::Blanks},
      {L"a\t", KeepFault::Blanks},
      {L"a\x1a", KeepFault::Blanks},
      {L"\va", KeepFault::Blanks},
      {L"a\f", KeepFault::Blanks},
      {L"\" a \" ", KeepFault::Blanks},
      {L"a\r\nb", KeepFault::None},
      {L"\"a\"", KeepFault::Quotes},
      {L"''", KeepFault::Quotes},
      {std::wstring(2047, L'x'), KeepFault::None},
      {std::wstring(2048, L'x'), KeepFault::TooLong},
  };
  for (const auto& c : cases) EXPECT_EQ(WhyNotKept(c.text), c.fault) << c.text.size() << " characters";
}
