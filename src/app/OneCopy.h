#pragma once
// One copy of the program per settings file: two copies that both save would undo each other's
// changes without a word.
#include <string>

#include "win/Handles.h"

class TSettingsFileClaim {
 public:
  // Claims the settings file for this copy while the object lives. When another running copy
  // holds it, that copy's window is brought to the front (restored if minimised) instead.
  explicit TSettingsFileClaim(const std::wstring& settingsFile);

  // False when another copy holds the settings file: this one should end.
  bool Held() const { return held_; }
  // Leaves this process's identifier where a later copy looks for the window to bring forward:
  // once the window is there (until then a later copy waits).
  void Publish();

 private:
  std::wstring holderName_;
  UniqueKernelHandle claim_, holder_;
  bool held_ = true;
};
