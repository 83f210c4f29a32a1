// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QProxyStyle>

namespace quorvex::app {

// A cell's text keeps one pixel from the cell's edges instead of three.
class NarrowCellStyle : public QProxyStyle {
 public:
  // Kept by the application: a widget's style must outlive the widget.
  NarrowCellStyle() : QProxyStyle(QApplication::style()->name()) { setParent(qApp); }
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    return QProxyStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace quorvex::app
