// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace quorvex::app {

// A box's frame filled over the whole of its pixel-wide edge. The stroked
// frame of the base style falls between device pixels at fractional scale
// factors: its top edge is cut off, and at 1.5 and 2 what lies behind the box
// shows through beside its line.
class SharpFrameStyle : public QProxyStyle {
 public:
  // Kept by the application: a widget's style must outlive the widget.
  SharpFrameStyle() : QProxyStyle(QApplication::style()->name()) { setParent(qApp); }
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element != PE_Frame) return QProxyStyle::drawPrimitive(element, option, painter, widget);
    const QColor line = option->palette.window().color().darker(140).lighter(108);
    const QRect r = option->rect;
    painter->fillRect(QRect(r.left(), r.top(), r.width(), 1), line);
    painter->fillRect(QRect(r.left(), r.bottom(), r.width(), 1), line);
    painter->fillRect(QRect(r.left(), r.top(), 1, r.height()), line);
    painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), line);
  }
};

}  // namespace quorvex::app
