#pragma once
// The first icon of a file, and whether a file exists, as the application list sees them.
#include <string>

#include "win/Handles.h"

// The first icon of the file at `path` (8-bit text), or an empty holder when the file has none
// or is not an executable, library or icon file.
UniqueIcon ExtractFileIcon(const std::string& path);

// Whether a file exists at `path` as typed: the first entry a directory search finds is not a
// directory and its last-write time can be expressed as an MS-DOS date and time. A pattern with
// wildcards passes when the first entry it matches is a file.
bool ApplicationFileExists(const std::string& path);

// Whether `path` names no file the launcher could start: one attribute query for the path as
// written (a folder is no file), and a look along the search path for a bare file name.
bool ApplicationFileMissing(const std::string& path);
