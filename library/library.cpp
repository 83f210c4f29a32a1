// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <utility>

#include "core/errors.h"

namespace quorvex::library {
namespace {

constexpr char kEndOfFile = '\x1A';

std::string Quoted(const std::filesystem::path& file) { return "'" + file.string() + "'"; }

// errno after a failed stream operation; libstdc++ leaves the system's code there.
std::string SystemReason(int error) {
  if (error == 0) return "the system gave no reason";
  return std::generic_category().message(error);
}

}  // namespace

std::string LibraryLine(std::string_view equation) {
  std::string line;
  line.reserve(equation.size() + 2);
  line += '#';
  line += equation;
  line += '#';
  return line;
}

std::string_view StripEnds(std::string_view line) {
  if (line.size() < 2) return {};
  return line.substr(1, line.size() - 2);
}

std::string CountLabel(int count) {
  return " There are total " + std::to_string(count) + " equations in your library currently.";
}

bool IsStorable(std::string_view line) {
  return line.find_first_of(std::string_view("\r\n\x1A", 3)) == std::string_view::npos;
}

LibraryText ReadLibraryText(std::string_view bytes) {
  LibraryText text;
  text.crLineEnds = bytes.find('\r') != std::string_view::npos && bytes.find('\n') == std::string_view::npos;
  const char lineEnd = text.crLineEnds ? '\r' : '\n';
  std::size_t from = 0;
  while (from < bytes.size()) {
    if (bytes[from] == kEndOfFile || text.lines.size() == static_cast<std::size_t>(kLibraryCapacity)) {
      text.tailAtEndByte = bytes[from] == kEndOfFile;
      text.tail.assign(bytes.substr(from));
      break;
    }
    std::size_t end = bytes.find(lineEnd, from);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view whole = bytes.substr(from, end - from);
    // The CR of a CR LF line end (or a lone one at the end of the file) is not the line's.
    if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
    const std::size_t cut = whole.find(kEndOfFile);
    const std::string_view kept = cut == std::string_view::npos ? whole : whole.substr(0, cut);
    std::string& line = text.lines.emplace_back();
    line.reserve(kept.size());
    // A lone CR is dropped from the entry.
    for (const char c : kept) {
      if (c != '\r') line += c;
    }
    text.raw.emplace_back(cut == std::string_view::npos ? std::string_view() : whole);
    from = end + 1;
  }
  return text;
}

std::string LibraryText::bytes() const {
  const std::string_view lineEnd = crLineEnds ? "\r" : "\r\n";
  std::size_t size = tail.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    size += (raw[i].empty() ? lines[i].size() : raw[i].size()) + lineEnd.size();
  }
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    out += raw[i].empty() ? lines[i] : raw[i];
    out += lineEnd;
  }
  out += tail;
  return out;
}

const std::string& Library::line(int position) const {
  if (position < 1 || position > count()) throw AssertionFailure("library position out of range");
  return m_text.lines[static_cast<std::size_t>(position - 1)];
}

int IsInLib(const LibraryText& text, std::string_view line) {
  for (std::size_t i = 0; i < text.lines.size(); ++i) {
    if (text.lines[i] == line) return static_cast<int>(i) + 1;
  }
  return 0;
}

Library::Change AddTolib(LibraryText& text, std::string_view line) {
  if (text.lines.size() >= static_cast<std::size_t>(kLibraryCapacity)) return Library::Change::Full;
  if (!IsStorable(line)) return Library::Change::Unstorable;
  text.lines.emplace_back(line);
  text.raw.emplace_back();
  return Library::Change::Added;
}

void DeleteFromLib(LibraryText& text, int position) {
  if (position < 1 || static_cast<std::size_t>(position) > text.lines.size()) {
    throw AssertionFailure("library position out of range");
  }
  text.lines.erase(text.lines.begin() + (position - 1));
  text.raw.erase(text.raw.begin() + (position - 1));
}

void Library::loadFromBytes(std::string_view bytes, Notifier& notifier) {
  m_text = ReadLibraryText(bytes);
  std::size_t cut = 0;
  std::size_t first = 0;
  for (std::size_t i = 0; i < m_text.raw.size(); ++i) {
    if (m_text.raw[i].empty()) continue;
    if (cut++ == 0) first = i + 1;
  }
  if (cut > 0) {
    notifier.modal("The library file " + Quoted(m_file) + " has a 0x1A byte inside " + std::to_string(cut) +
                   (cut == 1 ? " line" : " lines") + " (line " + std::to_string(first) +
                   (cut == 1 ? "" : " is the first") +
                   "): the equation ends at that byte, and the line is kept in the file as it is.");
  }
  if (m_text.tail.empty()) return;
  // The table cannot hold them; they go back into the file untouched so that
  // no rewrite loses them.
  if (m_text.tailAtEndByte) {
    notifier.modal("The library file " + Quoted(m_file) +
                   " has an end-of-file byte (0x1A) at the "
                   "start of line " +
                   std::to_string(count() + 1) +
                   ": the library ends there, "
                   "and the " +
                   std::to_string(m_text.tail.size()) +
                   " bytes from it on are not searched, and they are kept at the end of the file.");
    return;
  }
  const LibraryText rest = ReadLibraryText(m_text.tail);
  const std::size_t more = rest.lines.size();
  notifier.modal("The library file " + Quoted(m_file) + " holds " +
                 std::to_string(more + m_text.lines.size()) + (rest.tail.empty() ? "" : " or more") +
                 " lines, but the library can only contain " + std::to_string(kLibraryCapacity) +
                 " equations: the other " + std::to_string(more) +
                 " lines are not searched, and they are kept at the end of the file.");
}

namespace {

namespace fs = std::filesystem;

// Why a file step stopped, as the end of a sentence about the file.
std::string Reason(const ReplaceOutcome& outcome) {
  switch (outcome.step) {
    case ReplaceOutcome::Step::UnsafeLink:
      return "it is a link in a shared folder, made by another user, and is not followed";
    case ReplaceOutcome::Step::NotRegular: return "it is not a regular file";
    case ReplaceOutcome::Step::TooLarge: return "it is larger than 64 MiB";
    case ReplaceOutcome::Step::NoFreeName: return "no free name for its new copy";
    default: return SystemReason(outcome.error);
  }
}

FileError ReadError(const fs::path& file, const std::string& reason, std::string_view after) {
  return FileError(FileError::Kind::Read,
                   "Cannot read the library file " + Quoted(file) + ": " + reason + "." + std::string(after));
}

FileError WriteError(const fs::path& file, const std::string& reason) {
  return FileError(FileError::Kind::Write, "Cannot write the library file " + Quoted(file) + ": " + reason +
                                               ". The file keeps its previous content.");
}

FileError MissingError(const fs::path& file) {
  return FileError(FileError::Kind::Missing,
                   "Cannot read the library file " + Quoted(file) + ": " + std::string(kFileNotFound));
}

}  // namespace

ReplaceOutcome ReadLibraryFile(const fs::path& path, std::string& bytes, const FileOps& ops) {
  bytes.clear();
  constexpr std::string_view kEmpty = " The library is empty.";
  FileInFolder file;
  ReplaceOutcome step = LocateFile(path, file, ops);
  if (step.step != ReplaceOutcome::Step::Done) throw ReadError(path, Reason(step), kEmpty);
  Descriptor fd;
  step = OpenRegular(file, fd, ops);
  if (step.step == ReplaceOutcome::Step::Write && step.error == ENOENT) throw MissingError(path);
  if (step.step != ReplaceOutcome::Step::Done) throw ReadError(path, Reason(step), kEmpty);
  step = ReadAllBounded(fd.get(), kLibraryByteLimit, bytes, ops);
  if (step.step == ReplaceOutcome::Step::TooLarge) {
    bytes.clear();
    throw ReadError(path, Reason(step), kEmpty);
  }
  return step;
}

std::string ReadFailure(const fs::path& path, const ReplaceOutcome& outcome) {
  return "Cannot read the library file " + Quoted(path) + ": " + Reason(outcome) + ".";
}

void Library::load(Notifier& notifier) {
  m_text = LibraryText();
  std::string bytes;
  const ReplaceOutcome read = ReadLibraryFile(m_file, bytes, *m_ops);
  if (read.step == ReplaceOutcome::Step::Done) {
    loadFromBytes(bytes, notifier);
    return;
  }
  // Only whole lines count as read; a line cut by the failure is not an entry.
  const std::size_t lastEnd = bytes.rfind('\n');
  bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  loadFromBytes(bytes, notifier);
  throw FileError(FileError::Kind::Read, ReadFailure(m_file, read) + " The library holds the " +
                                             std::to_string(count()) + " equations read before the failure.");
}

namespace {

// The steps of a change: only the last one writes the file, and only once the others are done.

// Lock: the file open under its lock, as the change may create it.
void LockForChange(LockedFile& file, const fs::path& path, bool createMissing, const LockWait& wait) {
  const LockOutcome locked = file.lock(path, createMissing, wait);
  switch (locked.step) {
    case LockOutcome::Step::Locked: return;
    case LockOutcome::Step::Missing: throw MissingError(path);
    case LockOutcome::Step::Failed: throw WriteError(path, Reason(locked.file));
    case LockOutcome::Step::NoLock:
      throw WriteError(path, "it cannot be locked (" + SystemReason(locked.file.error) + ")");
    case LockOutcome::Step::InUse:
      throw FileError(
          FileError::Kind::InUse,
          "The library is in use by another program" +
              (locked.holder > 0 ? " (process " + std::to_string(locked.holder) + ")" : std::string()) +
              "; try again");
    case LockOutcome::Step::Unsettled:
      throw WriteError(path, "it was replaced too often while waiting for its lock");
  }
}

// Read: the file as it is now, since another window may have changed it after it was loaded.
LibraryText ReadLocked(const LockedFile& file, const fs::path& path) {
  std::string bytes;
  const ReplaceOutcome read = file.read(kLibraryByteLimit, bytes);
  if (read.step != ReplaceOutcome::Step::Done) {
    throw ReadError(path, Reason(read), " The file keeps its previous content.");
  }
  return ReadLibraryText(bytes);
}

// Whether the change is one the file is rewritten for.
bool Writes(Library::Change change) {
  return change == Library::Change::Added || change == Library::Change::Deleted;
}

// What a change made of the table, and the file's bytes for it.
struct Applied {
  Library::Change change;
  LibraryText text;
  std::string bytes;
};

// Apply: the change on a copy of the table, refused when the file would pass its limit.
template <class Apply>
Applied ApplyChange(const LibraryText& now, Apply apply) {
  Applied applied{Library::Change::NotIn, now, {}};
  applied.change = apply(applied.text);
  if (!Writes(applied.change)) return applied;
  applied.bytes = applied.text.bytes();
  if (applied.bytes.size() > kLibraryByteLimit) applied.change = Library::Change::TooLarge;
  return applied;
}

// Replace: the new bytes in place of the file; Done, or SyncFolder when the
// content is in place but its folder could not be synced.
ReplaceOutcome ReplaceLocked(LockedFile& file, const fs::path& path, const std::string& bytes) {
  // A file the user made read-only stays as it is, as a plain write would fail on it.
  if (file.isReadOnly()) throw WriteError(path, "Permission denied (the file is read-only)");
  const ReplaceOutcome replaced = file.replace(bytes);
  if (replaced.step != ReplaceOutcome::Step::Done && replaced.step != ReplaceOutcome::Step::SyncFolder) {
    throw WriteError(path, Reason(replaced));
  }
  return replaced;
}

}  // namespace

template <class Apply>
Library::Change Library::update(bool createMissing, Apply apply) {
  LockedFile file(*m_ops);
  LockForChange(file, m_file, createMissing, m_lockWait);
  // Whatever comes of the change, the table shows the file as it is now, with the change once it is written.
  m_text = ReadLocked(file, m_file);
  Applied applied = ApplyChange(m_text, apply);
  if (!Writes(applied.change)) return applied.change;
  const ReplaceOutcome replaced = ReplaceLocked(file, m_file, applied.bytes);
  m_text = std::move(applied.text);
  if (replaced.step == ReplaceOutcome::Step::SyncFolder) {
    throw FileError(FileError::Kind::Write, "The library file " + Quoted(m_file) +
                                                " was written, but its folder could not "
                                                "be synced (" +
                                                SystemReason(replaced.error) +
                                                "): the change may be lost in a "
                                                "power failure.");
  }
  return applied.change;
}

Library::Change Library::add(std::string_view line) {
  return update(true, [&](LibraryText& text) {
    if (IsInLib(text, line) != 0) return Change::AlreadyIn;
    return AddTolib(text, line);
  });
}

Library::Change Library::remove(std::string_view line) {
  return update(false, [&](LibraryText& text) {
    const int position = IsInLib(text, line);
    if (position == 0) return Change::NotIn;
    DeleteFromLib(text, position);
    return Change::Deleted;
  });
}

}  // namespace quorvex::library
