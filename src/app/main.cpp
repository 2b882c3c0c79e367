// Konfigurator: start-up and ending of the program.
#include <windows.h>

#include <filesystem>
#include <memory>

#include "base/Text.h"
#include "serial/SerialPorts.h"
#include "support/gnugettext.h"
#include "toolkit/Application.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

std::filesystem::path executablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TApplication& app = Application();
  app.SetTitle(L"Konfigurator");  // until the program sets its own

  // The supporting layers: the translation of built-in texts, then the serial support. A damaged
  // or unreadable catalogue must not stop the program: an error raised here is shown and start-up
  // goes on with the texts as built.
  SafeCall([] { GettextSetUp(WideToAnsi(executablePath().wstring())); });
  SafeCall([] { SerialSupportStart(); });

  app.Initialize();
  app.SetTitle(L"Tarvenik - Konfigurator");

  auto mainWindow = std::make_unique<TMain>(executablePath().parent_path());
  Main = mainWindow.get();
  auto entryDialog = std::make_unique<TSelectApplication>();
  SelectApplication = entryDialog.get();

  Main->Show();
  int code = app.Run();

  entryDialog.reset();
  mainWindow.reset();
  GettextEnd();
  return code;
}
