#include "library/library.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/errors.h"
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
      {"0x1A at a line start ends the file", "#a#\r\n\x1A#b#\r\n#c#\r\n", {"#a#"}, "#a#\r\n"},
      {"0x1A first byte", "\x1A#a#\r\n", {}, ""},
      {"0x1A inside a line cuts it", "#a\x1A#x\r#\r\n#b#\r\n", {"#a", "#b#"}, "#a\r\n#b#\r\n"},
      {"CR then 0x1A is inside the line", "\r\x1A#a#\r\n#b#", {"", "#b#"}, "\r\n#b#\r\n"},
      {"high bytes verbatim", "#A\xA1\xA2=\xFF#\r\n", {"#A\xA1\xA2=\xFF#"}, "#A\xA1\xA2=\xFF#\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "cbd.dat", c.file);
    RecordingNotifier notifier;
    Library lib(folder / "cbd.dat");
    lib.load(notifier);
    EXPECT_EQ(lib.lines(), c.table);
    EXPECT_EQ(lib.readState(), Library::ReadState::Complete);
    lib.save();
    EXPECT_EQ(ReadBytes(folder / "cbd.dat"), c.rewritten);
    EXPECT_FALSE(std::filesystem::exists(folder / "cbd.dat.tmp"));
    EXPECT_TRUE(notifier.messages().empty());
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
  EXPECT_EQ(lib.overflow(), (Lines{"#L5001#", "#L5002#", "#L5003#"}));
  ASSERT_EQ(notifier.messages().size(), 1u);
  EXPECT_EQ(notifier.messages()[0],
            "The library file '" + (folder / "cbd.dat").string() +
                "' holds 5003 lines, but the library can only contain 5000 equations: the other 3 "
                "lines are not searched, and they are kept at the end of the file.");
  EXPECT_EQ(lib.IsInLib("#L5001#"), 0);

  lib.save();
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), file);

  // After a deletion the table is written first and the kept lines follow.
  lib.DeleteFromLib(1);
  lib.save();
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), file.substr(std::string("#L1#\r\n").size()));
  lib.load(notifier);
  EXPECT_EQ(lib.line(kLibraryCapacity), "#L5001#");
  EXPECT_EQ(lib.overflow(), (Lines{"#L5002#", "#L5003#"}));
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
  EXPECT_EQ(lib.readState(), Library::ReadState::Complete);
  ASSERT_TRUE(lib.AddTolib("#2H2+O2 = 2H2O#", notifier));
  lib.save();
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#2H2+O2 = 2H2O#\r\n");

  lib.DeleteFromLib(1);
  lib.save();
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "");
  EXPECT_TRUE(std::filesystem::exists(folder / "cbd.dat"));
}

// A library that does not stand for the whole file must never overwrite it.
TEST(LibraryFile, RewriteRefusedUnlessReadCompletely) {
  TempFolder folder;
  SilentNotifier notifier;
  WriteBytes(folder / "kept.dat", "#a#\r\n");

  Library neverRead(folder / "kept.dat");
  neverRead.AddTolib("#b#", notifier);
  try {
    neverRead.save();
    FAIL() << "a library never read overwrote its file";
  } catch (const FileError& e) {
    EXPECT_EQ(e.kind(), FileError::Kind::Refused);
    EXPECT_NE(std::string(e.what()).find("was not read at start-up"), std::string::npos);
  }
  EXPECT_EQ(ReadBytes(folder / "kept.dat"), "#a#\r\n");

  // A folder in place of the file: opened, but every read fails.
  std::filesystem::create_directory(folder / "cbd.dat");
  Library unreadable(folder / "cbd.dat");
  try {
    unreadable.load(notifier);
    FAIL() << "no error for a failed read";
  } catch (const FileError& e) {
    EXPECT_EQ(e.kind(), FileError::Kind::Read);
    EXPECT_NE(std::string(e.what()).find("Cannot read the library file '" +
                                         (folder / "cbd.dat").string() + "': "),
              std::string::npos);
  }
  EXPECT_EQ(unreadable.readState(), Library::ReadState::Incomplete);
  EXPECT_EQ(unreadable.count(), 0);
  unreadable.AddTolib("#b#", notifier);
  try {
    unreadable.save();
    FAIL() << "an incompletely read library was written";
  } catch (const FileError& e) {
    EXPECT_EQ(e.kind(), FileError::Kind::Refused);
    EXPECT_NE(std::string(e.what()).find("could not be read completely"), std::string::npos);
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder / "cbd.dat"));
  EXPECT_EQ(unreadable.count(), 1);
}

// A failed write leaves the old file whole and says which file and why.
TEST(LibraryFile, FailedWriteKeepsTheOldFile) {
  struct Case {
    const char* name;
    void (*block)(const TempFolder&);
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"temporary file cannot be created",
       [](const TempFolder& f) { std::filesystem::create_directory(f / "cbd.dat.tmp"); },
       "Is a directory"},
      {"the file is read-only",
       [](const TempFolder& f) {
         std::filesystem::permissions(f / "cbd.dat", std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::group_read);
       },
       "Permission denied (the file is read-only)"},
      {"rename over a folder fails",
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
    lib.AddTolib("#b#", notifier);
    c.block(folder);
    const std::string before =
        std::filesystem::is_regular_file(folder / "cbd.dat") ? ReadBytes(folder / "cbd.dat") : "";
    try {
      lib.save();
      FAIL() << "the write did not fail";
    } catch (const FileError& e) {
      EXPECT_EQ(e.kind(), FileError::Kind::Write);
      EXPECT_EQ(std::string(e.what()), "Cannot write the library file '" +
                                           (folder / "cbd.dat").string() + "': " + c.reason +
                                           ". The file keeps its previous content.");
    }
    EXPECT_EQ(lib.count(), 2);
    if (std::filesystem::is_regular_file(folder / "cbd.dat")) {
      EXPECT_EQ(ReadBytes(folder / "cbd.dat"), before);
    } else {
      EXPECT_TRUE(std::filesystem::exists(folder / "cbd.dat" / "inside"));
      EXPECT_FALSE(std::filesystem::exists(folder / "cbd.dat.tmp"));
    }
  }
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
  lib.AddTolib("#b#", notifier);
  lib.save();
  EXPECT_TRUE(fs::is_symlink(folder / "cbd.dat"));
  EXPECT_EQ(ReadBytes(folder / "real" / "library.dat"), "#a#\r\n#b#\r\n");
  EXPECT_EQ(fs::status(folder / "real" / "library.dat").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

}  // namespace
}  // namespace quorvex::library
