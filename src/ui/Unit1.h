#pragma once
// The main window: every setting of the settings file, the rule that enables the controls from
// the four check boxes, and the handlers of its buttons and lists.
#include <filesystem>
#include <string>

#include "toolkit/Controls.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"

class TMain : public TForm {
 public:
  // `settingsDir` holds the settings file: the executable's directory in the program, a temporary
  // one in tests.
  explicit TMain(std::filesystem::path settingsDir);
  ~TMain() override;

  TCheckBox Connect;
  TComboBox Port;
  TLabel BaudRateLabel;
  TComboBox BaudRate;
  TCheckBox CR;
  TCheckBox LF;
  TCheckBox SendBefore;
  TEdit SendBeforeText;
  TSpeedButton SendBeforeAdd;
  TSpeedButton SendBeforeEdit;
  TSpeedButton SendBeforeDelete;
  TListView SendBeforeCommands;
  TCheckBox StartApplication;
  TListView ApplicationList;
  TSpeedButton ApplicationAdd;
  TSpeedButton ApplicationEdit;
  TSpeedButton ApplicationDelete;
  TLabel Label1;
  TEdit Interval;
  TLabel Label2;
  TCheckBox SendAfter;
  TEdit SendAfterText;
  TSpeedButton SendAfterAdd;
  TSpeedButton SendAfterEdit;
  TSpeedButton SendAfterDelete;
  TListView SendAfterCommands;
  TButton Cancel;
  TButton Help;
  TButton OK;

  TImageList Icons;

  const std::filesystem::path& SettingsDir() const { return settingsDir_; }

  // Event handlers.
  void FormCreate();
  void ConnectClick();
  void HelpClick();
  void CancelClick();
  void OKClick();

 private:
  void buildControls();
  void bindEvents();

  std::filesystem::path settingsDir_;
};

// The program-wide main window.
extern TMain* Main;
