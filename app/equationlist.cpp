// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/equationlist.h"

#include <QMimeData>
#include <QScrollBar>
#include <QStringList>
#include <QTextDocument>

#include "formula/equationtext.h"

namespace quorvex::app {
namespace {

constexpr QChar kBreak(0x200B);

}  // namespace

QString WithTermBreaks(const QString& text, const QPlainTextEdit& box) {
  // From the box's own width: a page not shown yet has not laid out its viewport.
  const int width = box.width() - 2 * box.frameWidth() - box.verticalScrollBar()->sizeHint().width() -
                    2 * static_cast<int>(box.document()->documentMargin()) -
                    2 * box.fontMetrics().averageCharWidth();
  QStringList lines = text.split('\n');
  for (QString& line : lines) {
    if (box.fontMetrics().horizontalAdvance(line) <= width) continue;
    // Only ASCII matters to the reader, and Latin-1 gives one byte for each
    // UTF-16 unit, so its offsets are the line's.
    const QByteArray bytes = line.toLatin1();
    const std::vector<std::size_t> joins =
        formula::TermJoins(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    QString broken;
    broken.reserve(line.size() + static_cast<qsizetype>(joins.size()));
    qsizetype from = 0;
    for (const std::size_t join : joins) {
      const auto at = static_cast<qsizetype>(join);
      broken.append(QStringView(line).mid(from, at - from));
      broken.append(kBreak);
      from = at;
    }
    broken.append(QStringView(line).mid(from));
    line = broken;
  }
  return lines.join('\n');
}

QString WithoutTermBreaks(QString text) {
  text.remove(kBreak);
  return text;
}

QString EquationListEdit::shownText(const QString& text) {
  if (text != m_source) {
    const bool grown = m_source.endsWith('\n') && text.startsWith(m_source);
    m_shown =
        grown ? m_shown + WithTermBreaks(text.mid(m_source.size()), *this) : WithTermBreaks(text, *this);
    m_source = text;
  }
  return m_shown;
}

QMimeData* EquationListEdit::createMimeDataFromSelection() const {
  auto* mime = new QMimeData;
  QString text = textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, '\n');
  mime->setText(WithoutTermBreaks(text));
  return mime;
}

}  // namespace quorvex::app
