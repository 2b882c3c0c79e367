#include "app/OneCopy.h"

#include <cstdint>

namespace {

// How long a later copy waits for the holder's window to show before it ends all the same (the
// holder then comes to the front by itself when its window shows).
constexpr ULONGLONG kWaitForWindowMs = 5000;
constexpr DWORD kPauseMs = 50;

// The low `digits` hexadecimal digits of `value`, the highest first.
std::wstring hex(uint64_t value, int digits) {
  std::wstring text;
  for (int i = 4 * (digits - 1); i >= 0; i -= 4) text += L"0123456789ABCDEF"[(value >> i) & 15];
  return text;
}

// A kernel object's name cannot be as long as a path may be: a 64-bit FNV-1a hash of the path in
// capitals.
std::wstring pathKey(std::wstring path) {
  CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : path) hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
  return hex(hash, 16);
}

// The kernel objects' name for the settings file's folder. The system tells the folder by the path
// it ends at, whatever path leads to it (a link, a second drive letter, a short name, other letter
// case); failing that by its volume's serial number and its file identifier (a call that costs many
// times more); where it tells nothing, by its full path.
std::wstring claimName(const std::wstring& settingsFile) {
  const std::wstring folder = settingsFile.substr(0, settingsFile.find_last_of(L"\\/") + 1);
  const UniqueFileHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  const std::wstring prefix = L"Local\\Tarvenik-Konfigurator-";
  if (handle) {
    std::wstring final(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 2; ++attempt) {
      const DWORD n = GetFinalPathNameByHandleW(handle.get(), final.data(), static_cast<DWORD>(final.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
      if (n > 0 && n < final.size()) return prefix + L"P" + pathKey(final.substr(0, n));
      if (n == 0) break;
      final.assign(n, L'\0');  // n: the size needed
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(handle.get(), &info))
      return prefix + hex(info.dwVolumeSerialNumber, 8) + hex(info.nFileIndexHigh, 8) +
             hex(info.nFileIndexLow, 8);
  }
  std::wstring full(MAX_PATH, L'\0');
  const DWORD n = GetFullPathNameW(folder.c_str(), MAX_PATH, full.data(), nullptr);
  full.resize(n < MAX_PATH ? n : 0);  // a longer one did not fit: the path as given
  return prefix + pathKey(full.empty() ? folder : full);
}

// The process identifier that the holder of the claim left under `name`; 0 when none is there yet.
DWORD holderOf(const std::wstring& name) {
  const UniqueKernelHandle record(OpenFileMappingW(FILE_MAP_READ, FALSE, name.c_str()));
  const UniqueFileView view(record ? MapViewOfFile(record.get(), FILE_MAP_READ, 0, 0, sizeof(LONG))
                                   : nullptr);
  return view ? static_cast<DWORD>(*static_cast<const volatile LONG*>(view.get())) : 0;
}

// Brings the process's front window to the front, its main window restored; false when it shows none yet.
bool bringForward(DWORD processId) {
  struct Search {
    DWORD processId;
    HWND front = nullptr;
  } search{processId};
  // Top-level windows come in their order on the screen, the front one first.
  EnumWindows(
      [](HWND w, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != s->processId || !IsWindowVisible(w) ||
            (GetWindowLongW(w, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
          return TRUE;
        s->front = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.front) return false;
  HWND main = GetAncestor(search.front, GA_ROOTOWNER);
  // The holder may then take the front itself, should our own call be refused.
  AllowSetForegroundWindow(processId);
  // Without waiting: a holder that does not answer must not hold this copy up.
  if (IsIconic(main)) ShowWindowAsync(main, SW_RESTORE);
  // The window the user last worked in, unless that is the main window while it is still hidden.
  HWND target = GetLastActivePopup(main);
  SetForegroundWindow(target && IsWindowVisible(target) ? target : search.front);
  return true;
}

}  // namespace

TSettingsFileClaim::TSettingsFileClaim(const std::wstring& settingsFile) {
  const std::wstring name = claimName(settingsFile);
  holderName_ = name + L"-holder";
  const ULONGLONG end = GetTickCount64() + kWaitForWindowMs;
  for (;;) {
    // The mutex is the claim: the system lets it go when its holder ends, however it ends, and
    // exactly one of several copies started at once gets it.
    claim_.reset(CreateMutexW(nullptr, TRUE, name.c_str()));
    if (!claim_) return;  // nothing to go by: this copy goes on as the only one
    const DWORD taken =
        GetLastError() == ERROR_ALREADY_EXISTS ? WaitForSingleObject(claim_.get(), 0) : WAIT_OBJECT_0;
    if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) return;
    claim_.reset();
    const DWORD holderId = holderOf(holderName_);
    if ((holderId != 0 && bringForward(holderId)) || GetTickCount64() >= end) {
      held_ = false;
      return;
    }
    Sleep(kPauseMs);
  }
}

void TSettingsFileClaim::Publish() {
  if (!claim_ || holder_) return;
  holder_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG),
                                   holderName_.c_str()));
  const UniqueFileView view(holder_ ? MapViewOfFile(holder_.get(), FILE_MAP_WRITE, 0, 0, sizeof(LONG))
                                    : nullptr);
  if (view)
    InterlockedExchange(static_cast<LONG*>(const_cast<void*>(view.get())),
                        static_cast<LONG>(GetCurrentProcessId()));
}
