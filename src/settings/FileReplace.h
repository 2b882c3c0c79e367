#pragma once
// The file operations of a save, which replaces the settings file by a copy that was written and
// read back, and of the text profile file, which replaces its file with every write: what is at a
// path, a whole file read, a file replaced in one step. One implementation per platform. Paths are
// 8-bit texts as the profile functions take them.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FileIdentity {
  uint64_t size = 0;
  uint64_t modified = 0;  // modification time in the platform's finest unit
  uint64_t volume = 0;    // device / volume serial
  uint64_t index = 0;     // inode / file index
  bool operator==(const FileIdentity&) const = default;
};

struct FileProbe {
  enum class Kind { Absent, Regular, Unusable } kind = Kind::Absent;
  FileIdentity identity;
  // Modified so lately that a further change could keep the same time stamp, so an unchanged
  // identity does not prove unchanged content.
  bool recent = false;
};

// Files larger than this are not read (reads give defaults, writes fail): nothing sane is
// that large, and a read must not exhaust memory.
inline constexpr uint64_t kMaxProfileFileSize = 256ull << 20;

// What is at the path now (one status call, no read).
FileProbe ProbeFile(const std::string& path);

// The whole file, and its identity at the time of reading when `probe` is given (which costs a
// status call more); nothing when the path is not a readable regular file of at most
// kMaxProfileFileSize bytes.
std::optional<std::string> ReadWholeFile(const std::string& path, FileProbe* probe = nullptr);

// Whether something is at `path` that cannot be opened for reading (a folder, a file that may not
// be read, a name too long to be reached), so that reads give the defaults although it is there.
bool PresentButUnreadable(const std::string& path);

// Replaces the file's content with bytes so that the file holds either the old or the new
// content at every moment: a temporary file in the same folder, flushed to the disk, renamed
// over the old one. Refuses files and folders that are read-only and anything that is not a
// regular file. Returns the new file's probe, or nothing on failure (the old file untouched).
std::optional<FileProbe> ReplaceFileAtomically(const std::string& path, std::string_view bytes);

// How a file operation failed: the file held by another program (opened without sharing what we
// ask for, or a range of it locked), which passes when the other lets go, or otherwise.
enum class FileFailure { None, Held, Other };

// The failure a system error code stands for.
FileFailure FailureOf(uint32_t systemError);

// How long a save waits for a file held by another program before it counts as failed.
inline constexpr uint32_t kHeldWaitMs = 2000;

// Runs `attempt` again, with short pauses, while it fails because the file is held, for at most
// `waitMs`; true when it succeeded.
bool WaitOutHeld(const std::function<FileFailure()>& attempt, uint32_t waitMs = kHeldWaitMs);

// The pieces of a save that goes to a copy of the file first (SettingsSave).

// The file that `path` leads to, links in its folders and the file itself followed; `path` when
// nothing is there yet or it cannot be told.
std::string FinalFile(const std::string& path);

// Why CopyBeside made no copy.
enum class NoCopy {
  Failed,
  FolderRefused,  // the folder does not let us create a file there
  // The file has more than one name, or an owner or access rights that a new file beside it does
  // not get: only writing the file itself keeps that.
  KeptOnlyInPlace,
};

// A new file beside `path`, in the same folder, holding the bytes of the file at `path` (none when
// it is absent); its name. Nothing on failure, and `why`.
std::optional<std::string> CopyBeside(const std::string& path, NoCopy& why);

// Whether the file at `path` may be written: a regular file, not read-only, that opens for writing
// (waited for while another program holds it).
bool MayWriteFile(const std::string& path);

// Writes the file's data through to the disk and moves its modification time on, so that anyone
// who holds its content from an earlier look reads it again.
bool SyncFile(const std::string& path);

// Puts the file `from` in the place of `to` in one step that reaches the disk, with the attributes
// of `to` (hidden, system, archive, not indexed).
bool MoveOver(const std::string& from, const std::string& to);

// Removes the file; false when it could not be removed.
bool RemoveFile(const std::string& path);

// The files in the folder of `prefix` whose names begin with its last part, as full paths.
std::vector<std::string> FilesStartingWith(const std::string& prefix);

// Whether a process with this identifier runs; true too when that cannot be told.
bool ProcessRuns(uint32_t processId);
