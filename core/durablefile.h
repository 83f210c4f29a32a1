// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

namespace quorvex {

// The system calls the file steps below go through; a test passes one whose calls fail.
class FileOps {
 public:
  virtual ~FileOps() = default;
  virtual int openAt(int folder, const char* name, int flags, mode_t mode) const;
  virtual ssize_t read(int fd, void* buffer, std::size_t size) const;
  virtual ssize_t write(int fd, const void* buffer, std::size_t size) const;
  virtual int sync(int fd) const;  // fsync, of a file or of a folder
  virtual int renameAt(int folder, const char* from, const char* to) const;
  virtual int close(int fd) const;
};
// The calls as the system makes them.
const FileOps& SystemFileOps();

// A descriptor closed when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : m_fd(fd) {}
  Descriptor(Descriptor&& other) noexcept : m_fd(other.release()) {}
  Descriptor& operator=(Descriptor&& other) noexcept;
  ~Descriptor();
  int get() const { return m_fd; }
  int release() { return std::exchange(m_fd, -1); }

 private:
  int m_fd;
};

// How a file step ended; `error` is the system's errno where a call failed.
struct ReplaceOutcome {
  enum class Step {
    Done,        // the step did what was asked
    NoFreeName,  // no unused name for the new copy; nothing changed
    Write,       // a call failed (`error`); nothing changed
    SyncFolder,  // the new content is in place, but its folder could not be synced
    UnsafeLink,  // a link in a shared folder made by someone else; not followed (EACCES)
    NotRegular,  // a device, FIFO or socket; not touched (EINVAL)
    TooLarge,    // larger than the limit; not read (EFBIG)
  };
  Step step = Step::Done;
  int error = 0;
};

// A file named inside an opened folder, links already followed: every step
// acts relative to the folder, so a name swapped meanwhile cannot redirect it.
struct FileInFolder {
  Descriptor folder;
  std::string name;
};

// Finds the folder and name `path` stands for. Links are followed, except a
// link in a sticky or world-writable folder whose owner is neither the user
// nor the folder's owner (UnsafeLink). A missing last name is not an error.
ReplaceOutcome LocateFile(const std::filesystem::path& path, FileInFolder& located,
                          const FileOps& ops = SystemFileOps());

// Reads the whole regular file open on `fd` into `bytes`, at most `limit` bytes.
ReplaceOutcome ReadAllBounded(int fd, std::uint64_t limit, std::string& bytes,
                              const FileOps& ops = SystemFileOps());

// Opens the located file for reading without following a link or waiting on
// a FIFO; Write with ENOENT when it is not there, NotRegular for a device.
ReplaceOutcome OpenRegular(const FileInFolder& file, Descriptor& fd, const FileOps& ops = SystemFileOps());

// Puts `bytes` in place of the located file at once: a new copy under an
// unused name in the same folder, private from its creation, given the old
// file's owner (where allowed) and permissions, written, synced and renamed
// over it, then the folder synced. TERM, INT and HUP wait until the copy is
// renamed or removed. The copy holds a lock while it exists.
[[nodiscard]] ReplaceOutcome ReplaceInFolder(const FileInFolder& file, std::string_view bytes,
                                             const FileOps& ops = SystemFileOps());

// LocateFile, then ReplaceInFolder: a link keeps pointing at the file it names.
[[nodiscard]] ReplaceOutcome ReplaceFileDurably(const std::filesystem::path& path, std::string_view bytes,
                                                const FileOps& ops = SystemFileOps());

// True for the name of a copy ReplaceInFolder makes for `name`.
bool IsCopyName(std::string_view entry, std::string_view name);
// Removes the copies of the located file that are left over: named as its
// copies, owned by the user, and holding no lock. The count removed.
int RemoveStaleCopies(const FileInFolder& file);

}  // namespace quorvex
