#pragma once
// Catalogues appended to a copy of the executable (scripts/embed-catalogues). The executable
// carries a marker text followed by an 8-byte little-endian offset; the tool sets the offset to
// the first record of a chain that names each appended catalogue. Our executable as built has a
// zero offset, and then the table stays empty.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Orders names as texts whose ASCII letters are compared without regard to case.
struct TLessNoCase {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

struct TAssemblyFileInfo {
  std::string name;  // relative to the executable's directory
  uint64_t offset = 0;
  uint64_t size = 0;
};

class TAssemblyAnalyzer {
 public:
  // Reads the chain of records in `exePath` from `firstRecord` (nothing when it is 0). A failure
  // (file not readable, short read, repeated name, a chain that does not move forward) ends the
  // reading quietly, keeping the entries read so far.
  void Analyze(const std::string& exePath, uint64_t firstRecord);

  // The entry for a full candidate path, or nothing. The executable's directory is removed from
  // the start of `path` when it begins with it; names are compared without regard to case.
  const TAssemblyFileInfo* Find(const std::string& path) const;

  const std::string& ExecutablePath() const { return exePath_; }
  const std::vector<TAssemblyFileInfo>& Entries() const { return entries_; }

 private:
  bool add(TAssemblyFileInfo info);

  std::string exePath_;
  std::string baseDirectory_;               // with its trailing delimiter
  std::vector<TAssemblyFileInfo> entries_;  // sorted by name, case ignored
};

// The offset recorded after the marker in this executable's own image.
uint64_t EmbeddedCatalogueOffset();
// The marker text, for tools and tests that look for it in a file.
std::string EmbeddedCatalogueMarker();
