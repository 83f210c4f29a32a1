// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/durablefile.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/durablefile.h"

namespace quorvex::rtf {
namespace {

std::filesystem::path PathOf(const QString& path) {
  const QByteArray name = QFile::encodeName(path);
  return std::filesystem::path(std::string(name.constData(), static_cast<std::size_t>(name.size())));
}

// Why a file step stopped, for a message that names the file before it.
QString Reason(const ReplaceOutcome& outcome, qint64 maxBytes = 0) {
  switch (outcome.step) {
    case ReplaceOutcome::Step::UnsafeLink:
      return QStringLiteral("It is a link in a shared folder, made by another user, and is not followed.");
    case ReplaceOutcome::Step::NotRegular: return QStringLiteral("It is not a regular file.");
    case ReplaceOutcome::Step::TooLarge:
      return QStringLiteral("The file is larger than %1 MiB.").arg(maxBytes / (qint64{1024} * 1024));
    case ReplaceOutcome::Step::NoFreeName: return QStringLiteral("no free name for a new file beside it");
    default: return QString::fromLocal8Bit(std::strerror(outcome.error));
  }
}

}  // namespace

bool ReadFileBounded(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error) {
  FileInFolder located;
  ReplaceOutcome outcome = LocateFile(PathOf(path), located);
  Descriptor fd;
  if (outcome.step == ReplaceOutcome::Step::Done) outcome = OpenRegular(located, fd);
  std::string read;
  if (outcome.step == ReplaceOutcome::Step::Done) {
    outcome = ReadAllBounded(fd.get(), static_cast<std::uint64_t>(std::max<qint64>(maxBytes, 0)), read);
  }
  if (outcome.step != ReplaceOutcome::Step::Done) {
    if (error) *error = Reason(outcome, maxBytes);
    return false;
  }
  bytes = QByteArray(read.data(), static_cast<qsizetype>(read.size()));
  return true;
}

bool ReplaceFileDurably(const QString& path, QByteArrayView bytes, QString* error) {
  // The one durable replace of the project lives in the core; this converts at Qt's edge.
  const ReplaceOutcome outcome = quorvex::ReplaceFileDurably(
      PathOf(path), std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
  if (outcome.step == ReplaceOutcome::Step::Done) return true;
  if (error) {
    *error = outcome.step == ReplaceOutcome::Step::SyncFolder
                 ? "saved, but its folder could not be flushed to the disk: " +
                       QString::fromLocal8Bit(std::strerror(outcome.error))
                 : Reason(outcome);
  }
  return false;
}

}  // namespace quorvex::rtf
