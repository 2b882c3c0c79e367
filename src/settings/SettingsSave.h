#pragma once
// A save of the settings file that is whole or not at all. Every write of the save goes to a copy
// of the file beside it, through the profile file object; the copy is written out to the disk,
// read back and compared with what was written, and only then put in the file's place in one
// step. Whoever reads the file meanwhile, or after the program was ended part way, finds the old
// file or the whole new one.
#include <cstdint>
#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/IniFiles.h"

// What one save writes, in this order: keys of one section one by one, then whole sections,
// each erased and written anew.
struct SaveContent {
  std::string section;
  TCustomIniFile::KeyValues keys;
  std::vector<std::pair<std::string, TCustomIniFile::KeyValues>> sections;
};

// Makes the profile file object for a file name.
using IniFileMaker = std::function<std::unique_ptr<TCustomIniFile>(const std::string& fileName)>;

// Writes `content` into the settings file at `path` as described above. Where the folder does
// not let us create the copy but the file itself may be written, the writes go to the file
// itself and are read back the same way. Any failure, a difference read back included, raises
// EIniFileException with "Unable to write to" and `path`; the copy is then removed and the file
// is as it was (unless it was written in place).
void SaveSettingsFile(const std::string& path, const SaveContent& content, const IniFileMaker& makeIniFile);

// A profile file object on the platform's profile functions.
std::unique_ptr<TCustomIniFile> MakeIniFile(const std::string& fileName);

// The process that made a copy of the file whose name is the file's path, ".tmp" and `name`, when
// `name` has the form a save gives its copies: the process identifier, "-" and a number.
std::optional<uint32_t> CopyMaker(std::string_view name);
