#pragma once
// A fresh folder for one test, removed with everything in it (read-only parts included).
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <string>

#include "testing/Files.h"

class TempDir {
 public:
  TempDir() {
    std::random_device random;
    namespace fs = std::filesystem;
    for (;;) {
      path_ = fs::temp_directory_path() / ("tarvenik-" + std::to_string(random()));
      if (fs::create_directory(path_)) break;
    }
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    for (auto& entry : fs::recursive_directory_iterator(path_, ec))
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
  }

  const std::filesystem::path& Path() const { return path_; }
  // An 8-bit path as the profile functions take it.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  size_t EntryCount() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_), {}));
  }

 private:
  std::filesystem::path path_;
};

inline void MakeReadOnly(const std::string& path) {
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}
