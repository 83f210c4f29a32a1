#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formula/notifier.h"

namespace quorvex::library {

inline constexpr int kLibraryCapacity = 5000;

inline constexpr std::string_view kLibraryFull = "The library can only contain 5000 equations.";
// A line the file could not give back as it is: a line end or 0x1A would split or cut it.
inline constexpr std::string_view kUnstorableLine =
    "This equation cannot be kept in the library file: it holds a line break or the byte 0x1A.";
// The system's text for a missing file.
inline constexpr std::string_view kFileNotFound = "File not found";

// A library file that could not be read or written, or a rewrite refused so
// that lines not read are not lost. what() is the whole message for the user.
class FileError : public std::runtime_error {
 public:
  enum class Kind { Missing, Read, Write, Refused };
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

// Every line of a library file by its reading rules (LF or CR LF ends, a lone
// CR dropped, 0x1A ending the file at a line start and the line inside one).
std::vector<std::string> ReadLibraryLines(std::string_view bytes);
// Each line followed by CR LF; no lines give no bytes.
std::string WriteLibraryLines(const std::vector<std::string>& lines);
// True when the line reads back unchanged: no CR, LF or 0x1A in it.
bool IsStorable(std::string_view line);

// The equation library: at most kLibraryCapacity lines, positions from 1, in
// file order then order of adding, mirrored in one file.
class Library {
 public:
  // How much of the file the table stands for.
  enum class ReadState {
    NotRead,     // never loaded: a rewrite could lose the file's lines
    Complete,    // the whole file, or no file at all
    Incomplete,  // a read failed part way: a rewrite could lose lines
  };

  explicit Library(std::filesystem::path file) : m_file(std::move(file)) {}

  const std::filesystem::path& file() const { return m_file; }
  int count() const { return static_cast<int>(m_lines.size()); }
  // Line at `position`, 1 <= position <= count; throws AssertionFailure otherwise.
  const std::string& line(int position) const;
  const std::vector<std::string>& lines() const { return m_lines; }
  // Lines of the file past the capacity, written back after the table unchanged.
  const std::vector<std::string>& overflow() const { return m_overflow; }
  ReadState readState() const { return m_state; }

  // Position of the first line equal to `line` byte for byte, or 0.
  int IsInLib(std::string_view line) const;
  // Appends `line`; when full, or when the line is not storable, shows the
  // reason through `notifier` and returns false with the table unchanged.
  bool AddTolib(std::string_view line, Notifier& notifier);
  // Removes `position` (1..count) and moves the later lines up; throws
  // AssertionFailure for a position outside the table.
  void DeleteFromLib(int position);
  std::string countLabel() const { return CountLabel(count()); }

  // Replaces the table with the file's lines (ReadState Complete); lines past
  // the capacity go to overflow() and are announced through `notifier`.
  void loadFromBytes(std::string_view bytes, Notifier& notifier);
  // Reads the file. A missing file gives an empty, complete table and throws
  // FileError Missing; a failed read keeps the whole lines read before it,
  // leaves the state Incomplete and throws FileError Read.
  void load(Notifier& notifier);
  // The file's bytes for the current table and overflow.
  std::string fileBytes() const { return WriteLibraryLines(allLines()); }
  // Writes the file anew through a temporary file in its folder renamed over
  // it, so a failure leaves the old file whole. Throws FileError Refused
  // unless the state is Complete, FileError Write when the write fails.
  void save() const;

 private:
  std::vector<std::string> allLines() const;

  std::filesystem::path m_file;
  std::vector<std::string> m_lines;
  std::vector<std::string> m_overflow;
  ReadState m_state = ReadState::NotRead;
  std::string m_readProblem;  // the system's reason of a failed read
};

}  // namespace quorvex::library
