// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/recording.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>

namespace quorvex::app {

QTextCharFormat BodyCharFormat() {
  QTextCharFormat format;
  format.setFontFamilies({"Tahoma"});
  format.setFontPointSize(9);
  format.setFontWeight(QFont::Normal);
  format.setFontItalic(false);
  format.setFontUnderline(false);
  format.setFontStrikeOut(false);
  format.setVerticalAlignment(QTextCharFormat::AlignNormal);
  return format;
}

QTextBlockFormat BodyBlockFormat() {
  QTextBlockFormat format;
  format.setTopMargin(12);  // 9 pt at 96 dpi
  format.setBottomMargin(12);
  return format;
}

void InsertParagraphs(QTextCursor& caret, const QString& text) {
  QStringList lines = text.split('\n');
  while (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
  while (!lines.isEmpty() && lines.front().trimmed().isEmpty()) lines.removeFirst();
  if (lines.isEmpty()) return;
  caret.beginEditBlock();
  caret.removeSelectedText();
  const QTextBlockFormat ownBlock = caret.blockFormat();
  const QTextCharFormat ownBlockChar = caret.blockCharFormat();
  const bool textBefore = caret.positionInBlock() > 0;
  const bool textAfter = caret.positionInBlock() < caret.block().length() - 1;
  if (textBefore) {
    caret.insertBlock(BodyBlockFormat(), BodyCharFormat());
  } else {
    if (textAfter) {
      // The caret's paragraph keeps its style and moves down one.
      caret.insertBlock(ownBlock, ownBlockChar);
      caret.movePosition(QTextCursor::PreviousBlock);
    }
    caret.setBlockFormat(BodyBlockFormat());
    caret.setBlockCharFormat(BodyCharFormat());
  }
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i > 0) caret.insertBlock(BodyBlockFormat(), BodyCharFormat());
    caret.insertText(lines[i], BodyCharFormat());
  }
  if (textBefore && textAfter) {
    // What followed the caret goes on in a paragraph of its own, as it was.
    const int end = caret.position();
    caret.insertBlock(ownBlock, ownBlockChar);
    caret.setPosition(end);
  }
  caret.endEditBlock();
}

}  // namespace quorvex::app
