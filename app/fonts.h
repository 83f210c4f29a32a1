// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvex::app {

// Sets the application font: Tahoma at 11 pixels, whose widths the window's
// fixed layout was made for (Debian's fonts-wine ships it), else the
// platform's sans-serif font at a size that fits.
void UseWindowFont();

}  // namespace quorvex::app
