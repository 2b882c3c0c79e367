#include "settings/TarvenikIni.h"

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
#else
constexpr std::string_view kSeparators = "/";
#endif

}  // namespace

std::string CommandKey(int index) { return entryKey("Command[", index); }
std::string NameKey(int index) { return entryKey("Name[", index); }
std::string PathKey(int index) { return entryKey("Path[", index); }
std::string ParametersKey(int index) { return entryKey("Parameters[", index); }

std::string SettingsFilePathFor(std::string_view executablePath) {
  size_t separator = executablePath.find_last_of(kSeparators);
  std::string path(separator == std::string_view::npos ? std::string_view()
                                                       : executablePath.substr(0, separator + 1));
  path += kFileName;
  return path;
}

std::string SettingsFilePath() { return SettingsFilePathFor(ExecutablePath()); }

}  // namespace tarvenik_ini
