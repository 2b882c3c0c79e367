#include "settings/KeptText.h"

#include "base/AsciiText.h"
#include "base/Text.h"
#include "settings/IniFiles.h"
#include "settings/ProfileSection.h"

KeepFault WhyNotKept(std::wstring_view typed) {
  // Blanks and quotation marks are ASCII: a character the code page lacks changes neither.
  const std::string ansi = WideToAnsi(typed);
  if (ValueReadBack(ansi, ansi.size()) != ansi) {
    if (IsBlank(ansi.front()) || IsBlank(ansi.back())) return KeepFault::Blanks;
    // Otherwise a pair of quotation marks, or a line break: only the first line is written, and
    // what follows it is dropped.
    if (ansi.find_first_of("\r\n") == std::string::npos) return KeepFault::Quotes;
  }
  if (!AnsiHoldsExactly(typed)) return KeepFault::CodePage;
  if (ansi.size() > TIniFile::kReadBufferSize - 1) return KeepFault::TooLong;
  return KeepFault::None;
}
