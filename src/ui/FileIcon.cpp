#include "ui/FileIcon.h"

#include <shellapi.h>

#include "toolkit/SystemFunction.h"

UniqueIcon ExtractFileIcon(const std::string& path) {
  static auto* const extractIconA = SystemFunction<decltype(ExtractIconA)>(L"shell32.dll", "ExtractIconA");
  if (!extractIconA) return {};
  HICON icon = extractIconA(GetModuleHandleW(nullptr), path.c_str(), 0);
  // 0: the file has no icon; 1: the file is not an executable, library or icon file.
  if (reinterpret_cast<UINT_PTR>(icon) <= 1) return {};
  return UniqueIcon(icon);
}

bool ApplicationFileExists(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(path.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return false;
  FindClose(find);
  if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  FILETIME local;
  WORD date, time;
  return FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) &&
         FileTimeToDosDateTime(&local, &date, &time);
}
