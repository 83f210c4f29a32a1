// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <span>

#include "app/pagetables.h"
#include "workspace/workspace.h"

class QLineEdit;
class QPlainTextEdit;

namespace quorvex::app {

class TForm1;

// Shows `text` in `box`, leaving a box that shows it already alone (its caret and selection).
void ShowText(QLineEdit* box, const QString& text);
// The same for a list box; a list of equations shows the breaks between its terms.
void ShowText(QPlainTextEdit* box, const QString& text);
// ShowText, scrolled to the newest equation when the text changed.
void ShowList(QPlainTextEdit* list, const QString& text);

// One page of the main window. It builds its controls from its own rows, keeps
// the ones it works with, copies what the user typed into the workspace's
// texts and shows those texts. Its connections end with it, before the
// window's widgets go.
class Page : public QObject {
 public:
  // Builds `rows` into `window`.
  Page(TForm1& window, std::span<const Control> rows);

  // What the user typed on this page, into `texts`.
  virtual void read(workspace::WindowTexts& texts) const;
  // Shows `texts` on this page.
  virtual void show(const workspace::WindowTexts& texts) = 0;

 protected:
  // The window's control named `name`; the program stops when there is none.
  template <class W>
  W* control(const QString& name) const {
    W* found = qobject_cast<W*>(findControl(name));
    if (!found) NoControl(name);
    return found;
  }

  TForm1& m_window;

 private:
  QObject* findControl(const QString& name) const;
  [[noreturn]] static void NoControl(const QString& name);
};

}  // namespace quorvex::app
