#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "catalogue/FileMap.h"

TFileMap::Failure TFileMap::Open(const std::string& fileName, std::string& reason) {
  Close();
  fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) {
    reason = std::strerror(errno);
    return Failure::Open;
  }
  struct stat st {};
  // Like the Windows mapping functions, refuse what cannot be mapped whole (an empty file).
  const char* problem = nullptr;
  if (::fstat(fd_, &st) != 0)
    problem = std::strerror(errno);
  else if (!S_ISREG(st.st_mode))
    problem = "Not a regular file";
  else if (st.st_size == 0)
    problem = "The file is empty";
  if (problem) {
    reason = problem;
    Close();
    return Failure::CreateMapping;
  }
  void* view = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, MAP_SHARED, fd_, 0);
  if (view == MAP_FAILED) {
    reason = std::strerror(errno);
    Close();
    return Failure::MapView;
  }
  data_ = static_cast<const unsigned char*>(view);
  size_ = static_cast<uint64_t>(st.st_size);
  return Failure::None;
}

void TFileMap::Close() {
  if (data_) ::munmap(const_cast<unsigned char*>(data_), static_cast<size_t>(size_));
  if (fd_ >= 0) ::close(fd_);
  data_ = nullptr;
  size_ = 0;
  fd_ = -1;
}

bool FileExists(const std::string& fileName) {
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
