// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

#include "app/pictures.h"

namespace quorvex::app {

TForm2::TForm2(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint) {
  setObjectName("TForm2");
  setFixedSize(380, 243);
  auto* image = new QLabel(this);
  image->setObjectName("Image1");
  image->setGeometry(0, -2, 385, 249);
  image->setPixmap(SplashPicture());
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->geometry().center() - rect().center());
  }
}

}  // namespace quorvex::app
