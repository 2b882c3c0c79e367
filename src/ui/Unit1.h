#pragma once
// The main window: every setting of the settings file, the rule that enables the controls from
// the four check boxes, and the handlers of its buttons and lists.
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "settings/IniFiles.h"
#include "settings/SettingsSave.h"

#include "controls/CPortCtl.h"
#include "controls/SpinEdit.h"
#include "controls/VistaAltFix.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolTip.h"
#include "ui/CommandList.h"

class TSelectApplication;

class TMain : public TForm {
 public:
  // `settingsFile`: the settings file's full path, as the profile functions take it; the one beside
  // the executable in the program, one in a temporary folder in tests.
  explicit TMain(std::string settingsFile);
  ~TMain() override;

  TCheckBox Connect;
  TComComboBox Port;
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
  TSpinEdit Interval;
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
  TComPort ComPort;
  // Repaints every form after Windows shows or hides the keyboard cues.
  TVistaAltFix VistaAltFix1;

  // The settings file's full path, as the profile functions take it.
  const std::string& SettingsFileName() const { return settingsFile_; }

  // Event handlers.
  void FormCreate();
  // Start-up has shown the window: tells when the settings file is there but was not read.
  void FormShown();
  void ConnectClick();
  void HelpClick();
  void CancelClick();
  void OKClick();
  void SendBeforeAddClick();
  void SendBeforeEditClick();
  void SendBeforeDeleteClick();
  void SendBeforeTextKeyPress(wchar_t& key);
  void SendBeforeCommandsClick();
  void SendBeforeCommandsSelectItem(int index, bool selected);
  void SendAfterAddClick();
  void SendAfterEditClick();
  void SendAfterDeleteClick();
  void SendAfterTextKeyPress(wchar_t& key);
  void SendAfterCommandsClick();
  void SendAfterCommandsSelectItem(int index, bool selected);
  void ApplicationAddClick();
  void ApplicationEditClick();
  void ApplicationDeleteClick();
  void ApplicationListSelectItem(int index, bool selected);
  void ApplicationListClick();
  // Moves the selected application one place up (step -1) or down (1), with its icon.
  void ApplicationMove(int step);
  // Each file dropped onto the list opens the entry dialog, as "+" does, filled from the file.
  void ApplicationListDropFiles(const std::vector<std::wstring>& files);

  // Appends an application row with its file's icon in the slot of the same index; returns the row.
  int AddApplication(const std::string& name, const std::string& path, const std::string& parameters);
  // The same with the icon already at hand (a copy is kept; null: the file has none) and whether
  // the file is missing, which the row shows.
  int AddApplication(const std::string& name, const std::string& path, const std::string& parameters,
                     HICON icon, bool missing);
  // Changes a row, its icon and its mark of a missing file.
  void SetApplication(int row, const std::string& name, const std::string& path,
                      const std::string& parameters);

 private:
  // Shows the application entry dialog, which adds a row or changes the selected one on "OK";
  // returns its modal result.
  int showEntryDialog();
  // The program-wide entry dialog, made when it is first needed (a row selected, or "+"): start-up
  // does not wait for a window that many runs never open.
  TSelectApplication& entryDialog();
  void buildControls();
  void buildPort();
  void bindEvents();
  void bindCommandLists();
  void bindKeysAndNames();
  // The keys, context menus and drops that edit the lists beyond their buttons.
  void bindListEditing();
  void bindCommandListEditing(TCommandList& group, TEdit& text, TSpeedButton& add, TSpeedButton& edit,
                              TSpeedButton& del, TListView& commands);

  std::string settingsFile_;
  // Which lists were loaded completely (an unforeseen error while loading stops it part way, and a
  // list longer than the window shows is cut); the others are saved as the file has them.
  struct {
    bool sendBefore = false, applications = false, sendAfter = false;
  } loaded_;
  // The file is larger than is read; the window shows the defaults.
  bool tooLarge_ = false;
  // The file is there but the window does not show what it holds: "OK" asks before replacing it.
  bool notRead_ = false;
  // The two command-list groups behave alike; one implementation serves both.
  TCommandList sendBefore_{SendBeforeText, SendBeforeEdit, SendBeforeDelete, SendBeforeCommands};
  TCommandList sendAfter_{SendAfterText, SendAfterEdit, SendAfterDelete, SendAfterCommands};
  // The tips of the small buttons and of the application rows.
  TToolTip tips_;
  // The entry dialog once this window has made it; freed first, before the controls it reads.
  std::unique_ptr<TSelectApplication> entryDialog_;
};

// The program-wide main window.
extern TMain* Main;

// The main window's controls: name, caption, position in the client area, tab order and
// whether each is enabled when the window is created. The window is built from this table.
struct MainControl {
  const char* name;
  const char* caption;  // UTF-8
  Bounds bounds;
  int tabOrder;  // -1: not a tab stop
  bool enabled;
  TControl& (*control)(TMain&);
};

std::span<const MainControl> MainLayout();
