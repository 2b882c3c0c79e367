#include <cstdlib>
#include <cstring>

#include "catalogue/gnugettextLanguage.h"

namespace {

class TPosixLocaleQueries : public TLocaleQueries {
 public:
  std::string Environment(const char* name) const override {
    const char* value = std::getenv(name);
    return value ? value : "";
  }
  // The user's locale is the first of LC_ALL and LC_MESSAGES that is set, read as
  // language_COUNTRY[.codeset][@modifier]; answers as GetLocaleInfoA would.
  int UserLocaleInfo(uint32_t item, char* buffer, int size) const override {
    std::string locale = Environment("LC_ALL");
    if (locale.empty()) locale = Environment("LC_MESSAGES");
    locale = locale.substr(0, locale.find_first_of(".@"));
    size_t underscore = locale.find('_');
    if (underscore == std::string::npos) return 0;
    std::string part = item == kLocaleSIso639LangName    ? locale.substr(0, underscore)
                       : item == kLocaleSIso3166CtryName ? locale.substr(underscore + 1)
                                                         : std::string();
    if (part.empty() || static_cast<int>(part.size()) + 1 > size) return 0;
    std::memcpy(buffer, part.c_str(), part.size() + 1);
    return static_cast<int>(part.size()) + 1;
  }
  uint32_t ThreadLocale() const override { return 0; }  // not in the table: "C"
};

}  // namespace

const TLocaleQueries& SystemLocaleQueries() {
  static const TPosixLocaleQueries queries;
  return queries;
}
