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

 private:
  UniqueKernelHandle claim_, holder_;
  bool held_ = true;
};
