// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace quorvex::app {

// The splash window shown while the main window starts.
class TForm2 : public QWidget {
 public:
  explicit TForm2(QWidget* parent = nullptr);
};

}  // namespace quorvex::app
