// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/durablefile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

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

}  // namespace
}  // namespace quorvex
