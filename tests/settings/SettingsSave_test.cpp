// A save that is whole or not at all, over the platform's profile functions.
#ifdef _WIN32
#include <windows.h>

#include "testing/Host.h"
#else
#include <unistd.h>
#endif
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "settings/FileReplace.h"
#include "settings/SettingsSave.h"
#include "testing/TempDir.h"

namespace {

namespace fs = std::filesystem;

// The profile file object losing one write, as a full disk does while the calls report success.
class LosingIniFile : public TIniFile {
 public:
  LosingIniFile(const std::string& fileName, std::string lost) : TIniFile(fileName), lost_(std::move(lost)) {}
  void WriteText(const std::string& section, const std::string& key, const std::string& value) override {
    if (key != lost_) TIniFile::WriteText(section, key, value);
  }
  void WriteSection(const std::string& section, const KeyValues& values) override {
    KeyValues kept;
    for (const auto& line : values)
      if (line.first != lost_) kept.push_back(line);
    TIniFile::WriteSection(section, section == lost_ ? KeyValues(kept.begin(), kept.end() - 1) : kept);
  }

 private:
  std::string lost_;
};

class SettingsSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(path, old);
    content.section = "Settings";
    content.keys = {{"RS232Port", "COM3"}, {"CR", "0"}};
    content.sections = {{"SendBefore", {{"Count", "1"}, {"Command[0]", "ATZ"}}}};
  }
  void expectFailureLeavesTheFile(const IniFileMaker& make) {
    try {
      SaveSettingsFile(path, content, make);
      ADD_FAILURE() << "no error";
    } catch (const EIniFileException& e) {
      EXPECT_EQ(e.Message(), "Unable to write to " + path);
    }
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(dir.EntryCount(), 1u);  // no copy left behind
  }

  TempDir dir;
  std::string path = dir.File("Tarvenik.ini");
  const std::string old =
      "[Settings]\r\nRS232Port=COM1\r\nOwn=kept\r\n[Other]\r\nA=1\r\n"
      "[SendBefore]\r\nCount=2\r\nCommand[0]=AT\r\nCommand[1]=ATH\r\n";
  SaveContent content;
};

TEST_F(SettingsSaveTest, ReplacesTheFileKeepingWhatItDoesNotWrite) {
  SaveSettingsFile(path, content, MakeIniFile);
  TIniFile ini(path);
  EXPECT_EQ(ini.ReadText("Settings", "RS232Port", ""), "COM3");
  EXPECT_EQ(ini.ReadText("Settings", "CR", ""), "0");
  EXPECT_EQ(ini.ReadText("Settings", "Own", ""), "kept");
  EXPECT_EQ(ini.ReadText("Other", "A", ""), "1");
  EXPECT_EQ(ini.ReadText("SendBefore", "Count", ""), "1");
  EXPECT_EQ(ini.ReadText("SendBefore", "Command[0]", ""), "ATZ");
  EXPECT_EQ(ini.ReadText("SendBefore", "Command[1]", "gone"), "gone");
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(SettingsSaveTest, KeepsTheCommentsOfTheFile) {
  WriteBytes(path, "[Settings]\r\n; port of the reader\r\nRS232Port=COM1\r\n");
  SaveSettingsFile(path, content, MakeIniFile);
  EXPECT_NE(ReadBytes(path).find("; port of the reader"), std::string::npos);
  EXPECT_EQ(TIniFile(path).ReadText("Settings", "RS232Port", ""), "COM3");
}

TEST_F(SettingsSaveTest, RemovesTheCopiesThatEndedSavesLeftAndNothingElse) {
#ifdef _WIN32
  const std::string self = std::to_string(GetCurrentProcessId());
#else
  const std::string self = std::to_string(getpid());
#endif
  const std::string ended = "2000000000";  // a process that does not run
  const std::vector<std::string> removed = {path + ".tmp" + ended + "-17"};
  const std::vector<std::string> kept = {path + ".tmp" + self + "-17",
                                         path + ".tmp" + ended + "-17x",
                                         path + ".tmp" + ended,
                                         path + ".tmp" + ended + "-",
                                         path + ".tmp-17",
                                         path + ".tmp0-17",
                                         dir.File("Other.ini.tmp" + ended + "-17"),
                                         path + ".tmp99999999999-17",
                                         path + ".tmp6294967296-17",  // the ended one, past 32 bits
                                         path + ".tmp" + ended + "-" + std::string(21, '1'),
                                         dir.File("TARVENIK.INI.tmp" + ended + "-18")};
  for (const auto* files : {&removed, &kept})
    for (const std::string& f : *files) std::ofstream(f) << "copy";
  SaveSettingsFile(path, content, MakeIniFile);
  for (const std::string& f : removed) EXPECT_FALSE(fs::exists(f)) << f;
  for (const std::string& f : kept) EXPECT_TRUE(fs::exists(f)) << f;
}

// Texts that read back otherwise than written (blanks around them, quotation marks, more than a
// read gives) are no failure: the file holds what was written.
TEST_F(SettingsSaveTest, TextsThatReadBackShortenedAreNoFailure) {
  const std::vector<std::string> texts = {
      " padded ", "\"quoted\"", "'single'", "\"", std::string(3000, 'x'), "", "a=b", "\t", "\v x\f"};
  TCustomIniFile::KeyValues list{{"Count", std::to_string(texts.size() * 3)}};
  for (size_t i = 0; i < texts.size() * 3; ++i)
    list.emplace_back("Command[" + std::to_string(i) + "]", texts[i % texts.size()]);
  content.keys.clear();
  for (size_t i = 0; i < texts.size(); ++i) content.keys.emplace_back("Key" + std::to_string(i), texts[i]);
  content.sections = {{"SendBefore", list}};
  SaveSettingsFile(path, content, MakeIniFile);
  EXPECT_EQ(TIniFile(path).ReadText("SendBefore", "Count", ""), std::to_string(texts.size() * 3));
}

TEST_F(SettingsSaveTest, AWriteLostOnTheWayFailsTheSaveAndLeavesTheFile) {
  const std::pair<const char*, const char*> cases[] = {
      {"RS232Port", "COM3"}, {"RS232Port", "\"COM3\""}, {"SendBefore", "COM3"}};
  for (const auto& [lost, port] : cases) {
    SCOPED_TRACE(std::string(lost) + " " + port);
    content.keys[0].second = port;
    expectFailureLeavesTheFile(
        [lost](const std::string& name) { return std::make_unique<LosingIniFile>(name, lost); });
  }
}

TEST_F(SettingsSaveTest, AReadOnlyFileIsLeftAsItIs) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  expectFailureLeavesTheFile(MakeIniFile);
}

#ifdef _WIN32
// A reader that holds the file open without letting it be replaced, for longer than the save waits.
TEST_F(SettingsSaveTest, AFileHeldOpenAgainstReplacingFailsTheSaveAndLeavesTheFile) {
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  expectFailureLeavesTheFile(MakeIniFile);
  CloseHandle(reader);
}

// An installation folder opened to users for the file alone (as root can make one): written in place.
TEST_F(SettingsSaveTest, AFolderThatRefusesNewFilesHasTheFileWrittenInPlace) {
  const std::string chattr = "/usr/bin/chattr ", folder = " " + HostPath(dir.Path());
  auto refuses = [n = dir.File("n")] {
    return !CreateDirectoryA(n.c_str(), nullptr) || !RemoveDirectoryA(n.c_str());
  };
  const std::shared_ptr<void> undo(
      nullptr, [&](void*) { RunOnHost(chattr + "-i" + folder, [&] { return !refuses(); }); });
  if (!RunOnHost(chattr + "+i" + folder, refuses)) GTEST_SKIP() << "no folder refuses new files here";
  SaveSettingsFile(path, content, MakeIniFile);
  EXPECT_EQ(TIniFile(path).ReadText("SendBefore", "Command[0]", ""), "ATZ");
}

TEST(FileFailure, OnlyAFileHeldByAnotherProgramIsWaitedFor) {
  EXPECT_EQ(FailureOf(ERROR_SHARING_VIOLATION), FileFailure::Held);
  EXPECT_EQ(FailureOf(ERROR_LOCK_VIOLATION), FileFailure::Held);
  EXPECT_EQ(FailureOf(ERROR_ACCESS_DENIED), FileFailure::Other);
}
#else
// Our own profile file replaces the file through a new one beside it, so a folder that refuses
// new files refuses the save too.
TEST_F(SettingsSaveTest, AFolderThatRefusesNewFilesFailsTheSaveAndLeavesTheFile) {
  fs::permissions(dir.Path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  expectFailureLeavesTheFile(MakeIniFile);
}
#endif

}  // namespace
