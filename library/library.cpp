#include "library/library.h"

#include <cerrno>
#include <fstream>
#include <system_error>
#include <utility>

#include "formula/errors.h"

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

std::vector<std::string> ReadLibraryLines(std::string_view bytes) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  while (from < bytes.size() && bytes[from] != kEndOfFile) {
    std::size_t end = bytes.find('\n', from);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view text = bytes.substr(from, end - from);
    const std::size_t cut = text.find(kEndOfFile);
    if (cut != std::string_view::npos) text = text.substr(0, cut);
    std::string& line = lines.emplace_back();
    line.reserve(text.size());
    // Every CR goes: the one before LF belongs to the line end, a lone one is dropped.
    for (const char c : text) {
      if (c != '\r') line += c;
    }
    from = end + 1;
  }
  return lines;
}

std::string WriteLibraryLines(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string bytes;
  bytes.reserve(size);
  for (const std::string& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return bytes;
}

bool IsStorable(std::string_view line) {
  return line.find_first_of(std::string_view("\r\n\x1A", 3)) == std::string_view::npos;
}

const std::string& Library::line(int position) const {
  if (position < 1 || position > count()) throw AssertionFailure("library position out of range");
  return m_lines[static_cast<std::size_t>(position - 1)];
}

int Library::IsInLib(std::string_view line) const {
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i] == line) return static_cast<int>(i) + 1;
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
  m_lines.emplace_back(line);
  return true;
}

void Library::DeleteFromLib(int position) {
  if (position < 1 || position > count()) throw AssertionFailure("library position out of range");
  m_lines.erase(m_lines.begin() + (position - 1));
}

void Library::loadFromBytes(std::string_view bytes, Notifier& notifier) {
  m_lines = ReadLibraryLines(bytes);
  m_overflow.clear();
  m_state = ReadState::Complete;
  m_readProblem.clear();
  if (m_lines.size() <= static_cast<std::size_t>(kLibraryCapacity)) return;

  // The table cannot take them; they go back into the file untouched so that
  // no rewrite loses them.
  m_overflow.assign(std::make_move_iterator(m_lines.begin() + kLibraryCapacity),
                    std::make_move_iterator(m_lines.end()));
  m_lines.resize(static_cast<std::size_t>(kLibraryCapacity));
  const std::size_t total = m_overflow.size() + m_lines.size();
  notifier.modal("The library file " + Quoted(m_file) + " holds " + std::to_string(total) +
                 " lines, but the library can only contain " + std::to_string(kLibraryCapacity) +
                 " equations: the other " + std::to_string(m_overflow.size()) +
                 " lines are not searched, and they are kept at the end of the file.");
}

void Library::load(Notifier& notifier) {
  m_lines.clear();
  m_overflow.clear();
  m_state = ReadState::NotRead;
  m_readProblem.clear();

  errno = 0;
  std::ifstream in(m_file, std::ios::binary);
  if (!in) {
    const int error = errno;
    if (error == ENOENT) {
      // Nothing to lose: the first add creates the file.
      m_state = ReadState::Complete;
      throw FileError(FileError::Kind::Missing,
                      "Cannot read the library file " + Quoted(m_file) + ": " +
                          std::string(kFileNotFound));
    }
    m_state = ReadState::Incomplete;
    m_readProblem = SystemReason(error);
    throw FileError(FileError::Kind::Read, "Cannot read the library file " + Quoted(m_file) +
                                               ": " + m_readProblem +
                                               ". The library is empty, and the file will not be "
                                               "rewritten in this session.");
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
  m_state = ReadState::Incomplete;
  m_readProblem = SystemReason(error);
  throw FileError(FileError::Kind::Read,
                  "Cannot read the library file " + Quoted(m_file) + ": " + m_readProblem +
                      ". The library holds the " + std::to_string(count()) +
                      " equations read before the failure, and the file will not be rewritten "
                      "in this session.");
}

std::vector<std::string> Library::allLines() const {
  if (m_overflow.empty()) return m_lines;
  std::vector<std::string> all = m_lines;
  all.insert(all.end(), m_overflow.begin(), m_overflow.end());
  return all;
}

void Library::save() const {
  if (m_state == ReadState::NotRead) {
    throw FileError(FileError::Kind::Refused,
                    "The library file " + Quoted(m_file) +
                        " was not read at start-up, so it is not rewritten: that would lose the "
                        "equations in it. The change holds until the program ends.");
  }
  if (m_state == ReadState::Incomplete) {
    throw FileError(FileError::Kind::Refused,
                    "The library file " + Quoted(m_file) +
                        " could not be read completely at start-up (" + m_readProblem +
                        "), so it is not rewritten: that would lose the equations not read. The "
                        "change holds until the program ends.");
  }

  const std::string bytes = WriteLibraryLines(allLines());
  namespace fs = std::filesystem;
  // Write where the file really is: a link named cbd.dat keeps pointing at it.
  std::error_code linkError;
  fs::path target = m_file;
  if (fs::is_symlink(m_file, linkError)) {
    const fs::path resolved = fs::weakly_canonical(m_file, linkError);
    if (!linkError) target = resolved;
  }
  // A file the user made read-only stays as it is, as a plain write would fail on it.
  std::error_code statusError;
  const fs::file_status old = fs::status(target, statusError);
  const bool exists = !statusError && fs::exists(old);
  constexpr fs::perms kAnyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if (exists && (old.permissions() & kAnyWrite) == fs::perms::none) {
    throw FileError(FileError::Kind::Write, "Cannot write the library file " + Quoted(m_file) +
                                                ": Permission denied (the file is read-only). "
                                                "The file keeps its previous content.");
  }
  fs::path temporary = target;
  temporary += ".tmp";
  const auto fail = [&](const std::string& reason) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return FileError(FileError::Kind::Write, "Cannot write the library file " + Quoted(m_file) +
                                                 ": " + reason +
                                                 ". The file keeps its previous content.");
  };

  errno = 0;
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  if (!out) throw fail(SystemReason(errno));
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) {
    const int error = errno;
    out.close();
    throw fail(SystemReason(error));
  }
  out.close();
  if (out.fail()) throw fail(SystemReason(errno));

  std::error_code ec;
  if (exists) fs::permissions(temporary, old.permissions(), fs::perm_options::replace, ec);
  ec.clear();
  fs::rename(temporary, target, ec);
  if (ec) throw fail(ec.message());
}

}  // namespace quorvex::library
