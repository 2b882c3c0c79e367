#include "settings/SettingsSave.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>

#include "base/AsciiText.h"
#include "settings/FileReplace.h"
#include "settings/ProfileSection.h"
#include "settings/posix/ParsedProfile.h"

namespace {

// Stands in for a key missing from the file: no value read from a file holds a line break.
constexpr char kMissing[] = "\n";

// Whether `read` is what reading a key back gives after `written` was stored under it.
bool readsBackAs(std::string_view written, std::string_view read) {
  return read == ValueReadBack(written, TIniFile::kReadBufferSize - 1);
}

std::vector<std::string> keysOf(const TCustomIniFile::KeyValues& values) {
  std::vector<std::string> keys;
  keys.reserve(values.size());
  for (const auto& [key, value] : values) keys.push_back(key);
  return keys;
}

// Whether the text has lines that a section read does not give back: comments and lines that are
// neither a section's name nor "key=value". A section written anew from its read would lose them.
bool hasOtherLines(std::string_view text) {
  while (!text.empty()) {
    const size_t end = text.find_first_of("\r\n");
    const std::string_view line = TrimBlanks(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty()) continue;
    if (line.front() == '['
            ? line.find(']') == std::string_view::npos
            : line.front() == ';' || line.front() == '#' || line.find('=') == std::string_view::npos)
      return true;
  }
  return false;
}

// Sets the keys of the section whose present values do not read back as given. Each write of the
// profile functions rewrites the whole file: where the file holds nothing but sections and
// "key=value" lines, the section is written once, its present lines kept and the keys set in them
// as single writes would set them; otherwise key by key.
void writeKeys(TCustomIniFile& ini, const SaveContent& content) {
  const std::optional<std::string> text = ReadWholeFile(ini.FileName());
  std::optional<TCustomIniFile::KeyValues> lines =
      text && !hasOtherLines(*text) ? ini.ReadSection(content.section) : std::nullopt;
  const std::vector<std::string> present =
      lines ? SectionTexts(*lines, keysOf(content.keys), kMissing, TIniFile::kReadBufferSize - 1)
            : ini.ReadTexts(content.section, keysOf(content.keys), kMissing);
  bool changed = false;
  for (size_t i = 0; i < content.keys.size(); ++i) {
    const std::string &key = content.keys[i].first, &value = content.keys[i].second;
    if (readsBackAs(value, present[i])) continue;
    changed = true;
    if (!lines) {
      ini.WriteText(content.section, key, value);
      continue;
    }
    auto same = std::find_if(lines->begin(), lines->end(),
                             [&key](const auto& line) { return SameAsciiText(line.first, key); });
    if (same != lines->end())
      same->second = value;
    else
      lines->emplace_back(key, value);
  }
  if (lines && changed) ini.WriteSection(content.section, *lines);
}

// Whether every key of the content reads back from the file on the disk as it was written: the
// file read once and looked up as the profile functions look up each key.
bool readsBack(const std::string& fileName, const SaveContent& content) {
  std::optional<std::string> text = ReadWholeFile(fileName);
  if (!text) return false;
  const ParsedProfile profile(std::move(*text));
  auto all = [&profile](const std::string& section, const TCustomIniFile::KeyValues& values) {
    for (const auto& [key, value] : values) {
      const std::optional<std::string_view> read = profile.Find(section, key);
      if (!read || !readsBackAs(value, ValueReadBack(*read, TIniFile::kReadBufferSize - 1))) return false;
    }
    return true;
  };
  if (!all(content.section, content.keys)) return false;
  for (const auto& [section, values] : content.sections)
    if (!all(section, values)) return false;
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
    const std::string& target = copy ? *copy : file;
    {
      std::unique_ptr<TCustomIniFile> ini = makeIniFile(target);
      writeKeys(*ini, content);
      for (const auto& [section, values] : content.sections) ini->WriteSection(section, values);
      ini->FlushFile();
    }  // released before the sync moves the file's time on, so that releasing does not read it again
    written = SyncFile(target) && readsBack(target, content);
  } catch (const EIniFileException&) {
    written = false;  // reported below under the settings file's own name
  }
  if (!written || (copy && !MoveOver(*copy, file))) RaiseIniWriteError(path);
  discard.keep = true;
}
