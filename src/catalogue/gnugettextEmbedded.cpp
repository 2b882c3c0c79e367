#include "catalogue/gnugettextEmbedded.h"

#include <algorithm>

#include "base/AsciiText.h"
#include "catalogue/FileMap.h"

namespace {

constexpr size_t kMarkerLength = 36;
constexpr uint64_t kRecordHeader = 24;  // next record, catalogue offset, catalogue size
constexpr uint64_t kMaxNameLength = 4096;

// The marker and its offset, in that order, as they lie in the executable file. volatile keeps
// the compiler from assuming the offset is zero: the embedding tool changes it in the file.
const volatile char kEmbeddedMark[kMarkerLength + 8] = "6637DB2E-62E1-4A60-AC19-C23867046A89\0\0\0\0\0\0\0";

bool lessNoCase(const std::string& a, const std::string& b) { return TLessNoCase()(a, b); }

bool equalNoCase(const std::string& a, const std::string& b) {
  return !lessNoCase(a, b) && !lessNoCase(b, a);
}

bool startsWithNoCase(const std::string& s, const std::string& prefix) {
  return s.size() >= prefix.size() && equalNoCase(s.substr(0, prefix.size()), prefix);
}

uint64_t littleEndian64(const unsigned char* p) {
  uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

// Blanks and control characters (codes up to 32) at either end.
std::string trimmed(std::string_view s) {
  return std::string(TrimWhere(s, [](char c) { return static_cast<unsigned char>(c) <= ' '; }));
}

}  // namespace

bool TLessNoCase::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  });
}

uint64_t EmbeddedCatalogueOffset() {
  unsigned char bytes[8];
  for (size_t i = 0; i < 8; ++i) bytes[i] = static_cast<unsigned char>(kEmbeddedMark[kMarkerLength + i]);
  return littleEndian64(bytes);
}

std::string EmbeddedCatalogueMarker() {
  std::string marker;
  for (size_t i = 0; i < kMarkerLength; ++i) marker += kEmbeddedMark[i];
  return marker;
}

bool TAssemblyAnalyzer::add(TAssemblyFileInfo info) {
  auto it = std::lower_bound(entries_.begin(), entries_.end(), info,
                             [](const auto& a, const auto& b) { return lessNoCase(a.name, b.name); });
  if (it != entries_.end() && equalNoCase(it->name, info.name)) return false;
  entries_.insert(it, std::move(info));
  return true;
}

void TAssemblyAnalyzer::Analyze(const std::string& exePath, uint64_t firstRecord) {
  exePath_ = exePath;
  size_t slash = exePath.find_last_of("\\/");
  baseDirectory_ = slash == std::string::npos ? std::string() : exePath.substr(0, slash + 1);
  if (firstRecord == 0) return;
  // Mapped rather than read through a stream: nothing is read but the records themselves.
  TFileMap map;
  std::string reason;
  if (map.Open(exePath, reason) != TFileMap::Failure::None) return;
  const unsigned char* data = map.Data();
  const uint64_t size = map.Size();
  auto available = [size](uint64_t from, uint64_t n) { return from <= size && size - from >= n; };
  for (uint64_t at = firstRecord;;) {
    if (!available(at, 8)) return;
    const unsigned char* head = data + at;
    uint64_t next = littleEndian64(head);
    if (next == 0) return;
    // The name runs up to the next record, which must lie beyond this one's header.
    if (next < at + kRecordHeader || next - at - kRecordHeader > kMaxNameLength) return;
    if (!available(at, next - at)) return;
    std::string name(reinterpret_cast<const char*>(head + kRecordHeader), next - at - kRecordHeader);
    if (!add({trimmed(name), littleEndian64(head + 8), littleEndian64(head + 16)})) return;
    at = next;
  }
}

const TAssemblyFileInfo* TAssemblyAnalyzer::Find(const std::string& path) const {
  std::string name = !baseDirectory_.empty() && startsWithNoCase(path, baseDirectory_)
                         ? path.substr(baseDirectory_.size())
                         : path;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), name,
                             [](const auto& a, const std::string& b) { return lessNoCase(a.name, b); });
  return it != entries_.end() && equalNoCase(it->name, name) ? &*it : nullptr;
}
