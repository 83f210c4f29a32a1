// SPDX-License-Identifier: GPL-3.0-or-later
// Conventions shared by the RTF reader and writer: units, limits, character properties, fonts.
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

// Character formatting as RTF expresses it: the font and the colours are indices into the
// document's tables. The writer keeps link and hidden at their defaults: it writes links
// as fields of their own and hidden text not at all.
struct CharProps {
  int font = -1;  // id in the font table; -1 for the document's default font
  int halfPoints = kDefaultHalfPoints;
  int foreground = 0;  // colour table index; 0 is automatic
  int background = 0;
  int link = -1;  // index of the hyperlink target
  QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
  QTextCharFormat::VerticalAlignment vertical = QTextCharFormat::AlignNormal;
  bool bold = false;
  bool italic = false;
  bool strike = false;
  bool hidden = false;
  bool operator==(const CharProps&) const = default;
};

double TwipsToPixels(int twips);
// Pixels to twips, rounded and clamped to +-kMaxTwips.
int PixelsToTwips(double pixels);

// The font QTextDocument lays text in the format out with, HTML's relative sizes included.
QFont ResolvedFont(const QTextCharFormat& format, const QFont& documentFont);

}  // namespace quorvex::rtf::detail
