#include "ui/Unit2.h"

#include <commdlg.h>

#include "base/Text.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "ui/FileIcon.h"
#include "ui/Refusal.h"
#include "win/SystemFunction.h"

TSelectApplication* SelectApplication = nullptr;
int EditIndex = -1;

TSelectApplication::TSelectApplication() : TForm(Utf8ToWide("Wybierz aplikację"), 400, 201) {
  Label3.Create(*this, "Label3", L"Nazwa:", {5, 5, 390, 21}, -1, true);
  ApplicationName.Create(*this, "ApplicationName", L"", {5, 30, 390, 21}, 0, true);
  Label1.Create(*this, "Label1", Utf8ToWide("Ścieżka dostępu:"), {5, 55, 390, 21}, -1, true);
  Path.Create(*this, "Path", L"", {5, 80, 360, 21}, 1, true);
  SelectFile.Create(*this, "SelectFile", L"...", {370, 80, 25, 21}, -1, true);
  Label2.Create(*this, "Label2", L"Parametry:", {5, 110, 390, 21}, -1, true);
  Parameters.Create(*this, "Parameters", L"", {5, 135, 390, 21}, 2, true);
  OK.Create(*this, "OK", L"OK", {205, 165, 190, 30}, 3, true);
  Cancel.Create(*this, "Cancel", L"Anuluj", {5, 165, 90, 30}, 4, true);
  SetDefaultButton(&OK);
  SetCancelButton(&Cancel);

  OnShow = [this] { FormShow(); };
  SelectFile.OnClick = [this] { SelectFileClick(); };
  OK.OnClick = [this] { OKClick(); };
  Cancel.OnClick = [this] { CancelClick(); };

  // The keys of the system's own file fields open the file-open dialog; the fields are named by
  // their labels.
  AddShortcut(VK_F4, 0, SelectFile, &Path);
  AddShortcut(VK_DOWN, MOD_ALT, SelectFile, &Path);
  Path.AcceptDroppedFiles([this](const std::vector<std::wstring>& files) { takeFile(files.front()); });
  SelectFile.SetHint(tips_, Utf8ToWide("Wybierz plik (F4, Alt+Strzałka w dół)"));
  ApplicationName.SetAccessibleName(Label3.Caption());
  Path.SetAccessibleName(Label1.Caption());
  Parameters.SetAccessibleName(Label2.Caption());
  EndBuilding();
}

TSelectApplication::~TSelectApplication() {
  if (SelectApplication == this) SelectApplication = nullptr;
}

void TSelectApplication::FormShow() {
  if (EditIndex == -1) {
    ApplicationName.SetCaption(filled_.name);
    Path.SetCaption(filled_.path);
    Parameters.SetCaption(filled_.parameters);
    filled_ = {};
  }
  ApplicationName.SetFocus();
}

void TSelectApplication::SelectFileClick() {
  static const wchar_t kFilter[] = L"Aplikacje\0*.exe\0Wszystkie pliki\0*.*\0";
  std::wstring file = lastFile_;
  file.resize(32768, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = Handle();
  ofn.lpstrFilter = kFilter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
  static auto* const getOpenFileNameW =
      SystemFunction<decltype(GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  if (!getOpenFileNameW || !getOpenFileNameW(&ofn)) return;
  file.resize(wcslen(file.c_str()));
  lastFile_ = file;
  takeFile(file);
}

void TSelectApplication::takeFile(const std::wstring& file) {
  const ProgramFile program = ProgramOf(file);
  Path.SetCaption(program.path);
  if (ApplicationName.Caption().empty()) ApplicationName.SetCaption(program.name);
  if (Parameters.Caption().empty()) Parameters.SetCaption(program.parameters);
}

void TSelectApplication::OKClick() {
  // Each field in turn; a path the file cannot keep is refused before it is looked for.
  const std::string name = KeptText(ApplicationName);
  if (name.empty()) Refuse("Wprowadź nazwę aplikacji!", ApplicationName);
  const std::string path = KeptText(Path);
  if (path.empty() || !ApplicationFileExists(path)) Refuse("Nieprawidłowa ścieżka aplikacji!", Path);
  const std::string parameters = KeptText(Parameters);
  if (OnEntered) OnEntered(name, path, parameters);
  SetModalResult(mrOk);
}

void TSelectApplication::CancelClick() { SetModalResult(mrCancel); }
