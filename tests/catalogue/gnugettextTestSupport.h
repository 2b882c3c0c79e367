#pragma once
// Helpers of the translation layer's tests: the catalogues msgfmt made beside the test
// executable, scratch directories, and locale queries with chosen answers.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "catalogue/gnugettextLanguage.h"
#include "testing/TempDir.h"

// A catalogue made from the fixtures, e.g. FixturePath("basic-be").
std::filesystem::path FixturePath(const std::string& name);

// A catalogue's bytes, as ReadBytes<CatalogueBytes>(path) gives them.
using CatalogueBytes = std::vector<unsigned char>;

// A fresh directory, removed with everything in it at the end of the test, with helpers that
// place catalogues in it.
class TScratchDirectory {
 public:
  const std::filesystem::path& Path() const { return dir_.Path(); }
  // Copies a fixture catalogue to locale/<language>/LC_MESSAGES/<domain>.mo below this directory.
  void PlaceCatalogue(const std::string& fixture, const std::string& language,
                      const std::string& domain = "default") const;
  // The bytes as locale/<language>/LC_MESSAGES/<domain>.mo.
  void PlaceBytes(const std::vector<unsigned char>& bytes, const std::string& language,
                  const std::string& domain = "default") const;
  std::filesystem::path CataloguePath(const std::string& language, const std::string& domain) const;
  // A program path inside this directory, for the layer to look beside.
  std::string ExePath() const { return (Path() / "Konfigurator.exe").string(); }

 private:
  TempDir dir_;
};

class TFakeLocaleQueries : public TLocaleQueries {
 public:
  std::map<std::string, std::string> environment;
  std::string isoLanguage, isoCountry;  // empty: the query fails
  uint32_t threadLocale = 0;

  std::string Environment(const char* name) const override;
  int UserLocaleInfo(uint32_t item, char* buffer, int size) const override;
  uint32_t ThreadLocale() const override { return threadLocale; }
};

// Locale queries that choose `language` through LANG.
TFakeLocaleQueries LangQueries(const std::string& language);
