#include "catalogue/gnugettextLanguage.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "gnugettextTestSupport.h"

TEST(ChooseLanguage, FollowsLangThenUserLocaleThenThreadLocale) {
  struct Case {
    const char* what;
    std::string lang, isoLanguage, isoCountry;
    uint32_t threadLocale;
    const char* expected;
  };
  const Case cases[] = {
      {"LANG as it is", "de_DE", "pl", "PL", 1045, "de_DE"},
      {"LANG cut at the first dot", "pl_PL.UTF-8", "", "", 0, "pl_PL"},
      {"LANG cut at the first of two dots", "sr_RS.UTF-8.x", "", "", 0, "sr_RS"},
      {"LANG C.UTF-8", "C.UTF-8", "", "", 0, "C"},
      {"empty LANG: the user's locale", "", "pl", "PL", 1033, "pl_PL"},
      {"user locale query failing: the thread locale", "", "", "", 1045, "pl_PL"},
      {"only the language known", "", "pl", "", 1031, "de_DE"},
      {"a three-letter language is not used", "", "fil", "PH", 1036, "fr_FR"},
      {"thread locale not in the table", "", "", "", 1041, "C"},
      {"thread locale zero", "", "", "", 0, "C"},
  };
  for (const auto& c : cases) {
    TFakeLocaleQueries q;
    if (!c.lang.empty()) q.environment["LANG"] = c.lang;
    q.isoLanguage = c.isoLanguage;
    q.isoCountry = c.isoCountry;
    q.threadLocale = c.threadLocale;
    EXPECT_EQ(ChooseLanguage(q), c.expected) << c.what;
  }
}

TEST(ChooseLanguage, ThreadLocaleTable) {
  const std::pair<uint32_t, const char*> cases[] = {
      {1030, "da_DK"}, {1032, "gr_GR"}, {1033, "en_US"}, {1042, "ko_KO"}, {1045, "pl_PL"},
      {1046, "pt_BR"}, {2057, "en_UK"}, {2068, "nn_NO"}, {2077, "fi_SE"}, {3082, "es_ES"},
      {3084, "fr_CA"}, {4103, "de_LU"}, {1037, "C"},     {1029, "C"},     {4104, "C"},
  };
  for (const auto& [id, language] : cases) EXPECT_EQ(LanguageFromLocaleId(id), language) << id;
}

#ifndef _WIN32
// Outside Windows the user's locale comes from LC_ALL, then LC_MESSAGES.
TEST(ChooseLanguage, PosixEnvironmentFallbacks) {
  struct Saved {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Saved> saved;
  for (const char* n : {"LANG", "LC_ALL", "LC_MESSAGES"}) {
    const char* v = std::getenv(n);
    saved.push_back({n, v ? v : "", v != nullptr});
  }
  struct Case {
    const char *lang, *lcAll, *lcMessages, *expected;
  };
  const Case cases[] = {
      {"pl_PL.UTF-8", "de_DE.UTF-8", "", "pl_PL"},
      {"", "de_DE.UTF-8", "fr_FR", "de_DE"},
      {"", "", "fr_FR@euro", "fr_FR"},
      {"", "", "", "C"},
      {"", "C.UTF-8", "", "C"},
  };
  for (const auto& c : cases) {
    setenv("LANG", c.lang, 1);
    setenv("LC_ALL", c.lcAll, 1);
    setenv("LC_MESSAGES", c.lcMessages, 1);
    EXPECT_EQ(ChooseLanguage(SystemLocaleQueries()), c.expected)
        << c.lang << "|" << c.lcAll << "|" << c.lcMessages;
  }
  for (const auto& s : saved) {
    if (s.set)
      setenv(s.name, s.value.c_str(), 1);
    else
      unsetenv(s.name);
  }
}
#endif
