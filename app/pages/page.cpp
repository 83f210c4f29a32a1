// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/page.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "app/equationlist.h"
#include "app/tform1.h"

namespace quorvex::app {
namespace {

// A list of equations, with the breaks it shows between terms.
QString Shown(QPlainTextEdit* edit, const QString& text) {
  auto* list = dynamic_cast<EquationListEdit*>(edit);
  return list ? list->shownText(text) : text;
}

}  // namespace

void ShowText(QLineEdit* box, const QString& text) {
  if (box->text() != text) box->setText(text);
}

void ShowText(QPlainTextEdit* box, const QString& text) {
  const QString shown = Shown(box, text);
  if (box->toPlainText() != shown) box->setPlainText(shown);
}

void ShowList(QPlainTextEdit* list, const QString& text) {
  const QString shown = Shown(list, text);
  if (list->toPlainText() == shown) return;
  list->setPlainText(shown);
  list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
}

Page::Page(TForm1& window, std::span<const Control> rows) : m_window(window) { BuildControls(rows, window); }

void Page::read(workspace::WindowTexts& /*texts*/) const {}

QObject* Page::findControl(const QString& name) const { return m_window.findChild<QObject*>(name); }

void Page::NoControl(const QString& name) { qFatal("no control named %s", qPrintable(name)); }

}  // namespace quorvex::app
