#include "ui/FileIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "base/IconData.h"
#include "win/SystemFunction.h"

namespace {

// The file that the icon extraction would open for `path`: it looks along the search path too.
bool iconDataIsSound(const std::string& path) {
  char found[MAX_PATH];
  DWORD n = SearchPathA(nullptr, path.c_str(), nullptr, MAX_PATH, found, nullptr);
  std::string name = n > 0 && n < MAX_PATH ? std::string(found, n) : path;
  UniqueFileHandle file(CreateFileA(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  // A device or a pipe in the path's place is no icon file, and reading it could wait forever.
  if (!file || GetFileType(file.get()) != FILE_TYPE_DISK || !GetFileSizeEx(file.get(), &size)) return false;
  return IconDataIsSound(static_cast<uint64_t>(size.QuadPart),
                         [&](uint64_t offset, void* buffer, size_t length) {
                           LARGE_INTEGER at;
                           at.QuadPart = static_cast<LONGLONG>(offset);
                           auto* p = static_cast<char*>(buffer);
                           if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN)) return false;
                           while (length > 0) {
                             DWORD got = 0;
                             DWORD chunk = static_cast<DWORD>(std::min<size_t>(length, 1u << 20));
                             if (!ReadFile(file.get(), p, chunk, &got, nullptr) || got == 0) return false;
                             p += got;
                             length -= got;
                           }
                           return true;
                         });
}

}  // namespace

UniqueIcon ExtractFileIcon(const std::string& path) {
  // A damaged file would crash the system's icon code; such a file has no icon.
  static auto* const extractIconA = SystemFunction<decltype(ExtractIconA)>(L"shell32.dll", "ExtractIconA");
  if (!extractIconA || !iconDataIsSound(path)) return {};
  HICON icon = extractIconA(GetModuleHandleW(nullptr), path.c_str(), 0);
  // 0: the file has no icon; 1: the file is not an executable, library or icon file.
  if (reinterpret_cast<UINT_PTR>(icon) <= 1) return {};
  return UniqueIcon(icon);
}

bool ApplicationFileExists(const std::string& path) {
  WIN32_FIND_DATAA data;
  if (!UniqueFindHandle(FindFirstFileA(path.c_str(), &data))) return false;
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local;
  WORD date, time;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &date, &time);
}

bool ApplicationFileMissing(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (path.empty() || path.find_first_of("\\/:") != std::string::npos) return true;
  char found[MAX_PATH];
  const DWORD n = SearchPathA(nullptr, path.c_str(), nullptr, MAX_PATH, found, nullptr);
  return n == 0 || n >= MAX_PATH;
}
