// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/errors.h"
#include "library/searchertab.h"
#include "support/recordingnotifier.h"
#include "support/tempfolder.h"

namespace quorvex::library {
namespace {

using quorvex::testing::InodeOf;
using quorvex::testing::ReadBytes;
using quorvex::testing::RunAsOtherUser;
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
  // clang-format off
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
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    WriteBytes(folder / "cbd.dat", c.file);
    SilentNotifier notifier;
    Library lib(folder / "cbd.dat");
    lib.load(notifier);
    EXPECT_EQ(lib.lines(), c.table);
    EXPECT_EQ(lib.fileBytes(), c.rewritten);
    // A change that finds nothing to change leaves the file as it was, inode and all.
    const auto inode = InodeOf(folder / "cbd.dat");
    EXPECT_EQ(lib.remove("#none#"), Library::Change::NotIn);
    EXPECT_EQ(ReadBytes(folder / "cbd.dat"), c.file);
    EXPECT_EQ(InodeOf(folder / "cbd.dat"), inode);
    EXPECT_EQ(lib.lines(), c.table);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  }
}

TEST(Library, IsInLibFindsTheFirstEqualLine) {
  LibraryText text;
  EXPECT_EQ(IsInLib(text, "#2H2+O2 = 2H2O#"), 0);
  text = ReadLibraryText("#2H2+O2 = 2H2O#\r\n#x#\r\n#2H2+O2 = 2H2O#\r\n");
  EXPECT_EQ(IsInLib(text, "#2H2+O2 = 2H2O#"), 1);
  EXPECT_EQ(IsInLib(text, "#2h2+O2 = 2H2O#"), 0);
  EXPECT_EQ(IsInLib(text, "#2H2+O2 = 2H2O"), 0);
  EXPECT_EQ(IsInLib(text, "#x#"), 2);

  // A deletion removes only the first of two equal lines.
  DeleteFromLib(text, IsInLib(text, "#2H2+O2 = 2H2O#"));
  EXPECT_EQ(text.lines, (Lines{"#x#", "#2H2+O2 = 2H2O#"}));
  EXPECT_EQ(IsInLib(text, "#2H2+O2 = 2H2O#"), 2);
}

TEST(Library, DeleteMovesLaterLinesUp) {
  struct Case {
    const char* name;
    int position;
    Lines after;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"first", 1, {"b", "c"}},
      {"middle", 2, {"a", "c"}},
      {"last", 3, {"a", "b"}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LibraryText text = ReadLibraryText("a\nb\nc\n");
    DeleteFromLib(text, c.position);
    EXPECT_EQ(text.lines, c.after);
    EXPECT_EQ(CountLabel(static_cast<int>(text.lines.size())),
              " There are total 2 equations in your library currently.");
  }
  LibraryText text = ReadLibraryText("a\n");
  EXPECT_THROW(DeleteFromLib(text, 0), AssertionFailure);
  EXPECT_THROW(DeleteFromLib(text, 2), AssertionFailure);
  EXPECT_EQ(text.lines.size(), 1u);
  SilentNotifier notifier;
  Library lib("unused");
  lib.loadFromBytes("a\n", notifier);
  EXPECT_THROW(lib.line(2), AssertionFailure);
  EXPECT_EQ(lib.count(), 1);
}

TEST(Library, CapacityOfFiveThousandLines) {
  LibraryText text = ReadLibraryText(NumberedLines(kLibraryCapacity - 1));
  EXPECT_EQ(AddTolib(text, "#last#"), Library::Change::Added);
  EXPECT_EQ(text.lines.size(), static_cast<std::size_t>(kLibraryCapacity));
  EXPECT_EQ(CountLabel(static_cast<int>(text.lines.size())),
            " There are total 5000 equations in your library currently.");

  const Library::Change full = AddTolib(text, "#more#");
  EXPECT_EQ(full, Library::Change::Full);
  EXPECT_EQ(ChangeMessage(full), "The library can only contain 5000 equations.");
  EXPECT_EQ(text.lines.size(), static_cast<std::size_t>(kLibraryCapacity));
  EXPECT_EQ(text.lines.back(), "#last#");

  DeleteFromLib(text, 1);
  EXPECT_EQ(AddTolib(text, "#more#"), Library::Change::Added);
  EXPECT_EQ(text.lines.back(), "#more#");
}

TEST(Library, LinesTheFileCannotGiveBackAreRefused) {
  for (const std::string& line : Lines{"#a\nb#", "#a\rb#", "#a\x1A#"}) {
    SCOPED_TRACE(line);
    LibraryText text;
    const Library::Change change = AddTolib(text, line);
    EXPECT_EQ(change, Library::Change::Unstorable);
    EXPECT_TRUE(text.lines.empty());
    EXPECT_EQ(ChangeMessage(change), kUnstorableLine);
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
  EXPECT_EQ(IsInLib(lib.text(), "#L5001#"), 0);

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
  // clang-format off
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
  // clang-format on
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
      EXPECT_EQ(std::string(e.what()), "Cannot write the library file '" + (folder / "cbd.dat").string() +
                                           "': " + c.reason + ". The file keeps its previous content.");
    }
    EXPECT_EQ(IsInLib(lib.text(), "#b#"), 0);
    if (file) {
      EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\r\n");
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
  }
}

// A full disk, on a small tmpfs of its own: the write fails, nothing is lost.
TEST(LibraryFile, FullDiskKeepsTheOldFile) {
  TempFolder folder;
  const std::string command =
      "mount -t tmpfs -o size=64k quorvex-full " + folder.path().string() + " 2>/dev/null";
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

std::size_t EntriesIn(const std::filesystem::path& folder) {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// The message of the FileError `change` throws, or "" when it throws none.
template <class Change>
std::string ErrorOf(Change change) {
  try {
    change();
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

// File steps that fail on demand with EIO; the rest go to the system.
class FaultyOps final : public FileOps {
 public:
  enum class Step { OpenFile, Read, OpenCopy, Write, SyncFile, Close, Rename, SyncFolder };
  explicit FaultyOps(Step step) : m_step(step) {}

  int openAt(int folder, const char* name, int flags, mode_t mode) const override {
    const Step step = (flags & O_CREAT) != 0 ? Step::OpenCopy : Step::OpenFile;
    if ((flags & O_DIRECTORY) == 0 && fails(step)) return -1;
    return FileOps::openAt(folder, name, flags, mode);
  }
  ssize_t read(int fd, void* buffer, std::size_t size) const override {
    return fails(Step::Read) ? -1 : FileOps::read(fd, buffer, size);
  }
  ssize_t write(int fd, const void* buffer, std::size_t size) const override {
    struct stat st {};
    ::fstat(fd, &st);
    modeWhileWriting = st.st_mode & 07777;
    return fails(Step::Write) ? -1 : FileOps::write(fd, buffer, size);
  }
  int sync(int fd) const override {
    struct stat st {};
    ::fstat(fd, &st);
    return fails(S_ISDIR(st.st_mode) ? Step::SyncFolder : Step::SyncFile) ? -1 : FileOps::sync(fd);
  }
  int renameAt(int folder, const char* from, const char* to) const override {
    return fails(Step::Rename) ? -1 : FileOps::renameAt(folder, from, to);
  }
  int close(int fd) const override {
    const int closed = FileOps::close(fd);
    return fails(Step::Close) ? -1 : closed;
  }

  mutable mode_t modeWhileWriting = 0;

 private:
  bool fails(Step step) const {
    if (step != m_step) return false;
    errno = EIO;
    return true;
  }
  Step m_step;
};

// Every step of the locked re-read and of the durable replace, failing: the
// right error, the file and the table as they were, no copy left behind.
TEST(LibraryFile, EveryFileStepThatFailsKeepsTheFile) {
  using Step = FaultyOps::Step;
  struct Case {
    Step step;
    const char* verb;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {Step::OpenFile, "write"}, {Step::Read, "read"},     {Step::OpenCopy, "write"},
      {Step::Write, "write"},    {Step::SyncFile, "write"}, {Step::Close, "write"},
      {Step::Rename, "write"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.step));
    TempFolder folder;
    WriteBytes(folder / "cbd.dat", "#a#\n");
    const FaultyOps ops(c.step);
    Library lib(folder / "cbd.dat", ops);
    EXPECT_EQ(ErrorOf([&] { lib.add("#b#"); }),
              std::string("Cannot ") + c.verb + " the library file '" + (folder / "cbd.dat").string() +
                  "': Input/output error. The file keeps its previous content.");
    EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\n");
    EXPECT_EQ(IsInLib(lib.text(), "#b#"), 0);
    EXPECT_EQ(EntriesIn(folder.path()), 1u);
  }
  // Past the rename the change is made; only its durability is in doubt, and that is said.
  // The copy was written while only its owner could read it, and got the file's mode after.
  TempFolder folder;
  WriteBytes(folder / "cbd.dat", "#a#\n");
  std::filesystem::permissions(folder / "cbd.dat", static_cast<std::filesystem::perms>(0644));
  const FaultyOps ops(Step::SyncFolder);
  Library lib(folder / "cbd.dat", ops);
  EXPECT_EQ(ErrorOf([&] { lib.add("#b#"); }),
            "The library file '" + (folder / "cbd.dat").string() +
                "' was written, but its folder could not be synced (Input/output error): the "
                "change may be lost in a power failure.");
  EXPECT_EQ(lib.lines(), (Lines{"#a#", "#b#"}));
  EXPECT_EQ(ops.modeWhileWriting, 0600u);
  EXPECT_EQ(std::filesystem::status(folder / "cbd.dat").permissions(),
            static_cast<std::filesystem::perms>(0644));
  // A read that fails at start-up is not taken for the end of the file.
  const FaultyOps failingRead(Step::Read);
  Library loaded(folder / "cbd.dat", failingRead);
  SilentNotifier notifier;
  EXPECT_NE(ErrorOf([&] { loaded.load(notifier); }).find("Input/output error"), std::string::npos);
}

// What is not a regular file is named and refused, by every command, without waiting on a FIFO.
TEST(LibraryFile, OnlyRegularFilesWithinTheSizeLimit) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "fifo.dat").c_str(), 0600), 0);
  { std::ofstream big(folder / "big.dat"); }
  std::filesystem::resize_file(folder / "big.dat", kLibraryByteLimit + 1);
  struct Case {
    std::filesystem::path file;
    std::string reason;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {folder / "fifo.dat", "it is not a regular file"},
      {"/dev/null", "it is not a regular file"},
      {"/dev/zero", "it is not a regular file"},
      {folder / "big.dat", "it is larger than 64 MiB"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    Library lib(c.file);
    SilentNotifier notifier;
    const std::string name = "the library file '" + c.file.string() + "': " + c.reason + ".";
    EXPECT_EQ(ErrorOf([&] { lib.load(notifier); }), "Cannot read " + name + " The library is empty.");
    const std::string kept = "Cannot write " + name + " The file keeps its previous content.";
    const std::string big = "Cannot read " + name + " The file keeps its previous content.";
    const bool large = c.reason.find("larger") != std::string::npos;
    EXPECT_EQ(ErrorOf([&] { lib.add("#a#"); }), large ? big : kept);
    EXPECT_EQ(ErrorOf([&] { lib.remove("#a#"); }), large ? big : kept);
    EXPECT_EQ(lib.count(), 0);
  }
  EXPECT_EQ(std::filesystem::status("/dev/null").type(), std::filesystem::file_type::character);
  EXPECT_EQ(std::filesystem::file_size(folder / "big.dat"), kLibraryByteLimit + 1);
}

// A change may fill the file up to the limit it is read within and no further,
// so the file stays readable; a refused change writes nothing.
TEST(LibraryFile, AChangeStaysWithinTheSizeLimit) {
  const std::string line = "#2H2+O2 = 2H2O#";
  struct Case {
    const char* name;
    std::uint64_t over;  // bytes the file would hold past the limit
    Library::Change change;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"reaching exactly the limit", 0, Library::Change::Added},
      {"one byte over", 1, Library::Change::TooLarge},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempFolder folder;
    // An end byte first: the rest is the file's tail, kept after the new line.
    const std::uint64_t before = kLibraryByteLimit - (line.size() + 2) + c.over;
    WriteBytes(folder / "cbd.dat", "\x1A");
    std::filesystem::resize_file(folder / "cbd.dat", before);
    const auto inode = InodeOf(folder / "cbd.dat");
    Library lib(folder / "cbd.dat");
    const Library::Change change = lib.add(line);
    EXPECT_EQ(change, c.change);
    const bool added = change == Library::Change::Added;
    EXPECT_EQ(std::filesystem::file_size(folder / "cbd.dat"), added ? kLibraryByteLimit : before);
    EXPECT_EQ(InodeOf(folder / "cbd.dat") == inode, !added);
    EXPECT_EQ(EntriesIn(folder.path()), 1u);
    SilentNotifier notifier;
    EXPECT_NO_THROW(lib.load(notifier));
    EXPECT_EQ(lib.count(), added ? 1 : 0);
  }
}

// Delete needs the file; add may create it, and leaves nothing when it cannot.
TEST(LibraryFile, AMissingFileIsCreatedOnlyByAnAdd) {
  TempFolder folder;
  Library lib(folder / "typo.dat");
  EXPECT_EQ(ErrorOf([&] { lib.remove("#a#"); }),
            "Cannot read the library file '" + (folder / "typo.dat").string() + "': File not found");
  EXPECT_EQ(EntriesIn(folder.path()), 0u);
  const FaultyOps ops(FaultyOps::Step::Rename);
  Library failing(folder / "typo.dat", ops);
  EXPECT_NE(ErrorOf([&] { failing.add("#a#"); }), "");
  EXPECT_EQ(EntriesIn(folder.path()), 0u);
  EXPECT_EQ(lib.add("#a\n#"), Library::Change::Unstorable);
  EXPECT_EQ(EntriesIn(folder.path()), 0u);
}

// A lock held elsewhere is waited for as long as asked, then named; nothing changes.
TEST(LibraryFile, AHeldLockTimesOut) {
  TempFolder folder;
  WriteBytes(folder / "cbd.dat", "#a#\n");
  const int holder = ::open((folder / "cbd.dat").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  Library lib(folder / "cbd.dat");
  int pauses = 0;
  lib.setLockWait({std::chrono::milliseconds(120), [&](std::chrono::milliseconds slice) {
                     EXPECT_LE(slice.count(), 50);
                     ++pauses;
                   }});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ErrorOf([&] { lib.add("#b#"); }), "The library is in use by another program (process " +
                                                  std::to_string(::getpid()) + "); try again");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(120));
  EXPECT_GT(pauses, 0);
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\n");
  ::close(holder);
  EXPECT_EQ(lib.add("#b#"), Library::Change::Added);
}

// A signal that comes while the new copy exists leaves no copy behind, and
// copies left by a killed writer go at the next change; one still locked stays.
TEST(LibraryFile, NoCopyOutlivesItsWriter) {
  TempFolder folder;
  WriteBytes(folder / "cbd.dat", "#a#\r\n");
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const pid_t child = ::fork();
    if (child == 0) {
      class Interrupted final : public FileOps {
       public:
        explicit Interrupted(int s) : m_signal(s) {}
        ssize_t write(int fd, const void* buffer, std::size_t size) const override {
          ::kill(::getpid(), m_signal);
          return FileOps::write(fd, buffer, size);
        }
        int m_signal;
      } ops(signal);
      Library lib(folder / "cbd.dat", ops);
      static_cast<void>(lib.add("#" + std::to_string(signal) + "#"));
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
    EXPECT_EQ(EntriesIn(folder.path()), 1u);
  }
  EXPECT_EQ(ReadBytes(folder / "cbd.dat"), "#a#\r\n#15#\r\n#2#\r\n#1#\r\n");
  WriteBytes(folder / "cbd.dat.4242-17.tmp", "#a#\r\n");
  WriteBytes(folder / "cbd.dat.4243-18.tmp", "#a#\r\n");
  WriteBytes(folder / "cbd.dat.notes.tmp", "mine");
  const int writing = ::open((folder / "cbd.dat.4243-18.tmp").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(writing, LOCK_EX), 0);
  Library lib(folder / "cbd.dat");
  EXPECT_EQ(lib.remove("#none#"), Library::Change::NotIn);
  EXPECT_FALSE(std::filesystem::exists(folder / "cbd.dat.4242-17.tmp"));
  EXPECT_TRUE(std::filesystem::exists(folder / "cbd.dat.4243-18.tmp"));
  EXPECT_TRUE(std::filesystem::exists(folder / "cbd.dat.notes.tmp"));
  ::close(writing);
}

// In a shared folder, a link another user planted is not followed; the folder
// owner's link is. The user's own links in their own folder keep working (above).
TEST(LibraryFile, LinksPlantedInASharedFolderAreNotFollowed) {
  TempFolder folder;
  const auto shared = folder / "shared";
  std::filesystem::create_directory(shared);
  std::filesystem::permissions(shared, static_cast<std::filesystem::perms>(01777));
  std::filesystem::create_directory(folder / "private");
  WriteBytes(folder / "private" / "mine.dat", "#a#\n");
  if (!RunAsOtherUser("ln -s " + (folder / "private" / "mine.dat").string() + " " +
                      (shared / "cbd.dat").string() + " && ln -s " + (folder / "chosen.dat").string() + " " +
                      (shared / "dangling.dat").string())) {
    GTEST_SKIP() << "needs root and setpriv to plant links as another user";
  }
  for (const char* name : {"cbd.dat", "dangling.dat"}) {
    SCOPED_TRACE(name);
    Library lib(shared / name);
    SilentNotifier notifier;
    const std::string why = "the library file '" + (shared / name).string() +
                            "': it is a link in a shared folder, made by another user, and is not followed.";
    EXPECT_EQ(ErrorOf([&] { lib.load(notifier); }), "Cannot read " + why + " The library is empty.");
    const std::string kept = "Cannot write " + why + " The file keeps its previous content.";
    EXPECT_EQ(ErrorOf([&] { lib.add("#b#"); }), kept);
    EXPECT_EQ(ErrorOf([&] { lib.remove("#a#"); }), kept);
  }
  EXPECT_EQ(ReadBytes(folder / "private" / "mine.dat"), "#a#\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "chosen.dat"));
  // The folder's owner (here the user) may link.
  std::filesystem::create_symlink(folder / "private" / "mine.dat", shared / "owner.dat");
  Library owner(shared / "owner.dat");
  EXPECT_EQ(owner.add("#b#"), Library::Change::Added);
  EXPECT_EQ(ReadBytes(folder / "private" / "mine.dat"), "#a#\r\n#b#\r\n");
}

}  // namespace
}  // namespace quorvex::library
