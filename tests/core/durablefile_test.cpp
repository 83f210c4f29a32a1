// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/durablefile.h"

#include <gtest/gtest.h>

#include <cerrno>
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

}  // namespace
}  // namespace quorvex
