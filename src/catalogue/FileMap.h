#pragma once
// A whole file mapped read-only into memory, with one owner for the file and the mapping.
#include <cstdint>
#include <string>

#ifdef _WIN32
#include "win/Handles.h"
#endif

class TFileMap {
 public:
  enum class Failure { None, Open, CreateMapping, MapView };

  TFileMap() = default;
  TFileMap(const TFileMap&) = delete;
  TFileMap& operator=(const TFileMap&) = delete;
  ~TFileMap() { Close(); }

  // Opens `fileName` (8-bit, system code page) for reading, others may read it meanwhile, and
  // maps all of it. On failure everything acquired so far is released, the step that failed is
  // returned and `reason` holds the system's message for the last error.
  Failure Open(const std::string& fileName, std::string& reason);
  void Close();

  const unsigned char* Data() const { return data_; }
  uint64_t Size() const { return size_; }

 private:
  const unsigned char* data_ = nullptr;
  uint64_t size_ = 0;
#ifdef _WIN32
  // Released in the reverse order: the view, the mapping, the file.
  UniqueFileHandle file_;
  UniqueKernelHandle mapping_;
  UniqueFileView view_;
#else
  int fd_ = -1;
#endif
};

// True when `fileName` names an existing file (not a directory).
bool FileExists(const std::string& fileName);
