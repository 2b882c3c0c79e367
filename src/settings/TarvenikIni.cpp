#include "settings/TarvenikIni.h"

#include "base/ExecutablePath.h"
#include "base/IntText.h"

namespace tarvenik_ini {

namespace {

std::string entryKey(std::string_view prefix, int index) {
  std::string key(prefix);
  key += IntToStr(index);
  key += ']';
  return key;
}

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/";
constexpr char kSeparator = '\\';
#else
constexpr std::string_view kSeparators = "/";
constexpr char kSeparator = '/';
#endif

}  // namespace

std::string CommandKey(int index) { return entryKey("Command[", index); }
std::string NameKey(int index) { return entryKey("Name[", index); }
std::string PathKey(int index) { return entryKey("Path[", index); }
std::string ParametersKey(int index) { return entryKey("Parameters[", index); }

std::string SettingsFilePathIn(std::string_view directory) {
  std::string path(directory);
  if (!path.empty() && kSeparators.find(path.back()) == std::string_view::npos) path += kSeparator;
  path += kFileName;
  return path;
}

std::string SettingsFilePathFor(std::string_view executablePath) {
  size_t separator = executablePath.find_last_of(kSeparators);
  return SettingsFilePathIn(separator == std::string_view::npos ? std::string_view()
                                                                : executablePath.substr(0, separator + 1));
}

std::string SettingsFilePath() { return SettingsFilePathFor(ExecutablePath()); }

}  // namespace tarvenik_ini
