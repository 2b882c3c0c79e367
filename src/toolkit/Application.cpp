#include "toolkit/Application.h"

#include <commctrl.h>

#include <algorithm>

#include "base/Exception.h"
#include "base/ResStrings.h"
#include "base/Text.h"
#include "toolkit/Seams.h"

ToolkitSeams& TheToolkitSeams() {
  static ToolkitSeams seams{[] { MessageBeep(0); }};
  return seams;
}

TApplication& TApplication::Instance() {
  static TApplication app;
  return app;
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  terminated_ = false;
}

UINT TakeKeyMessage() {
  static const UINT message = RegisterWindowMessageW(L"TarvenikTakeKey");
  return message;
}

void ShowErrorBox(const std::wstring& text, const std::wstring& caption) {
  MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(), MB_OK | MB_ICONSTOP);
}

bool AskYesNo(const std::wstring& text, const std::wstring& caption) {
  return MessageBoxW(GetActiveWindow(), text.c_str(), caption.c_str(),
                     MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void TApplication::Terminate() { terminated_ = true; }

bool TApplication::handleKeyboard(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  return root && SendMessageW(root, TakeKeyMessage(), 0, reinterpret_cast<LPARAM>(&msg)) != 0;
}

bool TApplication::ProcessMessage() {
  MSG msg;
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!handleKeyboard(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::Idle() {
  // A handler may unsubscribe itself or another one: call each only while it is still subscribed.
  std::vector<int> ids;
  for (auto& entry : idle_) ids.push_back(entry.first);
  for (int id : ids) {
    auto it = std::find_if(idle_.begin(), idle_.end(), [id](auto& p) { return p.first == id; });
    if (it == idle_.end()) continue;
    IdleHandler h = it->second;  // the handler may remove its own entry while it runs
    SafeCall(h);
  }
}

void TApplication::RunUntil(const std::function<bool()>& done) {
  while (!terminated_ && !done()) {
    if (!ProcessMessage()) {
      // The queue is empty: the program now waits for input, and says so with a wait that ends at
      // once before it does what it keeps for idle moments. Windows counts an empty queue as
      // waiting; Wine counts only a wait, and would otherwise tell whoever started the program
      // (WaitForInputIdle) that it is ready only after that work.
      MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0);
      Idle();
      if (terminated_ || done()) break;
      // Until there is input, including any that came before that wait and so counts as seen, for
      // which a wait for new input only would not return.
      MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
  }
}

int TApplication::Run() {
  RunUntil([] { return false; });
  return 0;
}

void TApplication::HandleException(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    // silent by design
  } catch (const Exception& e) {
    ShowException(e.Message());
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException("Unknown error");
  }
}

void TApplication::ShowException(const std::string& message) {
  ShowErrorBox(AnsiToWide(ErrorBoxText(message)), title_);
}

void TApplication::Beep() { TheToolkitSeams().beep(); }

int TApplication::AddIdleHandler(IdleHandler h) {
  idle_.emplace_back(nextId_, std::move(h));
  return nextId_++;
}

void TApplication::RemoveIdleHandler(int id) {
  idle_.erase(std::remove_if(idle_.begin(), idle_.end(), [id](auto& p) { return p.first == id; }),
              idle_.end());
}
