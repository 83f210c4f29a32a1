// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/durablefile.h"

#include <QFile>

#include <cstring>
#include <filesystem>
#include <string_view>

#include "core/durablefile.h"

namespace quorvex::rtf {

bool ReplaceFileDurably(const QString& path, QByteArrayView bytes, QString* error) {
  // The one durable replace of the project lives in the core; this converts at Qt's edge.
  const QByteArray name = QFile::encodeName(path);
  const ReplaceOutcome outcome = quorvex::ReplaceFileDurably(
      std::filesystem::path(std::string(name.constData(), static_cast<std::size_t>(name.size()))),
      std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())));
  if (outcome.step == ReplaceOutcome::Step::Done) return true;
  if (error) {
    switch (outcome.step) {
      case ReplaceOutcome::Step::NoFreeName:
        *error = "no free name for a new file beside it";
        break;
      case ReplaceOutcome::Step::SyncFolder:
        *error = "saved, but its folder could not be flushed to the disk: " +
                 QString::fromLocal8Bit(std::strerror(outcome.error));
        break;
      default:
        *error = QString::fromLocal8Bit(std::strerror(outcome.error));
        break;
    }
  }
  return false;
}

}  // namespace quorvex::rtf
