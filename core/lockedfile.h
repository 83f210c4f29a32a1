// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "core/durablefile.h"

namespace quorvex {

// How a lock another program holds on a file is waited for.
struct LockWait {
  std::chrono::milliseconds limit{3000};
  // Called between tries; sleeps when empty. The window keeps painting in it.
  std::function<void(std::chrono::milliseconds)> pause;
};

// How taking the lock of a file ended.
struct LockOutcome {
  enum class Step {
    Locked,     // open, locked, and still the file its name shows
    Missing,    // no such file, and none was to be created
    Failed,     // a file step failed: `file` says which and why
    NoLock,     // the system refused the lock (`file.error`)
    InUse,      // another holder kept the lock past the wait; `holder` is its process, 0 when unknown
    Unsettled,  // the name showed another file after each try
  };
  Step step = Step::Locked;
  ReplaceOutcome file;
  long holder = 0;
};

// A file open under its exclusive advisory lock (flock), for a read, change
// and replace that every other change of it through this class waits for.
// A file lock() created that no replace() filled is removed when this goes.
class LockedFile {
 public:
  explicit LockedFile(const FileOps& ops = SystemFileOps()) : m_ops(&ops) {}
  ~LockedFile();
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;

  // Finds `path` as LocateFile does, opens it (creating it empty when it is
  // missing and `create` is set), locks it within `wait`, then removes the
  // copies earlier replaces left behind (RemoveStaleCopies).
  LockOutcome lock(const std::filesystem::path& path, bool create, const LockWait& wait);
  // The whole locked file, at most `limit` bytes, as ReadAllBounded reads it.
  ReplaceOutcome read(std::uint64_t limit, std::string& bytes) const;
  // True when the locked file's mode lets nobody write it.
  bool isReadOnly() const;
  // Puts `bytes` in place of the locked file (ReplaceInFolder).
  [[nodiscard]] ReplaceOutcome replace(std::string_view bytes);

 private:
  const FileOps* m_ops;
  FileInFolder m_file;
  Descriptor m_fd;
  mode_t m_mode = 0;
  bool m_created = false;  // lock() created the file and no replace() has filled it
};

}  // namespace quorvex
