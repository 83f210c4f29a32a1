// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/clickfilter.h"

#include <QEvent>
#include <QKeyEvent>

namespace quorvex::app {

ClickFilter::ClickFilter(QObject* parent, std::function<void()> onClick)
    : QObject(parent), m_onClick(std::move(onClick)) {}

bool ClickFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) m_onClick();
  return QObject::eventFilter(watched, event);
}

LinkKeys::LinkKeys(QWidget* link, std::function<void()> onActivate)
    : QObject(link), m_onActivate(std::move(onActivate)) {
  link->setFocusPolicy(Qt::TabFocus);
  link->installEventFilter(this);
}

bool LinkKeys::eventFilter(QObject* watched, QEvent* event) {
  auto* link = static_cast<QWidget*>(watched);
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    const bool focused = event->type() == QEvent::FocusIn;
    link->setAutoFillBackground(focused);
    link->setBackgroundRole(focused ? QPalette::Highlight : QPalette::Window);
    link->setForegroundRole(focused ? QPalette::HighlightedText : QPalette::WindowText);
  } else if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      m_onActivate();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace quorvex::app
