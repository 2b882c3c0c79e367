// One scripted sequence of reads, writes and section removals run against the system's profile
// functions and against our text profile file: the same results and the same file.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "testing/TempDir.h"
#include "settings/posix/ProfileStandIn.h"

namespace {

enum class Op { Read, Write, Remove, Flush };

struct Step {
  Op op;
  const char* section;
  const char* key;
  const char* text;  // the default of a read, the value of a write
};

const std::string kLong(3000, 'L');

const std::vector<Step> kScript = {
    {Op::Read, "Settings", "RS232Port", "dflt"},
    {Op::Read, "settings", "rs232port", "dflt"},
    {Op::Read, "Settings", "Missing", "dflt"},
    {Op::Read, "Missing", "RS232Port", ""},
    {Op::Read, "Settings", "Interval", ""},
    {Op::Write, "Settings", "RS232Port", "COM1"},
    {Op::Read, "Settings", "RS232Port", ""},
    {Op::Write, "SETTINGS", "rs232baudrate", "19200"},
    {Op::Read, "Settings", "RS232BaudRate", ""},
    {Op::Write, "Settings", "NewKey", "new"},
    {Op::Write, "SendBefore", "Command[1]", "ATH"},
    {Op::Write, "Application", "Parameters[0]", ""},
    {Op::Read, "Application", "Parameters[0]", "dflt"},
    {Op::Write, "Application", "Path[0]", "C:\\Windows\\notepad.exe"},
    {Op::Write, "Brand New", "Key With Spaces", "a = b ; c"},
    {Op::Read, "Brand New", "Key With Spaces", ""},
    {Op::Write, "Settings", "Long", kLong.c_str()},
    {Op::Read, "Settings", "Long", ""},
    {Op::Write, "Settings", "Quoted", "\"x y\""},
    {Op::Read, "Settings", "Quoted", ""},
    {Op::Write, "Settings", "OneQuote", "\"x"},
    {Op::Read, "Settings", "OneQuote", ""},
    {Op::Write, "Settings", "Inner", "a\"b\"c"},
    {Op::Read, "Settings", "Inner", ""},
    {Op::Remove, "SendAfter", nullptr, nullptr},
    {Op::Read, "SendAfter", "Count", "none"},
    {Op::Remove, "NotThere", nullptr, nullptr},
    {Op::Flush, nullptr, nullptr, nullptr},
    {Op::Write, "SendAfter", "Count", "0"},
    {Op::Remove, "sendbefore", nullptr, nullptr},
    {Op::Write, "SendBefore", "Count", "2"},
    {Op::Write, "SendBefore", "Command[0]", "ATZ"},
    {Op::Write, "SendBefore", "Command[1]", "ATDT 123"},
    {Op::Read, "SendBefore", "Command[1]", ""},
    {Op::Write, "Settings", "RS232Port", "COM3"},
    {Op::Read, "Settings", "RS232Port", ""},
    {Op::Flush, nullptr, nullptr, nullptr},
};

const char kStart[] =
    "; Tarvenik\r\n[Settings]\r\nRS232Connect=1\r\nRS232Port=COM2\r\nRS232BaudRate=9600\r\nInterval=$1A\r\n"
    "[SendBefore]\r\nCount=1\r\nCommand[0]=ATZ\r\n"
    "[SendAfter]\r\nCount=1\r\nCommand[0]=ATH\r\n";

struct Result {
  size_t count = 0;
  std::string text;
  bool ok = true;
};

template <class Get, class Write>
Result run(const Step& s, const std::string& file, Get get, Write write) {
  Result r;
  char buffer[2048];
  switch (s.op) {
    case Op::Read:
      r.count = get(s.section, s.key, s.text, buffer, sizeof buffer, file.c_str());
      r.text.assign(buffer, r.count);
      break;
    case Op::Write:
      r.ok = write(s.section, s.key, s.text, file.c_str());
      break;
    case Op::Remove:
      r.ok = write(s.section, nullptr, nullptr, file.c_str());
      break;
    case Op::Flush:
      write(nullptr, nullptr, nullptr, file.c_str());
      break;
  }
  return r;
}

std::string withoutCarriageReturns(std::string s) {
  std::erase(s, '\r');
  return s;
}

}  // namespace

TEST(ProfileDifferential, OursBehavesLikeTheSystems) {
  TempDir dir;
  std::string system = dir.File("system.ini"), ours = dir.File("ours.ini");
  WriteBytes(system, kStart);
  WriteBytes(ours, kStart);
  ProfileStandIn profile{std::chrono::milliseconds(0)};

  auto systemGet = [](const char* s, const char* k, const char* d, char* b, size_t n, const char* f) {
    return static_cast<size_t>(GetPrivateProfileStringA(s, k, d, b, static_cast<DWORD>(n), f));
  };
  auto systemWrite = [](const char* s, const char* k, const char* v, const char* f) {
    return WritePrivateProfileStringA(s, k, v, f) != FALSE;
  };
  auto ourGet = [&](const char* s, const char* k, const char* d, char* b, size_t n, const char* f) {
    return profile.GetString(s, k, d, b, n, f);
  };
  auto ourWrite = [&](const char* s, const char* k, const char* v, const char* f) {
    return profile.WriteString(s, k, v, f);
  };

  for (size_t i = 0; i < kScript.size(); ++i) {
    const Step& step = kScript[i];
    Result expected = run(step, system, systemGet, systemWrite);
    Result actual = run(step, ours, ourGet, ourWrite);
    SCOPED_TRACE("step " + std::to_string(i) + " " + (step.section ? step.section : "-") + " / " +
                 (step.key ? step.key : "-"));
    EXPECT_EQ(actual.ok, expected.ok);
    EXPECT_EQ(actual.count, expected.count);
    EXPECT_EQ(actual.text, expected.text);
  }
  EXPECT_EQ(withoutCarriageReturns(ReadBytes(ours)), withoutCarriageReturns(ReadBytes(system)));
}

// Every blank the system drops around names and values, and quotation marks inside blanks (only
// read: the system rewrites such lines when it writes).
TEST(ProfileDifferential, ReadsDropTheSameBlanks) {
  TempDir dir;
  const std::string file = dir.File("blanks.ini");
  WriteBytes(file, "[S]\r\n\vBlanked\f=\x1a\f \"v\" \v\t\r\n");
  ProfileStandIn profile{std::chrono::milliseconds(0)};
  char ours[64], system[64];
  const size_t n = profile.GetString("S", "Blanked", "", ours, sizeof ours, file.c_str());
  const DWORD m = GetPrivateProfileStringA("S", "Blanked", "", system, sizeof system, file.c_str());
  EXPECT_EQ(std::string(ours, n), std::string(system, m));
}
