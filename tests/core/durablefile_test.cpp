// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/durablefile.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/tempfolder.h"

namespace quorvex {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::TempFolder;

// The library's own tests cover links, permissions and full disks; these are
// the cases only other callers meet.
TEST(ReplaceFileDurably, CreatesAMissingFileAndRefusesAMissingFolder) {
  TempFolder folder;
  const ReplaceOutcome created = ReplaceFileDurably(folder / "new.rtf", std::string("a\0b", 3));
  EXPECT_EQ(created.step, ReplaceOutcome::Step::Done);
  EXPECT_EQ(ReadBytes(folder / "new.rtf"), std::string("a\0b", 3));

  const ReplaceOutcome missing = ReplaceFileDurably(folder / "none" / "new.rtf", "x");
  EXPECT_EQ(missing.step, ReplaceOutcome::Step::Write);
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

// The report is saved through the same replace: in a shared folder a link
// planted by another user is not followed; the user's own link is.
TEST(ReplaceFileDurably, FollowsOnlyTrustedLinksInASharedFolder) {
  TempFolder folder;
  fs::create_directories(folder / "shared");
  fs::permissions(folder / "shared", static_cast<fs::perms>(01777));
  std::ofstream(folder / "private.rtf") << "mine";
  if (!testing::RunAsOtherUser("ln -s " + (folder / "private.rtf").string() + " " +
                               (folder / "shared" / "report.rtf").string())) {
    GTEST_SKIP() << "needs root and setpriv to plant a link as another user";
  }
  const ReplaceOutcome planted = ReplaceFileDurably(folder / "shared" / "report.rtf", "{\\rtf1}");
  EXPECT_EQ(planted.step, ReplaceOutcome::Step::UnsafeLink);
  EXPECT_EQ(planted.error, EACCES);
  EXPECT_EQ(ReadBytes(folder / "private.rtf"), "mine");
  fs::create_symlink(folder / "private.rtf", folder / "shared" / "own.rtf");
  EXPECT_EQ(ReplaceFileDurably(folder / "shared" / "own.rtf", "new").step, ReplaceOutcome::Step::Done);
  EXPECT_EQ(ReadBytes(folder / "private.rtf"), "new");
  EXPECT_TRUE(fs::is_symlink(folder / "shared" / "own.rtf"));
}

// The limit is the most that is read: a file of exactly the limit is whole.
// A stream's size is known only by reading it, so the reading itself stops it.
TEST(ReadAllBounded, ReadsUpToTheLimitAndNoMore) {
  constexpr std::uint64_t kLimit = 1000;
  using Step = ReplaceOutcome::Step;
  struct Case {
    const char* name;
    bool stream;
    std::size_t size;
    Step step;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"an empty file", false, 0, Step::Done},
      {"a file of exactly the limit", false, kLimit, Step::Done},
      {"a file one byte over", false, kLimit + 1, Step::TooLarge},
      {"a stream of exactly the limit", true, kLimit, Step::Done},
      {"a stream one byte over", true, kLimit + 1, Step::TooLarge},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string content(c.size, 'x');
    TempFolder folder;
    Descriptor fd;
    if (c.stream) {
      int ends[2];
      ASSERT_EQ(::pipe(ends), 0);
      fd = Descriptor(ends[0]);
      ASSERT_EQ(::write(ends[1], content.data(), content.size()), static_cast<ssize_t>(content.size()));
      ::close(ends[1]);
    } else {
      testing::WriteBytes(folder / "file", content);
      fd = Descriptor(::open((folder / "file").c_str(), O_RDONLY | O_CLOEXEC));
    }
    std::string bytes;
    const ReplaceOutcome read = ReadAllBounded(fd.get(), kLimit, bytes);
    EXPECT_EQ(read.step, c.step);
    EXPECT_EQ(read.error, c.step == Step::Done ? 0 : EFBIG);
    if (c.step == Step::Done) {
      EXPECT_EQ(bytes, content);
    }
  }
}

}  // namespace
}  // namespace quorvex
