// SPDX-License-Identifier: GPL-3.0-or-later
#include "rtf/rtfwriter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <string_view>
#include <utility>
#include <vector>

#include "rtf/codepages.h"
#include "rtf/durablefile.h"
#include "rtf/rtfcommon.h"

namespace quorvex::rtf {
namespace {

using namespace detail;

// Width given to a table whose columns have no fixed widths: 6.5 inches.
constexpr int kTableTwips = 9360;
constexpr int kCellGapTwips = 108;

const char* UnderlineWord(QTextCharFormat::UnderlineStyle style) {
  switch (style) {
    case QTextCharFormat::DashUnderline: return "uldash";
    case QTextCharFormat::DotLine: return "uld";
    case QTextCharFormat::DashDotLine: return "uldashd";
    case QTextCharFormat::DashDotDotLine: return "uldashdd";
    case QTextCharFormat::WaveUnderline: return "ulwave";
    default: return "ul";
  }
}

// The {\*\pn} word for a numbered list style; nullptr for bullets.
const char* NumberingWord(QTextListFormat::Style style) {
  switch (style) {
    case QTextListFormat::ListDecimal: return "pndec";
    case QTextListFormat::ListLowerAlpha: return "pnlcltr";
    case QTextListFormat::ListUpperAlpha: return "pnucltr";
    case QTextListFormat::ListLowerRoman: return "pnlcrm";
    case QTextListFormat::ListUpperRoman: return "pnucrm";
    default: return nullptr;
  }
}

// RTF text being built; it remembers whether the last control word still needs the
// space that ends it before literal text may follow.
class Output {
 public:
  void word(std::string_view name) {
    m_bytes += '\\';
    m_bytes.append(name.data(), static_cast<qsizetype>(name.size()));
    m_delimit = true;
  }
  void word(std::string_view name, int value) {
    word(name);
    m_bytes += QByteArray::number(value);
  }
  // Braces, control symbols and line feeds: nothing can run into them.
  void raw(std::string_view text) {
    m_bytes.append(text.data(), static_cast<qsizetype>(text.size()));
    m_delimit = false;
  }
  void text(QStringView text);
  QByteArray take() { return std::exchange(m_bytes, {}); }

 private:
  void literal(char c) {
    if (m_delimit) m_bytes += ' ';
    m_bytes += c;
    m_delimit = false;
  }

  QByteArray m_bytes;
  bool m_delimit = false;
};

void Output::text(QStringView text) {
  for (const QChar qc : text) {
    const char16_t c = qc.unicode();
    if (c == u'\\' || c == u'{' || c == u'}') {
      const char escaped[2] = {'\\', static_cast<char>(c)};
      raw(std::string_view(escaped, 2));
    } else if (c == u'\t') {
      word("tab");
    } else if (c == u'\u2028' || c == u'\u2029' || c == u'\n' || c == u'\r') {
      word("line");
    } else if (c == u'\u00A0') {
      raw("\\~");
    } else if (c == u'\u2011') {
      raw("\\_");
    } else if (c < 0x20 || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1) {
      // Controls and QTextDocument's object and frame markers carry no text.
    } else if (c < 0x80) {
      literal(static_cast<char>(c));
    } else if (const auto byte = Cp1252Byte(c)) {
      static constexpr char kHex[] = "0123456789abcdef";
      const char escaped[4] = {'\\', '\'', kHex[*byte >> 4], kHex[*byte & 0xF]};
      raw(std::string_view(escaped, 4));
    } else {
      // \uN takes a signed 16-bit value; "?" is the one fallback character \uc1 promises.
      word("u", c > 0x7FFF ? static_cast<int>(c) - 0x10000 : static_cast<int>(c));
      raw("?");
    }
  }
}

struct FontEntry {
  QString name;
  int charset = 0;
};

class Writer {
 public:
  explicit Writer(const QTextDocument& doc) : m_doc(doc) { fontIndex(doc.defaultFont().family(), 0); }
  QByteArray write();

 private:
  void writeFrame(const QTextFrame& frame);
  void writeTable(const QTextTable& table);
  void writeBlock(const QTextBlock& block, bool inTable, std::string_view end);
  void writeParagraphProperties(const QTextBlock& block, bool inTable);
  void writeListMarker(const QTextBlock& block, const QTextList& list);
  void writeRuns(const QTextBlock& block);
  void writeDifferences(const CharProps& style, const CharProps& base);
  CharProps styleOf(const QTextCharFormat& format);
  int fontIndex(const QString& name, int charset);
  int colorIndex(const QColor& color);

  const QTextDocument& m_doc;
  Output m_out;
  std::vector<FontEntry> m_fonts;
  std::vector<QRgb> m_colors;
};

QByteArray Writer::write() {
  writeFrame(*m_doc.rootFrame());
  const QByteArray body = m_out.take();

  m_out.raw("{");
  m_out.word("rtf", 1);
  m_out.word("ansi");
  m_out.word("ansicpg", 1252);
  m_out.word("deff", 0);
  m_out.word("deflang", 1033);
  m_out.raw("{");
  m_out.word("fonttbl");
  for (std::size_t i = 0; i < m_fonts.size(); ++i) {
    m_out.raw("{");
    m_out.word("f", static_cast<int>(i));
    m_out.word("fnil");
    m_out.word("fcharset", m_fonts[i].charset);
    m_out.text(m_fonts[i].name);
    m_out.raw(";}");
  }
  m_out.raw("}\n{");
  m_out.word("colortbl");
  m_out.raw(";");
  for (const QRgb rgb : m_colors) {
    m_out.word("red", qRed(rgb));
    m_out.word("green", qGreen(rgb));
    m_out.word("blue", qBlue(rgb));
    m_out.raw(";");
  }
  m_out.raw("}\n{\\*");
  m_out.word("generator");
  m_out.text(u"Quorvex");
  m_out.raw(";}");
  m_out.word("viewkind", 4);
  m_out.word("uc", 1);
  QByteArray rtf = m_out.take();
  rtf += body;
  rtf += '}';
  return rtf;
}

void Writer::writeFrame(const QTextFrame& frame) {
  for (auto it = frame.begin(); !it.atEnd(); ++it) {
    if (const QTextFrame* child = it.currentFrame()) {
      if (const auto* table = qobject_cast<const QTextTable*>(child)) writeTable(*table);
      else writeFrame(*child);
    } else if (it.currentBlock().isValid()) {
      writeBlock(it.currentBlock(), false, "par");
    }
  }
}

void Writer::writeTable(const QTextTable& table) {
  const int columns = table.columns();
  if (columns <= 0) return;
  const QList<QTextLength> constraints = table.format().columnWidthConstraints();
  std::vector<int> widths(static_cast<std::size_t>(columns), kTableTwips / columns);
  if (constraints.size() == columns) {
    for (int c = 0; c < columns; ++c) {
      const QTextLength& length = constraints[c];
      int twips = 0;
      if (length.type() == QTextLength::FixedLength) twips = PixelsToTwips(length.rawValue());
      else if (length.type() == QTextLength::PercentageLength)
        twips = static_cast<int>(std::clamp(length.rawValue(), 0.0, 100.0) / 100 * kTableTwips);
      if (twips > 0) widths[static_cast<std::size_t>(c)] = twips;
    }
  }
  for (int r = 0; r < table.rows(); ++r) {
    m_out.raw("\n");
    m_out.word("trowd");
    m_out.word("trgaph", kCellGapTwips);
    int right = 0;
    for (int c = 0; c < columns;) {
      const QTextTableCell cell = table.cellAt(r, c);
      const int span = std::clamp(cell.columnSpan(), 1, columns - c);
      for (int s = 0; s < span; ++s)
        right =
            std::min(right + widths[static_cast<std::size_t>(c) + static_cast<std::size_t>(s)], kMaxTwips);
      m_out.word("cellx", right);
      c += span;
    }
    for (int c = 0; c < columns;) {
      const QTextTableCell cell = table.cellAt(r, c);
      const int span = std::clamp(cell.columnSpan(), 1, columns - c);
      c += span;
      if (cell.row() != r) {
        // Covered by a cell spanning rows: an empty cell keeps the columns in place.
        m_out.raw("\n");
        m_out.word("pard");
        m_out.word("intbl");
        m_out.word("cell");
        continue;
      }
      const QTextBlock last = cell.lastCursorPosition().block();
      for (QTextBlock block = cell.firstCursorPosition().block(); block.isValid(); block = block.next()) {
        const bool isLast = block == last;
        writeBlock(block, true, isLast ? "cell" : "par");
        if (isLast) break;
      }
    }
    m_out.word("row");
  }
}

void Writer::writeBlock(const QTextBlock& block, bool inTable, std::string_view end) {
  writeParagraphProperties(block, inTable);
  writeRuns(block);
  m_out.word(end);
}

void Writer::writeParagraphProperties(const QTextBlock& block, bool inTable) {
  const QTextBlockFormat format = block.blockFormat();
  m_out.raw("\n");
  m_out.word("pard");
  // \plain before \intbl: some readers let \plain end the table paragraph.
  m_out.word("plain");
  if (inTable) m_out.word("intbl");
  const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
  if (align & Qt::AlignJustify) m_out.word("qj");
  else if (align & Qt::AlignHCenter) m_out.word("qc");
  else if (align & Qt::AlignRight) m_out.word("qr");

  int left = PixelsToTwips(format.leftMargin() + format.indent() * m_doc.indentWidth());
  int firstLine = PixelsToTwips(format.textIndent());
  const QTextList* list = block.textList();
  if (list) {
    left = std::min(left + kListLevelTwips * std::clamp(list->format().indent(), 1, 9), kMaxTwips);
    firstLine = -kListHangTwips;
  }
  if (left != 0) m_out.word("li", left);
  if (const int right = PixelsToTwips(format.rightMargin())) m_out.word("ri", right);
  if (firstLine != 0) m_out.word("fi", firstLine);
  if (const int before = PixelsToTwips(format.topMargin()); before > 0) m_out.word("sb", before);
  if (const int after = PixelsToTwips(format.bottomMargin()); after > 0) m_out.word("sa", after);
  if (const int level = format.headingLevel(); level > 0) m_out.word("outlinelevel", std::min(level, 9) - 1);
  for (const QTextOption::Tab& tab : format.tabPositions()) {
    if (tab.type == QTextOption::RightTab) m_out.word("tqr");
    else if (tab.type == QTextOption::CenterTab) m_out.word("tqc");
    else if (tab.type == QTextOption::DelimiterTab) m_out.word("tqdec");
    m_out.word("tx", std::max(0, PixelsToTwips(tab.position)));
  }
  if (list) writeListMarker(block, *list);
}

// WordPad-style numbering: {\pntext} shows the marker to readers without list support,
// {\*\pn} tells the others what kind of list the paragraph is in.
void Writer::writeListMarker(const QTextBlock& block, const QTextList& list) {
  const QTextListFormat format = list.format();
  const QTextListFormat::Style style = format.style();
  const char* numbering = NumberingWord(style);
  int font = 0;
  QString marker;
  if (numbering) {
    marker = list.itemText(block);
  } else if (style == QTextListFormat::ListCircle) {
    font = fontIndex(QStringLiteral("Courier New"), 0);
    marker = QStringLiteral("o");
  } else if (style == QTextListFormat::ListSquare) {
    font = fontIndex(QStringLiteral("Wingdings"), 2);
    marker = QString(QChar(0xA7));  // written as \'a7, a small square in Wingdings
  } else {
    font = fontIndex(QStringLiteral("Symbol"), 2);
    marker = QString(QChar(0xB7));  // \'b7, the bullet in Symbol
  }
  m_out.raw("{");
  m_out.word("pntext");
  m_out.word("f", font);
  m_out.text(marker);
  m_out.word("tab");
  m_out.raw("}{\\*");
  m_out.word("pn");
  m_out.word(numbering ? "pnlvlbody" : "pnlvlblt");
  m_out.word("pnf", font);
  m_out.word("pnindent", 0);
  if (numbering) {
    m_out.word("pnstart", 1);
    m_out.word(numbering);
    const QString suffix =
        format.hasProperty(QTextFormat::ListNumberSuffix) ? format.numberSuffix() : QStringLiteral(".");
    if (!format.numberPrefix().isEmpty()) {
      m_out.raw("{");
      m_out.word("pntxtb");
      m_out.text(format.numberPrefix());
      m_out.raw("}");
    }
    m_out.raw("{");
    m_out.word("pntxta");
    m_out.text(suffix);
    m_out.raw("}");
  } else {
    m_out.raw("{");
    m_out.word("pntxtb");
    m_out.text(marker);
    m_out.raw("}");
  }
  m_out.raw("}");
}

// The paragraph's font and size follow \plain; every run formatted otherwise is a group of
// its own, so no reader has to know the words that switch a property off.
void Writer::writeRuns(const QTextBlock& block) {
  CharProps base;
  auto it = block.begin();
  while (!it.atEnd() && (!it.fragment().isValid() || it.fragment().charFormat().isImageFormat())) ++it;
  const CharProps first = styleOf(it.atEnd() ? block.charFormat() : it.fragment().charFormat());
  base.font = first.font;
  base.halfPoints = first.halfPoints;
  m_out.word("f", base.font);
  m_out.word("fs", base.halfPoints);

  QString link;
  for (; !it.atEnd(); ++it) {
    const QTextFragment fragment = it.fragment();
    if (!fragment.isValid()) continue;
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) continue;
    const QString href = format.isAnchor() ? format.anchorHref() : QString();
    if (href != link) {
      if (!link.isEmpty()) m_out.raw("}}");
      link = href;
      if (!href.isEmpty()) {
        // Field code arguments escape backslashes and quotes with a backslash.
        QString target = href;
        target.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
        m_out.raw("{");
        m_out.word("field");
        m_out.raw("{\\*");
        m_out.word("fldinst");
        m_out.raw("{");
        if (target.startsWith(u'#')) m_out.text(QStringLiteral("HYPERLINK \\l \"%1\"").arg(target.mid(1)));
        else m_out.text(QStringLiteral("HYPERLINK \"%1\"").arg(target));
        m_out.raw("}}{");
        m_out.word("fldrslt");
      }
    }
    const CharProps style = styleOf(format);
    if (style == base) {
      m_out.text(fragment.text());
    } else {
      m_out.raw("{");
      writeDifferences(style, base);
      m_out.text(fragment.text());
      m_out.raw("}");
    }
  }
  if (!link.isEmpty()) m_out.raw("}}");
}

void Writer::writeDifferences(const CharProps& t, const CharProps& base) {
  if (t.font != base.font) m_out.word("f", t.font);
  if (t.halfPoints != base.halfPoints) m_out.word("fs", t.halfPoints);
  if (t.bold) m_out.word("b");
  if (t.italic) m_out.word("i");
  if (t.underline != QTextCharFormat::NoUnderline) m_out.word(UnderlineWord(t.underline));
  if (t.strike) m_out.word("strike");
  if (t.vertical == QTextCharFormat::AlignSubScript) m_out.word("sub");
  if (t.vertical == QTextCharFormat::AlignSuperScript) m_out.word("super");
  if (t.foreground != 0) m_out.word("cf", t.foreground);
  if (t.background != 0) m_out.word("highlight", t.background);
}

CharProps Writer::styleOf(const QTextCharFormat& format) {
  // What the text shows: properties the format leaves unset come from the document.
  const QFont font = ResolvedFont(format, m_doc.defaultFont());
  CharProps style;
  style.font = fontIndex(font.family(), 0);
  double points = font.pointSizeF();
  if (points <= 0 && font.pixelSize() > 0) points = font.pixelSize() * 0.75;
  if (points <= 0) points = kDefaultHalfPoints / 2.0;
  style.halfPoints = static_cast<int>(std::lround(std::clamp(points * 2, 1.0, double{kMaxHalfPoints})));
  style.bold = font.weight() >= QFont::DemiBold;
  style.italic = font.italic();
  style.strike = font.strikeOut();
  if (format.hasProperty(QTextFormat::TextUnderlineStyle)) style.underline = format.underlineStyle();
  else if (font.underline()) style.underline = QTextCharFormat::SingleUnderline;
  const auto vertical = format.verticalAlignment();
  if (vertical == QTextCharFormat::AlignSubScript || vertical == QTextCharFormat::AlignSuperScript)
    style.vertical = vertical;
  if (format.foreground().style() != Qt::NoBrush) style.foreground = colorIndex(format.foreground().color());
  if (format.background().style() != Qt::NoBrush) style.background = colorIndex(format.background().color());
  return style;
}

int Writer::fontIndex(const QString& name, int charset) {
  QString clean = name;
  clean.remove(u';');  // a semicolon would end the font table entry
  const auto it = std::find_if(m_fonts.begin(), m_fonts.end(),
                               [&](const FontEntry& f) { return f.name == clean && f.charset == charset; });
  if (it != m_fonts.end()) return static_cast<int>(it - m_fonts.begin());
  m_fonts.push_back({clean, charset});
  return static_cast<int>(m_fonts.size() - 1);
}

int Writer::colorIndex(const QColor& color) {
  const QRgb rgb = color.rgb() | 0xFF000000u;
  const auto it = std::find(m_colors.begin(), m_colors.end(), rgb);
  if (it != m_colors.end()) return static_cast<int>(it - m_colors.begin()) + 1;
  m_colors.push_back(rgb);
  return static_cast<int>(m_colors.size());
}

}  // namespace

QByteArray WriteRtf(const QTextDocument& doc) { return Writer(doc).write(); }

bool WriteRtfFile(const QTextDocument& doc, const QString& path, QString* error) {
  return ReplaceFileDurably(path, WriteRtf(doc), error);
}

}  // namespace quorvex::rtf
