#include <windows.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "base/Text.h"
#include "settings/FileReplace.h"
#include "win/Handles.h"

namespace {

constexpr uint64_t kRecent100ns = 20'000'000;  // 2 s in FILETIME units

uint64_t join(DWORD high, DWORD low) { return (static_cast<uint64_t>(high) << 32) | low; }

FileProbe probeOf(const BY_HANDLE_FILE_INFORMATION& info) {
  FileProbe p;
  p.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileProbe::Kind::Unusable
                                                              : FileProbe::Kind::Regular;
  uint64_t modified = join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime);
  p.identity = {join(info.nFileSizeHigh, info.nFileSizeLow), modified, info.dwVolumeSerialNumber,
                join(info.nFileIndexHigh, info.nFileIndexLow)};
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  uint64_t nowValue = join(now.dwHighDateTime, now.dwLowDateTime);
  p.recent = modified + kRecent100ns > nowValue;  // also true for a time stamp in the future
  return p;
}

HANDLE openExisting(const std::wstring& path, DWORD access) {
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

// A new file of our own beside `target`, opened for writing; its name in `name`. A clash with
// anything present picks another name, never reuses it.
HANDLE createBeside(const std::wstring& target, std::wstring& name) {
  for (unsigned attempt = 0; attempt < 100; ++attempt) {
    // Digits are ASCII: the narrow conversion spares the wide one's formatted printing.
    name = target + AnsiToWide(".tmp" + std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(GetTickCount64() + attempt));
    HANDLE h =
        CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) return h;
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return h;
  }
  return INVALID_HANDLE_VALUE;
}

bool writeAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, bytes.data(), chunk, &n, nullptr) || n == 0) return false;
    bytes.remove_prefix(n);
  }
  return true;
}

// A reader (the launcher, say) that holds the file open without letting it be replaced makes the
// replacement fail for as long as it reads: it is waited out.
bool moveOver(const std::wstring& from, const std::wstring& to) {
  return WaitOutHeld([&] {
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return FileFailure::None;
    const DWORD error = GetLastError();
    // Some systems report a file held open against replacing as one that may not be written; that
    // the file may be written was checked before.
    return error == ERROR_ACCESS_DENIED ? FileFailure::Held : FailureOf(error);
  });
}

// The file opened, waited for while another program holds it.
UniqueFileHandle openWaiting(const std::wstring& path, DWORD access) {
  UniqueFileHandle file;
  WaitOutHeld([&] {
    file.reset(openExisting(path, access));
    return file ? FileFailure::None : FailureOf(GetLastError());
  });
  return file;
}

// The file's owner, group and access rights as the system gives them; empty when it cannot tell.
std::vector<char> securityOf(const std::wstring& path) {
  constexpr SECURITY_INFORMATION kWhat =
      OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION;
  DWORD size = 0;
  GetFileSecurityW(path.c_str(), kWhat, nullptr, 0, &size);
  std::vector<char> sd(size);
  if (size == 0 || !GetFileSecurityW(path.c_str(), kWhat, sd.data(), size, &size)) sd.clear();
  return sd;
}

// Whether only writing the file itself keeps what it is: it has more than one name, or an owner
// and access rights other than those that `copy`, a new file beside it, was given.
bool keptOnlyInPlace(const std::wstring& file, const std::wstring& copy) {
  UniqueFileHandle handle(openExisting(file, FILE_READ_ATTRIBUTES));
  FILE_STANDARD_INFO standard;
  if (handle && GetFileInformationByHandleEx(handle.get(), FileStandardInfo, &standard, sizeof standard) &&
      standard.NumberOfLinks > 1)
    return true;
  return securityOf(file) != securityOf(copy);
}

}  // namespace

FileProbe ProbeFile(const std::string& path) {
  UniqueFileHandle file(openExisting(AnsiToWide(path), FILE_READ_ATTRIBUTES));
  BY_HANDLE_FILE_INFORMATION info;
  if (!file) {
    DWORD error = GetLastError();
    FileProbe p;
    p.kind = (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) ? FileProbe::Kind::Absent
                                                                              : FileProbe::Kind::Unusable;
    return p;
  }
  if (!GetFileInformationByHandle(file.get(), &info)) return {FileProbe::Kind::Unusable, {}, false};
  return probeOf(info);
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileProbe* probe) {
  UniqueFileHandle file = openWaiting(AnsiToWide(path), GENERIC_READ);
  // The kind and the size only: the whole identity asks the volume too, which costs many times more.
  FILE_STANDARD_INFO standard;
  if (!file || !GetFileInformationByHandleEx(file.get(), FileStandardInfo, &standard, sizeof standard) ||
      standard.Directory || static_cast<uint64_t>(standard.EndOfFile.QuadPart) > kMaxProfileFileSize)
    return std::nullopt;
  std::string bytes(static_cast<size_t>(standard.EndOfFile.QuadPart), '\0');
  size_t have = 0;
  for (;;) {
    if (have == bytes.size()) {
      if (bytes.size() > kMaxProfileFileSize) return std::nullopt;  // grew while being read
      bytes.resize(bytes.size() + 4096);
    }
    DWORD n = 0;
    if (!ReadFile(file.get(), bytes.data() + have, static_cast<DWORD>(bytes.size() - have), &n, nullptr))
      return std::nullopt;
    if (n == 0) break;
    have += n;
  }
  bytes.resize(have);
  if (probe) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    *probe = probeOf(info);
  }
  return bytes;
}

bool PresentButUnreadable(const std::string& path) {
  const std::wstring name = AnsiToWide(path);
  UniqueFileHandle file(CreateFileW(name.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  // The profile functions reach no name of MAX_PATH characters or more: a file that opens under
  // such a name still reads as an empty one.
  if (file) return name.size() >= MAX_PATH;
  const DWORD error = GetLastError();
  if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) return true;
  // A name longer than the plain form reaches may still be there: its long form tells.
  if (name.size() < MAX_PATH || name.size() < 3 || name[1] != L':' || name[2] != L'\\') return false;
  return GetFileAttributesW((L"\\\\?\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<FileProbe> ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::wstring target = AnsiToWide(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)))
    return std::nullopt;
  if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() != ERROR_FILE_NOT_FOUND) return std::nullopt;

  std::wstring temp;
  UniqueFileHandle file(createBeside(target, temp));
  if (!file) return std::nullopt;

  bool ok = writeAll(file.get(), bytes);
  BY_HANDLE_FILE_INFORMATION info;
  ok = ok && FlushFileBuffers(file.get()) && GetFileInformationByHandle(file.get(), &info);
  ok = file.close() && ok;
  if (!ok || !moveOver(temp, target)) {
    DeleteFileW(temp.c_str());
    return std::nullopt;
  }
  return probeOf(info);
}

FileFailure FailureOf(uint32_t systemError) {
  if (systemError == ERROR_SUCCESS) return FileFailure::None;
  return systemError == ERROR_SHARING_VIOLATION || systemError == ERROR_LOCK_VIOLATION ? FileFailure::Held
                                                                                       : FileFailure::Other;
}

std::string FinalFile(const std::string& path) {
  UniqueFileHandle file(openExisting(AnsiToWide(path), FILE_READ_ATTRIBUTES));
  wchar_t buffer[MAX_PATH + 8];
  const DWORD n = file ? GetFinalPathNameByHandleW(file.get(), buffer, std::size(buffer), 0) : 0;
  if (n == 0 || n >= std::size(buffer)) return path;
  std::wstring name(buffer, n);
  // The plain form of what the system gives in its long form.
  if (name.starts_with(L"\\\\?\\UNC\\"))
    name.replace(0, 8, L"\\\\");
  else if (name.starts_with(L"\\\\?\\"))
    name.erase(0, 4);
  return AnsiHoldsExactly(name) ? WideToAnsi(name) : path;
}

std::optional<std::string> CopyBeside(const std::string& path, NoCopy& why) {
  why = NoCopy::Failed;
  std::wstring target = AnsiToWide(path);
  std::string bytes;
  const bool exists =
      GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES || GetLastError() != ERROR_FILE_NOT_FOUND;
  if (exists) {
    std::optional<std::string> read = ReadWholeFile(path);
    if (!read) return std::nullopt;
    bytes = std::move(*read);
  }
  std::wstring temp;
  UniqueFileHandle file(createBeside(target, temp));
  if (!file) {
    if (GetLastError() == ERROR_ACCESS_DENIED) why = NoCopy::FolderRefused;
    return std::nullopt;
  }
  bool ok = writeAll(file.get(), bytes);
  ok = file.close() && ok;
  if (ok && exists && keptOnlyInPlace(target, temp)) {
    why = NoCopy::KeptOnlyInPlace;
    ok = false;
  }
  if (!ok) {
    DeleteFileW(temp.c_str());
    return std::nullopt;
  }
  return WideToAnsi(temp);
}

bool MayWriteFile(const std::string& path) {
  std::wstring name = AnsiToWide(path);
  DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DEVICE)))
    return false;
  return static_cast<bool>(openWaiting(name, GENERIC_WRITE));
}

bool SyncFile(const std::string& path) {
  UniqueFileHandle file(openExisting(AnsiToWide(path), GENERIC_WRITE | FILE_WRITE_ATTRIBUTES));
  FILETIME written, now;
  if (!file || !FlushFileBuffers(file.get()) || !GetFileTime(file.get(), nullptr, nullptr, &written))
    return false;
  GetSystemTimeAsFileTime(&now);
  uint64_t was = join(written.dwHighDateTime, written.dwLowDateTime);
  uint64_t next = std::max(join(now.dwHighDateTime, now.dwLowDateTime), was + 1);
  FILETIME stamp{static_cast<DWORD>(next), static_cast<DWORD>(next >> 32)};
  return SetFileTime(file.get(), nullptr, nullptr, &stamp) && file.close();
}

bool MoveOver(const std::string& from, const std::string& to) {
  const std::wstring copy = AnsiToWide(from), file = AnsiToWide(to);
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  const DWORD own = GetFileAttributesW(file.c_str()), made = GetFileAttributesW(copy.c_str());
  if (own != INVALID_FILE_ATTRIBUTES && made != INVALID_FILE_ATTRIBUTES && (own & kKept) != (made & kKept)) {
    const DWORD want = (made & ~(kKept | FILE_ATTRIBUTE_NORMAL)) | (own & kKept);
    if (!SetFileAttributesW(copy.c_str(), want ? want : FILE_ATTRIBUTE_NORMAL)) return false;
  }
  return moveOver(copy, file);
}

bool RemoveFile(const std::string& path) { return DeleteFileW(AnsiToWide(path).c_str()) != FALSE; }

std::vector<std::string> FilesStartingWith(const std::string& prefix) {
  const std::wstring wide = AnsiToWide(prefix);
  const size_t separator = wide.find_last_of(L"\\/:");
  const std::wstring folder =
      separator == std::wstring::npos ? std::wstring() : wide.substr(0, separator + 1);
  const std::wstring_view start = std::wstring_view(wide).substr(folder.size());
  std::vector<std::string> files;
  WIN32_FIND_DATAW found;
  UniqueFindHandle search(
      FindFirstFileExW((wide + L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0));
  if (!search) return files;
  do {
    // The search also matches short names and ignores case; only the names themselves count here.
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        std::wstring_view(found.cFileName).starts_with(start))
      files.push_back(WideToAnsi(folder + found.cFileName));
  } while (FindNextFileW(search.get(), &found));
  return files;
}

bool ProcessRuns(uint32_t processId) {
  UniqueKernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
  // No such process gives ERROR_INVALID_PARAMETER; anything else (access denied) may be a running one.
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
  return WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}
