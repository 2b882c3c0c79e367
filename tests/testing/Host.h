#pragma once
// Under Wine, what only the host makes for a test (a symbolic link, a folder refusing new files).
#include <windows.h>

#include <filesystem>

inline std::string HostPath(const std::filesystem::path& path) {
  auto convert = reinterpret_cast<char*(CDECL*)(const wchar_t*)>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  char* name = convert ? convert(std::filesystem::absolute(path).wstring().c_str()) : nullptr;
  const std::string host = name ? name : "";  // the host's own text, freed on its own heap
  return HeapFree(GetProcessHeap(), 0, name), host;
}

// Runs a host program; true once `done` holds (within 5 s: it may run on after its handle ends).
template <typename Done>
bool RunOnHost(const std::string& command, Done done) {
  std::wstring line = L"Z:" + std::wstring(command.begin(), command.end());  // ASCII only
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
  for (int i = 0; i < 250 && !done(); ++i) Sleep(20);
  return done();
}

// A symbolic link to `target` (none when empty) that the host makes, and removes with the object.
struct HostLink {
  HostLink(const std::filesystem::path& target, const std::filesystem::path& at)
      : link(at),
        host(HostPath(at)),
        made(!target.empty() && RunOnHost("/usr/bin/ln -s " + HostPath(target) + " " + host,
                                          [&] { return std::filesystem::exists(link); })) {}
  ~HostLink() {
    if (made) RunOnHost("/usr/bin/rm " + host, [&] { return !std::filesystem::exists(link); });
  }
  const std::filesystem::path link;
  const std::string host;
  const bool made;
};
