#include "settings/IniFiles.h"

#include <algorithm>
#include <unordered_map>

#include "base/IntText.h"
#include "base/ResStrings.h"
#include "settings/Profile.h"

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

// Qualified: during destruction the call must be this class's flush, and saying so is clearer.
TIniFile::~TIniFile() { TIniFile::FlushFile(); }

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) {
  char buffer[kReadBufferSize];
  size_t n = ProfileGetString(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, sizeof buffer,
                              FileName().c_str());
  return std::string(buffer, std::min(n, sizeof buffer - 1));
}

void TIniFile::WriteText(const std::string& section, const std::string& key, const std::string& value) {
  // c_str() is never null: an empty value stays a key with an empty value.
  if (!ProfileWriteString(section.c_str(), key.c_str(), firstLine(value).c_str(), FileName().c_str()))
    raiseWriteError();
}

void TIniFile::RemoveSection(const std::string& section) {
  if (!ProfileWriteString(section.c_str(), nullptr, nullptr, FileName().c_str())) raiseWriteError();
}

void TIniFile::FlushFile() noexcept {
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

namespace {

// ASCII letters only: the keys this program asks for are ASCII.
std::string foldCase(std::string s) {
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

std::vector<std::string> TIniFile::ReadTexts(const std::string& section, const std::vector<std::string>& keys,
                                             const std::string& defaultValue) {
  // With few keys, or where the platform cannot read a section at once, go key by key.
  auto lines = keys.size() < 16 ? std::nullopt : ProfileGetSection(section.c_str(), FileName().c_str());
  if (!lines) return TCustomIniFile::ReadTexts(section, keys, defaultValue);
  // As a single read gives it: the first of repeated keys, letter case ignored, one pair of
  // matching quotation marks dropped, cut to the read buffer.
  std::unordered_map<std::string, const std::string*> byKey;
  byKey.reserve(lines->size());
  for (const auto& [key, value] : *lines) byKey.emplace(foldCase(key), &value);
  std::vector<std::string> values;
  values.reserve(keys.size());
  for (const std::string& key : keys) {
    auto it = byKey.find(foldCase(key));
    if (it == byKey.end()) {
      values.push_back(defaultValue.substr(0, kReadBufferSize - 1));
      continue;
    }
    std::string v = *it->second;
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
      v = v.substr(1, v.size() - 2);
    if (v.size() > kReadBufferSize - 1) v.resize(kReadBufferSize - 1);
    values.push_back(std::move(v));
  }
  return values;
}

void TIniFile::WriteSection(const std::string& section, const KeyValues& values) {
  KeyValues lines;
  lines.reserve(values.size());
  for (const auto& [key, value] : values) lines.emplace_back(key, firstLine(value));
  bool ok = false;
  if (!ProfileWriteSection(section.c_str(), lines, FileName().c_str(), ok)) {
    TCustomIniFile::WriteSection(section, values);
    return;
  }
  if (!ok) raiseWriteError();
}
