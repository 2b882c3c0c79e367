#include "settings/SettingsSave.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/FileReplace.h"
#include "settings/ProfileSection.h"

namespace {

// Stands in for a key missing from the file: no value read from a file holds a line break.
constexpr char kMissing[] = "\n";

// Whether `read` is what reading a key back gives after `written` was stored under it.
bool readsBackAs(std::string_view written, const std::string& read) {
  return read == ValueReadBack(written, TIniFile::kReadBufferSize - 1);
}

std::vector<std::string> keysOf(const TCustomIniFile::KeyValues& values) {
  std::vector<std::string> keys;
  keys.reserve(values.size());
  for (const auto& [key, value] : values) keys.push_back(key);
  return keys;
}

bool readsBack(TCustomIniFile& ini, const std::string& section, const TCustomIniFile::KeyValues& values) {
  std::vector<std::string> read = ini.ReadTexts(section, keysOf(values), kMissing);
  for (size_t i = 0; i < values.size(); ++i)
    if (!readsBackAs(values[i].second, read[i])) return false;
  return true;
}

// Writes the content through the object, in its order, and reads every key back from the disk. A
// key that the file gives back as its value already is left as it is: each single write rewrites
// the whole file.
bool writeAndReadBack(TCustomIniFile& ini, const SaveContent& content) {
  const std::vector<std::string> present = ini.ReadTexts(content.section, keysOf(content.keys), kMissing);
  for (size_t i = 0; i < content.keys.size(); ++i) {
    const auto& [key, value] = content.keys[i];
    if (!readsBackAs(value, present[i])) ini.WriteText(content.section, key, value);
  }
  for (const auto& [section, values] : content.sections) ini.WriteSection(section, values);
  ini.FlushFile();
  if (!SyncFile(ini.FileName()) || !readsBack(ini, content.section, content.keys)) return false;
  for (const auto& [section, values] : content.sections)
    if (!readsBack(ini, section, values)) return false;
  return true;
}

// A save that was ended part way leaves its copy beside the file; it is removed once the process
// that made it no longer runs.
void removeOrphanedCopies(const std::string& path) {
  const std::string prefix = path + ".tmp";
  for (const std::string& file : FilesStartingWith(prefix))
    if (auto maker = CopyMaker(std::string_view(file).substr(prefix.size())); maker && !ProcessRuns(*maker))
      RemoveFile(file);
}

}  // namespace

std::optional<uint32_t> CopyMaker(std::string_view name) {
  const size_t dash = name.find('-');
  const std::string_view process = name.substr(0, dash);
  auto digits = [](std::string_view s) {
    return !s.empty() && s.size() <= 20 && s.find_first_not_of("0123456789") == std::string_view::npos;
  };
  if (dash == std::string_view::npos || !digits(process) || !digits(name.substr(dash + 1)) ||
      process.size() > 10)
    return std::nullopt;
  uint64_t id = 0;
  for (char c : process) id = id * 10 + static_cast<uint64_t>(c - '0');
  if (id == 0 || id > UINT32_MAX) return std::nullopt;
  return static_cast<uint32_t>(id);
}

std::unique_ptr<TCustomIniFile> MakeIniFile(const std::string& fileName) {
  return std::make_unique<TIniFile>(fileName);
}

void SaveSettingsFile(const std::string& path, const SaveContent& content, const IniFileMaker& makeIniFile) {
  // A link, in the folders or the file itself, stays: the file it leads to gets the new settings.
  const std::string file = FinalFile(path);
  // A read-only file stays as it is, whether or not its folder would let us replace it.
  if (ProbeFile(file).kind != FileProbe::Kind::Absent && !MayWriteFile(file)) RaiseIniWriteError(path);
  removeOrphanedCopies(file);
  NoCopy why = NoCopy::Failed;
  const std::optional<std::string> copy = CopyBeside(file, why);
  // An installation folder may have been opened to users for the file alone, and a file with
  // other names or rights of its own keeps them only so: write it in place.
  if (!copy && !(why != NoCopy::Failed && MayWriteFile(file))) RaiseIniWriteError(path);
  struct Discard {
    const std::optional<std::string>& copy;
    bool keep = false;
    ~Discard() {
      if (copy && !keep) RemoveFile(*copy);
    }
  } discard{copy};

  bool written = false;
  try {
    std::unique_ptr<TCustomIniFile> ini = makeIniFile(copy ? *copy : file);
    written = writeAndReadBack(*ini, content);
  } catch (const EIniFileException&) {
    written = false;  // reported below under the settings file's own name
  }
  if (!written || (copy && !MoveOver(*copy, file))) RaiseIniWriteError(path);
  discard.keep = true;
}
