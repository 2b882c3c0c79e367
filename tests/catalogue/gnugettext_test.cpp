#include "catalogue/gnugettext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <regex>

#include "base/Exception.h"
#include "base/ResStrings.h"
#include "base/Text.h"
#include "gnugettextTestSupport.h"
#include "serial/SerialPorts.h"

namespace {

const char* kNotACatalogue = "This file is not a valid GNU gettext mo file: ";

std::string translate(TGettextLayer& layer, std::string_view text, std::string_view domain = "default") {
  return layer.Instance()->TranslateUtf8InDomain(domain, text);
}

std::string errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "<no error>";
}

class GettextLayer : public ::testing::Test {
 protected:
  std::unique_ptr<TGettextLayer> make(const std::string& lang) {
    return std::make_unique<TGettextLayer>(dir.ExePath(), LangQueries(lang), 0);
  }
  std::string catalogueName(const std::string& language, const std::string& domain = "default") {
    return dir.CataloguePath(language, domain).string();
  }
  TScratchDirectory dir;
};

}  // namespace

TEST_F(GettextLayer, WithoutCataloguesTextsStayAsBuiltApartFromLineBreaks) {
  auto l = make("pl_PL");
  const std::pair<const char*, const char*> cases[] = {
      {"Operation aborted", "Operation aborted"},
      {"bare\nLF", "bare\r\nLF"},
      {"CR LF\r\nkept", "CR LF\r\nkept"},
      {"lone\rCR", "loneCR"},
      {"", ""},
      {"\r", ""},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(translate(*l, in), out) << in;
  EXPECT_FALSE(l->Instance()->Domain("default").IsOpen());
  EXPECT_EQ(l->Instance()->TranslateInDomain("default", L"zażółć"), L"zażółć");
}

TEST_F(GettextLayer, LooksAtTheFullLanguageThenItsFirstTwoLetters) {
  struct Case {
    const char* what;
    std::vector<std::pair<const char*, const char*>> placed;  // fixture, language directory
    const char* lang;
    const char* expected;
  };
  const Case cases[] = {
      {"first candidate wins", {{"variant", "pl_PL"}, {"basic", "pl"}}, "pl_PL", "Przerwano (pl_PL)"},
      {"second candidate", {{"basic", "pl"}}, "pl_PL.UTF-8", "Operacja przerwana"},
      {"de_DE.UTF-8 finds de", {{"basic", "de"}}, "de_DE.UTF-8", "Operacja przerwana"},
      {"only a longer name present", {{"variant", "pl_PL"}}, "pl", "Operation aborted"},
      {"language C", {{"basic", "pl"}}, "C", "Operation aborted"},
      {"another language", {{"basic", "pl"}}, "en_US", "Operation aborted"},
  };
  for (const auto& c : cases) {
    TScratchDirectory d;
    for (const auto& [fixture, language] : c.placed) d.PlaceCatalogue(fixture, language);
    TGettextLayer l(d.ExePath(), LangQueries(c.lang), 0);
    EXPECT_EQ(translate(l, "Operation aborted"), c.expected) << c.what;
  }
}

TEST_F(GettextLayer, BigEndianCatalogueTranslatesLikeLittleEndian) {
  TScratchDirectory other;
  dir.PlaceCatalogue("basic", "pl");
  other.PlaceCatalogue("basic-be", "pl");
  auto little = make("pl");
  TGettextLayer big(other.ExePath(), LangQueries("pl"), 0);
  for (const char* key : {"Operation aborted", "Line one\nLine two", "a", "ab", "zebra", "émigré", "missing"})
    EXPECT_EQ(translate(big, key), translate(*little, key)) << key;
  EXPECT_EQ(translate(big, "émigré"), "emigrant");
}

TEST_F(GettextLayer, NormalisesLineBreaksBothWays) {
  dir.PlaceCatalogue("basic", "pl");
  auto l = make("pl");
  // Looked up without its CR; the translation's bare LF comes back as CR LF.
  EXPECT_EQ(translate(*l, "Line one\r\nLine two"), "Wiersz pierwszy\r\nWiersz drugi");
  EXPECT_EQ(translate(*l, "Line one\nLine two"), "Wiersz pierwszy\r\nWiersz drugi");
  // A translation that already has CR LF gets no second CR.
  EXPECT_EQ(translate(*l, "Already CR LF"), "Już\r\nrozdzielone");
}

TEST_F(GettextLayer, WrongFirstWordIsReportedAtEveryLookup) {
  auto bytes = ReadBytes<CatalogueBytes>(FixturePath("basic"));
  bytes[0] ^= 0xFF;
  dir.PlaceBytes(bytes, "pl");
  auto l = make("pl");
  std::string expected = kNotACatalogue + catalogueName("pl");
  EXPECT_EQ(errorOf([&] { translate(*l, "Operation aborted"); }), expected);
  // Tried again, and refused again.
  EXPECT_EQ(errorOf([&] { translate(*l, "OK"); }), expected);
}

TEST_F(GettextLayer, DamagedCataloguesAreRefusedNotRead) {
  auto good = ReadBytes<CatalogueBytes>(FixturePath("basic"));
  const std::pair<const char*, std::function<void(std::vector<unsigned char>&)>> cases[] = {
      {"truncated header", [](auto& b) { b.resize(12); }},
      {"truncated strings", [](auto& b) { b.resize(b.size() - 1); }},
      {"N huge", [](auto& b) { b[8] = b[9] = b[10] = b[11] = 0xFF; }},
      {"T past the end", [](auto& b) { b[19] = 0x7F; }},
      {"string offset past the end",
       [](auto& b) {
         uint32_t o;
         std::memcpy(&o, &b[12], 4);
         b[o + 4 + 3] = 0x40;  // first original's offset gains 1 GiB
       }},
  };
  for (const auto& [what, damage] : cases) {
    TScratchDirectory d;
    auto bytes = good;
    damage(bytes);
    d.PlaceBytes(bytes, "pl");
    TGettextLayer l(d.ExePath(), LangQueries("pl"), 0);
    EXPECT_EQ(errorOf([&] { translate(l, "Operation aborted"); }),
              kNotACatalogue + d.CataloguePath("pl", "default").string())
        << what;
  }
}

TEST_F(GettextLayer, EmptyFileCannotBeMapped) {
  dir.PlaceBytes({}, "pl");
  auto l = make("pl");
  EXPECT_EQ(errorOf([&] { translate(*l, "Operation aborted"); }),
            "Cannot create memory map on file " + catalogueName("pl"));
}

TEST_F(GettextLayer, TranslationThatIsNotUtf8RaisesCouldNotTranslate) {
  dir.PlaceCatalogue("latin2", "pl");
  auto l = make("pl");
  EXPECT_EQ(errorOf([&] { translate(*l, "Operation aborted"); }),
            "Error: Could not translate Operation aborted. Probably because the mo file doesn't "
            "contain utf-8 encoded translations.");
  EXPECT_EQ(translate(*l, "Not in it"), "Not in it");
}

TEST_F(GettextLayer, CatalogueWithoutMessagesTranslatesNothing) {
  dir.PlaceCatalogue("empty", "pl");
  auto l = make("pl");
  EXPECT_EQ(translate(*l, "Operation aborted"), "Operation aborted");
  EXPECT_TRUE(l->Instance()->Domain("default").IsOpen());
  EXPECT_EQ(translate(*l, ""), "");  // never the header entry
}

TEST_F(GettextLayer, DomainThatFoundNothingDoesNotSearchAgainUntilLanguageChanges) {
  auto l = make("pl");
  EXPECT_EQ(translate(*l, "Operation aborted"), "Operation aborted");
  dir.PlaceCatalogue("basic", "pl");
  EXPECT_EQ(translate(*l, "Operation aborted"), "Operation aborted") << "not searched for again";
  l->Instance()->UseLanguage("pl");
  EXPECT_EQ(translate(*l, "Operation aborted"), "Operacja przerwana");
  EXPECT_TRUE(l->Instance()->Domain("default").IsOpen());
}

TEST_F(GettextLayer, ResourceStringsTryDefaultBeforeCport) {
  dir.PlaceCatalogue("basic", "pl");
  dir.PlaceCatalogue("cport", "pl", "cport");
  auto l = make("pl");
  l->AddResourceStringDomain("cport");
  const std::pair<const char*, const char*> cases[] = {
      {"Operation aborted", "Operacja przerwana"},  // both translate it: "default" wins
      {"Only in cport", "Tylko w cport"},
      {"Only in default", "Tylko w default"},
      {"In neither", "In neither"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(l->ResourceStringTranslationUtf8(in), out);
  EXPECT_EQ(l->Instance()->TranslateInDomain("cport", L"Operation aborted"), L"Przerwano w cport");
  l->Release();
  EXPECT_EQ(l->ResourceStringTranslationUtf8("Operation aborted"), "Operation aborted");
}

TEST_F(GettextLayer, OwnErrorTextsUseTheOpenDefaultCatalogue) {
  dir.PlaceCatalogue("polish", "pl");
  auto bytes = ReadBytes<CatalogueBytes>(FixturePath("cport"));
  bytes[3] = 0;
  dir.PlaceBytes(bytes, "pl", "cport");
  auto l = make("pl");
  EXPECT_EQ(translate(*l, "Operation aborted"), "Operacja przerwana");
  std::string message = errorOf([&] { translate(*l, "Registry error", "cport"); });
  // The 8-bit message is in the system code page, so compare its ASCII head only.
  EXPECT_EQ(message.substr(0, 15), "Ten plik nie je") << message;
  EXPECT_NE(message.find(catalogueName("pl", "cport")), std::string::npos);
}

// Every built-in text has a Polish translation with the same placeholders.
TEST(PolishCatalogue, TranslatesEveryBuiltInText) {
  auto bytes = ReadBytes<CatalogueBytes>(FixturePath("polish"));
  TMoCatalogue c;
  ASSERT_TRUE(c.Attach(bytes.data(), bytes.size()));
  std::vector<std::string> texts = GettextOwnTexts();
  for (size_t i = 0; i < static_cast<size_t>(ResId::Count); ++i)
    texts.push_back(BuiltinText(static_cast<ResId>(i)));
  texts.push_back("Registry error");
  texts.push_back(" (win error code: %d)");
  std::regex placeholder("%[sd]");
  auto placeholders = [&](std::string_view s) {
    std::string out;
    for (auto it = std::regex_iterator<std::string_view::const_iterator>(s.begin(), s.end(), placeholder);
         it != decltype(it)(); ++it)
      out += it->str();
    return out;
  };
  for (const auto& text : texts) {
    auto found = c.Find(text);
    ASSERT_TRUE(found.has_value()) << "no Polish text for \"" << text << "\" in locale/pl/default.po";
    EXPECT_TRUE(IsWellFormedUtf8(*found)) << text;
    EXPECT_EQ(placeholders(*found), placeholders(text)) << text;
  }
}

TEST(GettextSetUp, TranslatesTheClassLibraryTextsUntilTheEnd) {
  TScratchDirectory dir;
  dir.PlaceCatalogue("basic", "pl");
  dir.PlaceCatalogue("cport", "pl", "cport");
  // Found only under the language's full name: "pl_PL", without the codeset.
  dir.PlaceCatalogue("variant", "pl_PL", "probe");
  EXPECT_EQ(LoadResString(ResId::OperationAborted), "Operation aborted");
  GettextSetUp(dir.ExePath(), LangQueries("pl_PL.UTF-8"), 0);
  ASSERT_NE(Gettext(), nullptr);
  AddResourceStringDomain("cport");
  EXPECT_EQ(Gettext()->Instance()->TranslateUtf8InDomain("probe", "Operation aborted"), "Przerwano (pl_PL)");
  // Domain names are one whatever their letter case.
  EXPECT_EQ(&Gettext()->Instance()->Domain("DEFAULT"), &Gettext()->Instance()->Domain("default"));
  EXPECT_EQ(LoadResString(ResId::OperationAborted), "Operacja przerwana");
  EXPECT_EQ(ResourceStringTranslateAnsi("Only in cport"), "Tylko w cport");
  EXPECT_EQ(TranslateAnsi("Only in cport"), "Only in cport");  // the current domain is "default"
  EXPECT_EQ(FormatText(LoadResString(ResId::IniFileWriteError), {"T.ini"}),
            FormatText(TranslateAnsi("Unable to write to %s"), {"T.ini"}));
  GettextEnd();
  EXPECT_EQ(Gettext(), nullptr);
  EXPECT_EQ(LoadResString(ResId::OperationAborted), "Operation aborted");
  EXPECT_EQ(TranslateAnsi("Operation aborted"), "Operation aborted");
  GettextEnd();  // a second end is harmless
}

// The serial support's texts come from "default" only, although "cport" translates them too: the
// first once at start, the suffix each time an error is made.
TEST(GettextSetUp, SerialTextsComeFromTheDefaultDomain) {
  for (const char* fixture : {"basic", "polish"}) {
    SCOPED_TRACE(fixture);
    TScratchDirectory dir;
    dir.PlaceCatalogue(fixture, "pl");
    dir.PlaceCatalogue("cport", "pl", "cport");
    GettextSetUp(dir.ExePath(), LangQueries("pl"), 0);
    SerialSupportStart();
    const bool polish = std::string(fixture) == "polish";
    EXPECT_EQ(RegistryError(2).Message(),
              WideToAnsi(Utf8ToWide(polish ? "Błąd rejestru (kod błędu systemu Windows: 2)"
                                           : "Registry error (win error code: 2)")));
    GettextEnd();
    EXPECT_EQ(RegistryError(2).Message(),
              WideToAnsi(Utf8ToWide(polish ? "Błąd rejestru (win error code: 2)"
                                           : "Registry error (win error code: 2)")));
  }
}

TEST(GettextSetUp, AFailedTranslationGivesTheTextAsBuiltAndItsProblemIsToldOnce) {
  TScratchDirectory dir;
  dir.PlaceBytes(
      {'n', 'o', 't', ' ', 'a', ' ', 'c', 'a', 't', 'a', 'l', 'o', 'g', 'u', 'e', '!', '!', '!', '!', '!'},
      "pl");
  GettextSetUp(dir.ExePath(), LangQueries("pl"), 0);
  EXPECT_EQ(LoadResString(ResId::MsgDlgOK), "OK");
  EXPECT_EQ(TranslateAnsi("Operation aborted"), "Operation aborted");
  EXPECT_EQ(TakeCatalogueProblem(), kNotACatalogue + dir.CataloguePath("pl", "default").string());
  EXPECT_EQ(LoadResString(ResId::MsgDlgOK), "OK");
  EXPECT_EQ(TakeCatalogueProblem(), std::nullopt);
  GettextEnd();
  EXPECT_EQ(LoadResString(ResId::MsgDlgOK), "OK");
}
