// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/durablefile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace quorvex {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// The library's own tests cover links, permissions and full disks; these are
// the cases only other callers meet.
TEST(ReplaceFileDurably, CreatesAMissingFileAndRefusesAMissingFolder) {
  const fs::path folder = fs::temp_directory_path() / ("quorvex-durable-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  const ReplaceOutcome created = ReplaceFileDurably(folder / "new.rtf", std::string("a\0b", 3));
  EXPECT_EQ(created.step, ReplaceOutcome::Step::Done);
  EXPECT_EQ(Read(folder / "new.rtf"), std::string("a\0b", 3));

  const ReplaceOutcome missing = ReplaceFileDurably(folder / "none" / "new.rtf", "x");
  EXPECT_EQ(missing.step, ReplaceOutcome::Step::Write);
  EXPECT_EQ(missing.error, ENOENT);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

// The report is saved through the same replace: in a shared folder a link
// planted by another user is not followed; the user's own link is.
TEST(ReplaceFileDurably, FollowsOnlyTrustedLinksInASharedFolder) {
  const fs::path folder = fs::temp_directory_path() / ("quorvex-links-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder / "shared");
  fs::permissions(folder / "shared", static_cast<fs::perms>(01777));
  std::ofstream(folder / "private.rtf") << "mine";
  const std::string plant = "setpriv --reuid=nobody --regid=nogroup --clear-groups ln -s " +
                            (folder / "private.rtf").string() + " " +
                            (folder / "shared" / "report.rtf").string();
  if (::geteuid() != 0 || std::system(plant.c_str()) != 0) {
    fs::remove_all(folder);
    GTEST_SKIP() << "needs root and setpriv to plant a link as another user";
  }
  const ReplaceOutcome planted = ReplaceFileDurably(folder / "shared" / "report.rtf", "{\\rtf1}");
  EXPECT_EQ(planted.step, ReplaceOutcome::Step::UnsafeLink);
  EXPECT_EQ(planted.error, EACCES);
  EXPECT_EQ(Read(folder / "private.rtf"), "mine");
  fs::create_symlink(folder / "private.rtf", folder / "shared" / "own.rtf");
  EXPECT_EQ(ReplaceFileDurably(folder / "shared" / "own.rtf", "new").step, ReplaceOutcome::Step::Done);
  EXPECT_EQ(Read(folder / "private.rtf"), "new");
  EXPECT_TRUE(fs::is_symlink(folder / "shared" / "own.rtf"));
  fs::remove_all(folder);
}

}  // namespace
}  // namespace quorvex
