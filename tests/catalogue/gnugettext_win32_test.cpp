#include <gtest/gtest.h>
#include <windows.h>

#include "base/Exception.h"
#include "gnugettextTestSupport.h"
#include "catalogue/FileMap.h"
#include "catalogue/gnugettext.h"
#include "catalogue/gnugettextLanguage.h"

namespace {

// Sets an environment variable for one test and puts the old value back.
class TScopedEnvironment {
 public:
  TScopedEnvironment(const char* name, const char* value) : name_(name) {
    char buffer[1024];
    DWORD n = GetEnvironmentVariableA(name, buffer, sizeof buffer);
    had_ = n > 0 && n < sizeof buffer;
    if (had_) old_.assign(buffer, n);
    SetEnvironmentVariableA(name, value);
  }
  ~TScopedEnvironment() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

}  // namespace

TEST(WindowsLanguage, LangWinsAndLosesItsCodeset) {
  TScopedEnvironment lang("LANG", "pl_PL.UTF-8");
  EXPECT_EQ(ChooseLanguage(SystemLocaleQueries()), "pl_PL");
  const std::string longer(1500, 'x');  // more than the first read takes
  TScopedEnvironment longLang("LANG", longer.c_str());
  EXPECT_EQ(ChooseLanguage(SystemLocaleQueries()), longer);
}

TEST(WindowsLanguage, WithoutLangTheUserLocaleOrThreadLocaleDecides) {
  TScopedEnvironment lang("LANG", nullptr);
  char language[5] = {}, country[5] = {};
  std::string expected;
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO639LANGNAME, language, 5) == 3 &&
      GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SISO3166CTRYNAME, country, 5) == 3)
    expected = std::string(language) + "_" + country;
  else
    expected = LanguageFromLocaleId(GetThreadLocale());
  EXPECT_EQ(ChooseLanguage(SystemLocaleQueries()), expected);
  EXPECT_EQ(SystemLocaleQueries().ThreadLocale(), GetThreadLocale());
}

TEST(WindowsFileMap, MapsWholeFilesAndReportsEachFailingStep) {
  TScratchDirectory dir;
  std::string reason;
  TFileMap map;
  EXPECT_EQ(map.Open((dir.Path() / "missing.mo").string(), reason), TFileMap::Failure::Open);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(map.Data(), nullptr);

  WriteBytes(dir.Path() / "empty.mo", {});
  EXPECT_EQ(map.Open((dir.Path() / "empty.mo").string(), reason), TFileMap::Failure::CreateMapping);

  auto bytes = ReadBytes<CatalogueBytes>(FixturePath("basic"));
  ASSERT_EQ(map.Open(FixturePath("basic").string(), reason), TFileMap::Failure::None);
  ASSERT_EQ(map.Size(), bytes.size());
  EXPECT_EQ(std::vector<unsigned char>(map.Data(), map.Data() + map.Size()), bytes);
  // Shared read access: another reader may open it while it is mapped.
  HANDLE other = CreateFileA(FixturePath("basic").string().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(other, INVALID_HANDLE_VALUE);
  if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
  map.Close();
  EXPECT_FALSE(FileExists(dir.Path().string()));
  EXPECT_TRUE(FileExists(FixturePath("basic").string()));
}

TEST(WindowsGettext, MissingCatalogueFileIsReportedWithItsName) {
  // A directory where the catalogue should be: it exists, but not as a file, so it is skipped.
  TScratchDirectory dir;
  std::filesystem::create_directories(dir.CataloguePath("pl", "default"));
  TGettextLayer l(dir.ExePath(), LangQueries("pl"), 0);
  EXPECT_EQ(l.Instance()->TranslateUtf8InDomain("default", "OK"), "OK");
  // Not searched for again: a catalogue put there now is not found.
  std::filesystem::remove_all(dir.CataloguePath("pl", "default"));
  dir.PlaceCatalogue("basic", "pl");
  EXPECT_EQ(l.Instance()->TranslateUtf8InDomain("default", "Operation aborted"), "Operation aborted");
}

TEST(WindowsGettext, LockedCatalogueCannotBeOpened) {
  TScratchDirectory dir;
  dir.PlaceCatalogue("basic", "pl");
  std::string path = dir.CataloguePath("pl", "default").string();
  HANDLE exclusive =
      CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  TGettextLayer l(dir.ExePath(), LangQueries("pl"), 0);
  try {
    l.Instance()->TranslateUtf8InDomain("default", "OK");
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path);
  }
  CloseHandle(exclusive);
  EXPECT_EQ(l.Instance()->TranslateUtf8InDomain("default", "Operation aborted"), "Operacja przerwana");
}
