#pragma once
// The application object: title, the event loop, terminate, the one place where errors that
// escape an event handler are shown, and the idle hooks that other parts subscribe to.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>
#include <vector>

class TForm;

class TApplication {
 public:
  using IdleHandler = std::function<void()>;

  static TApplication& Instance();

  void Initialize();
  const std::wstring& Title() const { return title_; }
  void SetTitle(std::wstring title) { title_ = std::move(title); }

  // The first form created is the main form: closing it ends the program.
  TForm* MainForm() const { return mainForm_; }
  void RegisterForm(TForm* form);
  void UnregisterForm(TForm* form);
  const std::vector<TForm*>& Forms() const { return forms_; }

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
  TForm* mainForm_ = nullptr;
  std::vector<TForm*> forms_;
  bool terminated_ = false;
  int nextId_ = 1;
  std::vector<std::pair<int, IdleHandler>> idle_;
};

inline TApplication& Application() { return TApplication::Instance(); }

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
