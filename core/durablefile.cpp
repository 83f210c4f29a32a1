// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/durablefile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <random>
#include <string>

namespace quorvex {
namespace {

namespace fs = std::filesystem;

// Names tried for the new copy before giving up.
constexpr int kTemporaryAttempts = 100;
// Links followed before giving up, as the system does.
constexpr int kLinkHops = 40;
constexpr std::string_view kCopySuffix = ".tmp";

using Step = ReplaceOutcome::Step;

ReplaceOutcome Failed(int error) { return {Step::Write, error}; }

bool WriteAll(int fd, std::string_view bytes, const FileOps& ops) {
  while (!bytes.empty()) {
    const ssize_t put = ops.write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (put == 0) {
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

// A folder others may write to: the system's own rule for links applies there.
bool IsShared(const struct stat& folder) {
  return (folder.st_mode & S_ISVTX) != 0 || (folder.st_mode & S_IWOTH) != 0;
}

// The mode a new file gets: 0666 less the umask, read without changing it.
mode_t NewFileMode() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("Umask:", 0) != 0) continue;
    const unsigned long mask = std::stoul(line.substr(6), nullptr, 8);
    return static_cast<mode_t>(0666 & ~mask);
  }
  // Unknown umask: the copy stays private.
  return 0600;
}

// TERM, INT and HUP held back while a copy exists, so none leaves it behind;
// a signal that came meanwhile acts when they are let through again.
class HeldSignals {
 public:
  HeldSignals() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGTERM);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGHUP);
    m_restore = pthread_sigmask(SIG_BLOCK, &held, &m_previous) == 0;
  }
  ~HeldSignals() {
    if (m_restore) pthread_sigmask(SIG_SETMASK, &m_previous, nullptr);
  }
  HeldSignals(const HeldSignals&) = delete;
  HeldSignals& operator=(const HeldSignals&) = delete;

 private:
  sigset_t m_previous{};
  bool m_restore = false;
};

}  // namespace

int FileOps::openAt(int folder, const char* name, int flags, mode_t mode) const {
  return ::openat(folder, name, flags, mode);
}
ssize_t FileOps::read(int fd, void* buffer, std::size_t size) const { return ::read(fd, buffer, size); }
ssize_t FileOps::write(int fd, const void* buffer, std::size_t size) const {
  return ::write(fd, buffer, size);
}
int FileOps::sync(int fd) const { return ::fsync(fd); }
int FileOps::renameAt(int folder, const char* from, const char* to) const {
  return ::renameat(folder, from, folder, to);
}
int FileOps::close(int fd) const { return ::close(fd); }

const FileOps& SystemFileOps() {
  static const FileOps system;
  return system;
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept {
  if (this != &other) {
    if (m_fd >= 0) ::close(m_fd);
    m_fd = other.release();
  }
  return *this;
}

Descriptor::~Descriptor() {
  if (m_fd >= 0) ::close(m_fd);
}

ReplaceOutcome LocateFile(const fs::path& path, FileInFolder& located, const FileOps& ops) {
  // Where the path is read from: the working folder, or the folder of the last link.
  Descriptor base;
  std::string rest = path.string();
  if (rest.empty()) return Failed(ENOENT);
  for (int hop = 0; hop <= kLinkHops; ++hop) {
    const fs::path current(rest);
    const std::string name = current.filename().string();
    if (name.empty() || name == "." || name == "..") return Failed(EISDIR);
    const std::string parent = current.has_parent_path() ? current.parent_path().string() : ".";
    Descriptor folder(ops.openAt(base.get() >= 0 ? base.get() : AT_FDCWD, parent.c_str(),
                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0));
    if (folder.get() < 0) return Failed(errno);
    struct stat entry {};
    if (::fstatat(folder.get(), name.c_str(), &entry, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno != ENOENT) return Failed(errno);
    } else if (S_ISLNK(entry.st_mode)) {
      struct stat holder {};
      if (::fstat(folder.get(), &holder) != 0) return Failed(errno);
      if (IsShared(holder) && entry.st_uid != ::geteuid() && entry.st_uid != holder.st_uid) {
        return {Step::UnsafeLink, EACCES};
      }
      std::string target(4096, '\0');
      const ssize_t got = ::readlinkat(folder.get(), name.c_str(), target.data(), target.size());
      if (got < 0) return Failed(errno);
      if (static_cast<std::size_t>(got) >= target.size()) return Failed(ENAMETOOLONG);
      target.resize(static_cast<std::size_t>(got));
      if (target.empty()) return Failed(ENOENT);
      // A relative target is read from the link's own folder.
      base = std::move(folder);
      rest = std::move(target);
      continue;
    }
    located.folder = std::move(folder);
    located.name = name;
    return {};
  }
  return Failed(ELOOP);
}

ReplaceOutcome OpenRegular(const FileInFolder& file, Descriptor& fd, const FileOps& ops) {
  // O_NONBLOCK: a FIFO without a writer must not hang the open.
  fd = Descriptor(
      ops.openAt(file.folder.get(), file.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0));
  if (fd.get() < 0) return Failed(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Failed(errno);
  if (S_ISDIR(st.st_mode)) return Failed(EISDIR);
  if (!S_ISREG(st.st_mode)) return {Step::NotRegular, EINVAL};
  return {};
}

ReplaceOutcome ReadAllBounded(int fd, std::uint64_t limit, std::string& bytes, const FileOps& ops) {
  bytes.clear();
  struct stat st {};
  if (::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) > limit) {
    return {Step::TooLarge, EFBIG};
  }
  std::string chunk(std::size_t{1} << 16, '\0');
  for (;;) {
    const ssize_t got = ops.read(fd, chunk.data(), chunk.size());
    if (got == 0) return {};
    if (got < 0) {
      if (errno == EINTR) continue;
      return Failed(errno);
    }
    // The file may have grown since its size was looked at.
    if (bytes.size() + static_cast<std::size_t>(got) > limit) return {Step::TooLarge, EFBIG};
    bytes.append(chunk.data(), static_cast<std::size_t>(got));
  }
}

ReplaceOutcome ReplaceInFolder(const FileInFolder& file, std::string_view bytes, const FileOps& ops) {
  const int dir = file.folder.get();
  struct stat old {};
  const bool existed = ::fstatat(dir, file.name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0;
  if (existed && S_ISDIR(old.st_mode)) return Failed(EISDIR);
  if (existed && !S_ISREG(old.st_mode)) return {Step::NotRegular, EINVAL};

  const HeldSignals held;
  std::random_device random;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < kTemporaryAttempts; ++attempt) {
    temporary = file.name + "." + std::to_string(::getpid()) + "-" + std::to_string(random()) +
                std::string(kCopySuffix);
    // Private from the start: nobody may open the copy before its mode is set.
    fd = ops.openAt(dir, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) return Failed(errno);
  }
  if (fd < 0) return {Step::NoFreeName, 0};
  // The lock tells a later change that this copy is still being written.
  static_cast<void>(::flock(fd, LOCK_EX | LOCK_NB));
  bool ok = WriteAll(fd, bytes, ops);
  // The content is written while only the user can read it; the copy takes
  // the old file's owner and mode before it is synced and put in its place.
  if (ok && existed) {
    static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
    static_cast<void>(::fchmod(fd, old.st_mode & 07777));
  } else if (ok) {
    static_cast<void>(::fchmod(fd, NewFileMode()));
  }
  ok = ok && ops.sync(fd) == 0;
  int error = ok ? 0 : errno;
  if (ops.close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ops.renameAt(dir, temporary.c_str(), file.name.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlinkat(dir, temporary.c_str(), 0);
    return Failed(error);
  }
  // A folder that cannot be synced (EINVAL) has nothing to sync.
  if (ops.sync(dir) != 0 && errno != EINVAL) return {Step::SyncFolder, errno};
  return {};
}

ReplaceOutcome ReplaceFileDurably(const fs::path& path, std::string_view bytes, const FileOps& ops) {
  FileInFolder located;
  const ReplaceOutcome found = LocateFile(path, located, ops);
  if (found.step != Step::Done) return found;
  return ReplaceInFolder(located, bytes, ops);
}

bool IsCopyName(std::string_view entry, std::string_view name) {
  // name.<pid>-<number>.tmp
  if (entry.size() <= name.size() + 1 + kCopySuffix.size() || entry.substr(0, name.size()) != name ||
      entry[name.size()] != '.' || !entry.ends_with(kCopySuffix)) {
    return false;
  }
  const std::string_view middle =
      entry.substr(name.size() + 1, entry.size() - name.size() - 1 - kCopySuffix.size());
  const std::size_t dash = middle.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == middle.size()) return false;
  for (std::size_t i = 0; i < middle.size(); ++i) {
    if (i != dash && (middle[i] < '0' || middle[i] > '9')) return false;
  }
  return true;
}

int RemoveStaleCopies(const FileInFolder& file) {
  const int listing = ::openat(file.folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) return 0;
  DIR* dir = ::fdopendir(listing);
  if (dir == nullptr) {
    ::close(listing);
    return 0;
  }
  int removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsCopyName(entry->d_name, file.name)) continue;
    const Descriptor copy(
        ::openat(file.folder.get(), entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (copy.get() < 0 || ::fstat(copy.get(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
      continue;
    }
    // A copy still being written is locked by its writer.
    if (::flock(copy.get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (::unlinkat(file.folder.get(), entry->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace quorvex
