// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pagekeys.h"

#include <QShortcut>
#include <QTabWidget>

#include <utility>

namespace quorvex::app {

void AddPageKeys(QTabWidget& tabs) {
  const std::pair<QList<QKeySequence>, int> kPageKeys[] = {
      {{QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1},
      // X reports Shift+Tab as Backtab.
      {{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
       -1},
  };
  QWidget* window = tabs.window();
  for (const auto& [keys, step] : kPageKeys) {
    auto* shortcut = new QShortcut(window);
    shortcut->setKeys(keys);
    QObject::connect(shortcut, &QShortcut::activated, &tabs, [&tabs, step = step] {
      const int pages = tabs.count();
      tabs.setCurrentIndex((tabs.currentIndex() + step + pages) % pages);
    });
  }
}

}  // namespace quorvex::app
