// SPDX-License-Identifier: GPL-3.0-or-later
// Conventions shared by the RTF reader and writer: units, limits, code pages.
#pragma once

#include <QByteArrayView>
#include <QFont>
#include <QString>
#include <QStringDecoder>
#include <QTextCharFormat>

#include <map>
#include <optional>

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

// Windows' code page number for the Symbol font (\fcharset2 with a font named Symbol).
inline constexpr int kSymbolCodePage = 42;
// Any other \fcharset2 font (Wingdings and the like); not a Windows code page.
inline constexpr int kDingbatsCodePage = -2;

// Code page of an \fcharsetN value; 0 when the font uses the document's code page.
int CodePageForCharset(int charset);

double TwipsToPixels(int twips);
// Pixels to twips, rounded and clamped to +-kMaxTwips.
int PixelsToTwips(double pixels);

// The font QTextDocument lays text in the format out with, HTML's relative sizes included.
QFont ResolvedFont(const QTextCharFormat& format, const QFont& documentFont);

// The cp1252 byte for a character at or above U+0080, if cp1252 has one.
std::optional<unsigned char> Cp1252Byte(char16_t c);

// Decodes runs of 8-bit text in a Windows code page, the Symbol font or a dingbat font.
// Code pages Qt cannot convert are read as cp1252. Each run is decoded on its own, so a
// truncated double-byte character becomes U+FFFD instead of swallowing later text.
class ByteDecoder {
 public:
  QString decode(int codePage, QByteArrayView bytes);

 private:
  QStringDecoder& decoderFor(int codePage);
  std::map<int, QStringDecoder> m_decoders;
};

}  // namespace quorvex::rtf::detail
