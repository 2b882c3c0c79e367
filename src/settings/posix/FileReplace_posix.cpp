#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <algorithm>
#include <utility>

#include "settings/FileReplace.h"

namespace {

constexpr int64_t kRecentNs = 2'000'000'000;  // beyond the coarsest time stamps we expect

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      reset();
      fd_ = other.release();
    }
    return *this;
  }
  ~Fd() { reset(); }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }
  // Closing reports the last write errors, so the result counts.
  bool reset() {
    if (fd_ < 0) return true;
    return ::close(std::exchange(fd_, -1)) == 0;
  }

 private:
  int fd_;
};

int64_t toNs(const timespec& t) { return static_cast<int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

FileProbe probeOf(const struct stat& st) {
  FileProbe p;
  p.kind = S_ISREG(st.st_mode) ? FileProbe::Kind::Regular : FileProbe::Kind::Unusable;
  p.identity = {static_cast<uint64_t>(st.st_size), static_cast<uint64_t>(toNs(st.st_mtim)),
                static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  p.recent = toNs(now) - toNs(st.st_mtim) < kRecentNs;  // also true for a time stamp in the future
  return p;
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

// No write permission for anybody marks a read-only file or folder; checked by hand because the
// super-user's writes would otherwise pass.
bool isWritable(const std::string& path, const struct stat& st) {
  return (st.st_mode & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
}

std::string folderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Writing through a symbolic link must replace the file it names, not the link.
std::optional<std::string> resolveTarget(const std::string& path) {
  struct stat lst {};
  if (::lstat(path.c_str(), &lst) != 0 || !S_ISLNK(lst.st_mode)) return path;
  char resolved[PATH_MAX];
  if (!::realpath(path.c_str(), resolved)) return std::nullopt;
  return std::string(resolved);
}

// A new file of our own beside `target`, open for writing; its name in `name`. O_EXCL makes a
// clash with anything present pick another name, never reuse it.
int createBeside(const std::string& target, std::string& name) {
  timespec started{};
  clock_gettime(CLOCK_MONOTONIC, &started);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(toNs(started) + attempt);
    int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

FileProbe ProbeFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    FileProbe p;
    p.kind = (errno == ENOENT || errno == ENOTDIR) ? FileProbe::Kind::Absent : FileProbe::Kind::Unusable;
    return p;
  }
  return probeOf(st);
}

std::optional<std::string> ReadWholeFile(const std::string& path, FileProbe* probe) {
  // Non-blocking, so that a pipe in the file's place cannot stall the open.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  struct stat st {};
  if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (static_cast<uint64_t>(st.st_size) > kMaxProfileFileSize) return std::nullopt;
  std::string bytes;
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t have = 0;
  for (;;) {
    if (have == bytes.size()) {
      if (bytes.size() > kMaxProfileFileSize) return std::nullopt;  // grew while being read
      bytes.resize(bytes.size() + 4096);
    }
    ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    have += static_cast<size_t>(n);
  }
  bytes.resize(have);
  if (probe) {
    if (::fstat(fd.get(), &st) != 0) return std::nullopt;
    *probe = probeOf(st);
  }
  return bytes;
}

std::optional<FileProbe> ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  std::optional<std::string> target = resolveTarget(path);
  if (!target) return std::nullopt;
  std::string folder = folderOf(*target);

  struct stat old {};
  bool exists = ::stat(target->c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return std::nullopt;
  if (exists && (!S_ISREG(old.st_mode) || !isWritable(*target, old))) return std::nullopt;
  struct stat dir {};
  if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode) || !isWritable(folder, dir))
    return std::nullopt;

  std::string temp;
  Fd fd(createBeside(*target, temp));
  if (!fd.valid()) return std::nullopt;

  struct stat written {};
  bool ok = (!exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0) && writeAll(fd.get(), bytes) &&
            ::fsync(fd.get()) == 0 && ::fstat(fd.get(), &written) == 0;
  ok = fd.reset() && ok;
  if (!ok || !MoveOver(temp, *target)) {
    ::unlink(temp.c_str());
    return std::nullopt;
  }
  return probeOf(written);
}

FileFailure FailureOf(uint32_t systemError) {
  if (systemError == 0) return FileFailure::None;
  return systemError == EBUSY || systemError == ETXTBSY || systemError == EAGAIN ? FileFailure::Held
                                                                                 : FileFailure::Other;
}

std::string FinalFile(const std::string& path) {
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::optional<std::string> CopyBeside(const std::string& path, NoCopy& why) {
  why = NoCopy::Failed;
  std::optional<std::string> target = resolveTarget(path);
  if (!target) return std::nullopt;
  struct stat old {};
  bool exists = ::stat(target->c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return std::nullopt;
  std::string bytes;
  if (exists) {
    std::optional<std::string> read = ReadWholeFile(*target);
    if (!read) return std::nullopt;
    bytes = std::move(*read);
  }
  std::string folder = folderOf(*target);
  struct stat dir {};
  if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) return std::nullopt;
  if (!isWritable(folder, dir)) {
    why = NoCopy::FolderRefused;
    return std::nullopt;
  }
  std::string temp;
  Fd fd(createBeside(*target, temp));
  if (!fd.valid()) {
    if (errno == EACCES || errno == EPERM || errno == EROFS) why = NoCopy::FolderRefused;
    return std::nullopt;
  }
  // The owner is kept where we may give it (as the super-user, or a group we belong to); where
  // not, the copy has ours.
  if (exists && (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
      ::fchown(fd.get(), old.st_uid, old.st_gid) != 0)
    errno = 0;
  bool ok = (!exists || ::fchmod(fd.get(), old.st_mode & 07777) == 0) && writeAll(fd.get(), bytes);
  ok = fd.reset() && ok;
  if (!ok) {
    ::unlink(temp.c_str());
    return std::nullopt;
  }
  return temp;
}

bool PresentButUnreadable(const std::string& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat st {};
  if (!fd.valid()) return errno != ENOENT && errno != ENOTDIR;
  return ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode);
}

bool MayWriteFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && isWritable(path, st);
}

bool SyncFile(const std::string& path) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat st {};
  if (!fd.valid() || ::fsync(fd.get()) != 0 || ::fstat(fd.get(), &st) != 0) return false;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  int64_t next = std::max(toNs(now), toNs(st.st_mtim) + 1);
  timespec times[2] = {{0, UTIME_OMIT},
                       {static_cast<time_t>(next / 1'000'000'000), static_cast<long>(next % 1'000'000'000)}};
  return ::futimens(fd.get(), times) == 0 && fd.reset();
}

bool MoveOver(const std::string& from, const std::string& to) {
  std::optional<std::string> target = resolveTarget(to);
  if (!target || ::rename(from.c_str(), target->c_str()) != 0) return false;
  // The rename itself reaches the disk with the folder's entry.
  Fd folderFd(::open(folderOf(*target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folderFd.valid()) ::fsync(folderFd.get());
  return true;
}

bool RemoveFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

std::vector<std::string> FilesStartingWith(const std::string& prefix) {
  const size_t slash = prefix.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : prefix.substr(0, slash + 1);
  const std::string_view start = std::string_view(prefix).substr(folder.size());
  std::vector<std::string> files;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return files;
  while (const dirent* entry = ::readdir(dir))
    if (std::string_view(entry->d_name).starts_with(start)) files.push_back(folder + entry->d_name);
  ::closedir(dir);
  return files;
}

bool ProcessRuns(uint32_t processId) {
  if (processId == 0 || processId > INT_MAX) return true;  // no single process: keep out of it
  return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno != ESRCH;
}
