#include <gtest/gtest.h>

#include <filesystem>

#include "base/ExecutablePath.h"
#include "settings/TarvenikIni.h"

using namespace tarvenik_ini;

TEST(TarvenikIni, ListKeysAreThePrefixThePlainIndexAndABracket) {
  EXPECT_EQ(CommandKey(0), "Command[0]");
  EXPECT_EQ(NameKey(7), "Name[7]");
  EXPECT_EQ(PathKey(10), "Path[10]");
  EXPECT_EQ(ParametersKey(123), "Parameters[123]");
}

TEST(TarvenikIni, FileLiesBesideTheExecutable) {
#ifdef _WIN32
  EXPECT_EQ(SettingsFilePathFor("C:\\Program Files\\Tarvenik\\Konfigurator.exe"),
            "C:\\Program Files\\Tarvenik\\Tarvenik.ini");
  EXPECT_EQ(SettingsFilePathFor("C:/Tarvenik/Konfigurator.exe"), "C:/Tarvenik/Tarvenik.ini");
  EXPECT_EQ(SettingsFilePathFor("C:\\Konfigurator.exe"), "C:\\Tarvenik.ini");
#else
  EXPECT_EQ(SettingsFilePathFor("/opt/tarvenik/konfigurator"), "/opt/tarvenik/Tarvenik.ini");
  EXPECT_EQ(SettingsFilePathFor("/konfigurator"), "/Tarvenik.ini");
#endif
  EXPECT_EQ(SettingsFilePathFor("Konfigurator.exe"), "Tarvenik.ini");
}

TEST(TarvenikIni, FileInAFolderIsJoinedWithOneSeparator) {
#ifdef _WIN32
  EXPECT_EQ(SettingsFilePathIn("C:\\Tarvenik"), "C:\\Tarvenik\\Tarvenik.ini");
  EXPECT_EQ(SettingsFilePathIn("C:\\Tarvenik\\"), "C:\\Tarvenik\\Tarvenik.ini");
  EXPECT_EQ(SettingsFilePathIn("C:/Tarvenik/"), "C:/Tarvenik/Tarvenik.ini");
#else
  EXPECT_EQ(SettingsFilePathIn("/opt/tarvenik"), "/opt/tarvenik/Tarvenik.ini");
  EXPECT_EQ(SettingsFilePathIn("/opt/tarvenik/"), "/opt/tarvenik/Tarvenik.ini");
#endif
  EXPECT_EQ(SettingsFilePathIn(""), "Tarvenik.ini");
}

TEST(TarvenikIni, RunningExecutableIsFound) {
  std::filesystem::path exe(ExecutablePath());
  ASSERT_TRUE(exe.is_absolute()) << exe.string();
  EXPECT_TRUE(std::filesystem::exists(exe)) << exe.string();
  EXPECT_EQ(std::filesystem::path(SettingsFilePath()), exe.parent_path() / "Tarvenik.ini");
}
