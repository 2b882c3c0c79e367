#pragma once
// The choice of the catalogue language at start-up. The system queries are behind an interface
// so the rule can be exercised with any answers.
#include <cstdint>
#include <string>

class TLocaleQueries {
 public:
  virtual ~TLocaleQueries() = default;
  // The environment variable's value, empty when it is not set.
  virtual std::string Environment(const char* name) const = 0;
  // GetLocaleInfoA for the user's default locale: copies the item with its terminator into
  // `buffer` and returns the characters written, terminator included, or 0 on failure.
  virtual int UserLocaleInfo(uint32_t item, char* buffer, int size) const = 0;
  // GetThreadLocale.
  virtual uint32_t ThreadLocale() const = 0;
};

constexpr uint32_t kLocaleSIso639LangName = 0x59;
constexpr uint32_t kLocaleSIso3166CtryName = 0x5A;

// "LANG"; else the user's locale as language_COUNTRY; else the thread locale's entry in the
// table ("C" when it has none). Everything from the first "." is dropped.
std::string ChooseLanguage(const TLocaleQueries& queries);

// The language for a Windows locale identifier; "C" for one not in the table.
std::string LanguageFromLocaleId(uint32_t localeId);

// The queries answered by this system. On Windows the real calls; elsewhere the user's locale is
// taken from LC_ALL, then LC_MESSAGES (language_COUNTRY form), and there is no thread locale.
const TLocaleQueries& SystemLocaleQueries();
