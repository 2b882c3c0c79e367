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

  // Event: "OK" found the three fields good, just before the dialog closes with "OK". The window
  // that shows the dialog adds or changes its row.
  std::function<void(const std::string& name, const std::string& path, const std::string& parameters)>
      OnEntered;

 private:
  std::wstring lastFile_;  // the file-open dialog starts with the file chosen last time
  TToolTip tips_;
};

// The program-wide entry dialog.
extern TSelectApplication* SelectApplication;

// -1: the entry dialog adds a row; otherwise it changes the selected row. Set by the main window.
// (An int rather than 16 bits, so that row numbers past 32767 never read as "add".)
extern int EditIndex;
