#pragma once
// A function of a system library that the program needs only now and then (the shell's icon
// extraction, the file-open dialog): the library is loaded at the first call instead of with the
// program, so that start-up does not pay for it. It stays loaded until the process ends.
#include <windows.h>

template <typename Fn>
Fn* SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}
