#include "settings/IniFiles.h"

#include <algorithm>

#include "base/IntText.h"
#include "base/ResStrings.h"
#include "settings/ProfileFunctions.h"
#include "settings/ProfileSection.h"

int32_t TCustomIniFile::ReadNumber(const std::string& section, const std::string& key, int32_t defaultValue) {
  return StrToIntDef(ReadText(section, key, std::string()), defaultValue);
}

void TCustomIniFile::WriteNumber(const std::string& section, const std::string& key, int32_t value) {
  WriteText(section, key, IntToStr(value));
}

bool TCustomIniFile::ReadFlag(const std::string& section, const std::string& key, bool defaultValue) {
  return ReadNumber(section, key, defaultValue ? 1 : 0) != 0;
}

void TCustomIniFile::WriteFlag(const std::string& section, const std::string& key, bool value) {
  WriteText(section, key, value ? "1" : "0");
}

namespace {

// A value is one line: from its first line break on it is not written, so that no value can add
// keys or sections of its own.
std::string firstLine(const std::string& value) { return value.substr(0, value.find_first_of("\r\n")); }

}  // namespace

void RaiseIniWriteError(const std::string& fileName) {
  throw EIniFileException(FormatText(LoadResString(ResId::IniFileWriteError), {fileName}));
}

void TCustomIniFile::raiseWriteError() const { RaiseIniWriteError(fileName_); }

// Qualified: during destruction the call must be this class's flush, and saying so is clearer. A
// flush with nothing written since the last one would only make the profile functions read the
// whole file again.
TIniFile::~TIniFile() {
  if (unflushed_) TIniFile::FlushFile();
}

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) {
  char buffer[kReadBufferSize];
  size_t n = ProfileGetString(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, sizeof buffer,
                              FileName().c_str());
  return std::string(buffer, std::min(n, sizeof buffer - 1));
}

void TIniFile::WriteText(const std::string& section, const std::string& key, const std::string& value) {
  unflushed_ = true;
  // c_str() is never null: an empty value stays a key with an empty value.
  if (!ProfileWriteString(section.c_str(), key.c_str(), firstLine(value).c_str(), FileName().c_str()))
    raiseWriteError();
}

void TIniFile::RemoveSection(const std::string& section) {
  unflushed_ = true;
  if (!ProfileWriteString(section.c_str(), nullptr, nullptr, FileName().c_str())) raiseWriteError();
}

void TIniFile::FlushFile() noexcept {
  unflushed_ = false;
  try {
    ProfileWriteString(nullptr, nullptr, nullptr, FileName().c_str());
  } catch (...) {
    // A flush has no result worth reporting, and release must not raise.
  }
}

std::vector<std::string> TCustomIniFile::ReadTexts(const std::string& section,
                                                   const std::vector<std::string>& keys,
                                                   const std::string& defaultValue) {
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) values.push_back(ReadText(section, key, defaultValue));
  return values;
}

void TCustomIniFile::WriteSection(const std::string& section, const KeyValues& values) {
  RemoveSection(section);
  for (const auto& [key, value] : values) WriteText(section, key, value);
}

std::optional<TCustomIniFile::KeyValues> TCustomIniFile::ReadSection(const std::string&) {
  return std::nullopt;
}

std::optional<TCustomIniFile::KeyValues> TIniFile::ReadSection(const std::string& section) {
  return ProfileGetSection(section.c_str(), FileName().c_str());
}

std::vector<std::string> TIniFile::ReadTexts(const std::string& section, const std::vector<std::string>& keys,
                                             const std::string& defaultValue) {
  // Every call of the profile functions reads the file anew: from two keys on, one section read
  // costs less. With one key, or where the platform cannot read a section at once, go key by key.
  auto lines = keys.size() < 2 ? std::nullopt : ProfileGetSection(section.c_str(), FileName().c_str());
  if (!lines) return TCustomIniFile::ReadTexts(section, keys, defaultValue);
  return SectionTexts(*lines, keys, defaultValue, kReadBufferSize - 1);
}

void TIniFile::WriteSection(const std::string& section, const KeyValues& values) {
  KeyValues lines;
  lines.reserve(values.size());
  for (const auto& [key, value] : values) lines.emplace_back(key, firstLine(value));
  bool ok = false;
  unflushed_ = true;
  if (!ProfileWriteSection(section.c_str(), lines, FileName().c_str(), ok)) {
    TCustomIniFile::WriteSection(section, values);
    return;
  }
  if (!ok) raiseWriteError();
}
