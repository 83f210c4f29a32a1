// SPDX-License-Identifier: GPL-3.0-or-later
// Runs, paragraphs, lists and tables into a QTextDocument, with character formats cached per run.
#include "rtf/documentbuilder.h"

#include <QMap>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextDocument>
#include <QTextListFormat>

#include <algorithm>
#include <vector>

namespace quorvex::rtf::detail {
namespace {

// A property of our own in each character format read with a font: see charFormat.
constexpr int kFontNameProperty = QTextFormat::UserProperty + 1;
// Character formats kept for reuse: a paragraph switches among a few at a time.
constexpr std::size_t kFormatCacheSize = 8;

// The style, prefix and suffix a list marker such as "1.", "(a)", "iv)" or a bullet shows.
void DescribeMarker(QString marker, QTextListFormat& format) {
  marker = marker.trimmed();
  qsizetype start = 0;
  while (start < marker.size() && !marker.at(start).isLetterOrNumber()) ++start;
  qsizetype end = start;
  while (end < marker.size() && marker.at(end).isLetterOrNumber()) ++end;
  const QString core = marker.mid(start, end - start);
  const auto isRoman = [](const QString& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(),
                                       [](QChar c) { return QStringView(u"ivxlcdmIVXLCDM").contains(c); });
  };
  QTextListFormat::Style style = QTextListFormat::ListStyleUndefined;
  if (core.isEmpty() || marker == u"o") {
    style = marker == u"o" || marker == u"\u25E6"          ? QTextListFormat::ListCircle
            : (marker == u"\u25AA" || marker == u"\u25A0") ? QTextListFormat::ListSquare
                                                           : QTextListFormat::ListDisc;
  } else if (std::all_of(core.begin(), core.end(), [](QChar c) { return c.isDigit(); })) {
    style = QTextListFormat::ListDecimal;
  } else if ((core.size() > 1 || core == u"i" || core == u"I") && isRoman(core)) {
    style = core.at(0).isLower() ? QTextListFormat::ListLowerRoman : QTextListFormat::ListUpperRoman;
  } else if (core.size() == 1) {
    style = core.at(0).isLower() ? QTextListFormat::ListLowerAlpha : QTextListFormat::ListUpperAlpha;
  } else {
    style = QTextListFormat::ListDisc;
  }
  format.setStyle(style);
  if (style != QTextListFormat::ListDisc && style != QTextListFormat::ListCircle &&
      style != QTextListFormat::ListSquare) {
    format.setNumberPrefix(marker.left(start));
    format.setNumberSuffix(marker.mid(end));
  }
}

// The target of a HYPERLINK field instruction, or an empty string for other fields.
QString HyperlinkTarget(QStringView inst) {
  struct Token {
    QString text;
    bool quoted = false;
  };
  std::vector<Token> tokens;
  for (qsizetype i = 0; i < inst.size();) {
    if (inst.at(i).isSpace()) {
      ++i;
      continue;
    }
    Token token;
    if (inst.at(i) == u'"') {
      token.quoted = true;
      for (++i; i < inst.size() && inst.at(i) != u'"'; ++i) {
        if (inst.at(i) == u'\\' && i + 1 < inst.size()) ++i;
        token.text += inst.at(i);
      }
      ++i;
    } else {
      for (; i < inst.size() && !inst.at(i).isSpace(); ++i) token.text += inst.at(i);
    }
    tokens.push_back(std::move(token));
  }
  if (tokens.empty() || tokens[0].text.compare(u"HYPERLINK", Qt::CaseInsensitive) != 0) return {};
  QString url;
  QString anchor;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (!t.quoted && t.text.startsWith(u'\\')) {
      // \l names a bookmark; \o, \t and \m take an argument we do not use.
      const bool hasArgument = t.text == u"\\l" || t.text == u"\\o" || t.text == u"\\t" || t.text == u"\\m";
      if (hasArgument && i + 1 < tokens.size()) {
        ++i;
        if (t.text == u"\\l") anchor = tokens[i].text;
      }
      continue;
    }
    if (url.isEmpty()) url = t.text;
  }
  if (!anchor.isEmpty()) url += u'#' + anchor;
  return url;
}

// The list level a paragraph is at; 0 when it is in no list.
int ListIndent(const ParaProps& p) {
  if (p.list > 0) return p.listLevel + 1;
  if (!p.pn.on) return 0;
  if (p.pn.level > 0) return p.pn.level;
  return std::clamp(p.left / kListLevelTwips, 1, 9);
}

QTextListFormat ListFormat(const ParaProps& p, int indent, const QString& listText) {
  QTextListFormat format;
  format.setIndent(indent);
  if (p.list > 0) {
    DescribeMarker(listText, format);
  } else if (p.pn.bullet) {
    DescribeMarker(p.pn.before.isEmpty() ? QStringLiteral("\u2022") : p.pn.before, format);
    if (format.style() != QTextListFormat::ListCircle && format.style() != QTextListFormat::ListSquare)
      format.setStyle(QTextListFormat::ListDisc);
  } else {
    format.setStyle(p.pn.style);
    format.setNumberPrefix(p.pn.before);
    format.setNumberSuffix(p.pn.after);
  }
  return format;
}

}  // namespace

bool DocumentBuilder::finishFontEntry() {
  m_formats.clear();
  return m_fonts.finishEntry();
}

void DocumentBuilder::addColor(std::optional<QColor> color) {
  m_formats.clear();
  m_colors.push_back(color);
}

int DocumentBuilder::addFieldLink(QStringView instruction) {
  QString target = HyperlinkTarget(instruction);
  if (target.isEmpty()) return -1;
  m_links.push_back(std::move(target));
  return static_cast<int>(m_links.size()) - 1;
}

void DocumentBuilder::insertText(QStringView text, const CharProps& chr, const ParaProps& para) {
  QString clean;
  clean.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
      clean += text.mid(i, 2);
      ++i;
    } else if (QChar::isSurrogate(c)) {
      clean += QChar::ReplacementCharacter;
    } else if (c == u'\u2029') {
      appendToRun(clean, chr, para.inTable);
      clean.clear();
      endParagraph(para, chr);
    } else if ((c < 0x20 && c != u'\t') || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC) {
      // Controls, and the characters QTextDocument reserves for frames and objects.
    } else {
      clean += QChar(c);
    }
  }
  appendToRun(clean, chr, para.inTable);
}

void DocumentBuilder::appendToRun(QStringView text, const CharProps& chr, bool inTable) {
  if (text.isEmpty()) return;
  openPendingBlock(inTable);
  if (!m_run.isEmpty() && !(chr == m_runProps)) flushRun();
  m_runProps = chr;
  m_run += text;
  m_blockHasText = true;
}

void DocumentBuilder::flushRun() {
  if (m_run.isEmpty()) return;
  auto cached = std::find_if(m_formats.begin(), m_formats.end(),
                             [this](const auto& entry) { return entry.first == m_runProps; });
  if (cached == m_formats.end()) {
    if (m_formats.size() == kFormatCacheSize) m_formats.pop_back();
    m_formats.emplace(m_formats.begin(), m_runProps, charFormat(m_runProps));
    cached = m_formats.begin();
  }
  m_cursor.insertText(m_run, cached->second);
  m_run.clear();
}

void DocumentBuilder::endParagraph(const ParaProps& para, const CharProps& chr) {
  openPendingBlock(para.inTable);
  flushRun();
  m_breakPending = true;
  m_breakInCell = para.inTable;
  m_pendingPara = para;
  m_pendingChar = chr;
  m_pendingListText = std::exchange(m_listText, {});
}

void DocumentBuilder::endCell(const ParaProps& para, const CharProps& chr) {
  openPendingBlock(true);
  finishBlock(para, chr, std::exchange(m_listText, {}));
  m_table.endCell();
}

void DocumentBuilder::endRow(int rowsAhead) {
  if (m_breakPending && m_breakInCell) {
    m_breakPending = false;
    finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
  }
  m_table.endRow(rowsAhead);
}

void DocumentBuilder::finish(const ParaProps& para, const CharProps& chr) {
  if (m_breakPending) {
    // A file's final \par ends its last paragraph; it starts no new, empty one.
    m_breakPending = false;
    finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
  } else if (!m_table.isBetweenCells()) {
    finishBlock(para, chr, m_listText);
  }
  m_table.finish();
}

// Makes the block that content of a paragraph in (or out of) a table goes into: the
// next block, the next cell, a new row, a new table or the block after the table.
void DocumentBuilder::openPendingBlock(bool inTable) {
  if (m_table.needsNewContainer(inTable)) {
    if (m_breakPending) {
      m_breakPending = false;
      finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
    }
    flushRun();
    if (inTable) m_table.enterCell();
    else m_table.leaveTable();
    m_blockHasText = false;
    return;
  }
  if (!m_breakPending) return;
  m_breakPending = false;
  finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
  m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
  m_blockHasText = false;
}

void DocumentBuilder::finishBlock(const ParaProps& para, const CharProps& chr, const QString& listText) {
  flushRun();
  const int indent = ListIndent(para);
  QTextBlockFormat format;
  if (para.alignment != Qt::AlignLeft) format.setAlignment(para.alignment);
  int left = para.left;
  int firstLine = para.firstLine;
  if (indent > 0) {
    // The list's own indentation stands for the hanging indent word processors write.
    left = std::max(0, left - indent * kListLevelTwips);
    firstLine = 0;
  }
  if (left != 0) format.setLeftMargin(TwipsToPixels(left));
  if (para.right != 0) format.setRightMargin(TwipsToPixels(para.right));
  if (firstLine != 0) format.setTextIndent(TwipsToPixels(firstLine));
  if (para.spaceBefore != 0) format.setTopMargin(TwipsToPixels(para.spaceBefore));
  if (para.spaceAfter != 0) format.setBottomMargin(TwipsToPixels(para.spaceAfter));
  if (para.outline >= 0) format.setHeadingLevel(para.outline + 1);
  if (!para.tabs.isEmpty()) format.setTabPositions(para.tabs);
  m_cursor.setBlockFormat(format);
  if (!m_blockHasText) keepBlockCharFormat(chr);
  if (indent == 0) {
    m_pnLists.clear();
    return;
  }
  addToList(para, indent, listText);
}

// An empty paragraph shows its format in the block's. The first block of a table cell
// carries the cell's own properties (its spans above all) there: they stay, or the table
// would lose its merged cells.
void DocumentBuilder::keepBlockCharFormat(const CharProps& chr) {
  QTextCharFormat blockChar = charFormat(chr);
  const QMap<int, QVariant> old = m_cursor.blockCharFormat().properties();
  for (auto it = old.begin(); it != old.end(); ++it) {
    if (it.key() >= QTextFormat::TableCellRowSpan && it.key() <= QTextFormat::TableCellRightBorderBrush)
      blockChar.setProperty(it.key(), it.value());
  }
  m_cursor.setBlockCharFormat(blockChar);
}

void DocumentBuilder::addToList(const ParaProps& para, int indent, const QString& listText) {
  const QTextListFormat listFmt = ListFormat(para, indent, listText);
  QPointer<QTextList>& list = para.list > 0 ? m_lsLists[{para.list, para.listLevel}] : m_pnLists[indent];
  if (para.list == 0 && list && list->format() != listFmt) list = nullptr;
  if (list) list->add(m_cursor.block());
  else list = m_cursor.createList(listFmt);
}

std::optional<QColor> DocumentBuilder::color(int index) const {
  if (index <= 0 || static_cast<std::size_t>(index) >= m_colors.size()) return std::nullopt;
  return m_colors[static_cast<std::size_t>(index)];
}

QTextCharFormat DocumentBuilder::charFormat(const CharProps& c) const {
  QTextCharFormat format;
  if (const Font* f = m_fonts.font(c.font); f && !f->name.isEmpty()) {
    format.setFontFamilies({f->name});
    // Qt's format collection hashes every list of families to one value, so a
    // document with many fonts would cost quadratic time; the name as a string
    // tells the formats apart.
    format.setProperty(kFontNameProperty, f->name);
  }
  format.setFontPointSize(c.halfPoints / 2.0);
  if (c.bold) format.setFontWeight(QFont::Bold);
  if (c.italic) format.setFontItalic(true);
  if (c.underline != QTextCharFormat::NoUnderline) format.setUnderlineStyle(c.underline);
  if (c.strike) format.setFontStrikeOut(true);
  if (c.vertical != QTextCharFormat::AlignNormal) format.setVerticalAlignment(c.vertical);
  if (const auto fg = color(c.foreground)) format.setForeground(*fg);
  if (const auto bg = color(c.background)) format.setBackground(*bg);
  if (c.link >= 0) {
    format.setAnchor(true);
    format.setAnchorHref(m_links[static_cast<std::size_t>(c.link)]);
  }
  return format;
}

}  // namespace quorvex::rtf::detail
