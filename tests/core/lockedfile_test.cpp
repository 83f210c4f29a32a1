// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lockedfile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "support/tempfolder.h"

namespace quorvex {
namespace {

using testing::TempFolder;
using testing::WriteBytes;

// The library's tests give each outcome its message; these say which outcome
// each file meets, and what is left of a file the lock created.
TEST(LockedFile, LockOutcomes) {
  using Step = LockOutcome::Step;
  struct Case {
    const char* name;
    const char* path;  // inside the test's folder
    bool exists;
    bool create;
    bool heldElsewhere;
    Step step;
    bool kept;  // the file is there once the LockedFile is gone, nothing replaced
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"an existing file", "cbd.dat", true, false, false, Step::Locked, true},
      {"a missing file, not to be created", "cbd.dat", false, false, false, Step::Missing, false},
      {"a missing file, created and never filled", "cbd.dat", false, true, false, Step::Locked, false},
      {"a missing folder", "none/cbd.dat", false, true, false, Step::Failed, false},
      {"a file locked elsewhere", "cbd.dat", true, false, true, Step::InUse, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    if (c.exists) WriteBytes(folder / c.path, "#a#\r\n");
    const Descriptor holder(c.heldElsewhere ? ::open((folder / c.path).c_str(), O_RDONLY | O_CLOEXEC) : -1);
    if (c.heldElsewhere) {
      ASSERT_EQ(::flock(holder.get(), LOCK_EX), 0);
    }
    {
      LockedFile file;
      const LockOutcome locked = file.lock(folder / c.path, c.create, {std::chrono::milliseconds(20), {}});
      EXPECT_EQ(locked.step, c.step);
      EXPECT_EQ(locked.holder, c.step == Step::InUse ? ::getpid() : 0);
      if (c.step == Step::Failed) {
        EXPECT_EQ(locked.file.error, ENOENT);
      }
    }
    EXPECT_EQ(std::filesystem::exists(folder / c.path), c.kept);
  }
}

}  // namespace
}  // namespace quorvex
