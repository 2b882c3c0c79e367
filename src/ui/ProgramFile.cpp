#include "ui/ProgramFile.h"

#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "win/SystemFunction.h"

namespace {

// The shell's shortcut object.
constexpr CLSID kShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

// One reference to a COM object, released with the holder.
template <typename T>
struct ComRef {
  T* p = nullptr;
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p) p->Release();
  }
  void** out() { return reinterpret_cast<void**>(&p); }
};

std::wstring hex4(unsigned value) {
  std::wstring text(4, L'0');
  for (int i = 3; i >= 0; --i, value >>= 4) text[static_cast<size_t>(i)] = L"0123456789abcdef"[value & 15];
  return text;
}

// The description in the file's version information, without blanks around it; "" for none. The
// version library is loaded at the first file, not with the program.
std::wstring fileDescription(const std::wstring& file) {
  static auto* const sizeOf =
      SystemFunction<decltype(GetFileVersionInfoSizeW)>(L"version.dll", "GetFileVersionInfoSizeW");
  static auto* const infoOf =
      SystemFunction<decltype(GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
  static auto* const query = SystemFunction<decltype(VerQueryValueW)>(L"version.dll", "VerQueryValueW");
  DWORD unused = 0;
  const DWORD size = sizeOf && infoOf && query ? sizeOf(file.c_str(), &unused) : 0;
  std::vector<char> info(size);
  if (size == 0 || !infoOf(file.c_str(), 0, size, info.data())) return {};
  // The languages the file lists, then those most files have.
  struct Language {
    WORD language, codePage;
  };
  std::vector<Language> languages;
  Language* listed = nullptr;
  UINT bytes = 0;
  if (query(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&listed), &bytes) && listed)
    languages.assign(listed, listed + bytes / sizeof(Language));
  languages.push_back({0x0409, 1200});
  languages.push_back({0x0409, 1252});
  for (const Language& l : languages) {
    const std::wstring key =
        L"\\StringFileInfo\\" + hex4(l.language) + hex4(l.codePage) + L"\\FileDescription";
    wchar_t* text = nullptr;
    UINT length = 0;
    if (!query(info.data(), key.c_str(), reinterpret_cast<void**>(&text), &length) || !text) continue;
    std::wstring description(text, wcsnlen(text, length));
    const size_t first = description.find_first_not_of(L" \t");
    if (first != std::wstring::npos)
      return description.substr(first, description.find_last_not_of(L" \t") + 1 - first);
  }
  return {};
}

bool isShortcut(const std::wstring& file) {
  return file.size() > 4 && _wcsicmp(file.c_str() + file.size() - 4, L".lnk") == 0;
}

// The file a shortcut starts and its arguments; false when it names no file (a shortcut to a
// folder of the shell, say) or cannot be read.
bool resolveShortcut(const std::wstring& file, ProgramFile& program) {
  static auto* const coInitializeEx =
      SystemFunction<decltype(CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
  static auto* const coCreateInstance =
      SystemFunction<decltype(CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
  // The window thread joins a single-threaded apartment at the first shortcut and stays in it.
  static const bool joined = coInitializeEx && SUCCEEDED(coInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  (void)joined;
  ComRef<IShellLinkW> link;
  ComRef<IPersistFile> persisted;
  if (!coCreateInstance ||
      FAILED(
          coCreateInstance(kShellLink, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW), link.out())) ||
      FAILED(link.p->QueryInterface(__uuidof(IPersistFile), persisted.out())) ||
      FAILED(persisted.p->Load(file.c_str(), STGM_READ)))
    return false;
  std::wstring target(32768, L'\0');
  if (link.p->GetPath(target.data(), static_cast<int>(target.size()), nullptr, 0) != S_OK || !target[0])
    return false;
  std::wstring arguments(32768, L'\0');
  if (FAILED(link.p->GetArguments(arguments.data(), static_cast<int>(arguments.size()))))
    arguments[0] = L'\0';
  program.path = target.c_str();
  program.parameters = arguments.c_str();
  return true;
}

// The file's name without its folder and extension.
std::wstring stem(const std::wstring& file) {
  const size_t slash = file.find_last_of(L"\\/:");
  std::wstring name = slash == std::wstring::npos ? file : file.substr(slash + 1);
  const size_t dot = name.rfind(L'.');
  return dot == std::wstring::npos || dot == 0 ? name : name.substr(0, dot);
}

}  // namespace

ProgramFile ProgramOf(const std::wstring& file) {
  ProgramFile program{L"", file, L""};
  if (isShortcut(file)) resolveShortcut(file, program);
  program.name = fileDescription(program.path);
  if (program.name.empty()) program.name = stem(file);
  return program;
}
