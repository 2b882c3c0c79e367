#pragma once
// Failed Win32 calls as the program's errors.
#include <windows.h>

#include <string>

// The system's text for an error code, without the line break it ends with.
std::string SystemErrorText(DWORD code);

// Raises Exception for the calling thread's last error: the system's text for it followed by
// " (win error code: %d)".
[[noreturn]] void RaiseLastWin32Error();

// The result of a call that reports failure with zero or null (a handle, a BOOL, an atom); on
// failure raises the last error instead.
template <typename T>
T Win32Check(T result) {
  if (!result) RaiseLastWin32Error();
  return result;
}
