#include "settings/KeptText.h"

#include "base/AsciiText.h"
#include "base/Text.h"
#include "settings/IniFiles.h"

namespace {

// What the profile functions drop at the ends of a value (Ctrl+Z is an old end-of-file mark).
bool isBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f' || c == L'\x1a'; }

}  // namespace

KeepFault WhyNotKept(std::wstring_view typed) {
  if (typed.empty()) return KeepFault::None;
  if (TrimWhere(typed, isBlank).size() != typed.size()) return KeepFault::Blanks;
  if (typed.size() >= 2 && (typed.front() == L'"' || typed.front() == L'\'') && typed.back() == typed.front())
    return KeepFault::Quotes;
  if (!AnsiHoldsExactly(typed)) return KeepFault::CodePage;
  if (WideToAnsi(typed).size() > TIniFile::kReadBufferSize - 1) return KeepFault::TooLong;
  return KeepFault::None;
}
