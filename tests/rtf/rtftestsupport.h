// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the RTF tests: text normalisation, format descriptions, generated documents.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;
class QTextCharFormat;
class QTextBlock;

namespace quorvex::rtf::test {

// The text of the document ReadRtf makes of `rtf`, as TextWithCells gives it; fails
// the current test when ReadRtf returns false.
QString ReadPlainText(const QByteArray& rtf);

// The document's plain text, with a table's cells in a row separated by "|".
QString TextWithCells(const QTextDocument& doc);

// Lines of text as two readers of the same file should agree on them: tabs, line and
// paragraph separators split lines; leading list markers (bullets, "12.", "iv)"),
// blank lines and repeated spaces go.
QStringList NormalizedLines(QString text);

// The runs of ASCII letters and digits in `text`, in order.
QStringList AsciiWords(const QString& text);

// Effective character formatting as one line, e.g. "Arial 12pt b sub fg=#ff0000".
QString DescribeChar(const QTextCharFormat& format, const QTextDocument& doc);
// Effective paragraph formatting, list membership included; margins in pixels.
QString DescribeBlock(const QTextBlock& block, const QTextDocument& doc);
// Every block of the document: its description, then each run of equal formatting as
// "[description]text".
QStringList DescribeDocument(const QTextDocument& doc);

// Fills `doc` with paragraphs of random text (ASCII, cp1252, Greek, CJK, astral) in
// random character and paragraph formats, lists included; the same seed gives the same document.
void BuildRandomDocument(QTextDocument& doc, unsigned seed);

}  // namespace quorvex::rtf::test
