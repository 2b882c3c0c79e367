// Loading the main window from the settings file and saving it, with real controls and the real
// profile functions; what was saved is read back by the settings library's own parser.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "base/Text.h"
#include "serial/SerialMap.h"
#include "settings/TarvenikIni.h"
#include "settings/posix/ParsedProfile.h"
#include "testing/ImageSlot.h"
#include "testing/StartUp.h"
#include "testing/WinTest.h"
#include "ui/Seams.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

namespace fs = std::filesystem;

// A key's value as the parsed file gives it; nothing when the key is absent.
using Value = std::optional<std::string_view>;

// The number of lines of a text that are not empty.
size_t filledLines(std::string_view text) {
  size_t lines = 0;
  bool filled = false;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      lines += filled;
      filled = false;
    } else {
      filled = true;
    }
  }
  return lines + filled;
}

class MainSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { wintest::SetUpApplication(); }
  void TearDown() override {
    dialog_.reset();
    main_.reset();
  }
  fs::path ini() const { return dir_.Path() / "Tarvenik.ini"; }
  // The settings file as it is now, parsed.
  ParsedProfile savedFile() const { return ParsedProfile(ReadBytes(ini())); }
  void writeIni(const std::string& text) { WriteBytes(ini(), text); }
  // Builds the windows as start-up does; returns the texts of the error boxes shown meanwhile.
  std::vector<std::wstring> start() {
    wintest::MessageBoxWatcher watcher(GetCurrentProcessId(), true);
    main_ = wintest::MakeMain(dir_.Path());
    dialog_ = wintest::MakeSelectApplication();
    std::vector<std::wstring> texts;
    for (auto& b : watcher.seen()) texts.push_back(b.text);
    return texts;
  }
  std::vector<std::string> rows(const TListView& list, int column = 0) {
    std::vector<std::string> r;
    for (int i = 0; i < list.Count(); ++i) r.push_back(list.RowText(i, column));
    return r;
  }
  void pressOK() {
    main_->OK.Click();
    EXPECT_TRUE(Application().Terminated());
  }

  TempDir dir_;
  std::unique_ptr<TMain> main_;
  std::unique_ptr<TSelectApplication> dialog_;
};

TEST_F(MainSettingsTest, NoFileShowsTheDefaultsCreatesNothingUntilOkThenWritesEveryKey) {
  EXPECT_TRUE(start().empty());
  TMain& m = *main_;
  EXPECT_TRUE(m.Connect.Checked() && m.CR.Checked() && m.LF.Checked() && m.SendBefore.Checked() &&
              m.StartApplication.Checked() && m.SendAfter.Checked());
  EXPECT_EQ(m.BaudRate.SelectedText(), "9600");
  EXPECT_EQ(m.Interval.Text(), "5");
  EXPECT_EQ(m.ComPort.CustomBaudRate(), 9600);
  EXPECT_TRUE(m.SendBeforeText.Enabled());
  EXPECT_FALSE(fs::exists(ini()));

  m.SendBeforeText.SetText("ATZ");
  m.SendBeforeAdd.Click();
  pressOK();
  const ParsedProfile keys = savedFile();
  const std::vector<std::tuple<std::string, std::string, std::string>> expected = {
      {"Settings", "RS232Connect", "1"},
      {"Settings", "RS232Port", m.Port.Text()},
      {"Settings", "RS232BaudRate", "9600"},
      {"Settings", "CR", "1"},
      {"Settings", "LF", "1"},
      {"Settings", "SendBefore", "1"},
      {"Settings", "StartApplication", "1"},
      {"Settings", "Interval", "5"},
      {"Settings", "SendAfter", "1"},
      {"SendBefore", "Count", "1"},
      {"SendBefore", "Command[0]", "ATZ"},
      {"Application", "Count", "0"},
      {"SendAfter", "Count", "0"},
  };
  for (const auto& [section, key, value] : expected)
    EXPECT_EQ(keys.Find(section, key), Value(value)) << section << "/" << key;
  // Nothing else: a line for each of the four sections and one for each key.
  EXPECT_EQ(filledLines(keys.Text()), 4 + expected.size()) << keys.Text();
}

TEST_F(MainSettingsTest, LoadsEveryListAndWritesThemBackInFull) {
  // One character more than a row's first read takes.
  const std::string kLong(256, 'L');
  writeIni(
      "[Settings]\r\nRS232Connect=0\r\nRS232BaudRate=19200\r\nCR=0\r\nLF=1\r\nInterval=12\r\nSendAfter=0\r\n"
      "[SendBefore]\r\nCount=3\r\nCommand[0]=AT\r\nCommand[1]=  \r\nCommand[2]=ATD 123\r\n"
      "[Application]\r\nCount=2\r\nName[0]=Same\r\nPath[0]=C:\\nothing.exe\r\nParameters[0]=-a \"b c\"\r\n"
      "Name[1]=Same\r\nPath[1]=\r\n"
      "[SendAfter]\r\nCount=2\r\nCommand[0]=ATH\r\nCommand[1]=" +
      kLong + "\r\n");
  EXPECT_TRUE(start().empty());
  TMain& m = *main_;
  EXPECT_FALSE(m.Connect.Checked());
  EXPECT_FALSE(m.CR.Checked());
  EXPECT_EQ(m.BaudRate.SelectedText(), "19200");
  EXPECT_EQ(m.ComPort.CustomBaudRate(), 19200);
  EXPECT_EQ(m.Interval.Text(), "12");
  EXPECT_EQ(rows(m.SendBeforeCommands), (std::vector<std::string>{"AT", "", "ATD 123"}));
  EXPECT_EQ(rows(m.ApplicationList), (std::vector<std::string>{"Same", "Same"}));
  EXPECT_EQ(rows(m.ApplicationList, 2), (std::vector<std::string>{"-a \"b c\"", ""}));
  EXPECT_EQ(rows(m.SendAfterCommands), (std::vector<std::string>{"ATH", kLong}));
  EXPECT_EQ(m.ApplicationList.ImageIndex(0), -1);  // no such file: no icon
  EXPECT_EQ(m.Icons.Count(), 2);
  // The rule ran at the end: serial controls are off, the application group is on.
  EXPECT_FALSE(m.SendBeforeCommands.Enabled());
  EXPECT_TRUE(m.ApplicationList.Enabled());

  // Saving with the serial port off still writes both command lists in full.
  m.SendBeforeCommands.SetSelected(0);
  m.SendBeforeDelete.Click();
  pressOK();
  const ParsedProfile keys = savedFile();
  // Every setting from its own control: neighbours that differ tell a swapped one.
  const std::pair<const char*, const char*> settings[] = {
      {"RS232Connect", "0"}, {"RS232BaudRate", "19200"}, {"CR", "0"},        {"LF", "1"},
      {"SendBefore", "1"},   {"StartApplication", "1"},  {"Interval", "12"}, {"SendAfter", "0"}};
  for (const auto& [key, value] : settings) EXPECT_EQ(keys.Find("Settings", key), Value(value)) << key;
  EXPECT_EQ(keys.Find("SendBefore", "Count"), Value("2"));
  EXPECT_EQ(keys.Find("SendBefore", "Command[0]"), Value(""));
  EXPECT_EQ(keys.Find("SendBefore", "Command[1]"), Value("ATD 123"));
  EXPECT_EQ(keys.Find("SendBefore", "Command[2]"), std::nullopt);  // the old key is gone
  EXPECT_EQ(keys.Find("Application", "Parameters[0]"), Value("-a \"b c\""));
  EXPECT_EQ(keys.Find("Application", "Parameters[1]"), Value(""));  // written, empty
  EXPECT_EQ(keys.Find("Application", "Name[1]"), Value("Same"));
  EXPECT_EQ(keys.Find("SendAfter", "Command[0]"), Value("ATH"));
  EXPECT_EQ(keys.Find("SendAfter", "Command[1]"), Value(kLong));
}

TEST_F(MainSettingsTest, ValuesOutsideTheirListsOrLimits) {
  struct Case {
    const char* file;
    const char* baudShown;
    int custom;
    const char* intervalShown;
    const char* intervalSaved;
    const char* baudSaved;
  };
  const Case cases[] = {
      {"[Settings]\r\nRS232BaudRate=7200\r\nInterval=0\r\n", "9600", 7200, "1", "1", "9600"},
      {"[Settings]\r\nRS232BaudRate=115200\r\nInterval=99\r\n", "115200", 115200, "60", "60", "115200"},
      {"[Settings]\r\nRS232BaudRate=$E100\r\nInterval=x\r\n", "9600", 57600, "5", "5", "9600"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    TearDown();
    SetUp();
    writeIni(c.file);
    EXPECT_TRUE(start().empty());
    EXPECT_EQ(main_->BaudRate.SelectedText(), c.baudShown);
    EXPECT_EQ(main_->ComPort.CustomBaudRate(), c.custom);
    EXPECT_EQ(main_->Interval.Text(), c.intervalShown);
    pressOK();
    const ParsedProfile keys = savedFile();
    EXPECT_EQ(keys.Find("Settings", "Interval"), Value(c.intervalSaved));
    EXPECT_EQ(keys.Find("Settings", "RS232BaudRate"), Value(c.baudSaved));
  }
}

TEST_F(MainSettingsTest, ABaudRateThatIsNoNumberStopsOnlyItsOwnStep) {
  for (const char* baud : {"abc", ""}) {
    SCOPED_TRACE(baud);
    TearDown();
    SetUp();
    writeIni(std::string("[Settings]\r\nRS232BaudRate=") + baud +
             "\r\n[SendBefore]\r\nCount=1\r\nCommand[0]=AT\r\n[Application]\r\nCount=1\r\nName[0]=N\r\n"
             "Path[0]=P\r\nParameters[0]=\r\n[SendAfter]\r\nCount=1\r\nCommand[0]=ATH\r\n");
    auto boxes = start();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], L"'" + Utf8ToWide(baud) + L"' is not a valid integer value.");
    pressOK();
    const ParsedProfile keys = savedFile();
    EXPECT_EQ(keys.Find("SendBefore", "Command[0]"), Value("AT"));
    EXPECT_EQ(keys.Find("Application", "Name[0]"), Value("N"));
    EXPECT_EQ(keys.Find("SendAfter", "Command[0]"), Value("ATH"));
    EXPECT_EQ(keys.Find("Settings", "RS232BaudRate"), Value("9600"));
  }
}

TEST_F(MainSettingsTest, CountsThatAreNegativeHugeOrAheadOfTheEntries) {
  writeIni(
      "[SendBefore]\r\nCount=2147483647\r\nCommand[0]=AT\r\n[SendAfter]\r\nCount=10000\r\nCommand[1]=B\r\n"
      "[Application]\r\nCount=-3\r\nName[0]=A\r\n");
  // The user is told once that the list is longer than the window shows and is kept.
  const std::vector<std::wstring> told = start();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0],
            Utf8ToWide("Lista „Wyślij polecenia przed uruchomieniem aplikacji” w pliku Tarvenik.ini jest "
                       "dłuższa, niż program pokazuje (10000 pozycji). Program zapisze tę listę bez "
                       "zmian, tak jak jest w pliku."));
  EXPECT_EQ(main_->ApplicationList.Count(), 0);
  // Exactly as many rows as the window shows is no cut list.
  ASSERT_EQ(main_->SendAfterCommands.Count(), 10000);
  EXPECT_EQ(main_->SendAfterCommands.RowText(1), "B");
  EXPECT_EQ(main_->SendAfterCommands.RowText(9999), "");
  EXPECT_EQ(main_->SendBeforeCommands.Count(), 10000);  // capped, not two thousand million rows
  // "OK" does not replace the file's list by the rows shown.
  pressOK();
  const ParsedProfile keys = savedFile();
  EXPECT_EQ(keys.Find("SendBefore", "Count"), Value("2147483647"));
  EXPECT_EQ(keys.Find("SendBefore", "Command[0]"), Value("AT"));
  EXPECT_EQ(keys.Find("SendBefore", "Command[1]"), std::nullopt);
  EXPECT_EQ(keys.Find("SendAfter", "Count"), Value("10000"));
  EXPECT_EQ(keys.Find("SendAfter", "Command[9999]"), Value(""));  // rewritten from the rows
  EXPECT_EQ(keys.Find("Application", "Count"), Value("0"));
}

TEST_F(MainSettingsTest, ApplicationsPastTheMostShownAreKeptAndToldOfInOneMessageWithTheOtherList) {
  writeIni("[Application]\r\nCount=10001\r\nName[0]=A\r\n[SendAfter]\r\nCount=10001\r\n");
  const std::vector<std::wstring> told = start();
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0],
            Utf8ToWide("Lista „Uruchom program lub wyświetl listę aplikacji do uruchomienia” w pliku "
                       "Tarvenik.ini jest dłuższa, niż program pokazuje (10000 pozycji). Program zapisze tę "
                       "listę bez zmian, tak jak jest w pliku.\n\nLista „Wyślij polecenia po zamknięciu "
                       "aplikacji” w pliku Tarvenik.ini jest dłuższa, niż program pokazuje (10000 pozycji). "
                       "Program zapisze tę listę bez zmian, tak jak jest w pliku."));
  EXPECT_EQ(main_->ApplicationList.Count(), 10000);
  // The image list made roomy for them is the one the list shows.
  EXPECT_EQ(ListView_GetImageList(main_->ApplicationList.Handle(), LVSIL_SMALL), main_->Icons.Handle());
  EXPECT_EQ(main_->Icons.Count(), 10000);
  pressOK();  // keeps both lists as the file has them
  const ParsedProfile keys = savedFile();
  EXPECT_EQ(keys.Find("Application", "Count"), Value("10001"));
  EXPECT_EQ(keys.Find("SendAfter", "Count"), Value("10001"));
}

TEST_F(MainSettingsTest, TheSavedPortIsSelectedIgnoringCaseAndKeptWhenNotListed) {
  serialtest::SavedSerialMap saved;
  struct Case {
    bool listed;
    const char* savedPort;
    std::vector<std::string> items;  // the port list's items
    const char* written;
  };
  const Case cases[] = {
      {false, "COM7", {"COM7"}, "COM7"},
      {true, "COM3", {"COM1", "COM3"}, "COM3"},
      {true, "com3", {"COM1", "COM3"}, "COM3"},  // the listed item's letter case
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.savedPort);
    TearDown();
    SetUp();
    if (c.listed) {
      ASSERT_TRUE(serialtest::WriteSerialMap(serialtest::Ports({"COM3", "COM1"})));
    } else {
      serialtest::RemoveSerialMap();
    }
    writeIni(std::string("[Settings]\r\nRS232Port=") + c.savedPort + "\r\nCR=1\r\n");
    EXPECT_EQ(start().size(), c.listed ? 0u : 1u);  // the listing error
    EXPECT_EQ(wintest::ComboItems(main_->Port.Handle()), c.items);
    EXPECT_EQ(main_->Port.Text(), c.written);
    main_->CR.SetChecked(false);
    pressOK();
    const ParsedProfile keys = savedFile();
    EXPECT_EQ(keys.Find("Settings", "RS232Port"), Value(c.written));
    EXPECT_EQ(keys.Find("Settings", "CR"), Value("0"));
  }
}

TEST_F(MainSettingsTest, OkClampsAnIntervalTypedIntoTheFocusedField) {
  EXPECT_TRUE(start().empty());
  main_->Interval.SetFocus();
  main_->Interval.SetText("99");
  ASSERT_TRUE(main_->Interval.Focused());
  pressOK();
  EXPECT_EQ(savedFile().Find("Settings", "Interval"), Value("60"));
}

TEST_F(MainSettingsTest, AProgramListedTwiceShowsItsIconOnBothRows) {
  const std::string exe = "C:\\windows\\notepad.exe";
  ASSERT_TRUE(fs::exists(exe));
  writeIni(
      "[Application]\r\nCount=4\r\nName[0]=A\r\nPath[0]=" + exe + "\r\nName[1]=B\r\nPath[1]=" + exe +
      "\r\nParameters[1]=-x\r\nName[2]=C\r\nPath[2]=C:\\none.exe\r\nName[3]=D\r\nPath[3]=C:\\none.exe\r\n");
  EXPECT_TRUE(start().empty());
  TMain& m = *main_;
  EXPECT_EQ(m.Icons.Count(), 4);
  EXPECT_EQ(m.ApplicationList.ImageIndex(0), 0);
  EXPECT_EQ(m.ApplicationList.ImageIndex(1), 1);
  EXPECT_EQ(m.ApplicationList.ImageIndex(2), -1);
  EXPECT_EQ(m.ApplicationList.ImageIndex(3), -1);
  // The second row's image is the same picture as the first's.
  const wintest::ImageSlot first = wintest::ReadImageSlot(m.Icons.Handle(), 0);
  ASSERT_FALSE(first.colour.empty());
  EXPECT_TRUE(first == wintest::ReadImageSlot(m.Icons.Handle(), 1));
}

TEST_F(MainSettingsTest, AnUnreadableFileIsToldOfAndAFailedSaveKeepsTheProgramAndCanBeRepeated) {
  // A folder in the file's place cannot be read, and makes every write fail.
  fs::create_directory(ini());
  EXPECT_TRUE(start().empty());  // told once the window is shown, not before
  {
    wintest::MessageBoxWatcher watcher(GetCurrentProcessId(), true);
    main_->FormShown();
    auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, L"Nie można odczytać pliku ustawień " + AnsiToWide(main_->SettingsFileName()) +
                                L". Program pokazuje ustawienia domyślne.");
  }
  {
    wintest::MessageBoxWatcher watcher;
    main_->OK.Click();
    EXPECT_FALSE(Application().Terminated());
    auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 2u);  // "Tak" to replacing the file that was not read, then the failure
    EXPECT_EQ(seen[1].text, L"Unable to write to " + AnsiToWide(main_->SettingsFileName()) + L".");
  }
  fs::remove(ini());
  pressOK();
  EXPECT_EQ(savedFile().Find("Settings", "RS232Connect"), Value("1"));
}

// The profile file object with one fault of the kind a full or failing disk gives.
enum class Fault { LostKey, CutSection, RefusedKey };
class FaultyIniFile : public TIniFile {
 public:
  FaultyIniFile(const std::string& fileName, Fault fault, std::string where)
      : TIniFile(fileName), fault_(fault), where_(std::move(where)) {}
  void WriteText(const std::string& section, const std::string& key, const std::string& value) override {
    if (key == where_ && fault_ == Fault::LostKey) return;  // reported as written, never stored
    if (key == where_ && fault_ == Fault::RefusedKey) RaiseIniWriteError(FileName());
    TIniFile::WriteText(section, key, value);
  }
  void WriteSection(const std::string& section, const KeyValues& values) override {
    if (section == where_ && fault_ == Fault::CutSection) {
      TIniFile::WriteSection(section, KeyValues(values.begin(), values.end() - 1));
      return;
    }
    KeyValues kept;  // the faults of single keys, where they are written with their section
    for (const auto& line : values) {
      if (line.first == where_ && fault_ == Fault::RefusedKey) RaiseIniWriteError(FileName());
      if (line.first != where_ || fault_ != Fault::LostKey) kept.push_back(line);
    }
    TIniFile::WriteSection(section, kept);
  }

 private:
  Fault fault_;
  std::string where_;
};

TEST_F(MainSettingsTest, ASaveThatFailsPartWayIsReportedAndLeavesTheFileAsItWas) {
  const std::string old =
      "[Settings]\r\nRS232Connect=1\r\nInterval=7\r\n[Kept]\r\nA=1\r\n"
      "[SendAfter]\r\nCount=2\r\nCommand[0]=ATH\r\nCommand[1]=ATZ\r\n";
  writeIni(old);
  EXPECT_TRUE(start().empty());
  main_->Connect.SetChecked(false);
  const std::string expectedText = "Unable to write to " + main_->SettingsFileName() + ".";
  for (const auto& [fault, where] :
       std::vector<std::tuple<Fault, std::string>>{{Fault::LostKey, "RS232Connect"},
                                                   {Fault::CutSection, "SendAfter"},
                                                   {Fault::RefusedKey, "RS232Port"}}) {
    SCOPED_TRACE(where);
    TheUiSeams().saveFileMaker = [fault, where](const std::string& name) {
      return std::make_unique<FaultyIniFile>(name, fault, where);
    };
    wintest::MessageBoxWatcher watcher;
    main_->OK.Click();
    EXPECT_FALSE(Application().Terminated());
    auto seen = watcher.seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, AnsiToWide(expectedText));
    EXPECT_EQ(ReadBytes(ini()), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()),
              1);  // no copy left
  }
  // With the fault gone, "OK" pressed once more saves everything.
  TheUiSeams().saveFileMaker = MakeIniFile;
  pressOK();
  const ParsedProfile keys = savedFile();
  EXPECT_EQ(keys.Find("Settings", "RS232Connect"), Value("0"));
  EXPECT_EQ(keys.Find("Settings", "Interval"), Value("7"));
  EXPECT_EQ(keys.Find("Kept", "A"), Value("1"));
  EXPECT_EQ(keys.Find("SendAfter", "Command[1]"), Value("ATZ"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_.Path()), fs::directory_iterator()), 1);
}

}  // namespace
