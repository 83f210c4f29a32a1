// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/library.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <system_error>
#include <utility>

#include "core/durablefile.h"
#include "core/errors.h"

namespace quorvex::library {
namespace {

constexpr char kEndOfFile = '\x1A';
constexpr std::size_t kReadChunk = 1 << 16;

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
  text.crLineEnds = bytes.find('\r') != std::string_view::npos &&
                    bytes.find('\n') == std::string_view::npos;
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

int Library::IsInLib(std::string_view line) const {
  for (std::size_t i = 0; i < m_text.lines.size(); ++i) {
    if (m_text.lines[i] == line) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool Library::AddTolib(std::string_view line, Notifier& notifier) {
  if (count() >= kLibraryCapacity) {
    notifier.modal(kLibraryFull);
    return false;
  }
  if (!IsStorable(line)) {
    notifier.modal(kUnstorableLine);
    return false;
  }
  m_text.lines.emplace_back(line);
  m_text.raw.emplace_back();
  return true;
}

void Library::DeleteFromLib(int position) {
  if (position < 1 || position > count()) throw AssertionFailure("library position out of range");
  m_text.lines.erase(m_text.lines.begin() + (position - 1));
  m_text.raw.erase(m_text.raw.begin() + (position - 1));
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
    notifier.modal("The library file " + Quoted(m_file) + " has a 0x1A byte inside " +
                   std::to_string(cut) + (cut == 1 ? " line" : " lines") + " (line " +
                   std::to_string(first) + (cut == 1 ? "" : " is the first") +
                   "): the equation ends at that byte, and the line is kept in the file as it is.");
  }
  if (m_text.tail.empty()) return;
  // The table cannot hold them; they go back into the file untouched so that
  // no rewrite loses them.
  if (m_text.tailAtEndByte) {
    notifier.modal("The library file " + Quoted(m_file) + " has an end-of-file byte (0x1A) at the "
                   "start of line " + std::to_string(count() + 1) + ": the library ends there, "
                   "and the " + std::to_string(m_text.tail.size()) +
                   " bytes from it on are not searched, and they are kept at the end of the file.");
    return;
  }
  const LibraryText rest = ReadLibraryText(m_text.tail);
  const std::size_t more = rest.lines.size();
  notifier.modal("The library file " + Quoted(m_file) + " holds " +
                 std::to_string(more + m_text.lines.size()) +
                 (rest.tail.empty() ? "" : " or more") +
                 " lines, but the library can only contain " + std::to_string(kLibraryCapacity) +
                 " equations: the other " + std::to_string(more) +
                 " lines are not searched, and they are kept at the end of the file.");
}

void Library::load(Notifier& notifier) {
  m_text = LibraryText();
  errno = 0;
  std::ifstream in(m_file, std::ios::binary);
  if (!in) {
    const int error = errno;
    if (error == ENOENT) {
      // Nothing to lose: the first add creates the file.
      throw FileError(FileError::Kind::Missing,
                      "Cannot read the library file " + Quoted(m_file) + ": " +
                          std::string(kFileNotFound));
    }
    throw FileError(FileError::Kind::Read, "Cannot read the library file " + Quoted(m_file) +
                                               ": " + SystemReason(error) +
                                               ". The library is empty.");
  }

  std::string bytes;
  std::string chunk(kReadChunk, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (!in.bad()) {
    loadFromBytes(bytes, notifier);
    return;
  }

  const int error = errno;
  // Only whole lines count as read; a line cut by the failure is not an entry.
  const std::size_t lastEnd = bytes.rfind('\n');
  bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  loadFromBytes(bytes, notifier);
  throw FileError(FileError::Kind::Read,
                  "Cannot read the library file " + Quoted(m_file) + ": " + SystemReason(error) +
                      ". The library holds the " + std::to_string(count()) +
                      " equations read before the failure.");
}

namespace {

namespace fs = std::filesystem;

// Retries of the lock when the file is replaced between opening and locking it.
constexpr int kLockAttempts = 1000;

// A descriptor closed on every path out.
class Descriptor {
 public:
  explicit Descriptor(int fd = -1) : m_fd(fd) {}
  ~Descriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return m_fd; }
  int release() { return std::exchange(m_fd, -1); }

 private:
  int m_fd;
};

FileError WriteError(const fs::path& file, const std::string& reason) {
  return FileError(FileError::Kind::Write, "Cannot write the library file " + Quoted(file) + ": " +
                                               reason + ". The file keeps its previous content.");
}

// Opens `target` (creating it empty when missing) and holds an exclusive
// advisory lock on it. A rewrite renames a new file over the name, so the
// lock only counts when the locked file is still the one the name shows.
int OpenLocked(const fs::path& file, const fs::path& target) {
  for (int attempt = 0; attempt < kLockAttempts; ++attempt) {
    const int fd = ::open(target.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) throw WriteError(file, SystemReason(errno));
    Descriptor held(fd);
    int locked;
    do {
      locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) throw WriteError(file, "it cannot be locked (" + SystemReason(errno) + ")");
    struct stat open {};
    struct stat named {};
    if (::fstat(fd, &open) != 0) throw WriteError(file, SystemReason(errno));
    if (::stat(target.c_str(), &named) == 0 && named.st_dev == open.st_dev &&
        named.st_ino == open.st_ino) {
      return held.release();
    }
  }
  throw WriteError(file, "it was replaced too often while waiting for its lock");
}

// The whole content behind `fd`.
std::string ReadAll(int fd, const fs::path& file) {
  std::string bytes;
  std::string chunk(kReadChunk, '\0');
  for (;;) {
    const ssize_t got = ::read(fd, chunk.data(), chunk.size());
    if (got == 0) return bytes;
    if (got < 0) {
      if (errno == EINTR) continue;
      throw FileError(FileError::Kind::Read, "Cannot read the library file " + Quoted(file) + ": " +
                                                 SystemReason(errno) +
                                                 ". The file keeps its previous content.");
    }
    bytes.append(chunk.data(), static_cast<std::size_t>(got));
  }
}

}  // namespace

template <class Apply>
Library::Change Library::update(Apply apply) {
  // Lock where the file really is: a link named cbd.dat keeps pointing at it.
  const fs::path target = ReplaceTarget(m_file);
  const Descriptor lock(OpenLocked(m_file, target));
  struct stat old {};
  if (::fstat(lock.get(), &old) != 0) throw WriteError(m_file, SystemReason(errno));
  if (S_ISDIR(old.st_mode)) throw WriteError(m_file, SystemReason(EISDIR));
  // The file as it is now: another window may have changed it since it was read.
  m_text = ReadLibraryText(ReadAll(lock.get(), m_file));
  // A file the user made read-only stays as it is, as a plain write would fail on it.
  if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw WriteError(m_file, "Permission denied (the file is read-only)");
  }
  LibraryText changed = m_text;
  const Change change = apply(changed);
  const ReplaceOutcome replaced = ReplaceFileDurably(target, changed.bytes());
  switch (replaced.step) {
    case ReplaceOutcome::Step::NoFreeName: throw WriteError(m_file, "no free name for its new copy");
    case ReplaceOutcome::Step::Write: throw WriteError(m_file, SystemReason(replaced.error));
    case ReplaceOutcome::Step::SyncFolder:
    case ReplaceOutcome::Step::Done: break;
  }
  m_text = std::move(changed);
  if (replaced.step == ReplaceOutcome::Step::SyncFolder) {
    throw FileError(FileError::Kind::Write,
                    "The library file " + Quoted(m_file) + " was written, but its folder could not "
                    "be synced (" + SystemReason(replaced.error) + "): the change may be lost in a "
                    "power failure.");
  }
  return change;
}

Library::Change Library::add(std::string_view line) {
  return update([&](LibraryText& text) {
    for (const std::string& have : text.lines) {
      if (have == line) return Change::AlreadyIn;
    }
    if (text.lines.size() >= static_cast<std::size_t>(kLibraryCapacity)) return Change::Full;
    if (!IsStorable(line)) return Change::Unstorable;
    text.lines.emplace_back(line);
    text.raw.emplace_back();
    return Change::Added;
  });
}

Library::Change Library::remove(std::string_view line) {
  return update([&](LibraryText& text) {
    for (std::size_t i = 0; i < text.lines.size(); ++i) {
      if (text.lines[i] != line) continue;
      text.lines.erase(text.lines.begin() + static_cast<std::ptrdiff_t>(i));
      text.raw.erase(text.raw.begin() + static_cast<std::ptrdiff_t>(i));
      return Change::Deleted;
    }
    return Change::NotIn;
  });
}

}  // namespace quorvex::library
