#pragma once
// What the windows hand to other parts that a test stands in for: one object whose members do the
// real thing until a test replaces them.
#include "settings/SettingsSave.h"

struct UiSeams {
  // Makes the profile file object that a save writes through (MakeIniFile); a test puts a failing
  // one in its place.
  IniFileMaker saveFileMaker;
};

UiSeams& TheUiSeams();
