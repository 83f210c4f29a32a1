// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/durablefile.h"
#include "core/lockedfile.h"
#include "core/notifier.h"

namespace quorvex::library {

inline constexpr int kLibraryCapacity = 5000;

inline constexpr std::string_view kLibraryFull = "The library can only contain 5000 equations.";
// A line the file could not give back as it is: a line end or 0x1A would split or cut it.
inline constexpr std::string_view kUnstorableLine =
    "This equation cannot be kept in the library file: it holds a line break or the byte 0x1A.";
// The system's text for a missing file.
inline constexpr std::string_view kFileNotFound = "File not found";
// The most a library file may hold; a larger one is not read, and no change makes one.
inline constexpr std::uint64_t kLibraryByteLimit = std::uint64_t{64} * 1024 * 1024;
inline constexpr std::string_view kLibraryTooLarge =
    "This change would make the library file larger than 64 MiB, the most it may hold; the file is "
    "left as it was.";

// A library file that could not be read or written. what() is the whole
// message for the user.
class FileError : public std::runtime_error {
 public:
  enum class Kind {
    Missing,
    Read,
    Write,
    InUse,  // another program held the lock past the wait
  };
  FileError(Kind kind, const std::string& message) : std::runtime_error(message), m_kind(kind) {}
  Kind kind() const { return m_kind; }

 private:
  Kind m_kind;
};

// "#" + equation + "#".
std::string LibraryLine(std::string_view equation);
// The line without its first and its last character; "" for a line shorter than 2.
std::string_view StripEnds(std::string_view line);
// " There are total <count> equations in your library currently."
std::string CountLabel(int count);
// True when the line reads back unchanged: no CR, LF or 0x1A in it.
bool IsStorable(std::string_view line);

// A library file split by its reading rules. Lines end at LF or CR LF, a lone
// CR is dropped; in a file with CR and no LF at all, CR ends the lines. A
// 0x1A inside a line ends that line's entry; a 0x1A at a line start ends the
// table. Whatever the table does not hold stays as bytes, so the file can be
// written back without losing any of it.
struct LibraryText {
  std::vector<std::string> lines;  // the table, at most kLibraryCapacity
  // Per line: its bytes as read when they hold a 0x1A (written instead of
  // the entry), else empty.
  std::vector<std::string> raw;
  // The bytes from where the table stops (a 0x1A at a line start, or the
  // line after the capacity) to the end of the file, verbatim.
  std::string tail;
  bool tailAtEndByte = false;  // the tail starts with a 0x1A, not past the capacity
  bool crLineEnds = false;     // CR and no LF: lines are written with CR ends

  // The file's bytes: each line (or its raw bytes) and its line end, then the tail.
  std::string bytes() const;
};
LibraryText ReadLibraryText(std::string_view bytes);

// The bytes of the library file at `path`, read under the rules for links and
// regular files and within kLibraryByteLimit. Throws FileError Missing or Read
// when it cannot be opened or is too large; a read that fails later returns
// its outcome, with `bytes` holding what was read before it.
ReplaceOutcome ReadLibraryFile(const std::filesystem::path& path, std::string& bytes,
                               const FileOps& ops = SystemFileOps());
// "Cannot read the library file 'path': <why>."
std::string ReadFailure(const std::filesystem::path& path, const ReplaceOutcome& outcome);

// The equation library: at most kLibraryCapacity lines, positions from 1, in
// file order then order of adding, mirrored in one file.
class Library {
 public:
  // What a change of the library file came to.
  enum class Change {
    Added,       // the line was appended
    AlreadyIn,   // an equal line is in the file
    Full,        // the file's table holds kLibraryCapacity lines
    Unstorable,  // the line holds a line end or 0x1A
    Deleted,     // the first equal line was removed
    NotIn,       // no equal line in the file
    TooLarge,    // the file would pass kLibraryByteLimit; it is left as it was
  };

  explicit Library(std::filesystem::path file, const FileOps& ops = SystemFileOps())
      : m_file(std::move(file)), m_ops(&ops) {}

  void setLockWait(LockWait wait) { m_lockWait = std::move(wait); }

  const std::filesystem::path& file() const { return m_file; }
  int count() const { return static_cast<int>(m_text.lines.size()); }
  // Line at `position`, 1 <= position <= count; throws AssertionFailure otherwise.
  const std::string& line(int position) const;
  const std::vector<std::string>& lines() const { return m_text.lines; }
  // The bytes of the file the table does not hold, written back after it unchanged.
  const std::string& tail() const { return m_text.tail; }

  // The table as the file was last read or written.
  const LibraryText& text() const { return m_text; }
  std::string countLabel() const { return CountLabel(count()); }

  // Replaces the table with the file's lines; what the table cannot hold is
  // announced through `notifier` and kept.
  void loadFromBytes(std::string_view bytes, Notifier& notifier);
  // Reads the file. A missing file gives an empty table and throws FileError
  // Missing; a failed read keeps the whole lines read before it and throws
  // FileError Read.
  void load(Notifier& notifier);
  // The file's bytes for the current table and tail.
  std::string fileBytes() const { return m_text.bytes(); }

  // Adds `line` to the file and the table together. Under an advisory lock on
  // the file (waited for as setLockWait says) it reads the file as it is now
  // (another window may have changed it), appends the line with AddTolib when
  // IsInLib does not find it, and puts the result in place with ReplaceInFolder; a change that
  // changes nothing, or would make the file larger than kLibraryByteLimit, writes nothing.
  // A missing file is created. Afterwards the table is the file's content.
  // Throws FileError when the file cannot be read or written; the file keeps
  // its content and the table shows it without the change.
  Change add(std::string_view line);
  // Removes the first line equal to `line` (IsInLib, then DeleteFromLib) from
  // the file and the table, as add does; a missing file is an error (FileError Missing).
  Change remove(std::string_view line);

 private:
  template <class Apply>
  Change update(bool createMissing, Apply apply);

  std::filesystem::path m_file;
  const FileOps* m_ops;
  LockWait m_lockWait;
  LibraryText m_text;
};

// The three operations on the table that every change of the library makes,
// on the table as the file holds it at that moment.

// Position of the first line equal to `line` byte for byte, or 0.
int IsInLib(const LibraryText& text, std::string_view line);
// Appends `line` (Added); when the table holds kLibraryCapacity lines (Full),
// or the line is not storable (Unstorable), the table is unchanged.
Library::Change AddTolib(LibraryText& text, std::string_view line);
// Removes `position` (1..count) and moves the later lines up; throws
// AssertionFailure for a position outside the table.
void DeleteFromLib(LibraryText& text, int position);

}  // namespace quorvex::library
