#include "settings/Profile.h"
#include "settings/TextProfile.h"

namespace {

// The platform's profile functions are process-wide, and so is their one parsed file here.
TextProfile& processProfile() {
  static TextProfile profile;
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
