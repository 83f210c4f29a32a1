// SPDX-License-Identifier: GPL-3.0-or-later
// Reads RTF, as word processors write it for ordinary documents, into a QTextDocument.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace quorvex::rtf {

// True when the bytes begin, after any whitespace or UTF-8 byte order mark, with "{\rtf".
bool LooksLikeRtf(QByteArrayView bytes);

// Replaces the content of `into` with the RTF in `bytes` and marks it unmodified; the
// undo history is cleared. Malformed RTF still gives a best-effort document and true.
// Returns false, with the reason in *error and `into` left as it was, only when the
// bytes are not RTF at all (a caller may then show them as plain text). *lost names
// what the document could not keep ("pictures", "footnotes", ...); empty when it holds
// everything the file does but metadata, styles and fallbacks.
bool ReadRtf(const QByteArray& bytes, QTextDocument& into, QString* error = nullptr,
             QStringList* lost = nullptr);

// The largest file ReadRtfFile reads unless told a smaller limit.
inline constexpr qint64 kMaxRtfFileBytes = qint64{64} * 1024 * 1024;

// ReadRtf on the file at `path`; false with the system's error text when it cannot be
// read, with "The file is larger than N MiB." past `maxBytes` (a whole number of MiB),
// or with ReadRtf's reason when it is not RTF.
bool ReadRtfFile(const QString& path, QTextDocument& into, QString* error = nullptr,
                 QStringList* lost = nullptr, qint64 maxBytes = kMaxRtfFileBytes);

}  // namespace quorvex::rtf
