// Our text profile file on the disk: writes reach the file at once and atomically, failures leave
// it as it was, bad files never crash or hang, and another program's edits are seen.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

#include "testing/TempDir.h"
#include "settings/posix/ProfileStandIn.h"

namespace {

using namespace std::chrono_literals;

class ProfileStandInTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("Tarvenik.ini");
  ProfileStandIn profile{0ms};  // looks at the disk for every read

  std::string read(ProfileStandIn& p, const char* section, const char* key, const char* def = "<default>") {
    char buffer[2048];
    size_t n = p.GetString(section, key, def, buffer, sizeof buffer, path.c_str());
    EXPECT_EQ(buffer[n], '\0');
    return std::string(buffer, n);
  }
  std::string read(const char* section, const char* key, const char* def = "<default>") {
    return read(profile, section, key, def);
  }
  bool write(const char* section, const char* key, const char* value) {
    return profile.WriteString(section, key, value, path.c_str());
  }
};

}  // namespace

TEST_F(ProfileStandInTest, NewFileHasCrLfLinesInWritingOrder) {
  ASSERT_TRUE(write("Settings", "RS232Connect", "1"));
  ASSERT_TRUE(write("SendBefore", "Count", "1"));
  ASSERT_TRUE(write("Settings", "RS232Port", "COM1"));
  ASSERT_TRUE(write("SendBefore", "Command[0]", "ATZ"));
  EXPECT_EQ(
      ReadBytes(path),
      "[Settings]\r\nRS232Connect=1\r\nRS232Port=COM1\r\n[SendBefore]\r\nCount=1\r\nCommand[0]=ATZ\r\n");
  EXPECT_EQ(dir.EntryCount(), 1u);  // no temporary file left behind
}

TEST_F(ProfileStandInTest, EditKeepsTheRestOfAHandWrittenFile) {
  const std::string before = "; Tarvenik\n[Settings]\nRS232Port = COM3  \n\n[Application]\nCount=0\n";
  WriteBytes(path, before);
  ASSERT_TRUE(write("settings", "rs232port", "COM1"));
  ASSERT_TRUE(write("Settings", "CR", "0"));
  EXPECT_EQ(ReadBytes(path), "; Tarvenik\n[Settings]\nRS232Port = COM1  \nCR=0\n\n[Application]\nCount=0\n");
}

TEST_F(ProfileStandInTest, ReadsCutToTheBufferAndNullNamesGiveEmptyText) {
  ASSERT_TRUE(write("S", "K", "abcdef"));
  char buffer[4];
  EXPECT_EQ(profile.GetString("S", "K", "", buffer, sizeof buffer, path.c_str()), 3u);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(profile.GetString("S", "Absent", "defaults", buffer, sizeof buffer, path.c_str()), 3u);
  EXPECT_STREQ(buffer, "def");
  EXPECT_EQ(profile.GetString(nullptr, "K", "x", buffer, sizeof buffer, path.c_str()), 0u);
  EXPECT_EQ(profile.GetString("S", nullptr, "x", buffer, sizeof buffer, path.c_str()), 0u);
  EXPECT_EQ(profile.GetString("S", "K", "x", buffer, 0, path.c_str()), 0u);
}

TEST_F(ProfileStandInTest, RemovingAnAbsentSectionCreatesNoFile) {
  EXPECT_TRUE(write("S", nullptr, nullptr));
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_TRUE(write(nullptr, nullptr, nullptr));  // flush
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(ProfileStandInTest, BadFilesGiveStoredValuesOrDefaults) {
  std::mt19937 random(7);
  std::string noise(1 << 20, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  const std::pair<const char*, std::string> files[] = {
      {"random bytes", noise},
      {"NUL bytes", std::string(4096, '\0')},
      {"10 MB line", "[S]\r\nK=" + std::string(10 << 20, 'v')},
      {"bracket without end", "[S\r\nK=1\r\n[" + std::string(1 << 20, 'x')},
      {"bom, CR only", "\xEF\xBB\xBF[S]\rK=1\r"},
      {"mixed endings, no final break", "[S]\nA=1\r\nK=1\rB=2"},
  };
  for (const auto& [name, bytes] : files) {
    WriteBytes(path, bytes);
    std::string k = read("S", "K");
    EXPECT_TRUE(k == "1" || k == "<default>" || k.size() == 2047) << name;
    EXPECT_EQ(read("Absent", "K"), "<default>") << name;
    ASSERT_TRUE(write("Settings", "RS232Port", "COM1")) << name;
    EXPECT_EQ(read("Settings", "RS232Port"), "COM1") << name;
    std::string after = ReadBytes(path);
    EXPECT_EQ(after.substr(0, bytes.size()), bytes) << name << ": the old text must stay";
  }
}

TEST_F(ProfileStandInTest, HundredMegabyteFileIsReadAndEditedAndOneTooLargeIsNot) {
  std::string big = "[Settings]\r\nRS232Port=COM4\r\n[Filler]\r\n";
  std::string line = "Key=" + std::string(1000, 'f') + "\r\n";
  while (big.size() < (100u << 20)) big += line;
  WriteBytes(path, big);
  auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(read("Settings", "RS232Port"), "COM4");
  EXPECT_TRUE(write("Settings", "RS232Port", "COM5"));
  EXPECT_EQ(read("Settings", "RS232Port"), "COM5");
  EXPECT_LT(std::chrono::steady_clock::now() - started, 60s);
  EXPECT_EQ(std::filesystem::file_size(path), big.size());
  std::filesystem::resize_file(path, (256u << 20) + 1);  // a byte past the limit, written as a hole
  EXPECT_EQ(read("Settings", "RS232Port"), "<default>");
  EXPECT_FALSE(write("Settings", "RS232Port", "COM6"));
  EXPECT_EQ(std::filesystem::file_size(path), (256u << 20) + 1);
}

TEST_F(ProfileStandInTest, FolderInPlaceOfTheFile) {
  std::filesystem::create_directory(path);
  EXPECT_EQ(read("S", "K"), "<default>");
  EXPECT_FALSE(write("S", "K", "V"));
  EXPECT_FALSE(write("S", nullptr, nullptr));
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(ProfileStandInTest, ReadOnlyFileIsLeftAsItWas) {
  const std::string content = "[S]\r\nK=1\r\n";
  WriteBytes(path, content);
  MakeReadOnly(path);
  EXPECT_FALSE(write("S", "K", "2"));
  EXPECT_FALSE(write("S", nullptr, nullptr));
  EXPECT_EQ(read("S", "K"), "1");
  EXPECT_EQ(ReadBytes(path), content);
  EXPECT_EQ(dir.EntryCount(), 1u);
}

TEST_F(ProfileStandInTest, MissingFolderFailsTheWrite) {
  path = dir.File("missing/Tarvenik.ini");
  EXPECT_EQ(read("S", "K"), "<default>");
  EXPECT_FALSE(write("S", "K", "V"));
}

#ifndef _WIN32
// A read-only folder does not stop writes on Windows; elsewhere it must stop ours.
TEST_F(ProfileStandInTest, ReadOnlyFolderIsLeftAsItWas) {
  const std::string content = "[S]\r\nK=1\r\n";
  WriteBytes(path, content);
  MakeReadOnly(dir.Path().string());
  EXPECT_FALSE(write("S", "K", "2"));
  EXPECT_EQ(read("S", "K"), "1");
  EXPECT_EQ(ReadBytes(path), content);
}

TEST_F(ProfileStandInTest, WriteThroughALinkReplacesTheFileItNames) {
  std::string real = dir.File("real.ini");
  WriteBytes(real, "[S]\r\nK=1\r\n");
  std::filesystem::create_symlink(real, path);
  ASSERT_TRUE(write("S", "K", "2"));
  EXPECT_TRUE(std::filesystem::is_symlink(path));
  EXPECT_EQ(ReadBytes(real), "[S]\r\nK=2\r\n");
}
#endif

TEST_F(ProfileStandInTest, AnotherProgramsEditIsSeenAndKeptByTheNextWrite) {
  ProfileStandIn lazy{std::chrono::hours(1)};
  ASSERT_TRUE(lazy.WriteString("S", "K", "1", path.c_str()));
  EXPECT_EQ(read(lazy, "S", "K"), "1");
  WriteBytes(path, "[S]\r\nK=2\r\nOther=x\r\n");
  EXPECT_EQ(read(lazy, "S", "K"), "1");                          // within the interval the kept file answers
  ASSERT_TRUE(lazy.WriteString("S", "New", "y", path.c_str()));  // a write always looks first
  EXPECT_EQ(ReadBytes(path), "[S]\r\nK=2\r\nOther=x\r\nNew=y\r\n");
  WriteBytes(path, "[S]\r\nK=3\r\n");
  ASSERT_TRUE(lazy.WriteString(nullptr, nullptr, nullptr, path.c_str()));  // a flush makes reads look again
  EXPECT_EQ(read(lazy, "S", "K"), "3");
}

TEST_F(ProfileStandInTest, SameSizeEditWithTheSameTimeStampIsSeen) {
  WriteBytes(path, "[S]\r\nK=1\r\n");
  EXPECT_EQ(read("S", "K"), "1");
  auto stamp = std::filesystem::last_write_time(path);
  WriteBytes(path, "[S]\r\nK=2\r\n");
  std::filesystem::last_write_time(path, stamp);
  EXPECT_EQ(read("S", "K"), "2");
}

TEST_F(ProfileStandInTest, FileAppearingAndVanishingIsSeen) {
  EXPECT_EQ(read("S", "K"), "<default>");
  WriteBytes(path, "[S]\r\nK=1\r\n");
  EXPECT_EQ(read("S", "K"), "1");
  std::filesystem::remove(path);
  EXPECT_EQ(read("S", "K"), "<default>");
}
