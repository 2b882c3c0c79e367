#include <windows.h>

#include "catalogue/FileMap.h"
#include "win/Win32Check.h"

TFileMap::Failure TFileMap::Open(const std::string& fileName, std::string& reason) {
  Close();
  file_.reset(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) {
    reason = SystemErrorText(GetLastError());
    return Failure::Open;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file_.get(), &size)) {
    reason = SystemErrorText(GetLastError());
    Close();
    return Failure::CreateMapping;
  }
  // An empty file cannot be mapped; CreateFileMappingA reports that itself.
  mapping_.reset(CreateFileMappingA(file_.get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping_) {
    reason = SystemErrorText(GetLastError());
    Close();
    return Failure::CreateMapping;
  }
  view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view_) {
    reason = SystemErrorText(GetLastError());
    Close();
    return Failure::MapView;
  }
  data_ = static_cast<const unsigned char*>(view_.get());
  size_ = static_cast<uint64_t>(size.QuadPart);
  return Failure::None;
}

void TFileMap::Close() {
  view_.reset();
  mapping_.reset();
  file_.reset();
  data_ = nullptr;
  size_ = 0;
}

bool FileExists(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
