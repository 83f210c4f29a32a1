// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>

class QTextCursor;

namespace quorvex::app {

// The report's body text: Tahoma 9 pt, plain, with 9 pt before and after each
// paragraph, as the delivered report's paragraphs are.
QTextCharFormat BodyCharFormat();
QTextBlockFormat BodyBlockFormat();

// Inserts `text` at `caret` (replacing its selection) as paragraphs of their
// own in the body style, one per line: never glued to the text around the
// caret nor styled like it. The caret ends after the last inserted paragraph.
void InsertParagraphs(QTextCursor& caret, const QString& text);

}  // namespace quorvex::app
