// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's state machine: tokens into groups and destinations, control words to the
// handler of their kind, text to the document or the table entry being read.
#include "rtf/rtfreader.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "rtf/codepages.h"
#include "rtf/controlwords.h"
#include "rtf/documentbuilder.h"
#include "rtf/durablefile.h"
#include "rtf/groupstack.h"
#include "rtf/properties.h"
#include "rtf/rtftokenizer.h"

namespace quorvex::rtf {
namespace {

using namespace detail;

// Qt breaks a word longer than a line anywhere, at a cost that grows with the square of
// the word's length. A document with a longer word wraps at word boundaries only.
constexpr qsizetype kMaxWrappedWord = 1000;

class Reader {
 public:
  Reader(QByteArrayView input, qsizetype start, QTextDocument& doc)
      : m_tokens(input, start), m_builder(doc) {}

  void run();
  // What the document could not keep, in words: "pictures", "footnotes" and so on.
  QStringList lost() const { return LostNames(m_lost); }

 private:
  Group& top() { return m_groups.top(); }
  Scope& scope() { return m_groups.top().scope; }

  void openGroup();
  void closeGroup();
  void symbol(char c);
  void word(const Token& token);
  void hexByte(char byte);
  void textByte(char c);
  void literalByte(char c);
  bool consumeFallback();

  void apply(const Keyword& keyword, bool hasParam, int param);
  void openDestination(Kw kind);
  void openNumbering(Kw kind);
  void openField(Kw kind);
  void documentWord(Kw kind, bool hasParam, int param);
  void fontWord(Kw kind, bool hasParam, int param);
  void paragraphWord(const Keyword& keyword, bool hasParam, int param);
  void tableWord(Kw kind, bool hasParam, int param);
  void colorWord(Kw kind, bool hasParam, int param);

  void addByte(char byte);
  void flushBytes();
  void emitText(QStringView text);
  void route(QStringView text);
  void unicodeChar(int value);
  void flushHighSurrogate();

  void paragraphEnd();
  void finish();
  void finishFontEntry();
  void finishColor();
  int currentCodePage();

  Tokenizer m_tokens;
  DocumentBuilder m_builder;
  GroupStack m_groups;
  bool m_done = false;
  int m_skipCount = 0;  // fallback characters still to skip after \uN
  unsigned m_lost = kLostNothing;

  std::array<int, 3> m_rgb{};
  bool m_rgbSet = false;
  std::vector<QString> m_fieldInst;

  PendingBytes m_bytes;
  char16_t m_highSurrogate = 0;
};

void Reader::run() {
  while (!m_done) {
    const Token token = m_tokens.next();
    if (token.kind == TokenKind::End) break;
    switch (token.kind) {
      case TokenKind::GroupOpen: openGroup(); break;
      case TokenKind::GroupClose: closeGroup(); break;
      case TokenKind::Word: word(token); break;
      case TokenKind::Symbol: symbol(token.byte); break;
      case TokenKind::HexByte: hexByte(token.byte); break;
      case TokenKind::BadHex: consumeFallback(); break;
      case TokenKind::Text: textByte(token.byte); break;
      case TokenKind::End: break;
    }
  }
  if (!m_done) {
    // Truncated input: end the document with the state of the innermost open group.
    flushBytes();
    finish();
    return;
  }
  // A second document or notes after the closing brace.
  if (m_tokens.holdsTextAhead()) m_lost |= kLostTrailing;
}

void Reader::openGroup() {
  flushBytes();
  m_skipCount = 0;
  m_groups.open();
}

void Reader::closeGroup() {
  flushBytes();
  m_skipCount = 0;
  if (m_groups.isEmpty()) return;
  if (scope().dest == Dest::FontTable) finishFontEntry();
  if (m_groups.isOutermost()) {
    // The end of the {\rtf1 ...} group; anything after it (RichEdit adds a NUL) is not text.
    finish();
    m_done = true;
    return;
  }
  flushHighSurrogate();
  m_groups.close();
}

// A backslash and one character that is not a letter.
void Reader::symbol(char c) {
  if (consumeFallback()) return;
  Scope& s = scope();
  if (s.dest == Dest::Skip) return;
  if (c != '*') s.fresh = false;
  switch (c) {
    case '*':
      flushBytes();
      s.starred = true;
      break;
    case '\\':
    case '{':
    case '}': literalByte(c); break;
    case '~':
      flushBytes();
      emitText(u"\u00A0");
      break;
    case '_':
      flushBytes();
      emitText(u"\u2011");
      break;
    case '\r':
    case '\n':
      flushBytes();
      if (s.dest == Dest::Body) paragraphEnd();
      break;
    default: break;  // \- (optional hyphen), \: and others show nothing
  }
}

void Reader::word(const Token& token) {
  const Keyword* keyword = token.keyword;
  if (keyword && keyword->kind == Kw::Bin) {
    // \binN: N bytes of raw data follow, whatever they hold.
    if (token.hasParam && token.param > 0) {
      m_tokens.skipBytes(token.param);
      if (scope().dest != Dest::Skip) m_lost |= kLostUnknown;
    }
    consumeFallback();
    return;
  }
  if (consumeFallback()) return;
  flushBytes();
  Scope& s = scope();
  if (s.dest == Dest::Skip) return;
  const bool starred = std::exchange(s.starred, false);
  const bool fresh = std::exchange(s.fresh, false);
  if (s.dest == Dest::UprPart) {
    s.dest = keyword && keyword->kind == Kw::Ud ? s.uprOuter : Dest::Skip;
    return;
  }
  if (starred && (!keyword || !IsDestination(keyword->kind))) {
    // \* marks the next word as a destination a reader may ignore. An unknown one that
    // opens its group is skipped with the group; any other starred word is skipped alone
    // and the text around it stays.
    if (!keyword && fresh) {
      s.dest = Dest::Skip;
      if (m_tokens.groupHoldsText()) m_lost |= kLostUnknown;
    }
    return;
  }
  if (!keyword) return;  // an unknown control word is ignored
  if (keyword->kind == Kw::SkipDest) m_lost |= static_cast<unsigned>(keyword->value);
  apply(*keyword, token.hasParam, token.param);
}

void Reader::hexByte(char byte) {
  if (consumeFallback()) return;
  Scope& s = scope();
  s.fresh = false;
  if (s.dest == Dest::Skip || s.dest == Dest::ColorTable) return;
  addByte(byte);
}

void Reader::textByte(char c) {
  if (consumeFallback()) return;
  scope().fresh = false;
  literalByte(c);
}

void Reader::literalByte(char c) {
  switch (scope().dest) {
    case Dest::Skip:
    case Dest::Pn:
    case Dest::Field:
    case Dest::Upr:
    case Dest::UprPart: return;
    case Dest::ColorTable:
      if (c == ';') finishColor();
      return;
    case Dest::FontTable:
      if (c == ';') {
        flushBytes();
        finishFontEntry();
        return;
      }
      break;
    default: break;
  }
  if (c == '\t') {
    flushBytes();
    emitText(u"\t");
    return;
  }
  if (static_cast<unsigned char>(c) < 0x20) return;
  addByte(c);
}

bool Reader::consumeFallback() {
  if (m_skipCount <= 0) return false;
  --m_skipCount;
  return true;
}

// Control words go to the function for their group; each of those takes its group's
// words only.
void Reader::apply(const Keyword& keyword, bool hasParam, int param) {
  switch (HandlerOf(keyword.kind)) {
    case Handler::Nothing: break;
    case Handler::Destination: openDestination(keyword.kind); break;
    case Handler::Numbering: openNumbering(keyword.kind); break;
    case Handler::Field: openField(keyword.kind); break;
    case Handler::Document: documentWord(keyword.kind, hasParam, param); break;
    case Handler::Font: fontWord(keyword.kind, hasParam, param); break;
    case Handler::CharacterFormat: SetCharacterProperty(top().chr, keyword, hasParam, param); break;
    case Handler::ParagraphFormat: paragraphWord(keyword, hasParam, param); break;
    case Handler::Table: tableWord(keyword.kind, hasParam, param); break;
    case Handler::NumberingFormat:
      // \pnfN counts wherever it stands, the other words inside {\*\pn} only.
      if (keyword.kind == Kw::PnF || scope().dest == Dest::Pn)
        SetNumberingProperty(top().para.pn, keyword, hasParam, param);
      break;
    case Handler::ColorTable: colorWord(keyword.kind, hasParam, param); break;
    case Handler::Character: {
      const auto c = static_cast<char16_t>(keyword.value);
      emitText(QStringView(&c, 1));
      break;
    }
  }
}

void Reader::openDestination(Kw kind) {
  Scope& s = scope();
  switch (kind) {
    case Kw::FontTable: s.dest = Dest::FontTable; break;
    case Kw::ColorTable:
      s.dest = Dest::ColorTable;
      m_builder.clearColors();
      m_rgbSet = false;
      m_rgb = {};
      break;
    case Kw::SkipDest: s.dest = Dest::Skip; break;
    case Kw::ListText:
      if (s.dest != Dest::Body) {
        s.dest = Dest::Skip;
        break;
      }
      s.dest = Dest::ListText;
      m_builder.clearListText();
      break;
    case Kw::Upr:
      s.uprOuter = s.dest;
      s.dest = Dest::Upr;
      break;
    default: break;
  }
}

// {\*\pn} opens in the body only, and its {\pntxta} and {\pntxtb} inside it only.
void Reader::openNumbering(Kw kind) {
  Group& g = top();
  Dest& dest = g.scope.dest;
  if (kind == Kw::Pn) {
    if (dest != Dest::Body) {
      dest = Dest::Skip;
      return;
    }
    dest = Dest::Pn;
    g.para.pn = PnProps{};
    g.para.pn.on = true;
  } else if (dest != Dest::Pn) {
    dest = Dest::Skip;
  } else if (kind == Kw::PnTxtA) {
    dest = Dest::PnAfter;
    g.para.pn.after.clear();
  } else {
    dest = Dest::PnBefore;
    g.para.pn.before.clear();
  }
}

// A field opens in the body, its instruction and its result inside the field. The result
// is read as body text, as a link when the instruction names one.
void Reader::openField(Kw kind) {
  Group& g = top();
  Scope& s = g.scope;
  if (s.dest != (kind == Kw::Field ? Dest::Body : Dest::Field)) {
    s.dest = Dest::Skip;
    return;
  }
  if (kind == Kw::Field) {
    s.dest = Dest::Field;
    s.field = static_cast<int>(m_fieldInst.size());
    m_fieldInst.emplace_back();
    return;
  }
  if (kind == Kw::FldInst) {
    s.dest = Dest::FieldInst;
    return;
  }
  s.dest = Dest::Body;
  if (const int link = m_builder.addFieldLink(m_fieldInst[static_cast<std::size_t>(s.field)]); link >= 0)
    g.chr.link = link;
  else m_lost |= kLostFields;
}

void Reader::documentWord(Kw kind, bool hasParam, int param) {
  FontTable& fonts = m_builder.fonts();
  switch (kind) {
    case Kw::Ansi: fonts.setDocumentCodePage(1252); break;
    case Kw::Mac: fonts.setDocumentCodePage(10000); break;
    case Kw::Pc: fonts.setDocumentCodePage(437); break;
    case Kw::Pca: fonts.setDocumentCodePage(850); break;
    case Kw::AnsiCpg:
      if (hasParam && param > 0) fonts.setDocumentCodePage(param);
      break;
    case Kw::Deff:
      if (hasParam) fonts.setDefaultFont(param);
      break;
    case Kw::Uc:
      if (hasParam) scope().unicodeSkip = std::max(param, 0);
      break;
    case Kw::U:
      if (hasParam) {
        unicodeChar(param);
        m_skipCount = scope().unicodeSkip;
      }
      break;
    default: break;
  }
}

// \fN starts an entry in the font table and picks a font elsewhere.
void Reader::fontWord(Kw kind, bool hasParam, int param) {
  if (!hasParam) return;
  const bool inTable = scope().dest == Dest::FontTable;
  if (kind == Kw::F && inTable) {
    finishFontEntry();
    m_builder.fonts().startEntry(param);
  } else if (kind == Kw::F) {
    top().chr.font = param;
  } else if (inTable && kind == Kw::FCharset) {
    m_builder.fonts().setEntryCharset(param);
  } else if (inTable) {
    m_builder.fonts().setEntryCodePage(param);
  }
}

void Reader::paragraphWord(const Keyword& keyword, bool hasParam, int param) {
  switch (keyword.kind) {
    case Kw::Par:
      if (scope().dest == Dest::Body) paragraphEnd();
      break;
    case Kw::Line: emitText(u"\u2028"); break;
    case Kw::Tab: emitText(u"\t"); break;
    default: SetParagraphProperty(top().para, keyword, hasParam, param); break;
  }
}

void Reader::tableWord(Kw kind, bool hasParam, int param) {
  switch (kind) {
    case Kw::Cell:
      if (scope().dest == Dest::Body) {
        flushHighSurrogate();
        m_builder.endCell(top().para, top().chr);
      }
      break;
    case Kw::Row:
      if (scope().dest == Dest::Body) m_builder.endRow(m_tokens.rowWordsAhead());
      break;
    case Kw::Trowd: m_builder.startRowDefinition(); break;
    case Kw::Cellx:
      if (hasParam) m_builder.addCellEdge(param);
      break;
    default: break;
  }
}

void Reader::colorWord(Kw kind, bool hasParam, int param) {
  if (scope().dest != Dest::ColorTable || !hasParam) return;
  const auto channel = static_cast<std::size_t>(kind == Kw::Red ? 0 : kind == Kw::Green ? 1 : 2);
  m_rgb[channel] = std::clamp(param, 0, 255);
  m_rgbSet = true;
}

void Reader::addByte(char byte) {
  const int codePage = currentCodePage();
  if (m_bytes.holdsOtherThan(codePage)) flushBytes();
  m_bytes.add(byte, codePage);
}

void Reader::flushBytes() {
  if (m_bytes.isEmpty()) return;
  emitText(m_bytes.take());
}

void Reader::emitText(QStringView text) {
  flushHighSurrogate();
  route(text);
}

void Reader::route(QStringView text) {
  Group& g = top();
  switch (g.scope.dest) {
    case Dest::Body:
      if (!g.chr.hidden) m_builder.insertText(text, g.chr, g.para);
      else if (!text.isEmpty()) m_lost |= kLostHidden;
      break;
    case Dest::FontTable: m_builder.fonts().appendToEntryName(text); break;
    case Dest::ListText: m_builder.appendListText(text); break;
    case Dest::PnBefore: g.para.pn.before += text; break;
    case Dest::PnAfter: g.para.pn.after += text; break;
    case Dest::FieldInst:
      if (g.scope.field >= 0) m_fieldInst[static_cast<std::size_t>(g.scope.field)] += text;
      break;
    default: break;
  }
}

void Reader::unicodeChar(int value) {
  if (value < 0) value += 65536;  // values above 32767 are written negative
  if (value < 0 || value > 0xFFFF) {
    emitText(u"\uFFFD");
    return;
  }
  const auto unit = static_cast<char16_t>(value);
  if (QChar::isHighSurrogate(unit)) {
    flushHighSurrogate();
    m_highSurrogate = unit;
    return;
  }
  if (QChar::isLowSurrogate(unit) && m_highSurrogate != 0) {
    const char16_t pair[2] = {m_highSurrogate, unit};
    m_highSurrogate = 0;
    route(QStringView(pair, 2));
    return;
  }
  emitText(QStringView(&unit, 1));
}

void Reader::flushHighSurrogate() {
  if (m_highSurrogate == 0) return;
  m_highSurrogate = 0;
  route(u"\uFFFD");
}

void Reader::paragraphEnd() {
  flushHighSurrogate();
  m_builder.endParagraph(top().para, top().chr);
}

// The document ends with the properties of the innermost open group.
void Reader::finish() {
  flushHighSurrogate();
  if (m_groups.isEmpty()) m_builder.finish(ParaProps{}, CharProps{});
  else m_builder.finish(top().para, top().chr);
}

void Reader::finishFontEntry() {
  flushBytes();
  if (!m_builder.finishFontEntry()) m_lost |= kLostFonts;
}

void Reader::finishColor() {
  m_builder.addColor(m_rgbSet ? std::optional<QColor>(QColor(m_rgb[0], m_rgb[1], m_rgb[2])) : std::nullopt);
  m_rgb = {};
  m_rgbSet = false;
}

int Reader::currentCodePage() {
  const Group& g = top();
  const FontTable& fonts = m_builder.fonts();
  switch (g.scope.dest) {
    case Dest::FontTable: return fonts.entryNameCodePage();
    case Dest::PnBefore:
    case Dest::PnAfter: return fonts.codePageOf(g.para.pn.font >= 0 ? g.para.pn.font : g.chr.font);
    default: return fonts.codePageOf(g.chr.font);
  }
}

bool HasWordLongerThan(const QTextDocument& doc, qsizetype length) {
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    if (text.size() <= length) continue;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype previous = 0;
    for (qsizetype at = breaks.toNextBoundary(); at >= 0; at = breaks.toNextBoundary()) {
      qsizetype end = at;  // the word without the spaces after it
      while (end > previous && text.at(end - 1).isSpace()) --end;
      if (end - previous > length) return true;
      previous = at;
    }
  }
  return false;
}

qsizetype RtfStart(QByteArrayView bytes) {
  qsizetype i = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
  while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
    ++i;
  return bytes.sliced(i).startsWith("{\\rtf") ? i : -1;
}

}  // namespace

bool LooksLikeRtf(QByteArrayView bytes) { return RtfStart(bytes) >= 0; }

bool ReadRtf(const QByteArray& bytes, QTextDocument& into, QString* error, QStringList* lost) {
  const qsizetype start = RtfStart(bytes);
  if (start < 0) {
    if (error) *error = QStringLiteral("The data is not RTF: it does not begin with {\\rtf.");
    return false;
  }
  const bool undo = into.isUndoRedoEnabled();
  into.setUndoRedoEnabled(false);
  into.clear();
  // One edit block: the document is laid out once at the end, not after every run.
  QTextCursor edit(&into);
  edit.beginEditBlock();
  {
    Reader reader(bytes, start, into);
    reader.run();
    if (lost) *lost = reader.lost();
  }
  if (HasWordLongerThan(into, kMaxWrappedWord)) {
    QTextOption option = into.defaultTextOption();
    if (option.wrapMode() == QTextOption::WrapAtWordBoundaryOrAnywhere)
      option.setWrapMode(QTextOption::WordWrap);
    into.setDefaultTextOption(option);
  }
  edit.endEditBlock();
  into.setUndoRedoEnabled(undo);
  into.setModified(false);
  return true;
}

bool ReadRtfFile(const QString& path, QTextDocument& into, QString* error, QStringList* lost,
                 qint64 maxBytes) {
  QByteArray bytes;
  if (!ReadFileBounded(path, maxBytes, bytes, error)) return false;
  return ReadRtf(bytes, into, error, lost);
}

}  // namespace quorvex::rtf
