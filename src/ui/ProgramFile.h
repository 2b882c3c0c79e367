#pragma once
// What a file handed to the entry dialog (dropped, or chosen through "...") names as an
// application: a shortcut stands for its target and arguments, and the name is the description in
// the file's version information, or else the file's name without its extension.
#include <string>

struct ProgramFile {
  std::wstring name, path, parameters;
};

ProgramFile ProgramOf(const std::wstring& file);
