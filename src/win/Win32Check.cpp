#include "win/Win32Check.h"

#include "base/Exception.h"
#include "base/ResStrings.h"

std::string SystemErrorText(DWORD code) {
  char buffer[2000];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                           buffer, sizeof buffer, nullptr);
  std::string text(buffer, n);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

void RaiseLastWin32Error() {
  const DWORD code = GetLastError();
  throw Exception(SystemErrorText(code) +
                  FormatText(LoadResString(ResId::WinErrorCode), {std::to_string(code)}));
}
