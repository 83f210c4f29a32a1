// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfcommon.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace quorvex::rtf::detail {

double TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }

int PixelsToTwips(double pixels) {
  const double twips = std::round(pixels * kTwipsPerPixel);
  if (std::isnan(twips)) return 0;
  return static_cast<int>(std::clamp(twips, double{-kMaxTwips}, double{kMaxTwips}));
}

QFont ResolvedFont(const QTextCharFormat& format, const QFont& documentFont) {
  QFont font = format.font().resolve(documentFont);
  if (format.hasProperty(QTextFormat::FontSizeAdjustment)) {
    // Qt scales the document's size for the HTML sizes 1 to 7 (adjustments -2 to +4).
    static constexpr std::array<double, 7> kScale = {0.7, 0.8, 1.0, 1.2, 1.5, 2.0, 2.4};
    const auto index =
        static_cast<std::size_t>(std::clamp(format.intProperty(QTextFormat::FontSizeAdjustment) + 2, 0, 6));
    if (documentFont.pointSizeF() > 0) font.setPointSizeF(kScale[index] * documentFont.pointSizeF());
    else font.setPixelSize(static_cast<int>(std::lround(kScale[index] * documentFont.pixelSize())));
  }
  return font;
}

}  // namespace quorvex::rtf::detail
