#pragma once
// Our own profile functions over a plain text file, with the contract of the platform's
// (ProfileFunctions.h): the layout rules are ParsedProfile's, the file operations FileReplace's.
//
// Every write re-examines the file, edits its current text and replaces it atomically on the
// disk before returning; a failure leaves the file as it was. Reads use the parsed file kept
// from the last look and look at the disk again (size, time stamp, identity; the content too
// while the time stamp is too recent to tell) once recheckInterval has passed since the last
// look or after a flush, so another program's edit is seen without re-parsing for every key.
#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>

#include "settings/posix/ParsedProfile.h"
#include "settings/FileReplace.h"

class ProfileStandIn {
 public:
  static constexpr std::chrono::milliseconds kDefaultRecheckInterval{20};

  explicit ProfileStandIn(std::chrono::milliseconds recheckInterval = kDefaultRecheckInterval);

  // As ProfileGetString. A null section or key (a listing of names) places an empty text.
  size_t GetString(const char* section, const char* key, const char* defaultValue, char* buffer, size_t size,
                   const char* fileName);
  // As ProfileWriteString. A key with a null value (deleting one key) is not supported: false.
  bool WriteString(const char* section, const char* key, const char* value, const char* fileName);

 private:
  struct Loaded {
    std::string path;
    FileProbe probe;  // Absent: an empty document; Unusable: reads give defaults, writes fail
    std::unique_ptr<ParsedProfile> document;
    std::chrono::steady_clock::time_point checkedAt;
    bool mustLook = false;  // set by a flush: the next read looks at the disk whatever the time
  };

  const Loaded& look(const std::string& path, bool force);
  void loadFromDisk(const std::string& path, const FileProbe& probe);

  std::chrono::milliseconds recheckInterval_;
  std::mutex mutex_;
  std::unique_ptr<Loaded> loaded_;  // the one file last used, as the platform's functions keep it
};
