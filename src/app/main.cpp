// Konfigurator: start-up and ending of the program.
#include <windows.h>

#include <filesystem>
#include <memory>

#include "toolkit/Application.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace {

std::filesystem::path executableDir() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return std::filesystem::path(path).parent_path();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TApplication& app = Application();
  app.Initialize();
  app.SetTitle(L"Tarvenik - Konfigurator");

  auto mainWindow = std::make_unique<TMain>(executableDir());
  Main = mainWindow.get();
  auto entryDialog = std::make_unique<TSelectApplication>();
  SelectApplication = entryDialog.get();

  Main->Show();
  int code = app.Run();

  entryDialog.reset();
  mainWindow.reset();
  return code;
}
