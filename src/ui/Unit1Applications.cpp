// The main window's application group: rows of name, path and parameters, each with the icon
// of its file in the slot of the same index.
#include "toolkit/Application.h"
#include "ui/FileIcon.h"
#include "ui/ProgramFile.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"

int TMain::AddApplication(const std::string& name, const std::string& path, const std::string& parameters) {
  // A file with an icon is there; only one without is looked for.
  UniqueIcon icon = ExtractFileIcon(path);
  return AddApplication(name, path, parameters, icon.get(), !icon && ApplicationFileMissing(path));
}

int TMain::AddApplication(const std::string& name, const std::string& path, const std::string& parameters,
                          HICON icon, bool missing) {
  int row = ApplicationList.AddRow(name);
  ApplicationList.SetRowText(row, 1, path);
  ApplicationList.SetRowText(row, 2, parameters);
  Icons.Insert(row, icon);
  ApplicationList.SetImageIndex(row, icon ? row : -1);
  if (missing) ApplicationList.SetRowMarked(row, true);
  return row;
}

void TMain::SetApplication(int row, const std::string& name, const std::string& path,
                           const std::string& parameters) {
  ApplicationList.SetRowText(row, 0, name);
  ApplicationList.SetRowText(row, 1, path);
  ApplicationList.SetRowText(row, 2, parameters);
  UniqueIcon icon = ExtractFileIcon(path);
  Icons.Replace(row, icon.get());
  ApplicationList.SetImageIndex(row, icon ? row : -1);
  ApplicationList.SetRowMarked(row, !icon && ApplicationFileMissing(path));
}

void TMain::ApplicationMove(int step) {
  const int row = ApplicationList.Selected(), to = MoveTarget(ApplicationList, step);
  if (to < 0) return;
  // The two image slots change places with their rows.
  UniqueIcon moved = ApplicationList.ImageIndex(row) >= 0 ? Icons.GetIcon(row) : UniqueIcon();
  UniqueIcon other = ApplicationList.ImageIndex(to) >= 0 ? Icons.GetIcon(to) : UniqueIcon();
  Icons.Replace(row, other.get());
  Icons.Replace(to, moved.get());
  ApplicationList.ExchangeRows(row, to);
  ApplicationList.SetImageIndex(row, other ? row : -1);
  ApplicationList.SetImageIndex(to, moved ? to : -1);
}

void TMain::ApplicationListDropFiles(const std::vector<std::wstring>& files) {
  // "Anuluj" leaves the files after it too.
  for (const std::wstring& file : files) {
    if (!ApplicationAdd.Enabled()) return;
    EditIndex = -1;
    entryDialog().FillOnShow(ProgramOf(file));
    if (showEntryDialog() != mrOk) return;
  }
}

void TMain::ApplicationAddClick() {
  EditIndex = -1;
  showEntryDialog();
}

void TMain::ApplicationEditClick() { showEntryDialog(); }

TSelectApplication& TMain::entryDialog() {
  if (!SelectApplication) {
    entryDialog_ = std::make_unique<TSelectApplication>();
    SelectApplication = entryDialog_.get();
  }
  return *SelectApplication;
}

int TMain::showEntryDialog() {
  TSelectApplication& dialog = entryDialog();
  dialog.OnEntered = [this](const std::string& name, const std::string& path, const std::string& parameters) {
    if (EditIndex == -1) {
      AddApplication(name, path, parameters);
    } else if (int row = ApplicationList.Selected(); row >= 0) {
      SetApplication(row, name, path, parameters);
    }
    ApplicationList.AutoSizeColumns();
  };
  return dialog.ShowModal();
}

void TMain::ApplicationDeleteClick() {
  int k = ApplicationList.Selected();
  if (k < 0) return;
  Icons.Delete(k);
  ApplicationList.DeleteRow(k);
  // The rows after it moved down one slot with their images.
  for (int i = k; i < ApplicationList.Count(); ++i)
    if (ApplicationList.ImageIndex(i) >= 0) ApplicationList.SetImageIndex(i, i);
  ApplicationList.AutoSizeColumns();
}

void TMain::ApplicationListSelectItem(int index, bool /*selected*/) {
  ApplicationEdit.SetEnabled(true);
  ApplicationDelete.SetEnabled(true);
  EditIndex = index;
  TSelectApplication& dialog = entryDialog();
  dialog.ApplicationName.SetText(ApplicationList.RowText(index, 0));
  dialog.Path.SetText(ApplicationList.RowText(index, 1));
  dialog.Parameters.SetText(ApplicationList.RowText(index, 2));
}

void TMain::ApplicationListClick() {
  if (ApplicationList.Selected() < 0) {
    ApplicationEdit.SetEnabled(false);
    ApplicationDelete.SetEnabled(false);
  }
}
