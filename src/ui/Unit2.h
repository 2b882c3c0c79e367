#pragma once
// The application entry dialog: name, path and parameters of one application, for adding a row
// to the main window's application list or changing the selected one.
#include <cstdint>
#include <functional>
#include <string>

#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolTip.h"
#include "ui/ProgramFile.h"

class TSelectApplication : public TForm {
 public:
  TSelectApplication();
  ~TSelectApplication() override;

  TLabel Label3;
  TEdit ApplicationName;
  TLabel Label1;
  TEdit Path;
  TSpeedButton SelectFile;
  TLabel Label2;
  TEdit Parameters;
  TButton OK;
  TButton Cancel;

  void FormShow();
  void SelectFileClick();
  void OKClick();
  void CancelClick();
  // The next showing in adding mode starts with these texts instead of empty fields.
  void FillOnShow(ProgramFile program) { filled_ = std::move(program); }

  // Event: "OK" found the three fields good, just before the dialog closes with "OK". The window
  // that shows the dialog adds or changes its row.
  std::function<void(const std::string& name, const std::string& path, const std::string& parameters)>
      OnEntered;

 private:
  // A file chosen or dropped onto the path: its path, and its name and parameters where those are
  // empty.
  void takeFile(const std::wstring& file);

  std::wstring lastFile_;  // the file-open dialog starts with the file chosen last time
  ProgramFile filled_;
  TToolTip tips_;
};

// The program-wide entry dialog.
extern TSelectApplication* SelectApplication;

// -1: the entry dialog adds a row; otherwise it changes the selected row. Set by the main window.
// (An int rather than 16 bits, so that row numbers past 32767 never read as "add".)
extern int EditIndex;
