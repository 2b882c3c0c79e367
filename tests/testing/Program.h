#pragma once
// Helpers for end-to-end tests: start Konfigurator.exe in a folder of its own and drive it from
// another process as a user does, with clicks and keys posted to its windows, reading back what
// its windows show.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "testing/WinTest.h"

namespace wintest {

// CTest hands over a Linux path; Wine shows the Linux root as drive Z:.
inline std::filesystem::path WindowsPath(std::string p) {
  if (!p.empty() && p[0] == '/') {
    for (char& c : p)
      if (c == '/') c = '\\';
    p = "Z:" + p;
  }
  return std::filesystem::path(p);
}

// Konfigurator.exe copied into `dir` (over an earlier copy) and started there.
class Running {
 public:
  // `lang`: the value of LANG for the program ("" leaves it unset).
  Running(const std::filesystem::path& exe, const std::filesystem::path& dir,
          const std::wstring& lang = L"") {
    std::filesystem::copy_file(exe, dir / "Konfigurator.exe",
                               std::filesystem::copy_options::overwrite_existing);
    start(dir, lang);
  }
  // The copy already in `dir` started once more.
  explicit Running(const std::filesystem::path& dir, const std::wstring& lang = L"") { start(dir, lang); }
  ~Running() {
    if (!started_) return;
    if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 5000);
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
  bool started() const { return started_; }

  // The first visible top-level window of the process with this caption that is no message box
  // and not `except` (waits up to 10 s).
  HWND waitForWindow(const std::wstring& caption, HWND except = nullptr) {
    struct Search {
      DWORD pid;
      const std::wstring* caption;
      HWND except;
      HWND found;
    };
    for (int i = 0; i < 200; ++i) {
      Search s{pi_.dwProcessId, &caption, except, nullptr};
      EnumWindows(
          [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(h, &pid);
            // Message boxes carry the application's title too, and may still be up.
            if (pid == s->pid && h != s->except && IsWindowVisible(h) && WindowText(h) == *s->caption &&
                ClassName(h) != L"#32770") {
              s->found = h;
              return FALSE;
            }
            return TRUE;
          },
          reinterpret_cast<LPARAM>(&s));
      if (s.found) return s.found;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
  }

  DWORD processId() const { return pi_.dwProcessId; }
  bool running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
  // Ends the process at once, as a power cut or "End task" would.
  void kill() {
    TerminateProcess(pi_.hProcess, 99);
    WaitForSingleObject(pi_.hProcess, 10000);
  }

  // The buttons of a window with this caption, top to bottom.
  static std::vector<HWND> buttons(HWND parent, const std::wstring& text) {
    std::vector<HWND> found;
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
      if (WindowText(c) == text) found.push_back(c);
    std::sort(found.begin(), found.end(), [](HWND a, HWND b) {
      RECT ra, rb;
      GetWindowRect(a, &ra);
      GetWindowRect(b, &rb);
      return ra.top < rb.top;
    });
    return found;
  }

  // Exit code, or -1 when it did not end within `ms`.
  long waitForExit(DWORD ms = 10000) {
    if (WaitForSingleObject(pi_.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
  }

 private:
  void start(const std::filesystem::path& dir, const std::wstring& lang) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + (dir / "Konfigurator.exe").wstring() + L"\"";
    SetEnvironmentVariableW(L"LANG", lang.empty() ? nullptr : lang.c_str());
    started_ = CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.wstring().c_str(),
                              &si, &pi_);
    SetEnvironmentVariableW(L"LANG", nullptr);
  }

  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

// The text a control of another process shows (its window caption is not it for every kind).
inline std::wstring Text(HWND w) {
  auto n = static_cast<size_t>(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(n + 1, L'\0');
  n = static_cast<size_t>(SendMessageW(w, WM_GETTEXT, n + 1, reinterpret_cast<LPARAM>(text.data())));
  text.resize(n);
  return text;
}

// Polls until `done` holds (up to 10 s): the program handles what was posted to it in its own time.
template <typename F>
bool WaitUntil(F done) {
  for (int i = 0; i < 500; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return done();
}

// The first child with this text.
inline HWND Child(HWND parent, const std::wstring& text) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (WindowText(c) == text) return c;
  return nullptr;
}

// The children of one window class (and text, when given), in window order: the tab order first.
inline std::vector<HWND> Children(HWND parent, const std::wstring& windowClass,
                                  const wchar_t* text = nullptr) {
  std::vector<HWND> found;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    if (_wcsicmp(ClassName(c).c_str(), windowClass.c_str()) == 0 && (!text || WindowText(c) == text))
      found.push_back(c);
  return found;
}

// The window that has the keyboard focus in the thread of `w`.
inline HWND FocusOf(HWND w) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// A left (or right) click at a point of the window's client area.
inline void ClickAt(HWND w, POINT p, bool right = false) {
  PostMessageW(w, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
               MAKELPARAM(p.x, p.y));
  PostMessageW(w, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

inline void Click(HWND w) {
  RECT r;
  GetClientRect(w, &r);
  ClickAt(w, {r.right / 2, r.bottom / 2});
}

// A key pressed and released while `w` has the focus.
inline void PressKey(HWND w, UINT vk) {
  PostMessageW(w, WM_KEYDOWN, vk, 1);
  PostMessageW(w, WM_KEYUP, vk, 0xC0000001);
}

// A click into the field `w`, then characters typed there: the whole text replaced, as after
// selecting it all.
inline void TypeInto(HWND w, const std::wstring& text) {
  Click(w);
  PostMessageW(w, EM_SETSEL, 0, -1);
  for (wchar_t c : text) PostMessageW(w, WM_CHAR, c, 1);
}

// Real key presses, as the keyboard makes them: they go to the control that has the focus in the
// foreground window. `modifiers` (MOD_CONTROL, MOD_ALT, MOD_SHIFT) are held down around the key.
inline void PressKeys(WORD vk, UINT modifiers = 0) {
  std::vector<INPUT> input;
  auto key = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  const std::pair<UINT, WORD> held[] = {{MOD_CONTROL, VK_CONTROL}, {MOD_ALT, VK_MENU}, {MOD_SHIFT, VK_SHIFT}};
  for (auto [modifier, k] : held)
    if (modifiers & modifier) key(k, false);
  key(vk, false);
  key(vk, true);
  for (auto [modifier, k] : held)
    if (modifiers & modifier) key(k, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Characters typed on the keyboard, each pressed and released.
inline void TypeKeys(const std::wstring& text) {
  std::vector<INPUT> input;
  for (wchar_t c : text) {
    for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT i{};
      i.type = INPUT_KEYBOARD;
      i.ki.wScan = c;
      i.ki.dwFlags = KEYEVENTF_UNICODE | up;
      input.push_back(i);
    }
  }
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// Memory in the process of a window, for the list messages that take a pointer.
class RemoteMemory {
 public:
  RemoteMemory(HWND w, size_t size) : size_(size) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
  }
  ~RemoteMemory() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  char* address() const { return static_cast<char*>(address_); }
  LPARAM param() const { return reinterpret_cast<LPARAM>(address_); }
  void write(const void* data, size_t n, size_t offset = 0) {
    if (address_) WriteProcessMemory(process_, address() + offset, data, n, nullptr);
  }
  void read(void* data, size_t n, size_t offset = 0) const {
    if (address_) ReadProcessMemory(process_, address() + offset, data, n, nullptr);
  }

 private:
  HANDLE process_ = nullptr;
  void* address_ = nullptr;
  size_t size_;
};

// What a list view of another process shows.
inline int RowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

inline std::wstring RowText(HWND list, int row, int column = 0) {
  constexpr size_t kChars = 1024;
  RemoteMemory mem(list, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(mem.address() + sizeof(LVITEMW));
  item.cchTextMax = kChars;
  mem.write(&item, sizeof item);
  auto n = static_cast<size_t>(SendMessageW(list, LVM_GETITEMTEXTW, row, mem.param()));
  std::wstring text(n, L'\0');
  mem.read(text.data(), n * sizeof(wchar_t), sizeof(LVITEMW));
  return text;
}

// Every row's texts in the given column.
inline std::vector<std::wstring> Rows(HWND list, int column = 0) {
  std::vector<std::wstring> rows;
  for (int i = 0, n = RowCount(list); i < n; ++i) rows.push_back(RowText(list, i, column));
  return rows;
}

inline int RowImage(HWND list, int row) {
  RemoteMemory mem(list, sizeof(LVITEMW));
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  mem.write(&item, sizeof item);
  if (!SendMessageW(list, LVM_GETITEMW, 0, mem.param())) return -2;
  mem.read(&item, sizeof item);
  return item.iImage;
}

inline int SelectedRow(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// A row's rectangle in the list's client area: the whole row, its image's place (LVIR_ICON) or
// its text (LVIR_LABEL).
inline RECT RowRect(HWND list, int row, int part = LVIR_BOUNDS) {
  RemoteMemory mem(list, sizeof(RECT));
  RECT r{};
  r.left = part;
  mem.write(&r, sizeof r);
  SendMessageW(list, LVM_GETITEMRECT, row, mem.param());
  mem.read(&r, sizeof r);
  return r;
}

// The middle of a row, scrolled into view as a user would.
inline POINT RowCentre(HWND list, int row) {
  SendMessageW(list, LVM_ENSUREVISIBLE, row, FALSE);
  const RECT r = RowRect(list, row);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// A click (a right click) on the middle of a row.
inline void ClickRow(HWND list, int row, bool right = false) { ClickAt(list, RowCentre(list, row), right); }

// The text the tip of `tool` (a control of another process) shows; with `hover`, once the mouse has
// moved onto that point of it, so that the control can choose the text.
inline std::wstring TipText(HWND tool, const POINT* hover = nullptr) {
  if (hover) SendMessageW(tool, WM_MOUSEMOVE, 0, MAKELPARAM(hover->x, hover->y));
  DWORD pid = 0;
  GetWindowThreadProcessId(tool, &pid);
  constexpr size_t kChars = 1024;
  RemoteMemory mem(tool, sizeof(TTTOOLINFOW) + kChars * sizeof(wchar_t));
  TTTOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = GetParent(tool);
  ti.uId = reinterpret_cast<UINT_PTR>(tool);
  ti.lpszText = reinterpret_cast<wchar_t*>(mem.address() + sizeof ti);
  // The tip window among the process's windows that knows the control. The windows are listed
  // first: a tip that shows meanwhile moves to the top, and a walk from each window to the next
  // would then pass it by.
  std::vector<HWND> windows;
  EnumWindows(
      [](HWND w, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&windows));
  for (HWND w : windows) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner != pid || ClassName(w) != TOOLTIPS_CLASSW) continue;
    std::wstring text(kChars, L'\0');
    mem.write(&ti, sizeof ti);
    mem.write(text.data(), text.size() * sizeof(wchar_t), sizeof ti);
    if (!SendMessageW(w, TTM_GETTOOLINFOW, 0, mem.param())) continue;
    mem.write(&ti, sizeof ti);
    SendMessageW(w, TTM_GETTEXTW, kChars, mem.param());
    mem.read(text.data(), text.size() * sizeof(wchar_t), sizeof ti);
    return text.c_str();
  }
  return L"(no tip)";
}

// Files dropped onto a window of another process as the shell drops them: a WM_DROPFILES with the
// file names in a block of the receiving process, which the receiver finishes.
inline void DropFiles(HWND target, const std::vector<std::wstring>& files) {
  std::wstring names;
  for (const std::wstring& f : files) names += f + L'\0';
  names += L'\0';
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  DWORD pid = 0;
  GetWindowThreadProcessId(target, &pid);
  HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
  const size_t size = sizeof header + names.size() * sizeof(wchar_t);
  void* block = process ? VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
  if (block) {
    WriteProcessMemory(process, block, &header, sizeof header, nullptr);
    WriteProcessMemory(process, static_cast<char*>(block) + sizeof header, names.data(),
                       names.size() * sizeof(wchar_t), nullptr);
    PostMessageW(target, WM_DROPFILES, reinterpret_cast<WPARAM>(block), 0);
  }
  if (process) CloseHandle(process);
}

// A double click on the middle of a row: a click, then the second press and its release.
inline void DoubleClickRow(HWND list, int row) {
  const POINT p = RowCentre(list, row);
  ClickAt(list, p);
  PostMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
}

}  // namespace wintest
