#include "gnugettextTestSupport.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "base/ExecutablePath.h"

namespace fs = std::filesystem;

fs::path FixturePath(const std::string& name) {
  // The embedded copy of the tests runs one directory further down.
  fs::path dir = fs::path(ExecutablePath()).parent_path();
  if (!fs::exists(dir / "gettext-fixtures")) dir = dir.parent_path();
  return dir / "gettext-fixtures" / (name + ".mo");
}

fs::path TScratchDirectory::CataloguePath(const std::string& language, const std::string& domain) const {
  return Path() / "locale" / language / "LC_MESSAGES" / (domain + ".mo");
}

void TScratchDirectory::PlaceCatalogue(const std::string& fixture, const std::string& language,
                                       const std::string& domain) const {
  PlaceBytes(ReadBytes<CatalogueBytes>(FixturePath(fixture)), language, domain);
}

void TScratchDirectory::PlaceBytes(const std::vector<unsigned char>& bytes, const std::string& language,
                                   const std::string& domain) const {
  WriteBytes(CataloguePath(language, domain), bytes);
}

std::string TFakeLocaleQueries::Environment(const char* name) const {
  auto it = environment.find(name);
  return it == environment.end() ? std::string() : it->second;
}

int TFakeLocaleQueries::UserLocaleInfo(uint32_t item, char* buffer, int size) const {
  const std::string& value = item == kLocaleSIso639LangName ? isoLanguage : isoCountry;
  if (value.empty() || static_cast<int>(value.size()) + 1 > size) return 0;
  std::memcpy(buffer, value.c_str(), value.size() + 1);
  return static_cast<int>(value.size()) + 1;
}

TFakeLocaleQueries LangQueries(const std::string& language) {
  TFakeLocaleQueries q;
  q.environment["LANG"] = language;
  return q;
}
