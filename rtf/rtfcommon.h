// SPDX-License-Identifier: GPL-3.0-or-later
// Conventions shared by the RTF reader and writer: units, limits, fonts.
#pragma once

#include <QFont>
#include <QTextCharFormat>

namespace quorvex::rtf::detail {

// Qt text layouts measure margins in pixels at 96 dpi; RTF measures in twips.
inline constexpr double kTwipsPerPixel = 15.0;
// Indentation of one list level, and the hanging indent written for list items.
inline constexpr int kListLevelTwips = 720;
inline constexpr int kListHangTwips = 360;
// Bounds applied to numbers read from the input (22 inches, 1638 points).
inline constexpr int kMaxTwips = 31680;
inline constexpr int kMaxHalfPoints = 3276;
inline constexpr int kDefaultHalfPoints = 24;

double TwipsToPixels(int twips);
// Pixels to twips, rounded and clamped to +-kMaxTwips.
int PixelsToTwips(double pixels);

// The font QTextDocument lays text in the format out with, HTML's relative sizes included.
QFont ResolvedFont(const QTextCharFormat& format, const QFont& documentFont);

}  // namespace quorvex::rtf::detail
