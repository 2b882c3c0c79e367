#include "base/ExecutablePath.h"

#include <windows.h>

#include "base/Text.h"

namespace {

std::wstring modulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return std::wstring();
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);  // cut to the buffer: try a larger one
  }
}

std::wstring shortPath(const std::wstring& path) {
  DWORD n = GetShortPathNameW(path.c_str(), nullptr, 0);
  std::wstring shortened(n, L'\0');
  if (n == 0) return shortened;
  n = GetShortPathNameW(path.c_str(), shortened.data(), n);
  shortened.resize(n < shortened.size() ? n : 0);
  return shortened;
}

}  // namespace

// The files beside the program are opened through 8-bit paths, which must name them exactly. A
// folder whose name has letters the code page lacks is named by its short form (which names the
// same folder); where the volume keeps no short names there is no exact 8-bit path.
std::string ExecutablePath() {
  const std::wstring path = modulePath();
  if (path.empty()) return std::string();
  if (AnsiHoldsExactly(path)) return WideToAnsi(path);
  const std::wstring shortened = shortPath(path);
  if (!shortened.empty() && AnsiHoldsExactly(shortened)) return WideToAnsi(shortened);
  return std::string();
}
