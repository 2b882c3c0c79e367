#include "settings/ProfileFunctions.h"
#include "settings/posix/ProfileStandIn.h"

namespace {

// The platform's profile functions are process-wide, and so is their one parsed file here.
ProfileStandIn& processProfile() {
  static ProfileStandIn profile;
  return profile;
}

}  // namespace

size_t ProfileGetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                        size_t size, const char* fileName) {
  return processProfile().GetString(section, key, defaultValue, buffer, size, fileName);
}

bool ProfileWriteString(const char* section, const char* key, const char* value, const char* fileName) {
  return processProfile().WriteString(section, key, value, fileName);
}

// Our own profile file keeps the parsed file, so key-by-key access is already quick.
std::optional<std::vector<std::pair<std::string, std::string>>> ProfileGetSection(const char*, const char*) {
  return std::nullopt;
}

bool ProfileWriteSection(const char*, const std::vector<std::pair<std::string, std::string>>&, const char*,
                         bool&) {
  return false;
}
