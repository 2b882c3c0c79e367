#include "catalogue/gnugettextLanguage.h"

#include <algorithm>
#include <iterator>

namespace {

struct LocaleName {
  uint32_t id;
  const char* language;
};

constexpr LocaleName kThreadLocales[] = {
    {1030, "da_DK"}, {1031, "de_DE"}, {1032, "gr_GR"}, {1033, "en_US"}, {1034, "es_ES"},
    {1035, "fi_FI"}, {1036, "fr_FR"}, {1039, "is_IS"}, {1040, "it_IT"}, {1042, "ko_KO"},
    {1043, "nl_NL"}, {1044, "no_NO"}, {1045, "pl_PL"}, {1046, "pt_BR"}, {1049, "ru_RU"},
    {1053, "sv_SE"}, {2057, "en_UK"}, {2060, "fr_BE"}, {2067, "nl_BE"}, {2068, "nn_NO"},
    {2070, "pt_PT"}, {2077, "fi_SE"}, {3082, "es_ES"}, {3084, "fr_CA"}, {4103, "de_LU"},
};

// "pl_PL" when both names come back as two letters, else empty.
std::string userLocaleLanguage(const TLocaleQueries& queries) {
  char language[5] = {};
  char country[5] = {};
  if (queries.UserLocaleInfo(kLocaleSIso639LangName, language, sizeof language) != 3 ||
      queries.UserLocaleInfo(kLocaleSIso3166CtryName, country, sizeof country) != 3)
    return {};
  return std::string(language, 2) + "_" + std::string(country, 2);
}

}  // namespace

std::string LanguageFromLocaleId(uint32_t localeId) {
  auto it = std::find_if(std::begin(kThreadLocales), std::end(kThreadLocales),
                         [&](const LocaleName& n) { return n.id == localeId; });
  return it != std::end(kThreadLocales) ? it->language : "C";
}

std::string ChooseLanguage(const TLocaleQueries& queries) {
  std::string language = queries.Environment("LANG");
  if (language.empty()) language = userLocaleLanguage(queries);
  if (language.empty()) language = LanguageFromLocaleId(queries.ThreadLocale());
  if (auto dot = language.find('.'); dot != std::string::npos) language.erase(dot);
  return language;
}
