// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/elementkeys.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <cstdlib>
#include <limits>

namespace quorvex::app {

void ElementKeys::add(QAbstractButton* button) {
  button->setFocusPolicy(m_stop ? Qt::ClickFocus : Qt::StrongFocus);
  if (!m_stop) m_stop = button;
  button->installEventFilter(this);
  m_buttons << button;
}

bool ElementKeys::eventFilter(QObject* watched, QEvent* event) {
  auto* button = static_cast<QAbstractButton*>(watched);
  if (event->type() == QEvent::FocusIn && button != m_stop) {
    if (m_stop) m_stop->setFocusPolicy(Qt::ClickFocus);
    button->setFocusPolicy(Qt::StrongFocus);
    m_stop = button;
  } else if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
      if (QAbstractButton* next = neighbour(button, key)) next->setFocus(Qt::OtherFocusReason);
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

// The nearest button in the key's direction on the same row (or column),
// else on the nearest row (or column) that has one.
QAbstractButton* ElementKeys::neighbour(const QAbstractButton* from, int key) const {
  const QPoint origin = from->geometry().center();
  QAbstractButton* best = nullptr;
  long long bestCost = std::numeric_limits<long long>::max();
  for (QAbstractButton* b : m_buttons) {
    const QPoint d = b->geometry().center() - origin;
    const bool vertical = key == Qt::Key_Up || key == Qt::Key_Down;
    const bool backwards = key == Qt::Key_Left || key == Qt::Key_Up;
    const int along = (vertical ? d.y() : d.x()) * (backwards ? -1 : 1);
    const int across = vertical ? d.x() : d.y();
    if (along <= 0) continue;
    const long long cost = 1000LL * std::abs(across) + along;
    if (cost < bestCost) {
      bestCost = cost;
      best = b;
    }
  }
  return best;
}

}  // namespace quorvex::app
