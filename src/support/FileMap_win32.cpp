#include <windows.h>

#include "support/FileMap.h"

namespace {

// The system's text for an error code, without the line break it ends with.
std::string systemMessage(DWORD code) {
  char buffer[2000];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                           buffer, sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

TFileMap::Failure TFileMap::Open(const std::string& fileName, std::string& reason) {
  Close();
  HANDLE file = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    reason = systemMessage(GetLastError());
    return Failure::Open;
  }
  file_ = file;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size)) {
    reason = systemMessage(GetLastError());
    Close();
    return Failure::CreateMapping;
  }
  // An empty file cannot be mapped; CreateFileMappingA reports that itself.
  mapping_ = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
  if (!mapping_) {
    reason = systemMessage(GetLastError());
    Close();
    return Failure::CreateMapping;
  }
  data_ = static_cast<const unsigned char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
  if (!data_) {
    reason = systemMessage(GetLastError());
    Close();
    return Failure::MapView;
  }
  size_ = static_cast<uint64_t>(size.QuadPart);
  return Failure::None;
}

void TFileMap::Close() {
  if (data_) UnmapViewOfFile(data_);
  if (mapping_) CloseHandle(mapping_);
  if (file_) CloseHandle(file_);
  data_ = nullptr;
  mapping_ = nullptr;
  file_ = nullptr;
  size_ = 0;
}

bool FileExists(const std::string& fileName) {
  DWORD attributes = GetFileAttributesA(fileName.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
