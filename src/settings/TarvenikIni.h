#pragma once
// The settings file the launcher reads: where it lies, its sections, keys and defaults, and the
// key names of list entries. Loading and saving take every name from here.
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvenik_ini {

inline constexpr char kFileName[] = "Tarvenik.ini";

// Sections.
inline constexpr char kSettings[] = "Settings";
inline constexpr char kSendBefore[] = "SendBefore";
inline constexpr char kSendAfter[] = "SendAfter";
inline constexpr char kApplication[] = "Application";

// Keys of "Settings", each with its default.
inline constexpr char kRS232Connect[] = "RS232Connect";
inline constexpr bool kDefaultRS232Connect = true;
inline constexpr char kRS232Port[] = "RS232Port";
inline constexpr char kDefaultRS232Port[] = "";
inline constexpr char kRS232BaudRate[] = "RS232BaudRate";
inline constexpr char kDefaultRS232BaudRate[] = "9600";
inline constexpr char kCR[] = "CR";
inline constexpr bool kDefaultCR = true;
inline constexpr char kLF[] = "LF";
inline constexpr bool kDefaultLF = true;
inline constexpr char kSendBeforeFlag[] = "SendBefore";
inline constexpr bool kDefaultSendBefore = true;
inline constexpr char kStartApplication[] = "StartApplication";
inline constexpr bool kDefaultStartApplication = true;
inline constexpr char kInterval[] = "Interval";
inline constexpr int32_t kDefaultInterval = 5;
inline constexpr char kSendAfterFlag[] = "SendAfter";
inline constexpr bool kDefaultSendAfter = true;

// Keys of the list sections ("SendBefore", "SendAfter", "Application").
inline constexpr char kCount[] = "Count";
inline constexpr int32_t kDefaultCount = 0;
inline constexpr char kDefaultEntry[] = "";

// Entry i of a list: the prefix, i in plain decimal, "]".
std::string CommandKey(int index);     // "Command[i]"
std::string NameKey(int index);        // "Name[i]"
std::string PathKey(int index);        // "Path[i]"
std::string ParametersKey(int index);  // "Parameters[i]"

// "Tarvenik.ini" in `directory`, with a separator between them unless the directory is empty or
// ends with one. Both "\" and "/" end a directory on Windows, "/" elsewhere.
std::string SettingsFilePathIn(std::string_view directory);

// The directory part of an executable's full path, its separator included, followed by
// "Tarvenik.ini".
std::string SettingsFilePathFor(std::string_view executablePath);

// The settings file beside the running executable: the one the program edits.
std::string SettingsFilePath();

}  // namespace tarvenik_ini
