// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file so that a failure at any step leaves the old one as it was.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quorvex::rtf {

// Writes `bytes` to a new file beside `path`, flushes it to the disk, renames it over
// `path` and flushes the folder. A symbolic link is followed and kept, the old file's
// permissions carry over. On any failure the old file is left byte for byte, the new
// one is removed, and *error holds the system's reason.
bool ReplaceFileDurably(const QString& path, QByteArrayView bytes, QString* error = nullptr);

// Reads the regular file at `path`, at most `maxBytes` of it, into `bytes`. A device or a FIFO
// is refused without waiting on it, and so is a link planted in a shared folder by another
// user; false with the reason in *error.
bool ReadFileBounded(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* error = nullptr);

}  // namespace quorvex::rtf
