#pragma once
// Under Wine, what only the host system can make for a test: a symbolic link, a folder that
// refuses new files. Windows tests only; elsewhere (on Windows itself) the calls do nothing.
#include <windows.h>

#include <filesystem>
#include <string>

namespace wintest {

// The host's own path of a file or folder; empty where the program does not run under Wine.
inline std::string HostPath(const std::filesystem::path& path) {
  using Convert = char*(CDECL*)(const wchar_t*);
  auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  char* name = convert ? convert(std::filesystem::absolute(path).wstring().c_str()) : nullptr;
  std::string host = name ? name : "";
  if (name) HeapFree(GetProcessHeap(), 0, name);
  return host;
}

// Runs a program of the host (its host path, then its arguments); true once `done` holds (waits up
// to 5 s: the host's program may still run when its handle says it has ended).
template <typename Done>
bool RunOnHost(const std::wstring& program, const std::string& arguments, Done done) {
  std::wstring command = L"Z:" + program + L" " + std::wstring(arguments.begin(), arguments.end());
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  WaitForSingleObject(pi.hProcess, 5000);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  for (int i = 0; i < 250 && !done(); ++i) Sleep(20);
  return done();
}

// A symbolic link made by the host, removed by the host with the object: removed through Windows,
// what it leads to would go instead.
class HostLink {
 public:
  HostLink(const std::filesystem::path& target, const std::filesystem::path& link)
      : link_(link), host_(HostPath(link)) {
    made_ = RunOnHost(L"/usr/bin/ln", "-s " + HostPath(target) + " " + host_,
                      [&] { return std::filesystem::exists(link_); });
  }
  ~HostLink() {
    if (made_) RunOnHost(L"/usr/bin/rm", host_, [&] { return !std::filesystem::exists(link_); });
  }
  HostLink(const HostLink&) = delete;
  HostLink& operator=(const HostLink&) = delete;
  bool made() const { return made_; }

 private:
  std::filesystem::path link_;
  std::string host_;
  bool made_ = false;
};

}  // namespace wintest
