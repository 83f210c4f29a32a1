// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/tform2.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QThread>

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

void HoldStartUp(int seconds) {
  if (seconds <= 0) return;
  // The monotonic clock, so a clock set back cannot stretch the hold. The
  // tick count is the clock's reading at start() plus what has elapsed since.
  QElapsedTimer ticks;
  ticks.start();
  const qint64 origin = ticks.msecsSinceReference();
  const qint64 start = origin / 1000;
  while ((origin + ticks.elapsed()) / 1000 < start + seconds) QThread::msleep(10);
}

}  // namespace quorvex::app
