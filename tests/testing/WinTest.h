#pragma once
// Helpers for tests that drive real windows under Windows (or Wine).
#include <windows.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "base/Text.h"
#include "testing/TempDir.h"
#include "toolkit/Application.h"
#include "toolkit/WinUtil.h"

namespace wintest {

// The application object set up as start-up sets it up before it makes the windows, with the
// program's title or another.
inline void SetUpApplication(const wchar_t* title = L"Tarvenik - Konfigurator") {
  Application().Initialize();
  Application().SetTitle(title);
}

// Handles every message waiting in this thread's queue, and the idle moment after them.
inline void PumpMessages() {
  while (Application().ProcessMessage()) {
  }
  Application().Idle();
}

// The window's text, as the class library reads it.
using ::WindowText;

inline std::wstring ClassName(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

// The text of item `index` of a drop-down list as the window holds it ("" for no such item).
inline std::string ComboItem(HWND combo, LRESULT index) {
  const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (index < 0 || length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  if (SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data())) != length) return {};
  text.resize(static_cast<size_t>(length));
  return WideToAnsi(text);
}

// The items of a drop-down list, in its order.
inline std::vector<std::string> ComboItems(HWND combo) {
  std::vector<std::string> items;
  for (LRESULT i = 0, n = SendMessageW(combo, CB_GETCOUNT, 0, 0); i < n; ++i)
    items.push_back(ComboItem(combo, i));
  return items;
}

// The text of a drop-down list's selected item, "" when none is selected.
inline std::string ComboSelection(HWND combo) {
  return ComboItem(combo, SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

// What a message box looked like.
struct SeenBox {
  std::wstring caption;
  std::wstring text;
  bool hasStopIcon = false;
  int buttons = 0;
};

// Watches, from another thread, for message boxes (system ones, class "#32770") that a process
// (this one unless told otherwise) opens, records them and closes each with its first button, so
// that a test can run code that shows one. With `plainDialogsToo` it also closes the plain message
// dialogs (our own forms with the application's title and one button) of this process.
class MessageBoxWatcher {
 public:
  explicit MessageBoxWatcher(DWORD processId = GetCurrentProcessId(), bool plainDialogsToo = false)
      : processId_(processId),
        plain_(plainDialogsToo),
        title_(plainDialogsToo ? Application().Title() : std::wstring()),
        thread_([this] { run(); }) {}
  ~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
  }
  std::vector<SeenBox> seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
  }
  // Waits until `count` boxes were seen, or `timeout` has passed; returns those seen.
  std::vector<SeenBox> waitFor(size_t count, std::chrono::milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (seen().size() < count && std::chrono::steady_clock::now() < end)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return seen();
  }

 private:
  static BOOL CALLBACK collectChild(HWND child, LPARAM lp) {
    auto* box = reinterpret_cast<SeenBox*>(lp);
    std::wstring cls = ClassName(child);
    if (cls == L"Static") {
      if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        // The system's own stop icon, not any other.
        box->hasStopIcon =
            SendMessageW(child, STM_GETICON, 0, 0) == reinterpret_cast<LRESULT>(LoadIconW(nullptr, IDI_HAND));
      } else {
        std::wstring t = WindowText(child);
        if (t.size() > box->text.size()) box->text = t;
      }
    } else if (cls == L"Button") {
      ++box->buttons;
    }
    return TRUE;
  }
  static BOOL CALLBACK countButtons(HWND child, LPARAM lp) {
    if (ClassName(child) == L"Button") ++*reinterpret_cast<int*>(lp);
    return TRUE;
  }
  static BOOL CALLBACK findBox(HWND h, LPARAM lp) {
    auto* self = reinterpret_cast<MessageBoxWatcher*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid != self->processId_ || !IsWindowVisible(h)) return TRUE;
    bool isBox = ClassName(h) == L"#32770";
    if (!isBox && self->plain_ && WindowText(h) == self->title_) {
      int buttons = 0;
      EnumChildWindows(h, countButtons, reinterpret_cast<LPARAM>(&buttons));
      isBox = buttons == 1;
    }
    if (!isBox) return TRUE;
    self->found_ = h;
    return FALSE;
  }
  void run() {
    while (!stop_) {
      found_ = nullptr;
      EnumWindows(findBox, reinterpret_cast<LPARAM>(this));
      HWND box = found_;
      if (box) {
        SeenBox s;
        s.caption = WindowText(box);
        EnumChildWindows(box, collectChild, reinterpret_cast<LPARAM>(&s));
        {
          std::lock_guard<std::mutex> lock(mutex_);
          seen_.push_back(s);
        }
        // A box that is still being set up can miss the first answer: repeat it until it is gone.
        for (int i = 0; i < 400 && IsWindow(box) && IsWindowVisible(box); ++i) {
          if (i % 20 == 0) {
            if (ClassName(box) == L"#32770") {
              HWND yes = GetDlgItem(box, IDYES);
              PostMessageW(box, WM_COMMAND, yes && IsWindowVisible(yes) ? IDYES : IDOK, 0);
            } else {
              HWND button = FindWindowExW(box, nullptr, L"Button", nullptr);
              if (button) PostMessageW(button, BM_CLICK, 0, 0);
            }
          }
          std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }

  const DWORD processId_;
  const bool plain_;
  const std::wstring title_;
  HWND found_ = nullptr;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<SeenBox> seen_;
  std::thread thread_;
};

}  // namespace wintest
