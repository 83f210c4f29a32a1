#include "rtf/durablefile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex::rtf {
namespace {

// Attempts at a temporary name before giving up; a clash needs another writer
// choosing the same random name.
constexpr int kNameAttempts = 16;

QString systemError(int code) { return QString::fromLocal8Bit(std::strerror(code)); }

bool fail(QString* error, const QString& reason) {
  if (error) *error = reason;
  return false;
}

bool writeAll(int fd, QByteArrayView bytes) {
  const char* data = bytes.data();
  qsizetype left = bytes.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

// Flushes the folder's entry for the renamed file; file systems that cannot sync a
// folder say so with EINVAL, and there is nothing more to do on them.
int syncFolder(const QByteArray& folder) {
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int code = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  if (::close(fd) != 0 && code == 0) code = errno;
  return code;
}

}  // namespace

bool ReplaceFileDurably(const QString& path, QByteArrayView bytes, QString* error) {
  QFileInfo info(path);
  if (info.isSymLink()) info = QFileInfo(info.symLinkTarget());
  const QByteArray target = QFile::encodeName(info.absoluteFilePath());
  const QByteArray folder = QFile::encodeName(info.absolutePath());

  struct stat old {};
  const bool exists = ::stat(target.constData(), &old) == 0;
  if (exists && !S_ISREG(old.st_mode)) return fail(error, systemError(S_ISDIR(old.st_mode) ? EISDIR : EINVAL));

  QByteArray temporary;
  int fd = -1;
  for (int attempt = 0; attempt < kNameAttempts && fd < 0; ++attempt) {
    temporary = folder + "/." + QFile::encodeName(info.fileName()) + '.' +
                QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".tmp";
    fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return fail(error, systemError(errno));

  int code = 0;
  if (exists && ::fchmod(fd, old.st_mode & 07777) != 0) code = errno;
  if (code == 0 && !writeAll(fd, bytes)) code = errno;
  if (code == 0 && ::fsync(fd) != 0) code = errno;
  if (::close(fd) != 0 && code == 0) code = errno;
  if (code == 0 && ::rename(temporary.constData(), target.constData()) != 0) code = errno;
  if (code != 0) {
    ::unlink(temporary.constData());
    return fail(error, systemError(code));
  }
  if (const int folderCode = syncFolder(folder); folderCode != 0)
    return fail(error, QStringLiteral("the file was replaced, but the folder could not be flushed to the disk: ") +
                           systemError(folderCode));
  return true;
}

}  // namespace quorvex::rtf
