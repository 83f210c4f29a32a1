// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file so that a failure at any step leaves the old one as it was.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace quorvex::rtf {

// Writes `bytes` to a new file beside `path`, flushes it to the disk, renames it over
// `path` and flushes the folder. A symbolic link is followed and kept, the old file's
// permissions carry over. On any failure the old file is left byte for byte, the new
// one is removed, and *error holds the system's reason.
bool ReplaceFileDurably(const QString& path, QByteArrayView bytes, QString* error = nullptr);

}  // namespace quorvex::rtf
