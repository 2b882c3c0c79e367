#include "settings/posix/ProfileStandIn.h"

#include "settings/ProfileSection.h"

#include <algorithm>
#include <cstring>
#include <optional>

ProfileStandIn::ProfileStandIn(std::chrono::milliseconds recheckInterval)
    : recheckInterval_(recheckInterval) {}

const ProfileStandIn::Loaded& ProfileStandIn::look(const std::string& path, bool force) {
  auto now = std::chrono::steady_clock::now();
  if (loaded_ && loaded_->path == path) {
    if (!force && !loaded_->mustLook && now - loaded_->checkedAt < recheckInterval_) return *loaded_;
    FileProbe probe = ProbeFile(path);
    bool same = probe.kind == loaded_->probe.kind && probe.identity == loaded_->probe.identity;
    if (same && (probe.kind != FileProbe::Kind::Regular || !loaded_->probe.recent)) {
      loaded_->checkedAt = now;
      loaded_->mustLook = false;
      return *loaded_;
    }
    loadFromDisk(path, probe);
  } else {
    loadFromDisk(path, ProbeFile(path));
  }
  loaded_->checkedAt = now;
  return *loaded_;
}

void ProfileStandIn::loadFromDisk(const std::string& path, const FileProbe& probe) {
  auto next = std::make_unique<Loaded>();
  next->path = path;
  next->probe = probe;
  std::optional<std::string> bytes;
  if (probe.kind == FileProbe::Kind::Regular) {
    bytes = ReadWholeFile(path, &next->probe);
    if (!bytes) next->probe.kind = FileProbe::Kind::Unusable;
  }
  // Content unchanged behind a recent time stamp: keep the parsed document.
  if (bytes && loaded_ && loaded_->path == path && loaded_->document->Text() == *bytes) {
    next->document = std::move(loaded_->document);
  } else {
    next->document = std::make_unique<ParsedProfile>(bytes ? std::move(*bytes) : std::string());
  }
  loaded_ = std::move(next);
}

size_t ProfileStandIn::GetString(const char* section, const char* key, const char* defaultValue, char* buffer,
                                 size_t size, const char* fileName) {
  if (!buffer || size == 0) return 0;
  std::string_view result;
  std::lock_guard lock(mutex_);
  if (section && key && fileName) {
    std::optional<std::string_view> found = look(fileName, false).document->Find(section, key);
    result = found ? ValueReadBack(*found, size - 1) : std::string_view(defaultValue ? defaultValue : "");
  }
  size_t n = std::min(result.size(), size - 1);
  if (n > 0) std::memcpy(buffer, result.data(), n);
  buffer[n] = '\0';
  return n;
}

bool ProfileStandIn::WriteString(const char* section, const char* key, const char* value,
                                 const char* fileName) {
  if (!fileName) return false;
  std::lock_guard lock(mutex_);
  if (!section) {
    // Nothing is held back; a flush only makes the next read look at the disk again.
    if (loaded_) loaded_->mustLook = true;
    return true;
  }
  if (key && !value) return false;

  const Loaded& current = look(fileName, true);
  if (current.probe.kind == FileProbe::Kind::Unusable) return false;  // never overwrite what we cannot read
  const ParsedProfile& document = *current.document;
  std::string text;
  if (!key) {
    if (!document.HasSection(section)) return true;
    text = document.WithoutSection(section);
  } else {
    std::optional<std::string> edited = document.WithValue(section, key, value);
    if (!edited) return false;
    if (*edited == document.Text() && current.probe.kind == FileProbe::Kind::Regular) return true;
    text = std::move(*edited);
  }

  std::optional<FileProbe> written = ReplaceFileAtomically(fileName, text);
  if (!written) return false;
  auto next = std::make_unique<Loaded>();
  next->path = fileName;
  next->probe = *written;
  next->document = std::make_unique<ParsedProfile>(std::move(text));
  next->checkedAt = std::chrono::steady_clock::now();
  loaded_ = std::move(next);
  return true;
}
