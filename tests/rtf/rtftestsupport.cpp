// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/rtf/rtftestsupport.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <utility>

#include "rtf/rtfcommon.h"
#include "rtf/rtfreader.h"

namespace quorvex::rtf::test {

QString ReadPlainText(const QByteArray& rtf) {
  QTextDocument doc;
  QString error;
  const bool ok = ReadRtf(rtf, doc, &error);
  if (!ok)
    QTest::qFail(qPrintable(QStringLiteral("ReadRtf refused the input: ") + error), __FILE__, __LINE__);
  return TextWithCells(doc);
}

QString TextWithCells(const QTextDocument& doc) {
  QString text;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    if (block != doc.begin()) {
      const QTextCursor at(block);
      const QTextTable* table = at.currentTable();
      const QTextTableCell cell = table ? table->cellAt(at) : QTextTableCell();
      text += cell.isValid() && cell.column() > 0 && cell.firstPosition() == block.position() ? u'|' : u'\n';
    }
    text += block.text();
  }
  // As QTextDocument::toPlainText shows them.
  return text.replace(QChar(QChar::LineSeparator), u'\n').replace(QChar(QChar::Nbsp), u' ');
}

QStringList NormalizedLines(QString text) {
  static const QRegularExpression marker(QStringLiteral(
      R"(^(?:(?:[\x{2022}\x{25E6}\x{25AA}\x{00B7}o*"-]|\d+[.)]|[A-Za-z]{1,4}[.)])(?:\s+|$))+)"));
  text.remove(QChar(0xFEFF));
  for (const QChar c : {QChar(u'\t'), QChar(0x2028), QChar(0x2029), QChar(u'\r')}) text.replace(c, u'\n');
  text.replace(QChar(0xA0), u' ');
  QStringList lines;
  for (const QString& raw : text.split(u'\n')) {
    const QString line = raw.simplified().remove(marker);
    if (!line.isEmpty()) lines << line;
  }
  return lines;
}

QStringList AsciiWords(const QString& text) {
  static const QRegularExpression word(QStringLiteral("[A-Za-z0-9]+"));
  QStringList words;
  for (auto it = word.globalMatch(text); it.hasNext();) words << it.next().captured();
  return words;
}

QString DescribeChar(const QTextCharFormat& format, const QTextDocument& doc) {
  const QFont font = detail::ResolvedFont(format, doc.defaultFont());
  QStringList parts{font.family(), QString::number(font.pointSizeF()) + QStringLiteral("pt")};
  if (font.weight() >= QFont::DemiBold) parts << QStringLiteral("b");
  if (font.italic()) parts << QStringLiteral("i");
  const int underline = format.hasProperty(QTextFormat::TextUnderlineStyle) ? format.underlineStyle()
                        : font.underline()                                  ? QTextCharFormat::SingleUnderline
                                                                            : QTextCharFormat::NoUnderline;
  if (underline != QTextCharFormat::NoUnderline) parts << QStringLiteral("ul") + QString::number(underline);
  if (font.strikeOut()) parts << QStringLiteral("strike");
  if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) parts << QStringLiteral("sub");
  if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) parts << QStringLiteral("super");
  if (format.foreground().style() != Qt::NoBrush)
    parts << QStringLiteral("fg=") + format.foreground().color().name();
  if (format.background().style() != Qt::NoBrush)
    parts << QStringLiteral("bg=") + format.background().color().name();
  if (format.isAnchor()) parts << QStringLiteral("href=") + format.anchorHref();
  return parts.join(u' ');
}

QString DescribeBlock(const QTextBlock& block, const QTextDocument& doc) {
  const QTextBlockFormat f = block.blockFormat();
  const Qt::Alignment align =
      f.alignment() & (Qt::AlignLeft | Qt::AlignRight | Qt::AlignHCenter | Qt::AlignJustify);
  QStringList parts;
  parts << (align == Qt::AlignHCenter   ? QStringLiteral("center")
            : align == Qt::AlignRight   ? QStringLiteral("right")
            : align == Qt::AlignJustify ? QStringLiteral("justify")
                                        : QStringLiteral("left"));
  const auto px = [](double v) { return QString::number(v, 'g', 6); };
  parts << QStringLiteral("left=") + px(f.leftMargin() + f.indent() * doc.indentWidth())
        << QStringLiteral("right=") + px(f.rightMargin()) << QStringLiteral("top=") + px(f.topMargin())
        << QStringLiteral("bottom=") + px(f.bottomMargin());
  if (f.headingLevel() > 0) parts << QStringLiteral("h") + QString::number(f.headingLevel());
  for (const QTextOption::Tab& tab : f.tabPositions())
    parts << QStringLiteral("tab") + QString::number(tab.type) + u'@' + px(tab.position);
  if (const QTextList* list = block.textList()) {
    // The first-line indent of a list item is the list's business, not the paragraph's.
    const QTextListFormat lf = list->format();
    const QString suffix =
        lf.hasProperty(QTextFormat::ListNumberSuffix) ? lf.numberSuffix() : QStringLiteral(".");
    parts << QStringLiteral("list") + QString::number(lf.style()) + u'/' + QString::number(lf.indent());
    if (lf.style() <= QTextListFormat::ListDecimal) parts << u'"' + lf.numberPrefix() + u'|' + suffix + u'"';
  } else {
    parts << QStringLiteral("first=") + px(f.textIndent());
  }
  return parts.join(u' ');
}

QStringList DescribeDocument(const QTextDocument& doc) {
  QStringList lines;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    QString line = DescribeBlock(block, doc) + QStringLiteral(" |");
    QString previous;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QString description = DescribeChar(fragment.charFormat(), doc);
      if (description != previous) line += QStringLiteral(" [") + description + u']';
      previous = description;
      line += fragment.text();
    }
    lines << line;
  }
  return lines;
}

namespace {

// Picks of a random document; each draws from the one generator in a fixed order, so a
// seed always gives the same document.
class RandomPicks {
 public:
  explicit RandomPicks(unsigned seed) : m_rng(seed) {}

  int below(int bound) { return m_rng.bounded(bound); }
  bool chance(int percent) { return m_rng.bounded(100) < percent; }
  template <class List>
  auto pick(const List& list) {
    return list.at(m_rng.bounded(static_cast<int>(list.size())));
  }

  // A paragraph's format, and whether the paragraph goes into a list.
  std::pair<QTextBlockFormat, bool> blockFormat() {
    static const QList<Qt::Alignment> alignments{Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                                 Qt::AlignJustify};
    QTextBlockFormat bf;
    bf.setAlignment(pick(alignments));
    const bool inList = chance(30);
    bf.setLeftMargin(below(inList ? 40 : 100));  // a list item's margin stays below one level
    if (chance(40)) bf.setRightMargin(below(60));
    if (!inList && chance(40)) bf.setTextIndent(below(61) - 30);
    if (chance(30)) bf.setTopMargin(below(20));
    if (chance(30)) bf.setBottomMargin(below(20));
    if (chance(15)) bf.setHeadingLevel(1 + below(3));
    if (chance(20)) {
      bf.setTabPositions({QTextOption::Tab(48, QTextOption::LeftTab),
                          QTextOption::Tab(200, pick(QList<QTextOption::TabType>{QTextOption::RightTab,
                                                                                 QTextOption::CenterTab}))});
    }
    return {bf, inList};
  }

  QTextListFormat listFormat() {
    static const QList<QTextListFormat::Style> listStyles{
        QTextListFormat::ListDisc,    QTextListFormat::ListCircle,     QTextListFormat::ListSquare,
        QTextListFormat::ListDecimal, QTextListFormat::ListLowerAlpha, QTextListFormat::ListUpperRoman};
    QTextListFormat lf;
    lf.setStyle(pick(listStyles));
    lf.setIndent(1 + below(3));
    if (lf.style() == QTextListFormat::ListDecimal && chance(50)) lf.setNumberSuffix(QStringLiteral(")"));
    return lf;
  }

  // ASCII, cp1252, Greek, CJK and astral characters, tabs and line separators.
  QString text() {
    static const QStringList pools{
        QStringLiteral("abcdefXYZ 0123 .,;:!?-+=()[]<>\\{}*'\"/ "),
        QStringLiteral(
            "\u00e9\u20ac\u201e\u2122\u00df\u00fc\u00b1\u00b0\u00b5\u00b7\u00c6\u0152\u0161\u017e\u00a0\u00ad"),
        QStringLiteral("\u03b1\u03b2\u03b3\u03b4\u0394\u03a9\u03bb\u03bc\u03c0\u0416\u0449"),
        QStringLiteral("\u6c34\u5316\u5b66\u53cd\u5fdc\u2192\u21cc\u2011"),
    };
    static const QStringList astral{QStringLiteral("\U0001D400"), QStringLiteral("\U0001F600"),
                                    QStringLiteral("\U0002000B")};
    QString text;
    const int length = 1 + below(12);
    for (int i = 0; i < length; ++i) {
      const int kind = below(100);
      if (kind < 3) text += u'\t';
      else if (kind < 5) text += QChar(QChar::LineSeparator);
      else if (kind < 9) text += pick(astral);
      else {
        const QString& pool = pools.at(kind < 50 ? 0 : kind < 70 ? 1 : kind < 85 ? 2 : 3);
        text += pool.at(below(static_cast<int>(pool.size())));
      }
    }
    return text;
  }

  QTextCharFormat charFormat() {
    static const QStringList fonts{QStringLiteral("DejaVu Sans"), QStringLiteral("DejaVu Serif"),
                                   QStringLiteral("Courier New"), QStringLiteral("\u00dcr\u00fcn \u03a3ans")};
    static const QList<QColor> colors{Qt::red, QColor(0x12, 0x34, 0x56), Qt::yellow, Qt::darkGreen};
    static const QList<double> sizes{8, 9, 10.5, 12, 14, 24};
    static const QList<QTextCharFormat::UnderlineStyle> underlines{
        QTextCharFormat::NoUnderline, QTextCharFormat::SingleUnderline, QTextCharFormat::DashUnderline,
        QTextCharFormat::DotLine, QTextCharFormat::WaveUnderline};
    QTextCharFormat cf;
    if (chance(60)) cf.setFontFamilies({pick(fonts)});
    if (chance(60)) cf.setFontPointSize(pick(sizes));
    if (chance(30)) cf.setFontWeight(QFont::Bold);
    if (chance(30)) cf.setFontItalic(true);
    if (chance(30)) cf.setUnderlineStyle(pick(underlines));
    if (chance(20)) cf.setFontStrikeOut(true);
    if (chance(30))
      cf.setVerticalAlignment(chance(50) ? QTextCharFormat::AlignSubScript
                                         : QTextCharFormat::AlignSuperScript);
    if (chance(25)) cf.setForeground(pick(colors));
    if (chance(20)) cf.setBackground(pick(colors));
    if (chance(10)) {
      cf.setAnchor(true);
      cf.setAnchorHref(chance(50) ? QStringLiteral("https://example.org/a?b=\"c\"")
                                  : QStringLiteral("#section"));
    }
    return cf;
  }

 private:
  QRandomGenerator m_rng;
};

}  // namespace

void BuildRandomDocument(QTextDocument& doc, unsigned seed) {
  RandomPicks random(seed);
  doc.clear();
  QTextCursor cursor(&doc);
  const int blocks = 1 + random.below(8);
  for (int b = 0; b < blocks; ++b) {
    if (b > 0) cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
    const auto [format, inList] = random.blockFormat();
    cursor.setBlockFormat(format);
    if (inList) cursor.createList(random.listFormat());
    const int runs = random.chance(10) ? 0 : 1 + random.below(6);
    for (int r = 0; r < runs; ++r) {
      const QString text = random.text();
      cursor.insertText(text, random.charFormat());
    }
  }
}

}  // namespace quorvex::rtf::test
