#include "base/ExecutablePath.h"

#include <windows.h>

#include "base/Text.h"

std::string ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::string();
    if (n < path.size()) {
      path.resize(n);
      return WideToAnsi(path);
    }
    path.resize(path.size() * 2);  // cut to the buffer: try a larger one
  }
}
