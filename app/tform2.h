// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quorvex::app {

// The splash window shown while the main window starts.
class TForm2 : public QWidget {
 public:
  explicit TForm2(QWidget* parent = nullptr);
};

// The start-up hold under the splash window: waits until the whole-second
// value of the tick count has moved on by `seconds` (with two, between one
// and two seconds); nothing for 0.
void HoldStartUp(int seconds);

}  // namespace quorvex::app
