// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lockedfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>
#include <thread>

namespace quorvex {
namespace {

namespace fs = std::filesystem;

// Tries of the lock when the file is replaced between opening and locking it.
constexpr int kLockAttempts = 1000;
// The longest single pause between tries of a held lock.
constexpr std::chrono::milliseconds kLockSlice{50};

LockOutcome Failed(const ReplaceOutcome& file) { return {LockOutcome::Step::Failed, file, 0}; }

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// The process holding a lock on the file `st` describes, as the system lists it; 0 when unknown.
long LockHolder(const struct stat& st) {
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string number, kind, advisory, mode, pid, where;
    fields >> number >> kind;
    if (kind == "->") continue;  // a waiter, not a holder
    fields >> advisory >> mode >> pid >> where;
    if (kind != "FLOCK") continue;
    unsigned int devMajor = 0, devMinor = 0;
    unsigned long long inode = 0;
    if (std::sscanf(where.c_str(), "%x:%x:%llu", &devMajor, &devMinor, &inode) != 3) continue;
    if (devMajor != major(st.st_dev) || devMinor != minor(st.st_dev) || inode != st.st_ino) continue;
    long holder = 0;
    const auto [end, error] = std::from_chars(pid.data(), pid.data() + pid.size(), holder);
    if (error == std::errc() && holder > 0) return holder;
  }
  return 0;
}

// Takes the exclusive lock on `fd`, waiting at most wait.limit for another holder.
LockOutcome LockWithin(int fd, const LockWait& wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait.limit;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return {};
    if (errno == EINTR) continue;
    if (errno != EWOULDBLOCK) return {LockOutcome::Step::NoLock, {ReplaceOutcome::Step::Write, errno}, 0};
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      struct stat st {};
      return {LockOutcome::Step::InUse, {}, ::fstat(fd, &st) == 0 ? LockHolder(st) : 0};
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
    const auto slice = std::min(kLockSlice, left + std::chrono::milliseconds(1));
    if (wait.pause) {
      wait.pause(slice);
    } else {
      std::this_thread::sleep_for(slice);
    }
  }
}

}  // namespace

LockOutcome LockedFile::lock(const fs::path& path, bool create, const LockWait& wait) {
  using Step = ReplaceOutcome::Step;
  const ReplaceOutcome found = LocateFile(path, m_file, *m_ops);
  if (found.step != Step::Done) return Failed(found);
  // Lock where the file really is. A replace renames a new file over the name,
  // so the lock only counts when the locked file is still the one the name shows.
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    bool created = false;
    const ReplaceOutcome opened = OpenRegular(m_file, m_fd, *m_ops);
    if (opened.step == Step::Write && opened.error == ENOENT) {
      if (!create) return {LockOutcome::Step::Missing, opened, 0};
      // An empty file to lock; the umask decides its permissions, as for any new file.
      m_fd = Descriptor(m_ops->openAt(m_file.folder.get(), m_file.name.c_str(),
                                      O_RDONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
      if (m_fd.get() < 0) {
        if (errno == EEXIST) continue;
        return Failed({Step::Write, errno});
      }
      created = true;
    } else if (opened.step != Step::Done) {
      return Failed(opened);
    }
    const LockOutcome locked = LockWithin(m_fd.get(), wait);
    if (locked.step != LockOutcome::Step::Locked) return locked;
    struct stat open {};
    struct stat named {};
    if (::fstat(m_fd.get(), &open) != 0) return Failed({Step::Write, errno});
    if (::fstatat(m_file.folder.get(), m_file.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(open, named)) {
      m_mode = open.st_mode;
      m_created = created;
      RemoveStaleCopies(m_file);
      return {};
    }
  }
  m_fd = Descriptor();
  return {LockOutcome::Step::Unsettled, {}, 0};
}

ReplaceOutcome LockedFile::read(std::uint64_t limit, std::string& bytes) const {
  return ReadAllBounded(m_fd.get(), limit, bytes, *m_ops);
}

bool LockedFile::isReadOnly() const { return (m_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

ReplaceOutcome LockedFile::replace(std::string_view bytes) {
  const ReplaceOutcome replaced = ReplaceInFolder(m_file, bytes, *m_ops);
  // Past the rename the new content is in place, whether or not its folder was synced.
  if (replaced.step == ReplaceOutcome::Step::Done || replaced.step == ReplaceOutcome::Step::SyncFolder) {
    m_created = false;
  }
  return replaced;
}

LockedFile::~LockedFile() {
  if (!m_created) return;
  struct stat open {};
  struct stat named {};
  if (::fstat(m_fd.get(), &open) == 0 &&
      ::fstatat(m_file.folder.get(), m_file.name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
      SameFile(open, named) && named.st_size == 0) {
    ::unlinkat(m_file.folder.get(), m_file.name.c_str(), 0);
  }
}

}  // namespace quorvex
