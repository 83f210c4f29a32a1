// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/menukeys.h"

#include <QEvent>
#include <QKeyEvent>

namespace quorvex::app {

MenuKeys::MenuKeys(QObject* parent, std::function<bool(QObject* box, int key)> onKey)
    : QObject(parent), m_onKey(std::move(onKey)) {}

bool MenuKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() == Qt::ControlModifier) {
      if (event->type() == QEvent::ShortcutOverride) {
        // Let the key reach this filter as a key press.
        if (m_onKey(watched, -key->key())) {
          event->accept();
          return true;
        }
      } else if (m_onKey(watched, key->key())) {
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quorvex::app
