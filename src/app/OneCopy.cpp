#include "app/OneCopy.h"

#include <cstdint>

#include "settings/FileReplace.h"

namespace {

// How long a later copy waits for the holder's window to show before it ends all the same (the
// holder then comes to the front by itself when its window shows).
constexpr ULONGLONG kWaitForWindowMs = 5000;
constexpr DWORD kPauseMs = 50;

// A path as a system call gives it into a buffer: asked for its size first, then fetched; `path`
// itself when the call fails.
template <typename Call>
std::wstring fetched(const std::wstring& path, Call call) {
  const DWORD size = call(path, nullptr, 0);
  if (size == 0) return path;
  std::wstring out(size, L'\0');
  const DWORD n = call(path, out.data(), size);
  if (n == 0 || n >= size) return path;
  out.resize(n);
  return out;
}

// The settings file's full path as Windows compares file names: letter case ignored, and the
// folder under its long name, so that a start through a short (8.3) name is the same file.
std::wstring comparablePath(const std::wstring& file) {
  std::wstring full = fetched(file, [](const std::wstring& p, wchar_t* buffer, DWORD size) {
    return GetFullPathNameW(p.c_str(), size, buffer, nullptr);
  });
  const size_t separator = full.find_last_of(L'\\');
  if (separator != std::wstring::npos) {
    const std::wstring folder =
        fetched(full.substr(0, separator + 1), [](const std::wstring& p, wchar_t* buffer, DWORD size) {
          return GetLongPathNameW(p.c_str(), buffer, size);
        });
    full = folder + full.substr(separator + 1);
  }
  std::wstring upper(full.size(), L'\0');
  const int n =
      LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, full.c_str(), static_cast<int>(full.size()),
                    upper.data(), static_cast<int>(upper.size()), nullptr, nullptr, 0);
  return n > 0 ? upper.substr(0, static_cast<size_t>(n)) : full;
}

// A kernel object's name for the path (a name cannot be as long as a path may be): a 64-bit FNV-1a
// hash of it.
std::wstring claimName(const std::wstring& settingsFile) {
  uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : comparablePath(settingsFile)) {
    hash = (hash ^ static_cast<uint16_t>(c)) * 1099511628211ull;
  }
  wchar_t hex[17];
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[i] = L"0123456789ABCDEF"[hash & 15];
  hex[16] = L'\0';
  return std::wstring(L"Local\\Tarvenik-Konfigurator-") + hex;
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
  const DWORD self = GetCurrentProcessId();
  const ULONGLONG end = GetTickCount64() + kWaitForWindowMs;
  for (;;) {
    // The object holds the holder's process id; it lasts while any copy has it open.
    claim_.reset(
        CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(LONG), name.c_str()));
    if (!claim_) return;  // nothing to go by: this copy goes on as the only one
    DWORD holderId = 0;
    {
      const UniqueFileView view(MapViewOfFile(claim_.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(LONG)));
      if (!view) return;
      auto* holder = static_cast<LONG*>(const_cast<void*>(view.get()));
      // Two copies started at once settle it here: exactly one of them finds the place empty, or
      // finds a holder that has ended (while a third copy still had the object open).
      holderId = static_cast<DWORD>(InterlockedCompareExchange(holder, static_cast<LONG>(self), 0));
      if (holderId != 0 && !ProcessRuns(holderId) &&
          static_cast<DWORD>(InterlockedCompareExchange(holder, static_cast<LONG>(self),
                                                        static_cast<LONG>(holderId))) == holderId)
        holderId = 0;
    }  // the view goes before this copy waits or lets the object go
    if (holderId == 0 || holderId == self) return;
    claim_.reset();
    if (bringForward(holderId) || GetTickCount64() >= end) {
      held_ = false;
      return;
    }
    Sleep(kPauseMs);
  }
}
