// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QMenu;
class QPlainTextEdit;

namespace quorvex::app {

class TForm1;

// The pop-up menu of the lists of equations (ResultPopupMenu): Copy and
// Record, also as Ctrl+C and Ctrl+R, act on the list they were used in.
class ListMenu final : public QObject {
 public:
  ListMenu(TForm1& window, const QList<QPlainTextEdit*>& lists);

  // The selection of the list last used (the first list before any), with
  // line feeds between lines and without the breaks shown between terms.
  QString selectedText() const;
  // Copies selectedText(), when there is one.
  void copy() const;

 private:
  QMenu* m_menu = nullptr;
  QPlainTextEdit* m_first = nullptr;
  QPlainTextEdit* m_used = nullptr;  // the list the menu or its keys were last used in
};

}  // namespace quorvex::app
