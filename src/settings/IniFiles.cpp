#include "settings/IniFiles.h"

#include <algorithm>

#include "settings/IntText.h"
#include "settings/Profile.h"
#include "toolkit/ResStrings.h"

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

void TCustomIniFile::raiseWriteError() const {
  throw EIniFileException(FormatText(LoadResString(ResId::IniFileWriteError), {fileName_}));
}

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
  // value.c_str() is never null: an empty value stays a key with an empty value.
  if (!ProfileWriteString(section.c_str(), key.c_str(), value.c_str(), FileName().c_str())) raiseWriteError();
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
