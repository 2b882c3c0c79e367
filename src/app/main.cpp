// Konfigurator: start-up and ending of the program.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "app/OneCopy.h"
#include "base/ExecutablePath.h"
#include "base/Text.h"
#include "serial/SerialPorts.h"
#include "settings/TarvenikIni.h"
#include "catalogue/gnugettext.h"
#include "toolkit/Application.h"
#include "ui/Unit1.h"

// The C++ library's default end for an exception that nothing caught writes the exception's type
// to the error output (which a windowed program does not have) through a name demangler of some
// tens of kilobytes that nothing else uses. Every error is caught and shown by the application
// object; should one escape all the same, the program ends as it would have ended anyway.
namespace __gnu_cxx {
void __verbose_terminate_handler();
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  TApplication& app = Application();
  app.SetTitle(L"Konfigurator");  // until the program sets its own

  // Without an exact path the settings file and the catalogues would be looked for elsewhere.
  const std::string executable = ExecutablePath();
  if (executable.empty()) {
    ShowErrorBox(
        Utf8ToWide("Nie można otworzyć pliku ustawień Tarvenik.ini: nazwa folderu programu zawiera "
                   "znaki spoza strony kodowej systemu. Przenieś program do folderu o innej nazwie."),
        L"Tarvenik - Konfigurator");
    return 1;
  }

  // One copy per settings file: a second start brings the first copy's window forward and ends.
  TSettingsFileClaim claim(AnsiToWide(tarvenik_ini::SettingsFilePath()));
  if (!claim.Held()) return 0;

  // The supporting layers: the translation of built-in texts, then the serial support. A damaged
  // or unreadable catalogue must not stop the program: its texts are used as built.
  SafeCall([&] { GettextSetUp(executable); });
  SafeCall([] { SerialSupportStart(); });

  app.Initialize();
  app.SetTitle(L"Tarvenik - Konfigurator");

  // A window that cannot be built ends the program, with the error told.
  std::unique_ptr<TMain> mainWindow;
  try {
    mainWindow = std::make_unique<TMain>(tarvenik_ini::SettingsFilePath());
    Main = mainWindow.get();
    Main->Show();
  } catch (...) {
    app.HandleException(std::current_exception());
    mainWindow.reset();
    GettextEnd();
    return 1;
  }
  // What start-up could not do is told once the window is there.
  if (std::optional<std::string> problem = TakeCatalogueProblem()) app.ShowException(*problem);
  SafeCall([] { Main->FormShown(); });
  // Once the window is there and waits for the user, a later copy may find it.
  int published = 0;
  published = app.AddIdleHandler([&] {
    claim.Publish();
    app.RemoveIdleHandler(published);
  });
  int code = app.Run();

  mainWindow.reset();
  GettextEnd();
  return code;
}
