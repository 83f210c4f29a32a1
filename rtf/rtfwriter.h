// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a QTextDocument as RTF that common word processors open.
#pragma once

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace quorvex::rtf {

// The document as 7-bit ASCII RTF with a cp1252 header, font and colour tables;
// characters cp1252 lacks are written as \uN with a "?" fallback. Images are left out,
// tables become RTF tables and hyperlinks HYPERLINK fields.
QByteArray WriteRtf(const QTextDocument& doc);

// Writes WriteRtf(doc) to `path` with ReplaceFileDurably: the old file stays as it was
// unless the new one is wholly on the disk; false with the system's reason in *error.
bool WriteRtfFile(const QTextDocument& doc, const QString& path, QString* error = nullptr);

}  // namespace quorvex::rtf
