// SPDX-License-Identifier: GPL-3.0-or-later
// From 8-bit RTF text to Unicode: charsets, code pages, the Symbol and dingbat fonts, the font table.
#include "rtf/codepages.h"

#include <QHash>

#include <array>

namespace quorvex::rtf::detail {
namespace {

// Fonts a document may define; text in the fonts after them is shown in the default font.
constexpr std::size_t kMaxFonts = 4096;

// Adobe Symbol encoding, bytes 0x20-0xFF (0xA0 and 0xFF are unassigned).
// Eight code points a row; the formatter would reflow them.
// clang-format off
constexpr std::array<char16_t, 224> kSymbolTable = {
    0x0020, 0x0021, 0x2200, 0x0023, 0x2203, 0x0025, 0x0026, 0x220D,
    0x0028, 0x0029, 0x2217, 0x002B, 0x002C, 0x2212, 0x002E, 0x002F,
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0x005B, 0x2234, 0x005D, 0x22A5, 0x005F,
    0xF8E5, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0x007B, 0x007C, 0x007D, 0x223C, 0x007F,
    0x0080, 0x0081, 0x0082, 0x0083, 0x0084, 0x0085, 0x0086, 0x0087,
    0x0088, 0x0089, 0x008A, 0x008B, 0x008C, 0x008D, 0x008E, 0x008F,
    0x0090, 0x0091, 0x0092, 0x0093, 0x0094, 0x0095, 0x0096, 0x0097,
    0x0098, 0x0099, 0x009A, 0x009B, 0x009C, 0x009D, 0x009E, 0x009F,
    0xFFFD, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0xF8E6, 0xF8E7, 0x21B5,
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    0x22C4, 0x2329, 0xF8E8, 0xF8E9, 0xF8EA, 0x2211, 0xF8EB, 0xF8EC,
    0xF8ED, 0xF8EE, 0xF8EF, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3, 0xF8F4,
    0xF8FF, 0x232A, 0x222B, 0x2320, 0xF8F5, 0x2321, 0xF8F6, 0xF8F7,
    0xF8F8, 0xF8F9, 0xF8FA, 0xF8FB, 0xF8FC, 0xF8FD, 0xF8FE, 0xFFFD,
};
// clang-format on

// The bullets and boxes that word processors take from Wingdings for list markers;
// other dingbat bytes go to the Private Use Area, where Windows puts them.
char16_t DingbatCharacter(unsigned char byte) {
  switch (byte) {
    case 0x6C: return u'\u25CF';
    case 0x6E: return u'\u25A0';
    case 0x6F: return u'\u25A1';
    case 0x71: return u'\u2751';
    case 0x76: return u'\u2756';
    case 0xA7: return u'\u25AA';
    case 0xD8: return u'\u27A2';
    case 0xFC: return u'\u2714';
    default: return static_cast<char16_t>(0xF000 + byte);
  }
}

const char* CodecName(int codePage) {
  switch (codePage) {
    case 437: return "IBM437";
    case 850: return "IBM850";
    case 852: return "IBM852";
    case 866: return "IBM866";
    case 874: return "windows-874";
    case 932: return "windows-31j";
    case 936: return "GBK";
    case 949: return "windows-949";
    case 950: return "windows-950";
    case 1250: return "windows-1250";
    case 1251: return "windows-1251";
    case 1252: return "windows-1252";
    case 1253: return "windows-1253";
    case 1254: return "windows-1254";
    case 1255: return "windows-1255";
    case 1256: return "windows-1256";
    case 1257: return "windows-1257";
    case 1258: return "windows-1258";
    // Mac code pages. Japanese, Chinese and Korean are the Mac's versions of the
    // Shift-JIS, Big5, GB2312 and EUC-KR sets; ICU has no Mac Arabic or Hebrew.
    case 10000: return "macintosh";
    case 10001: return "Shift_JIS";
    case 10002: return "Big5";
    case 10003: return "EUC-KR";
    case 10006: return "x-mac-greek";
    case 10007: return "x-mac-cyrillic";
    case 10008: return "GB2312";
    case 10021: return "TIS-620";
    case 10029: return "x-mac-centraleurroman";
    case 10081: return "x-mac-turkish";
    case 65001: return "UTF-8";
    default: return nullptr;
  }
}

}  // namespace

int CodePageForCharset(int charset) {
  switch (charset) {
    case 0: return 1252;
    case 2: return kSymbolCodePage;
    case 77: return 10000;
    case 78: return 10001;
    case 79: return 10003;
    case 80: return 10008;
    case 81: return 10002;
    case 83: return 10005;
    case 84: return 10004;
    case 85: return 10006;
    case 86: return 10081;
    case 87: return 10021;
    case 88: return 10029;
    case 89: return 10007;
    case 128: return 932;
    case 129: return 949;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 255: return 437;
    default: return 0;
  }
}

std::optional<unsigned char> Cp1252Byte(char16_t c) {
  // Built from Qt's own cp1252 table; C1 controls that map to themselves are left out
  // because cp1252 has no characters there.
  static const QHash<char16_t, unsigned char> table = [] {
    QHash<char16_t, unsigned char> bytes;
    QStringDecoder decoder("windows-1252", QStringDecoder::Flag::Stateless);
    for (int b = 0x80; b <= 0xFF; ++b) {
      const char byte = static_cast<char>(b);
      const QString s = decoder.decode(QByteArrayView(&byte, 1));
      if (s.size() == 1 && s.at(0).unicode() != b)
        bytes.insert(s.at(0).unicode(), static_cast<unsigned char>(b));
      else if (b >= 0xA0) bytes.insert(static_cast<char16_t>(b), static_cast<unsigned char>(b));
    }
    return bytes;
  }();
  const auto it = table.constFind(c);
  if (it == table.constEnd()) return std::nullopt;
  return *it;
}

QString ByteDecoder::decode(int codePage, QByteArrayView bytes) {
  if (codePage == kSymbolCodePage || codePage == kDingbatsCodePage) {
    QString text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
      const auto byte = static_cast<unsigned char>(ch);
      if (byte < 0x20) text.append(QChar(byte));
      else if (codePage == kSymbolCodePage) text.append(QChar(kSymbolTable[byte - 0x20]));
      else text.append(QChar(byte < 0x80 ? byte : DingbatCharacter(byte)));
    }
    return text;
  }
  // A stateless decoder drops a cut multi-byte character at the end of its input; a line
  // feed, which is never a trail byte, makes it show as a substitution character instead.
  QByteArray terminated = bytes.toByteArray();
  terminated.append('\n');
  QString text = decoderFor(codePage).decode(terminated);
  if (text.endsWith(u'\n')) text.chop(1);
  // ICU marks bytes without a character with SUB for some code pages.
  text.replace(QChar(0x1A), QChar::ReplacementCharacter);
  return text;
}

QStringDecoder& ByteDecoder::decoderFor(int codePage) {
  auto it = m_decoders.find(codePage);
  if (it != m_decoders.end()) return it->second;
  const char* name = CodecName(codePage);
  QStringDecoder decoder(name ? name : "windows-1252", QStringDecoder::Flag::Stateless);
  if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Latin1, QStringDecoder::Flag::Stateless);
  return m_decoders.emplace(codePage, std::move(decoder)).first->second;
}

void PendingBytes::add(char byte, int codePage) {
  m_codePage = codePage;
  m_bytes.append(byte);
}

QString PendingBytes::take() {
  QString text = m_decoder.decode(m_codePage, m_bytes);
  m_bytes.clear();
  return text;
}

void FontTable::startEntry(int id) {
  m_entryOpen = true;
  m_entryId = id;
  m_entryCharset = -1;
  m_entryCodePage = 0;
  m_entryName.clear();
}

void FontTable::appendToEntryName(QStringView text) {
  if (m_entryOpen) m_entryName += text;
}

bool FontTable::finishEntry() {
  if (!m_entryOpen) return true;
  m_entryOpen = false;
  Font entry;
  entry.name = m_entryName.trimmed();
  entry.codePage = entryCodePage();
  if (entry.codePage == kSymbolCodePage && entry.name.compare(u"Symbol", Qt::CaseInsensitive) != 0)
    entry.codePage = kDingbatsCodePage;
  if (m_fonts.size() >= kMaxFonts && !m_fonts.contains(m_entryId)) return false;
  m_fonts.insert_or_assign(m_entryId, std::move(entry));
  return true;
}

const Font* FontTable::font(int id) const {
  const auto it = m_fonts.find(id < 0 ? m_defaultFont : id);
  return it == m_fonts.end() ? nullptr : &it->second;
}

int FontTable::codePageOf(int fontId) const {
  const Font* f = font(fontId);
  return f && f->codePage != 0 ? f->codePage : m_docCodePage;
}

int FontTable::entryNameCodePage() const {
  const int codePage = entryCodePage();
  return codePage == 0 || codePage == kSymbolCodePage ? m_docCodePage : codePage;
}

int FontTable::entryCodePage() const {
  return m_entryCodePage > 0 ? m_entryCodePage : CodePageForCharset(m_entryCharset);
}

}  // namespace quorvex::rtf::detail
