// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>

namespace quorvex::app {

// Ctrl+C, Ctrl+R and Ctrl+P in the boxes that carry a pop-up menu. The boxes'
// own key handling would copy their own selection, so the keys are taken
// before it.
class MenuKeys : public QObject {
 public:
  // `onKey` gets the box and the key (Qt::Key_C, ...) and returns whether it
  // took the key; a negative key asks only whether it would be taken.
  MenuKeys(QObject* parent, std::function<bool(QObject* box, int key)> onKey);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool(QObject*, int)> m_onKey;
};

}  // namespace quorvex::app
