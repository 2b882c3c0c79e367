#pragma once
// Functions of system libraries that the program looks up while it runs: those it needs only now
// and then (the shell's icon extraction, the file-open dialog), whose library is then loaded at
// the first call instead of with the program so that start-up does not pay for it, and those that
// only some versions of Windows have.
#include <windows.h>

// The function `name` (or an ordinal, MAKEINTRESOURCEA(n)) of a loaded module; null when the
// module is null or has no such function.
template <typename Fn>
Fn* ModuleFunction(HMODULE module, const char* name) {
  return module ? reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name))) : nullptr;
}

// The function `name` of the system library `library`, loaded from the system folder only (never
// from the program's or the current folder); null when there is no such function. The library
// stays loaded until the process ends.
template <typename Fn>
Fn* SystemFunction(const wchar_t* library, const char* name) {
  return ModuleFunction<Fn>(LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32), name);
}
