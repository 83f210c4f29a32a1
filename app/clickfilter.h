// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QWidget>

#include <functional>

namespace quorvex::app {

// Runs `onClick` on each mouse press in the widgets it is installed on; the
// press goes on to the widget.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void()> onClick);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> m_onClick;
};

// The keyboard path of a link caption: it is a Tab stop, shows the focus in
// the selection colours and runs `onActivate` on Enter or Space.
class LinkKeys : public QObject {
 public:
  LinkKeys(QWidget* link, std::function<void()> onActivate);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<void()> m_onActivate;
};

}  // namespace quorvex::app
