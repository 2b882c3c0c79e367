#pragma once
// The application object: title, the event loop, terminate, the one place where errors that
// escape an event handler are shown, and the idle hooks that other parts subscribe to. It is the
// bottom of the class library: it knows no form or control (the forms keep their own list).
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TApplication {
 public:
  using IdleHandler = std::function<void()>;

  static TApplication& Instance();

  void Initialize();
  const std::wstring& Title() const { return title_; }
  void SetTitle(std::wstring title) { title_ = std::move(title); }

  // Runs the event loop until Terminate; returns the exit code (0).
  int Run();
  // Lets the loop finish the current message and return.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles one message if there is one; false when the queue was empty.
  bool ProcessMessage();
  // Waits for and handles messages until `done` says so (modal loops); idles when the queue is empty.
  void RunUntil(const std::function<bool()>& done);

  // Shows an error that escaped a handler; EAbort shows nothing.
  void HandleException(const std::exception_ptr& error);
  void ShowException(const std::string& message);

  // Subscribers; each returns an id to unsubscribe with.
  int AddIdleHandler(IdleHandler h);
  void RemoveIdleHandler(int id);

  void Idle();

  // The system's default beep, the answer to refused input.
  void Beep();

 private:
  TApplication() = default;
  bool handleKeyboard(MSG& msg);

  std::wstring title_;
  bool terminated_ = false;
  int nextId_ = 1;
  std::vector<std::pair<int, IdleHandler>> idle_;
};

inline TApplication& Application() { return TApplication::Instance(); }

// The message the loop sends to the top-level window of a key message before dispatching it, with
// the MSG* in lParam. A window that takes the key itself (a form: its dialog keys and shortcuts)
// answers nonzero and the key goes no further; other windows answer 0 by default.
UINT TakeKeyMessage();

// A system message box with the given caption, the stop icon and one OK button, modal to the
// active window: how the program shows errors.
void ShowErrorBox(const std::wstring& text, const std::wstring& caption);

// A question in a system message box with the given caption, the warning icon and the buttons Yes
// and No, No the default, modal to the active window; true when the answer is Yes.
bool AskYesNo(const std::wstring& text, const std::wstring& caption);

// Where the program raises an event itself, outside a window procedure (start-up, building a
// window, a click made in code, idle moments): an error that escapes is shown in the error box
// (EAbort silently) and the program goes on. Inside a window procedure the procedure does this.
template <typename F>
void SafeCall(F&& f) noexcept {
  try {
    f();
  } catch (...) {
    Application().HandleException(std::current_exception());
  }
}
