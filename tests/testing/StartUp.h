#pragma once
// The program's two windows, each the program-wide one: the main window made as start-up makes it,
// on the settings file in a test's folder, and the entry dialog made ahead of the moment the main
// window would make it, so that a test can reach it before it is shown.
#include <filesystem>
#include <memory>

#include "settings/TarvenikIni.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

namespace wintest {

// The main window on "Tarvenik.ini" in `folder`, made `Main`.
inline std::unique_ptr<TMain> MakeMain(const std::filesystem::path& folder) {
  auto main = std::make_unique<TMain>(tarvenik_ini::SettingsFilePathIn(folder.string()));
  Main = main.get();
  return main;
}

// The application entry dialog, made `SelectApplication`.
inline std::unique_ptr<TSelectApplication> MakeSelectApplication() {
  auto dialog = std::make_unique<TSelectApplication>();
  SelectApplication = dialog.get();
  return dialog;
}

}  // namespace wintest
