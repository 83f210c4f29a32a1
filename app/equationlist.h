// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace quorvex::app {

// The text of a list of equations as `box` shows it: in each line too wide
// for the box a zero-width space after each "+" that joins two terms, so
// that the line breaks there or at the blanks around " = ", and never inside
// a formula. Lines that fit stay as they are.
QString WithTermBreaks(const QString& text, const QPlainTextEdit& box);
// The text without the breaks WithTermBreaks puts in.
QString WithoutTermBreaks(QString text);

// A read-only list of equations: what it copies or drags is the text without
// the breaks it shows.
class EquationListEdit final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  // WithTermBreaks of `text`; a text that grows by whole lines is measured
  // only in what it gained.
  QString shownText(const QString& text);

 protected:
  QMimeData* createMimeDataFromSelection() const override;

 private:
  QString m_source;  // the last text given to shownText, and what it gave
  QString m_shown;
};

}  // namespace quorvex::app
