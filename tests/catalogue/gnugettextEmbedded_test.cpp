#include "catalogue/gnugettextEmbedded.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "base/ExecutablePath.h"
#include "gnugettextTestSupport.h"
#include "catalogue/gnugettext.h"

namespace {

void append64(std::vector<unsigned char>& b, uint64_t v) {
  for (int i = 0; i < 8; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

// A record at the end of `b` whose name runs to `next` (0: the end of the chain).
void appendRecord(std::vector<unsigned char>& b, uint64_t next, uint64_t offset, uint64_t size,
                  const std::string& name) {
  append64(b, next);
  if (next == 0) return;
  append64(b, offset);
  append64(b, size);
  b.insert(b.end(), name.begin(), name.end());
}

bool isEmbeddedCopy() { return std::getenv("TARVENIK_EMBEDDED_COPY") != nullptr; }

}  // namespace

TEST(AssemblyAnalyzer, ReadsTheRecordChain) {
  TScratchDirectory dir;
  std::vector<unsigned char> b(100, 'x');
  const std::string first = " locale\\pl\\LC_MESSAGES\\default.mo\r\n";
  const std::string second = "locale\\pl\\LC_MESSAGES\\cport.mo";
  appendRecord(b, 100 + 24 + first.size(), 10, 20, first);
  appendRecord(b, b.size() + 24 + second.size(), 30, 40, second);
  appendRecord(b, 0, 0, 0, "");
  std::string exe = (dir.Path() / "prog.exe").string();
  WriteBytes(exe, b);

  TAssemblyAnalyzer a;
  a.Analyze(exe, 100);
  ASSERT_EQ(a.Entries().size(), 2u);
  const std::string base = (dir.Path() / "").string();
  const TAssemblyFileInfo* found = a.Find(base + "LOCALE\\PL\\lc_messages\\DEFAULT.MO");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->name, "locale\\pl\\LC_MESSAGES\\default.mo");  // blanks and controls trimmed
  EXPECT_EQ(found->offset, 10u);
  EXPECT_EQ(found->size, 20u);
  ASSERT_NE(a.Find(second), nullptr);  // a name without the directory matches too
  EXPECT_EQ(a.Find(second)->offset, 30u);
  EXPECT_EQ(a.Find(base + "locale\\de\\LC_MESSAGES\\default.mo"), nullptr);
}

TEST(AssemblyAnalyzer, StopsQuietlyAtABrokenRecordKeepingWhatWasRead) {
  struct Case {
    const char* what;
    std::function<void(std::vector<unsigned char>&)> second;  // the record after a good one
    size_t kept;
  };
  const Case cases[] = {
      {"short read", [](auto& b) { append64(b, b.size() + 1000); }, 1},
      {"repeated name", [](auto& b) { appendRecord(b, b.size() + 24 + 5, 1, 1, "A.MO "); }, 1},
      {"next record points back", [](auto& b) { appendRecord(b, 100, 1, 1, ""); }, 1},
      {"next record inside this one", [](auto& b) { appendRecord(b, b.size() + 8, 1, 1, ""); }, 1},
      {"huge name", [](auto& b) { appendRecord(b, b.size() + 24 + (1u << 30), 1, 1, "x"); }, 1},
      {"end of the chain", [](auto& b) { append64(b, 0); }, 1},
  };
  for (const auto& c : cases) {
    TScratchDirectory dir;
    std::vector<unsigned char> b(100, 0);
    appendRecord(b, 100 + 24 + 4, 1, 2, "a.mo");
    c.second(b);
    std::string exe = (dir.Path() / "prog.exe").string();
    WriteBytes(exe, b);
    TAssemblyAnalyzer a;
    a.Analyze(exe, 100);
    EXPECT_EQ(a.Entries().size(), c.kept) << c.what;
  }
  TAssemblyAnalyzer missing;
  missing.Analyze("/no/such/file.exe", 100);
  EXPECT_TRUE(missing.Entries().empty());
}

// The executable carries the marker once, followed by its offset: zero as built.
TEST(EmbeddedMarker, IsInTheExecutableOnceWithItsOffset) {
  const std::string marker = EmbeddedCatalogueMarker();
  ASSERT_EQ(marker.size(), 36u);
  auto image = ReadBytes<CatalogueBytes>(ExecutablePath());
  std::string_view view(reinterpret_cast<const char*>(image.data()), image.size());
  size_t at = view.find(marker);
  ASSERT_NE(at, std::string_view::npos);
  EXPECT_EQ(view.find(marker, at + 1), std::string_view::npos);
  ASSERT_LE(at + 44, image.size());
  uint64_t offset = 0;
  for (int i = 7; i >= 0; --i) offset = (offset << 8) | image[at + 36 + i];
  EXPECT_EQ(offset, EmbeddedCatalogueOffset());
  if (!isEmbeddedCopy()) {
    EXPECT_EQ(offset, 0u);
  }
}

// Run in the copy that scripts/embed-catalogues made of this executable (see CMakeLists.txt):
// no catalogue lies beside it, yet it translates exactly like the same catalogue on disk.
TEST(EmbeddedCopy, TranslatesLikeTheFileOnDisk) {
  if (!isEmbeddedCopy()) GTEST_SKIP() << "only in the copy with appended catalogues";
  ASSERT_NE(EmbeddedCatalogueOffset(), 0u);
  TAssemblyAnalyzer table;
  table.Analyze(ExecutablePath(), EmbeddedCatalogueOffset());
  ASSERT_EQ(table.Entries().size(), 1u);
  TGettextLayer embedded(ExecutablePath(), LangQueries("pl_PL"), EmbeddedCatalogueOffset());
  EXPECT_FALSE(FileExists((std::filesystem::path(ExecutablePath()).parent_path() / "locale").string()));

  TScratchDirectory dir;
  dir.PlaceCatalogue("basic", "pl");
  TGettextLayer onDisk(dir.ExePath(), LangQueries("pl_PL"), 0);
  for (const char* key :
       {"Operation aborted", "Line one\nLine two", "Already CR LF", "zebra", "émigré", "missing"})
    EXPECT_EQ(embedded.Instance()->TranslateUtf8InDomain("default", key),
              onDisk.Instance()->TranslateUtf8InDomain("default", key))
        << key;
  EXPECT_EQ(embedded.Instance()->TranslateUtf8InDomain("default", "Operation aborted"), "Operacja przerwana");
  EXPECT_TRUE(embedded.Instance()->Domain("default").IsOpen());
  // A domain with no embedded catalogue and none on disk finds nothing.
  EXPECT_EQ(embedded.Instance()->TranslateUtf8InDomain("cport", "Operation aborted"), "Operation aborted");
}
