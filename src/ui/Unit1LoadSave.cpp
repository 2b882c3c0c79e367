// Loading the main window from the settings file when it is created, and saving it on "OK".
#include <algorithm>
#include <unordered_map>

#include "base/IntText.h"
#include "settings/TarvenikIni.h"
#include "toolkit/Application.h"
#include "ui/FileIcon.h"
#include "ui/Unit1.h"

using namespace tarvenik_ini;

namespace {

// A hand-edited Count far above the entries present only adds empty rows; past this many the
// rest is not read, so that a damaged file cannot make loading run for hours.
constexpr int32_t kMaxListEntries = 10000;

int32_t listCount(TCustomIniFile& ini, const char* section) {
  return std::clamp<int32_t>(ini.ReadNumber(section, kCount, kDefaultCount), 0, kMaxListEntries);
}

// Adds n rows to a list without repainting it for each; the update ends even when a read fails.
template <typename AddRow>
void addRows(TListView& list, int32_t n, AddRow addRow) {
  list.BeginUpdate(n);
  struct End {
    TListView& list;
    ~End() { list.EndUpdate(); }
  } end{list};
  for (int32_t i = 0; i < n; ++i) addRow(i);
}

// The list's entries are read in one go: a whole section at once where the platform can.
std::vector<std::string> readEntries(TCustomIniFile& ini, const char* section, int32_t n,
                                     std::initializer_list<std::string (*)(int)> keyNames) {
  std::vector<std::string> keys;
  keys.reserve(static_cast<size_t>(n) * keyNames.size());
  for (int32_t i = 0; i < n; ++i)
    for (auto keyName : keyNames) keys.push_back(keyName(i));
  return ini.ReadTexts(section, keys, kDefaultEntry);
}

void loadCommands(TCustomIniFile& ini, const char* section, TListView& list) {
  const int32_t n = listCount(ini, section);
  const std::vector<std::string> commands = readEntries(ini, section, n, {CommandKey});
  addRows(list, n, [&](int32_t i) { list.AddRow(commands[static_cast<size_t>(i)]); });
}

// A list section is erased and written anew: "Count", then the entries in display order.
void saveCommands(TCustomIniFile& ini, const char* section, const TListView& list) {
  const int n = list.Count();
  TCustomIniFile::KeyValues values{{kCount, IntToStr(n)}};
  for (int i = 0; i < n; ++i) values.emplace_back(CommandKey(i), list.RowText(i));
  ini.WriteSection(section, values);
}

}  // namespace

void TMain::FormCreate() {
  settings_ = std::make_unique<TIniFile>(SettingsFileName());
  TCustomIniFile& ini = *settings_;

  // Checking a box runs its click handler, and so the enablement rule, as it goes.
  Connect.SetChecked(ini.ReadFlag(kSettings, kRS232Connect, kDefaultRS232Connect));
  const std::string savedPort = ini.ReadText(kSettings, kRS232Port, kDefaultRS232Port);
  const std::string savedBaudRate = ini.ReadText(kSettings, kRS232BaudRate, kDefaultRS232BaudRate);
  CR.SetChecked(ini.ReadFlag(kSettings, kCR, kDefaultCR));
  LF.SetChecked(ini.ReadFlag(kSettings, kLF, kDefaultLF));
  SendBefore.SetChecked(ini.ReadFlag(kSettings, kSendBeforeFlag, kDefaultSendBefore));
  StartApplication.SetChecked(ini.ReadFlag(kSettings, kStartApplication, kDefaultStartApplication));
  Interval.SetValue(ini.ReadNumber(kSettings, kInterval, kDefaultInterval));
  SendAfter.SetChecked(ini.ReadFlag(kSettings, kSendAfterFlag, kDefaultSendAfter));

  // The saved port and baud rate are matched exactly, letter case included.
  for (int i = 0, n = Port.Count(); i < n; ++i) {
    if (Port.Item(i) == savedPort) {
      Port.SetItemIndex(i);
      ComPort.SetPort(savedPort);
    }
  }
  for (int i = 0, n = BaudRate.Count(); i < n; ++i)
    if (BaudRate.Item(i) == savedBaudRate) BaudRate.SetItemIndex(i);
  ComPort.SetCustomBaudRate(StrToInt(savedBaudRate));

  loadCommands(ini, kSendBefore, SendBeforeCommands);
  loaded_.sendBefore = true;
  const int32_t apps = listCount(ini, kApplication);
  const std::vector<std::string> entries =
      readEntries(ini, kApplication, apps, {NameKey, PathKey, ParametersKey});
  // A program listed several times (with other parameters, say) is asked for its icon once; the
  // later rows copy it from the row that has it.
  std::unordered_map<std::string, int> iconRowOfPath;
  // Room for every icon at once: growing the image list row by row copies it again and again.
  if (Icons.Reserve(apps)) ApplicationList.SetSmallImages(&Icons);
  addRows(ApplicationList, apps, [&](int32_t i) {
    const auto at = static_cast<size_t>(i) * 3;
    const std::string& path = entries[at + 1];
    auto known = iconRowOfPath.find(path);
    UniqueIcon icon = known == iconRowOfPath.end() ? ExtractFileIcon(path)
                      : known->second < 0          ? UniqueIcon()
                                                   : Icons.GetIcon(known->second);
    int row = AddApplication(entries[at], path, entries[at + 2], icon.get());
    if (known == iconRowOfPath.end()) iconRowOfPath.emplace(path, icon ? row : -1);
  });
  ApplicationList.AutoSizeColumns();
  loaded_.applications = true;
  loadCommands(ini, kSendAfter, SendAfterCommands);
  loaded_.sendAfter = true;

  ConnectClick();
}

void TMain::OKClick() {
  // Leaving the interval field clamps its text; make sure that has happened.
  if (Interval.Focused()) OK.SetFocus();
  if (!settings_) settings_ = std::make_unique<TIniFile>(SettingsFileName());
  TCustomIniFile& ini = *settings_;

  ini.WriteFlag(kSettings, kRS232Connect, Connect.Checked());
  ini.WriteText(kSettings, kRS232Port, Port.Text());
  ini.WriteText(kSettings, kRS232BaudRate, BaudRate.SelectedText());
  ini.WriteFlag(kSettings, kCR, CR.Checked());
  ini.WriteFlag(kSettings, kLF, LF.Checked());
  ini.WriteFlag(kSettings, kSendBeforeFlag, SendBefore.Checked());
  ini.WriteFlag(kSettings, kStartApplication, StartApplication.Checked());
  ini.WriteNumber(kSettings, kInterval, Interval.Value());
  ini.WriteFlag(kSettings, kSendAfterFlag, SendAfter.Checked());

  // A list whose loading was cut short by an error was never shown; its section is kept as the
  // file has it rather than replaced by an empty list.
  if (loaded_.sendBefore) saveCommands(ini, kSendBefore, SendBeforeCommands);
  if (loaded_.applications) {
    const int n = ApplicationList.Count();
    TCustomIniFile::KeyValues values{{kCount, IntToStr(n)}};
    for (int i = 0; i < n; ++i) {
      values.emplace_back(NameKey(i), ApplicationList.RowText(i, 0));
      values.emplace_back(PathKey(i), ApplicationList.RowText(i, 1));
      values.emplace_back(ParametersKey(i), ApplicationList.RowText(i, 2));
    }
    ini.WriteSection(kApplication, values);
  }
  if (loaded_.sendAfter) saveCommands(ini, kSendAfter, SendAfterCommands);

  settings_.reset();  // releasing flushes
  Application().Terminate();
}
