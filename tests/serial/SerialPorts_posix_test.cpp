// The Linux source of port names, over a fake class tree in a temporary folder.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "serial/CPort.h"
#include "serial/SerialPorts.h"
#include "testing/TempDir.h"

namespace fs = std::filesystem;

namespace {

class FakeTtyClass : public ::testing::Test {
 protected:
  // A tty entry; `device` says what its device entry is: "" none, "dir", "link" or "dangling".
  void tty(const std::string& name, const std::string& device) {
    fs::create_directories(root_ / name);
    std::ofstream(root_ / name / "dev") << "4:64\n";
    if (device == "dir") fs::create_directories(root_ / name / "device");
    if (device == "link") fs::create_directory_symlink(root_, root_ / name / "device");
    if (device == "dangling") fs::create_symlink(root_ / "nowhere", root_ / name / "device");
  }
  TempDir dir_;
  const fs::path& root_ = dir_.Path();
};

TEST_F(FakeTtyClass, ListsDevicesWithADeviceEntrySortedIgnoringCase) {
  tty("ttyS10", "link");
  tty("ttyS2", "dir");
  tty("tty1", "");
  tty("ptmx", "");
  tty("ttyUSB0", "dangling");
  tty("ttyb", "dir");
  tty("ttyA", "dir");
  std::vector<std::string> list{"old"};
  ListSerialPortsFrom(root_, list);
  EXPECT_EQ(list, (std::vector<std::string>{"/dev/ttyA", "/dev/ttyb", "/dev/ttyS10", "/dev/ttyS2",
                                            "/dev/ttyUSB0"}));
}

TEST_F(FakeTtyClass, AnEmptyClassGivesAnEmptyList) {
  std::vector<std::string> list{"old"};
  ListSerialPortsFrom(root_, list);
  EXPECT_TRUE(list.empty());
}

TEST_F(FakeTtyClass, AnUnreadableSourceRaisesAndLeavesTheList) {
  std::vector<std::string> list{"old"};
  try {
    ListSerialPortsFrom(root_ / "missing", list);
    FAIL() << "no error";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.Code(), 23);
    EXPECT_EQ(e.WinCode(), ENOENT);
    EXPECT_EQ(e.Message(), "Registry error (win error code: " + std::to_string(ENOENT) + ")");
  }
  std::ofstream(root_ / "file") << "x";
  try {
    ListSerialPortsFrom(root_ / "file", list);
    FAIL() << "no error";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.WinCode(), ENOTDIR);
  }
  EXPECT_EQ(list, std::vector<std::string>{"old"});
}

TEST(SortPortNames, IgnoresCaseAndComparesDigitsAsCharacters) {
  std::vector<std::string> names{"COM3", "com1", "COM10", "COM2", "COM1"};
  SortPortNames(names);
  ASSERT_EQ(names.size(), 5u);
  EXPECT_TRUE(SameText(names[0], "COM1") && SameText(names[1], "COM1"));
  EXPECT_EQ((std::vector<std::string>{names[2], names[3], names[4]}),
            (std::vector<std::string>{"COM10", "COM2", "COM3"}));
}

}  // namespace
