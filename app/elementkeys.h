// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>

class QAbstractButton;

namespace quorvex::app {

// The keyboard path through the periodic table's buttons: one of them at a
// time is a Tab stop (the last one the focus was on, at first the first);
// the arrow keys move the focus to the nearest button in their direction and
// Space presses it. Installed on each button; owned by the buttons' parent.
class ElementKeys : public QObject {
 public:
  explicit ElementKeys(QObject* parent) : QObject(parent) {}
  void add(QAbstractButton* button);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QAbstractButton* neighbour(const QAbstractButton* from, int key) const;

  QList<QAbstractButton*> m_buttons;
  QPointer<QAbstractButton> m_stop;  // the button that is the Tab stop
};

}  // namespace quorvex::app
