// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/notifier.h"

namespace quorvex::library {

inline constexpr int kLibraryCapacity = 5000;

inline constexpr std::string_view kLibraryFull = "The library can only contain 5000 equations.";
// A line the file could not give back as it is: a line end or 0x1A would split or cut it.
inline constexpr std::string_view kUnstorableLine =
    "This equation cannot be kept in the library file: it holds a line break or the byte 0x1A.";
// The system's text for a missing file.
inline constexpr std::string_view kFileNotFound = "File not found";

// A library file that could not be read or written. what() is the whole
// message for the user.
class FileError : public std::runtime_error {
 public:
  enum class Kind { Missing, Read, Write };
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
  };

  explicit Library(std::filesystem::path file) : m_file(std::move(file)) {}

  const std::filesystem::path& file() const { return m_file; }
  int count() const { return static_cast<int>(m_text.lines.size()); }
  // Line at `position`, 1 <= position <= count; throws AssertionFailure otherwise.
  const std::string& line(int position) const;
  const std::vector<std::string>& lines() const { return m_text.lines; }
  // The bytes of the file the table does not hold, written back after it unchanged.
  const std::string& tail() const { return m_text.tail; }

  // Position of the first line equal to `line` byte for byte, or 0.
  int IsInLib(std::string_view line) const;
  // Appends `line` to the table; when full, or when the line is not storable,
  // shows the reason through `notifier` and returns false with the table unchanged.
  bool AddTolib(std::string_view line, Notifier& notifier);
  // Removes `position` (1..count) and moves the later lines up; throws
  // AssertionFailure for a position outside the table.
  void DeleteFromLib(int position);
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
  // the file it reads the file as it is now (another window may have changed
  // it), appends the line when it is not there, writes the result to a new
  // file in the same folder, syncs it, renames it over the file and syncs the
  // folder. Afterwards the table is the file's content. Throws FileError when
  // the file cannot be read or written; the file keeps its content and the
  // table shows it without the change.
  Change add(std::string_view line);
  // Removes the first line equal to `line` from the file and the table, as add does.
  Change remove(std::string_view line);

 private:
  template <class Apply>
  Change update(Apply apply);

  std::filesystem::path m_file;
  LibraryText m_text;
};

}  // namespace quorvex::library
