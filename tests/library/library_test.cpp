// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "core/errors.h"
#include "support/recordingnotifier.h"
#include "tempfolder.h"

namespace quorvex::library {
namespace {

using quorvex::testing::ReadBytes;
using quorvex::testing::TempFolder;
using quorvex::testing::WriteBytes;
using Lines = std::vector<std::string>;

std::string NumberedLines(int n) {
  std::string bytes;
  for (int i = 1; i <= n; ++i) bytes += "#L" + std::to_string(i) + "#\r\n";
  return bytes;
}

// Each file is written, loaded, saved and read back byte for byte.
TEST(LibraryFile, ReadAndRewriteByteForByte) {
  struct Case {
    const char* name;
    std::string file;
    Lines table;
    std::string rewritten;
  };
  const std::vector<Case> cases = {
      {"empty file", "", {}, ""},
      {"CR LF lines", "#a#\r\n#b#\r\n", {"#a#", "#b#"}, "#a#\r\n#b#\r\n"},
      {"last line without line end", "#a#\r\n#b#", {"#a#", "#b#"}, "#a#\r\n#b#\r\n"},
      {"LF only", "#a#\n#b#\n", {"#a#", "#b#"}, "#a#\r\n#b#\r\n"},
      {"lone CR dropped", "#a\r#\r\n", {"#a#"}, "#a#\r\n"},
      {"CR CR LF", "#a#\r\r\n", {"#a#"}, "#a#\r\n"},
      {"line of a lone CR is empty", "#a#\n\r", {"#a#", ""}, "#a#\r\n\r\n"},
      {"blank line kept", "#a#\r\n\r\n#b#\r\n", {"#a#", "", "#b#"}, "#a#\r\n\r\n#b#\r\n"},
      {"two line ends at the end", "#a#\r\n\r\n", {"#a#", ""}, "#a#\r\n\r\n"},
      {"only a line end", "\n", {""}, "\r\n"},
      {"0x1A at a line start ends the table, kept after it", "#a#\r\n\x1A#b#\r\n#c#\n", {"#a#"},
       "#a#\r\n\x1A#b#\r\n#c#\n"},
      {"0x1A first byte", "\x1A#a#\r\n", {}, "\x1A#a#\r\n"},
      {"0x1A inside a line cuts the entry, not the file",
       "#a\x1A#x\r#\r\n#b#\r\n", {"#a", "#b#"}, "#a\x1A#x\r#\r\n#b#\r\n"},
      {"CR then 0x1A is inside the line", "\r\x1A#a#\r\n#b#", {"", "#b#"}, "\r\x1A#a#\r\n#b#\r\n"},
      {"CR and no LF: CR ends lines", "#a#\r#b#\r\r#c#", {"#a#", "#b#", "", "#c#"},
       "#a#\r#b#\r\r#c#\r"},
      {"high bytes verbatim", "#A\xA1\xA2=\xFF#\r\n", {"#A\xA1\xA2=\xFF#"}, "#A\xA1\xA2=\xFF#\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "cbd.dat", c.file);
    SilentNotifier notifier;
    Library lib(folder / "cbd.dat");
    lib.load(notifier);
    EXPECT_EQ(lib.lines(), c.table);
    EXPECT_EQ(lib.fileBytes(), c.rewritten);
    // A change that finds nothing to change still rewrites the file.
    EXPECT_EQ(lib.remove("#none#"), Library::Change::NotIn);
    EXPECT_EQ(ReadBytes(folder / "cbd.dat"), c.rewritten);
    EXPECT_EQ(lib.lines(), c.table);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  }
}

TEST(Library, IsInLibFindsTheFirstEqualLine) {
  SilentNotifier notifier;
  Library lib("unused");
  EXPECT_EQ(lib.IsInLib("#2H2+O2 = 2H2O#"), 0);
  lib.loadFromBytes("#2H2+O2 = 2H2O#\r\n#x#\r\n#2H2+O2 = 2H2O#\r\n", notifier);
  EXPECT_EQ(lib.IsInLib("#2H2+O2 = 2H2O#"), 1);
  EXPECT_EQ(lib.IsInLib("#2h2+O2 = 2H2O#"), 0);
  EXPECT_EQ(lib.IsInLib("#2H2+O2 = 2H2O"), 0);
  EXPECT_EQ(lib.IsInLib("#x#"), 2);

  // A deletion removes only the first of two equal lines.
  lib.DeleteFromLib(lib.IsInLib("#2H2+O2 = 2H2O#"));
  EXPECT_EQ(lib.lines(), (Lines{"#x#", "#2H2+O2 = 2H2O#"}));
  EXPECT_EQ(lib.IsInLib("#2H2+O2 = 2H2O#"), 2);
}

TEST(Library, DeleteMovesLaterLinesUp) {
  struct Case {
    const char* name;
    int position;
    Lines after;
  };
  const std::vector<Case> cases = {
      {"first", 1, {"b", "c"}},
      {"middle", 2, {"a", "c"}},
      {"last", 3, {"a", "b"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SilentNotifier notifier;
    Library lib("unused");
    lib.loadFromBytes("a\nb\nc\n", notifier);
    lib.DeleteFromLib(c.position);
    EXPECT_EQ(lib.lines(), c.after);
    EXPECT_EQ(lib.countLabel(), " There are total 2 equations in your library currently.");
  }
  SilentNotifier notifier;
  Library lib("unused");
  lib.loadFromBytes("a\n", notifier);
  EXPECT_THROW(lib.DeleteFromLib(0), AssertionFailure);
  EXPECT_THROW(lib.DeleteFromLib(2), AssertionFailure);
  EXPECT_THROW(lib.line(2), AssertionFailure);
  EXPECT_EQ(lib.count(), 1);
}

TEST(Library, CapacityOfFiveThousandLines) {
  RecordingNotifier notifier;
  Library lib("unused");
  lib.loadFromBytes(NumberedLines(kLibraryCapacity - 1), notifier);
  EXPECT_TRUE(lib.AddTolib("#last#", notifier));
  EXPECT_EQ(lib.count(), kLibraryCapacity);
  EXPECT_EQ(lib.countLabel(), " There are total 5000 equations in your library currently.");
  EXPECT_TRUE(notifier.messages().empty());

  EXPECT_FALSE(lib.AddTolib("#more#", notifier));
  EXPECT_EQ(notifier.messages(), std::vector<std::string>{"The library can only contain 5000 equations."});
  EXPECT_EQ(lib.count(), kLibraryCapacity);
  EXPECT_EQ(lib.line(kLibraryCapacity), "#last#");

  lib.DeleteFromLib(1);
  EXPECT_TRUE(lib.AddTolib("#more#", notifier));
  EXPECT_EQ(lib.line(kLibraryCapacity), "#more#");
}

TEST(Library, LinesTheFileCannotGiveBackAreRefused) {
  for (const std::string& line : Lines{"#a\nb#", "#a\rb#", "#a\x1A#"}) {
    SCOPED_TRACE(line);
    RecordingNotifier notifier;
    Library lib("unused");
    lib.loadFromBytes("", notifier);
    EXPECT_FALSE(lib.AddTolib(line, notifier));
    EXPECT_EQ(lib.count(), 0);
    EXPECT_EQ(notifier.messages(), std::vector<std::string>{std::string(kUnstorableLine)});
  }
}

// A file longer than the table: the rest is announced, kept and written back.
TEST(LibraryFile, LinesPastTheCapacityAreKept) {
  TempFolder folder;
  const std::string file = NumberedLines(kLibraryCapacity + 3);
  WriteBytes(folder / "cbd.dat", file);
  RecordingNotifier notifier;
  Library lib(folder / "cbd.dat");
  lib.load(notifier);
  EXPECT_EQ(lib.count(), kLibraryCapacity);
  EXPECT_EQ(lib.line(kLibraryCapacity), "#L5000#");
  EXPECT_EQ(lib.tail(), "#L5001#\r\n#L5002#\r\n#L5003#\r\n");
  ASSERT_EQ(notifier.messages().size(), 1u);
  EXPECT_EQ(notifier.messages()[0],
            "The library file '" + (folder / "cbd.dat").string() +
                "' holds 5003 lines, but the library can only contain 5000 equations: the other 3 "
                "lines are not searched, and they are kept at the end of the file.");
  EXPECT_EQ(lib.IsInLib("#L5001#"), 0);

  EXPECT_EQ(lib.add("#more#"), Library::Change::Full);
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), file);

  // After a deletion the table is written first and the kept lines follow.
  EXPECT_EQ(lib.remove("#L1#"), Library::Change::Deleted);
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), file.substr(std::string("#L1#\r\n").size()));
  lib.load(notifier);
  EXPECT_EQ(lib.line(kLibraryCapacity), "#L5001#");
  EXPECT_EQ(lib.tail(), "#L5002#\r\n#L5003#\r\n");

  // An end-of-file byte at a line start: what follows it is announced and kept.
  notifier.clear();
  WriteBytes(folder / "cbd.dat", "#a#\r\n\x1A#b#\r\n#c#\r\n");
  lib.load(notifier);
  EXPECT_EQ(notifier.messages(),
            std::vector<std::string>{"The library file '" + (folder / "cbd.dat").string() +
                                     "' has an end-of-file byte (0x1A) at the start of line 2: the "
                                     "library ends there, and the 11 bytes from it on are not "
                                     "searched, and they are kept at the end of the file."});
  EXPECT_EQ(lib.add("#d#"), Library::Change::Added);
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\r\n#d#\r\n\x1A#b#\r\n#c#\r\n");
}

TEST(LibraryFile, MissingFileIsEmptyAndCreatedByTheFirstSave) {
  TempFolder folder;
  SilentNotifier notifier;
  Library lib(folder / "cbd.dat");
  try {
    lib.load(notifier);
    FAIL() << "no error for a missing file";
  } catch (const FileError& e) {
    EXPECT_EQ(e.kind(), FileError::Kind::Missing);
    EXPECT_EQ(std::string(e.what()),
              "Cannot read the library file '" + (folder / "cbd.dat").string() + "': File not found");
  }
  EXPECT_EQ(lib.count(), 0);
  EXPECT_EQ(lib.countLabel(), " There are total 0 equations in your library currently.");
  EXPECT_EQ(lib.add("#2H2+O2 = 2H2O#"), Library::Change::Added);
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#2H2+O2 = 2H2O#\r\n");

  EXPECT_EQ(lib.remove("#2H2+O2 = 2H2O#"), Library::Change::Deleted);
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "");
  EXPECT_TRUE(std::filesystem::exists(folder / "cbd.dat"));
}

// Each change applies to the file as it is now, whatever the copy in memory holds.
TEST(LibraryFile, ChangesMergeWithTheFile) {
  TempFolder folder;
  WriteBytes(folder / "cbd.dat", "#a#\r\n");
  SilentNotifier notifier;
  Library first(folder / "cbd.dat");
  Library second(folder / "cbd.dat");
  first.load(notifier);  // the second is never read
  EXPECT_EQ(first.add("#b#"), Library::Change::Added);
  EXPECT_EQ(second.add("#c#"), Library::Change::Added);
  EXPECT_EQ(second.lines(), (Lines{"#a#", "#b#", "#c#"}));
  EXPECT_EQ(first.add("#c#"), Library::Change::AlreadyIn);
  EXPECT_EQ(first.remove("#a#"), Library::Change::Deleted);
  EXPECT_EQ(second.remove("#a#"), Library::Change::NotIn);
  EXPECT_EQ(second.lines(), (Lines{"#b#", "#c#"}));
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#b#\r\n#c#\r\n");
  EXPECT_EQ(first.add("#x\ny#"), Library::Change::Unstorable);
}

// A failed write leaves the old file whole, says which file and why, and
// leaves the table as the file is.
TEST(LibraryFile, FailedWriteKeepsTheOldFile) {
  struct Case {
    const char* name;
    void (*block)(const TempFolder&);
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"the file is read-only",
       [](const TempFolder& f) {
         std::filesystem::permissions(f / "cbd.dat", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::group_read);
       },
       "Permission denied (the file is read-only)"},
      {"a folder in place of the file",
       [](const TempFolder& f) {
         std::filesystem::remove(f / "cbd.dat");
         std::filesystem::create_directories(f / "cbd.dat" / "inside");
       },
       "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "cbd.dat", "#a#\r\n");
    SilentNotifier notifier;
    Library lib(folder / "cbd.dat");
    lib.load(notifier);
    c.block(folder);
    const bool file = std::filesystem::is_regular_file(folder / "cbd.dat");
    try {
      lib.add("#b#");
      FAIL() << "the write did not fail";
    } catch (const FileError& e) {
      EXPECT_EQ(e.kind(), FileError::Kind::Write);
      EXPECT_EQ(std::string(e.what()), "Cannot write the library file '" +
                                           (folder / "cbd.dat").string() + "': " + c.reason +
                                           ". The file keeps its previous content.");
    }
    EXPECT_EQ(lib.IsInLib("#b#"), 0);
    if (file) {
      EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\r\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  }
}

// A full disk, on a small tmpfs of its own: the write fails, nothing is lost.
TEST(LibraryFile, FullDiskKeepsTheOldFile) {
  TempFolder folder;
  const std::string command = "mount -t tmpfs -o size=64k quorvex-full " + folder.path().string() +
                              " 2>/dev/null";
  if (std::system(command.c_str()) != 0) GTEST_SKIP() << "mounting a tmpfs is not permitted here";
  WriteBytes(folder / "cbd.dat", "#a#\r\n");
  {
    std::ofstream filler(folder / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) {
    }
  }
  SilentNotifier notifier;
  Library lib(folder / "cbd.dat");
  lib.load(notifier);
  std::string message;
  try {
    lib.add("#" + std::string(8192, 'b') + "#");
  } catch (const FileError& e) {
    message = e.what();
  }
  EXPECT_EQ(message, "Cannot write the library file '" + (folder / "cbd.dat").string() +
                         "': No space left on device. The file keeps its previous content.");
  EXPECT_EQ(lib.lines(), Lines{"#a#"});
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2);
  EXPECT_EQ(std::system(("umount " + folder.path().string()).c_str()), 0);
}

TEST(LibraryFile, RewriteKeepsLinksAndPermissions) {
  namespace fs = std::filesystem;
  TempFolder folder;
  fs::create_directory(folder / "real");
  WriteBytes(folder / "real" / "library.dat", "#a#\r\n");
  fs::permissions(folder / "real" / "library.dat",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink(folder / "real" / "library.dat", folder / "cbd.dat");
  SilentNotifier notifier;
  Library lib(folder / "cbd.dat");
  lib.load(notifier);
  EXPECT_EQ(lib.add("#b#"), Library::Change::Added);
  EXPECT_TRUE(fs::is_symlink(folder / "cbd.dat"));
  EXPECT_EQ(ReadBytes(folder / "real" / "library.dat"), "#a#\r\n#b#\r\n");
  EXPECT_EQ(fs::status(folder / "real" / "library.dat").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace quorvex::library
