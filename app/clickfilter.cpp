// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/clickfilter.h"

#include <QEvent>

namespace quorvex::app {

ClickFilter::ClickFilter(QObject* parent, std::function<void()> onClick)
    : QObject(parent), m_onClick(std::move(onClick)) {}

bool ClickFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) m_onClick();
  return QObject::eventFilter(watched, event);
}

}  // namespace quorvex::app
