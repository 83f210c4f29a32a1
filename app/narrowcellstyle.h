// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/sharpframestyle.h"

namespace quorvex::app {

// A cell's text keeps one pixel from the cell's edges instead of three.
class NarrowCellStyle : public SharpFrameStyle {
 public:
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    if (metric == PM_FocusFrameHMargin) return 0;
    return SharpFrameStyle::pixelMetric(metric, option, widget);
  }
};

}  // namespace quorvex::app
