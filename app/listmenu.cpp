// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/listmenu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>

#include "app/equationlist.h"
#include "app/menukeys.h"
#include "app/tform1.h"

namespace quorvex::app {

ListMenu::ListMenu(TForm1& window, const QList<QPlainTextEdit*>& lists)
    : m_menu(new QMenu(&window)), m_first(lists.value(0)) {
  m_menu->setObjectName("ResultPopupMenu");
  QAction* copy = m_menu->addAction("Copy", &window, &TForm1::CopyResult);
  copy->setObjectName("Copy1");
  copy->setShortcut(QKeySequence("Ctrl+C"));
  QAction* record = m_menu->addAction("Record", &window, &TForm1::RecordtoReportClick);
  record->setObjectName("CopytoReport1");
  record->setShortcut(QKeySequence("Ctrl+R"));
  auto* keys = new MenuKeys(this, [this, &window](QObject* box, int key) {
    const bool taken = key == Qt::Key_C || key == Qt::Key_R || key == -Qt::Key_C || key == -Qt::Key_R;
    if (key > 0) m_used = qobject_cast<QPlainTextEdit*>(box);
    if (key == Qt::Key_C) window.CopyResult();
    if (key == Qt::Key_R) window.RecordtoReportClick();
    return taken;
  });
  for (QPlainTextEdit* box : lists) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(box, &QWidget::customContextMenuRequested, this, [this, box](const QPoint& at) {
      m_used = box;
      m_menu->exec(box->viewport()->mapToGlobal(at));
    });
    box->installEventFilter(keys);
  }
}

QString ListMenu::selectedText() const {
  const QPlainTextEdit* box = m_used ? m_used : m_first;
  // The list's line breaks come back as paragraph separators.
  QString text = box->textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, '\n');
  return WithoutTermBreaks(text);
}

void ListMenu::copy() const {
  const QString text = selectedText();
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

}  // namespace quorvex::app
