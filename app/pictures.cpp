// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace quorvex::app {
namespace {

// A conical flask with a little liquid, fitted into `box`.
void DrawFlask(QPainter& p, const QRectF& box, const QColor& liquid) {
  const qreal w = box.width();
  const qreal h = box.height();
  QPainterPath glass;
  glass.moveTo(box.left() + w * 0.40, box.top());
  glass.lineTo(box.left() + w * 0.60, box.top());
  glass.lineTo(box.left() + w * 0.60, box.top() + h * 0.35);
  glass.lineTo(box.right(), box.bottom());
  glass.lineTo(box.left(), box.bottom());
  glass.lineTo(box.left() + w * 0.40, box.top() + h * 0.35);
  glass.closeSubpath();
  QPainterPath level;
  level.addRect(QRectF(box.left(), box.top() + h * 0.62, w, h * 0.38));
  p.setPen(Qt::NoPen);
  p.setBrush(liquid);
  p.drawPath(glass.intersected(level));
  p.setPen(QPen(QColor(255, 255, 255), 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(glass);
}

QFont TextFont(int pixels, bool bold) {
  QFont font("Tahoma");
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

}  // namespace

QPixmap BannerPicture() {
  QPixmap pixmap(532, 35);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 532, 0);
  sky.setColorAt(0, QColor(40, 70, 160));
  sky.setColorAt(1, QColor(113, 113, 255));
  p.fillRect(pixmap.rect(), sky);
  DrawFlask(p, QRectF(10, 4, 22, 27), QColor(120, 220, 140));
  p.setFont(TextFont(20, true));
  p.setPen(Qt::white);
  p.drawText(QRect(42, 0, 200, 35), Qt::AlignVCenter | Qt::AlignLeft, "Quorvex");
  p.setFont(TextFont(11, false));
  p.setPen(QColor(220, 230, 255));
  p.drawText(QRect(200, 0, 322, 35), Qt::AlignVCenter | Qt::AlignRight,
             "balance  \xc2\xb7  search  \xc2\xb7  calculate");
  return pixmap;
}

QPixmap PagePicture() {
  QPixmap pixmap(94, 22);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(113, 113, 255));
  p.drawRoundedRect(QRectF(0.5, 0.5, 93, 21), 5, 5);
  // A balance beam.
  p.setPen(QPen(Qt::white, 1.5));
  p.drawLine(QPointF(8, 6), QPointF(26, 6));
  p.drawLine(QPointF(17, 4), QPointF(17, 18));
  p.drawLine(QPointF(12, 18), QPointF(22, 18));
  p.drawArc(QRectF(5, 8, 7, 5), 180 * 16, 180 * 16);
  p.drawArc(QRectF(22, 8, 7, 5), 180 * 16, 180 * 16);
  p.setFont(TextFont(11, true));
  p.drawText(QRect(30, 0, 62, 22), Qt::AlignVCenter | Qt::AlignLeft, "Balancer");
  return pixmap;
}

QPixmap SplashPicture() {
  QPixmap pixmap(380, 250);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 250);
  sky.setColorAt(0, QColor(40, 70, 160));
  sky.setColorAt(1, QColor(20, 30, 80));
  p.fillRect(pixmap.rect(), sky);
  DrawFlask(p, QRectF(28, 60, 90, 120), QColor(120, 220, 140));
  p.setFont(TextFont(40, true));
  p.setPen(Qt::white);
  p.drawText(QRect(140, 60, 230, 60), Qt::AlignVCenter | Qt::AlignLeft, "Quorvex");
  p.setFont(TextFont(13, false));
  p.setPen(QColor(220, 230, 255));
  p.drawText(QRect(142, 120, 230, 20), Qt::AlignLeft, "Chemical equations, balanced.");
  p.drawText(QRect(142, 140, 230, 20), Qt::AlignLeft, "Version 2.11");
  p.setPen(QColor(160, 180, 230));
  p.drawText(QRect(0, 215, 370, 20), Qt::AlignRight, "Loading...");
  return pixmap;
}

QPixmap HomeIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 70, 160), 1.2));
  p.setBrush(QColor(255, 235, 160));
  QPolygonF roof;
  roof << QPointF(1.5, 8) << QPointF(8, 1.5) << QPointF(14.5, 8);
  p.drawPolygon(roof);
  p.drawRect(QRectF(3.5, 8, 9, 6.5));
  p.setBrush(QColor(40, 70, 160));
  p.drawRect(QRectF(7, 10.5, 2.5, 4));
  return pixmap;
}

QPixmap MailIcon() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 70, 160), 1.2));
  p.setBrush(Qt::white);
  p.drawRect(QRectF(1.5, 3.5, 13, 9));
  p.drawPolyline(QPolygonF() << QPointF(1.5, 3.5) << QPointF(8, 9) << QPointF(14.5, 3.5));
  return pixmap;
}

QImage AppIcon(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size;
  QLinearGradient sky(0, 0, 0, s);
  sky.setColorAt(0, QColor(70, 100, 200));
  sky.setColorAt(1, QColor(40, 70, 160));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRoundedRect(QRectF(s * 0.03, s * 0.03, s * 0.94, s * 0.94), s * 0.18, s * 0.18);
  DrawFlask(p, QRectF(s * 0.22, s * 0.14, s * 0.56, s * 0.72), QColor(120, 220, 140));
  return image;
}

}  // namespace quorvex::app
