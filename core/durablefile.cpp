// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/durablefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <system_error>

namespace quorvex {
namespace {

namespace fs = std::filesystem;

// Names tried for the new copy before giving up.
constexpr int kTemporaryAttempts = 100;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t put = ::write(fd, bytes.data(), bytes.size());
    if (put < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(put));
  }
  return true;
}

}  // namespace

fs::path ReplaceTarget(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  const fs::path resolved = fs::weakly_canonical(path, error);
  return error ? path : resolved;
}

ReplaceOutcome ReplaceFileDurably(const fs::path& path, std::string_view bytes) {
  using Step = ReplaceOutcome::Step;
  const fs::path target = ReplaceTarget(path);
  std::random_device random;
  fs::path temporary;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < kTemporaryAttempts; ++attempt) {
    temporary = target;
    temporary += "." + std::to_string(::getpid()) + "-" + std::to_string(random()) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) return {Step::Write, errno};
  }
  if (fd < 0) return {Step::NoFreeName, 0};
  // A file that is not there yet gets the permissions the umask leaves.
  struct stat old {};
  if (::stat(target.c_str(), &old) == 0) {
    static_cast<void>(::fchown(fd, old.st_uid, old.st_gid));
    static_cast<void>(::fchmod(fd, old.st_mode & 07777));
  }
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  int error = ok ? 0 : errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
    ok = false;
    error = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return {Step::Write, error};
  }
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return {};
  // A folder that cannot be synced (EINVAL) has nothing to sync.
  const bool synced = ::fsync(dir) == 0 || errno == EINVAL;
  error = errno;
  ::close(dir);
  if (!synced) return {Step::SyncFolder, error};
  return {};
}

}  // namespace quorvex
