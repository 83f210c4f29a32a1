// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>

namespace quorvex::app {

void UseWindowFont() {
  bool haveTahoma = QFontDatabase::families().contains("Tahoma");
  if (!haveTahoma) {
    for (const char* file : {"/usr/share/wine/fonts/tahoma.ttf", "/usr/share/wine/fonts/tahomabd.ttf"}) {
      if (QFile::exists(file) && QFontDatabase::addApplicationFont(file) >= 0) haveTahoma = true;
    }
  }
  QFont font(haveTahoma ? "Tahoma" : "Sans Serif");
  // DejaVu Sans is about 15% wider than Tahoma: one pixel less keeps captions inside.
  font.setPixelSize(haveTahoma ? 11 : 10);
  QApplication::setFont(font);
}

}  // namespace quorvex::app
