// Loading the main window from the settings file when it is created, and saving it on "OK".
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "base/IntText.h"
#include "base/Text.h"
#include "settings/FileReplace.h"
#include "settings/TarvenikIni.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "ui/FileIcon.h"
#include "ui/Seams.h"
#include "ui/Unit1.h"

using namespace tarvenik_ini;

namespace {

// A hand-edited Count far above the entries present only adds empty rows; past this many the
// rest is not read, so that a damaged file cannot make loading run for hours.
constexpr int32_t kMaxListEntries = 10000;

// The number of rows to show; `cut` tells whether the file holds more than that.
int32_t listCount(TCustomIniFile& ini, const char* section, bool& cut) {
  const int32_t n = ini.ReadNumber(section, kCount, kDefaultCount);
  cut = n > kMaxListEntries;
  return std::clamp<int32_t>(n, 0, kMaxListEntries);
}

// The user is told once, when loading ends, of every list that the window shows only in part.
std::string cutListsMessage(const std::vector<const char*>& lists) {
  std::string text;
  for (const char* list : lists) {
    if (!text.empty()) text += "\n\n";
    text += std::string("Lista „") + list + "” w pliku " + kFileName +
            " jest dłuższa, niż program pokazuje (" + IntToStr(kMaxListEntries) +
            " pozycji). Program zapisze tę listę bez zmian, tak jak jest w pliku.";
  }
  return text;
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

// Loads a command list; false when the file holds more than the list shows.
bool loadCommands(TCustomIniFile& ini, const char* section, TListView& list) {
  bool cut = false;
  const int32_t n = listCount(ini, section, cut);
  const std::vector<std::string> commands = readEntries(ini, section, n, {CommandKey});
  addRows(list, n, [&](int32_t i) { list.AddRow(commands[static_cast<size_t>(i)]); });
  return !cut;
}

// A list section is erased and written anew: "Count", then the entries in display order.
TCustomIniFile::KeyValues commandsSection(const TListView& list) {
  const int n = list.Count();
  TCustomIniFile::KeyValues values{{kCount, IntToStr(n)}};
  values.reserve(static_cast<size_t>(n) + 1);
  for (int i = 0; i < n; ++i) values.emplace_back(CommandKey(i), list.RowText(i));
  return values;
}

std::string flagText(bool value) { return value ? "1" : "0"; }

// Sixteen times a file of three full lists (10,000 entries each, about 1 MB): larger files are
// not read. The profile functions take a file whole into memory, and one of gigabytes ends the
// program.
constexpr uint64_t kMaxReadSize = 16u << 20;

// Stands in for a file that is not read: every read gives the default.
class TNotRead : public TCustomIniFile {
 public:
  using TCustomIniFile::TCustomIniFile;
  std::string ReadText(const std::string&, const std::string&, const std::string& defaultValue) override {
    return defaultValue;
  }
  void WriteText(const std::string&, const std::string&, const std::string&) override { raiseWriteError(); }
  void RemoveSection(const std::string&) override { raiseWriteError(); }
  void FlushFile() noexcept override {}
};

}  // namespace

void TMain::FormCreate() {
  // A file larger than any sane settings file is not handed to the profile functions, which take
  // the whole file into memory: the window shows the defaults, and "OK" asks before replacing it.
  const FileProbe probe = ProbeFile(SettingsFileName());
  tooLarge_ = probe.kind == FileProbe::Kind::Regular && probe.identity.size > kMaxReadSize;
  const std::unique_ptr<TCustomIniFile> file =
      tooLarge_ ? std::make_unique<TNotRead>(SettingsFileName()) : MakeIniFile(SettingsFileName());
  TCustomIniFile& ini = *file;

  // Checking a box runs its click handler, and so the enablement rule, as it goes.
  Connect.SetChecked(ini.ReadFlag(kSettings, kRS232Connect, kDefaultRS232Connect));
  const std::string savedPort = ini.ReadText(kSettings, kRS232Port, kDefaultRS232Port);
  // The saved port is selected whatever its letter case. One that is not plugged in now (or when
  // the ports cannot be listed) is added after the machine's ports, so that "OK" keeps it unless
  // the user picks another.
  if (!savedPort.empty()) {
    int index = Port.IndexOf(savedPort);
    if (index < 0) {
      Port.AddItem(savedPort);
      index = Port.Count() - 1;
    }
    Port.SetItemIndex(index);
    ComPort.SetPort(Port.Item(index));
  }
  const std::string savedBaudRate = ini.ReadText(kSettings, kRS232BaudRate, kDefaultRS232BaudRate);
  CR.SetChecked(ini.ReadFlag(kSettings, kCR, kDefaultCR));
  LF.SetChecked(ini.ReadFlag(kSettings, kLF, kDefaultLF));
  SendBefore.SetChecked(ini.ReadFlag(kSettings, kSendBeforeFlag, kDefaultSendBefore));
  StartApplication.SetChecked(ini.ReadFlag(kSettings, kStartApplication, kDefaultStartApplication));
  Interval.SetValue(ini.ReadNumber(kSettings, kInterval, kDefaultInterval));
  SendAfter.SetChecked(ini.ReadFlag(kSettings, kSendAfterFlag, kDefaultSendAfter));

  // The saved baud rate is matched exactly.
  for (int i = 0, n = BaudRate.Count(); i < n; ++i)
    if (BaudRate.Item(i) == savedBaudRate) BaudRate.SetItemIndex(i);
  // A text that is no number stops this step alone: the error is shown, the port settings keep the
  // rate they were built with, and everything else is still loaded.
  SafeCall([&] { ComPort.SetCustomBaudRate(StrToInt(savedBaudRate)); });

  std::vector<const char*> cutLists;
  loaded_.sendBefore = loadCommands(ini, kSendBefore, SendBeforeCommands);
  if (!loaded_.sendBefore) cutLists.push_back("Wyślij polecenia przed uruchomieniem aplikacji");
  bool appsCut = false;
  const int32_t apps = listCount(ini, kApplication, appsCut);
  const std::vector<std::string> entries =
      readEntries(ini, kApplication, apps, {NameKey, PathKey, ParametersKey});
  // A program listed several times (with other parameters, say) is asked for its icon, and looked
  // for when it has none, once; the later rows copy it from the row that has it.
  struct Known {
    int iconRow;  // -1: no icon
    bool missing;
  };
  std::unordered_map<std::string, Known> knownPaths;
  // Room for every icon at once: growing the image list row by row copies it again and again.
  if (Icons.Reserve(apps)) ApplicationList.SetSmallImages(&Icons);
  addRows(ApplicationList, apps, [&](int32_t i) {
    const auto at = static_cast<size_t>(i) * 3;
    const std::string& path = entries[at + 1];
    auto known = knownPaths.find(path);
    UniqueIcon icon = known == knownPaths.end()   ? ExtractFileIcon(path)
                      : known->second.iconRow < 0 ? UniqueIcon()
                                                  : Icons.GetIcon(known->second.iconRow);
    const bool missing =
        known == knownPaths.end() ? !icon && ApplicationFileMissing(path) : known->second.missing;
    int row = AddApplication(entries[at], path, entries[at + 2], icon.get(), missing);
    if (known == knownPaths.end()) knownPaths.emplace(path, Known{icon ? row : -1, missing});
  });
  ApplicationList.AutoSizeColumns();
  loaded_.applications = !appsCut;
  if (appsCut) cutLists.push_back("Uruchom program lub wyświetl listę aplikacji do uruchomienia");
  loaded_.sendAfter = loadCommands(ini, kSendAfter, SendAfterCommands);
  if (!loaded_.sendAfter) cutLists.push_back("Wyślij polecenia po zamknięciu aplikacji");

  ConnectClick();
  if (!cutLists.empty()) ShowMessage(Utf8ToWide(cutListsMessage(cutLists)));
}

void TMain::FormShown() {
  // The profile functions read a file they cannot open (or cannot reach by its name) as an empty
  // one; whether it was there is asked only now, off the way to the window.
  const std::wstring name = AnsiToWide(SettingsFileName());
  if (tooLarge_)
    ShowMessage(Utf8ToWide("Plik ustawień ") + name + Utf8ToWide(" jest za duży, aby go odczytać (ponad ") +
                AnsiToWide(IntToStr(static_cast<int>(kMaxReadSize >> 20))) +
                Utf8ToWide(" MB). Program pokazuje ustawienia domyślne."));
  else if (PresentButUnreadable(SettingsFileName()))
    ShowMessage(Utf8ToWide("Nie można odczytać pliku ustawień ") + name +
                Utf8ToWide(". Program pokazuje ustawienia domyślne."));
  else
    return;
  notRead_ = true;
}

void TMain::OKClick() {
  // Leaving the interval field clamps its text; make sure that has happened.
  if (Interval.Focused()) OK.SetFocus();
  // A file that the window does not show is replaced only when the user says so.
  if (notRead_) {
    if (!AskYesNo(Utf8ToWide("Plik ustawień ") + AnsiToWide(SettingsFileName()) +
                      Utf8ToWide(" nie został odczytany, więc okno nie pokazuje zapisanych w nim ustawień. "
                                 "Czy zastąpić go ustawieniami widocznymi w oknie?"),
                  L"Tarvenik"))
      return;
    notRead_ = false;
  }

  SaveContent content;
  content.section = kSettings;
  content.keys = {
      {kRS232Connect, flagText(Connect.Checked())},
      {kRS232Port, Port.Text()},
      {kRS232BaudRate, BaudRate.SelectedText()},
      {kCR, flagText(CR.Checked())},
      {kLF, flagText(LF.Checked())},
      {kSendBeforeFlag, flagText(SendBefore.Checked())},
      {kStartApplication, flagText(StartApplication.Checked())},
      {kInterval, IntToStr(Interval.Value())},
      {kSendAfterFlag, flagText(SendAfter.Checked())},
  };
  // A list that the window does not show whole (cut at the most rows it shows, or not reached when
  // an unforeseen error stopped loading) is kept as the file has it rather than replaced.
  if (loaded_.sendBefore) content.sections.emplace_back(kSendBefore, commandsSection(SendBeforeCommands));
  if (loaded_.applications) {
    const int n = ApplicationList.Count();
    TCustomIniFile::KeyValues values{{kCount, IntToStr(n)}};
    values.reserve(3 * static_cast<size_t>(n) + 1);
    for (int i = 0; i < n; ++i) {
      values.emplace_back(NameKey(i), ApplicationList.RowText(i, 0));
      values.emplace_back(PathKey(i), ApplicationList.RowText(i, 1));
      values.emplace_back(ParametersKey(i), ApplicationList.RowText(i, 2));
    }
    content.sections.emplace_back(kApplication, std::move(values));
  }
  if (loaded_.sendAfter) content.sections.emplace_back(kSendAfter, commandsSection(SendAfterCommands));

  SaveSettingsFile(SettingsFileName(), content, TheUiSeams().saveFileMaker);
  Application().Terminate();
}

UiSeams& TheUiSeams() {
  static UiSeams seams{MakeIniFile};
  return seams;
}
