// The port listing against the registry's serial-port map, written by each test.
#include <gtest/gtest.h>

#include "serial/SerialPorts.h"
#include "serial/SerialMap.h"

using namespace serialtest;

namespace {

using Names = std::vector<std::string>;

class SerialPortMap : public ::testing::Test {
  SavedSerialMap saved_;
};

int failureNumber(const std::vector<MapValue>& map) {
  EXPECT_TRUE(WriteSerialMap(map));
  Names list{"old"};
  try {
    ListSerialPorts(list);
  } catch (const EComPort& e) {
    EXPECT_EQ(e.Code(), 23);
    EXPECT_EQ(e.Message(), "Registry error (win error code: " + std::to_string(e.WinCode()) + ")");
    EXPECT_EQ(list, Names{"old"});
    return e.WinCode();
  }
  return 0;
}

TEST_F(SerialPortMap, SortsIgnoringCaseWithDigitsAsCharacters) {
  ASSERT_TRUE(WriteSerialMap(Ports({"COM3", "COM1", "COM10", "COM2"})));
  Names list{"old"};
  ListSerialPorts(list);
  EXPECT_EQ(list, (Names{"COM1", "COM10", "COM2", "COM3"}));

  ASSERT_TRUE(WriteSerialMap(Ports({"comb", "COMA", "coma2"})));
  ListSerialPorts(list);
  EXPECT_EQ(list, (Names{"COMA", "coma2", "comb"}));
}

TEST_F(SerialPortMap, KeepsAPortListedTwice) {
  ASSERT_TRUE(WriteSerialMap({{"\\Device\\Serial0", "COM1"}, {"\\Device\\VSerial", "COM1"}, {"x", "COM0"}}));
  Names list;
  ListSerialPorts(list);
  EXPECT_EQ(list, (Names{"COM0", "COM1", "COM1"}));
}

TEST_F(SerialPortMap, AnEmptyMapGivesAnEmptyList) {
  ASSERT_TRUE(WriteSerialMap({}));
  Names list{"old"};
  ListSerialPorts(list);
  EXPECT_TRUE(list.empty());
}

TEST_F(SerialPortMap, AMissingMapRaisesNumberTwo) {
  RemoveSerialMap();
  Names list{"old"};
  try {
    ListSerialPorts(list);
    FAIL() << "no error";
  } catch (const EComPort& e) {
    EXPECT_EQ(e.Code(), 23);
    EXPECT_EQ(e.WinCode(), 2);
    EXPECT_EQ(e.Message(), "Registry error (win error code: 2)");
  }
  EXPECT_EQ(list, Names{"old"});
}

TEST_F(SerialPortMap, ValuesThatDoNotFitRaiseNumber234) {
  EXPECT_EQ(failureNumber({{"a", "COM1"}, {"b", std::string(256, 'C')}}), 234);  // 257 bytes with the NUL
  EXPECT_EQ(failureNumber({{"a", std::string(257, 'C'), REG_BINARY}}), 234);
  EXPECT_EQ(failureNumber({{std::string(256, 'n'), "COM1"}}), 234);  // a name of 256 characters
}

TEST_F(SerialPortMap, TheLargestValuesFit) {
  ASSERT_TRUE(WriteSerialMap({{"a", std::string(255, 'C')},  // 256 bytes with the NUL
                              {std::string(255, 'n'), "COM1"},
                              {"b", std::string(256, 'D'), REG_BINARY}}));
  Names list;
  ListSerialPorts(list);
  EXPECT_EQ(list, (Names{std::string(255, 'C'), "COM1", std::string(256, 'D')}));
}

TEST_F(SerialPortMap, ANameEndsAtItsFirstNul) {
  ASSERT_TRUE(WriteSerialMap({{"a", std::string("COM5\0junk", 9), REG_BINARY}, {"b", "", REG_SZ}}));
  Names list;
  ListSerialPorts(list);
  EXPECT_EQ(list, (Names{"", "COM5"}));
}

}  // namespace
