// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's state machine: RTF groups, destinations and control words into a QTextDocument.
#include "rtf/rtfreader.h"

#include <QPointer>
#include <QStringList>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "rtf/codepages.h"
#include "rtf/controlwords.h"
#include "rtf/durablefile.h"
#include "rtf/rtfcommon.h"
#include "rtf/tablebuilder.h"

namespace quorvex::rtf {
namespace {

using namespace detail;

// Groups nested deeper than this share the formatting of the deepest one, so memory stays
// bounded whatever the input; real files nest a few dozen levels at most. Where their text
// goes is still kept group by group (see Scope).
constexpr int kMaxGroupDepth = 256;
// RTF limits control words to 32 letters; longer ones are treated as unknown.
constexpr std::size_t kMaxWordLength = 32;
// Larger parameters are clamped; no control word needs more than 32 bits.
constexpr qint64 kMaxParameter = std::numeric_limits<int>::max();
// Qt breaks a word longer than a line anywhere, at a cost that grows with the square of
// the word's length. A document with a longer word wraps at word boundaries only.
constexpr qsizetype kMaxWrappedWord = 1000;
// A property of our own in each character format read with a font: see charFormat.
constexpr int kFontNameProperty = QTextFormat::UserProperty + 1;
// Character formats kept for reuse: a paragraph switches among a few at a time.
constexpr std::size_t kFormatCacheSize = 8;

enum class Dest : std::uint8_t {
  Body,  // document text
  Skip,  // a destination ignored whole
  FontTable,
  ColorTable,
  Pn,        // {\*\pn}: numbering of the current paragraph
  PnBefore,  // {\pntxtb}
  PnAfter,   // {\pntxta}
  Field,     // {\field}: only its instruction and its result count
  FieldInst,
  ListText,  // {\listtext}: the marker, kept only to tell the list style
  Upr,       // {\upr}: an ANSI and a Unicode version of the same text
  UprPart,   // a group inside \upr; skipped unless it is the {\*\ud} one
};

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int ClampTwips(int twips) { return std::clamp(twips, -kMaxTwips, kMaxTwips); }

// Toggles such as \b take no parameter to switch on and 0 to switch off.
bool IsSwitchedOn(bool hasParam, int param) { return !hasParam || param != 0; }

// Old-style paragraph numbering ({\*\pn ...}), as WordPad writes bullets.
struct PnProps {
  bool on = false;
  bool bullet = false;
  QTextListFormat::Style style = QTextListFormat::ListDecimal;
  int level = 0;  // \pnlvlN, 0 when not given
  int font = -1;
  QString before;
  QString after;
};

struct ParaProps {
  Qt::Alignment alignment = Qt::AlignLeft;
  int left = 0;  // twips
  int right = 0;
  int firstLine = 0;
  int spaceBefore = 0;
  int spaceAfter = 0;
  int outline = -1;
  bool inTable = false;
  int list = 0;  // \lsN, 0 when the paragraph is in no list
  int listLevel = 0;
  PnProps pn;
  QList<QTextOption::Tab> tabs;
  QTextOption::TabType nextTabType = QTextOption::LeftTab;
};

struct Group {
  CharProps chr;
  ParaProps para;
  Dest dest = Dest::Body;
  Dest uprOuter = Dest::Body;  // the destination an \upr group stands in
  int unicodeSkip = 1;         // \ucN
  int field = -1;
  bool starred = false;
  bool fresh = true;  // nothing but \* has been read since the group opened
};

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

// What a group nested past kMaxGroupDepth keeps of its own: where its text goes, so that a
// destination opened there ends with its group and the text after it is read.
struct Scope {
  Dest dest = Dest::Body;
  Dest uprOuter = Dest::Body;
  int unicodeSkip = 1;
  int field = -1;
  bool starred = false;
  bool fresh = true;
  bool operator==(const Scope&) const = default;
};

// Opens a group inside `g`: it starts fresh, and a group inside \upr is one of its parts.
void EnterChild(Group& g) {
  g.starred = false;
  g.fresh = true;
  if (g.dest == Dest::Upr) g.dest = Dest::UprPart;
  else if (g.dest == Dest::UprPart) g.dest = Dest::Skip;
}

class Reader {
 public:
  Reader(QByteArrayView input, QTextDocument& doc) : m_in(input), m_cursor(&doc) {}

  void run(qsizetype start);
  // What the document could not keep, in words: "pictures", "footnotes" and so on.
  QStringList lost() const;

 private:
  Group& top() { return m_groups.back(); }

  void openGroup();
  void closeGroup();
  void controlSequence();
  void controlWord();
  void hexByte();
  void textByte(char c);
  void literalByte(char c);
  void apply(const Keyword& keyword, bool hasParam, int param);
  void openDestination(Kw kind);
  void openNumbering(Kw kind);
  void openField(Kw kind);
  void documentWord(Kw kind, bool hasParam, int param);
  void fontWord(Kw kind, bool hasParam, int param);
  void characterWord(const Keyword& keyword, bool hasParam, int param);
  void paragraphWord(const Keyword& keyword, bool hasParam, int param);
  void tableWord(Kw kind, bool hasParam, int param);
  void numberingWord(const Keyword& keyword, bool hasParam, int param);
  void colorWord(Kw kind, bool hasParam, int param);
  bool consumeFallback();
  bool groupHoldsText() const;
  int rowWordsAhead();

  void addByte(char byte);
  void flushBytes();
  void emitText(QStringView text);
  void route(QStringView text);
  void unicodeChar(int value);
  void flushHighSurrogate();
  void bodyText(QStringView text);
  void appendToRun(QStringView text);
  void flushRun();

  void paragraphEnd();
  void cellEnd();
  void rowEnd();
  void openPendingBlock(bool inTable);
  void enterContainer(bool inTable);
  void finishBlock(const ParaProps& para, const CharProps& chr, const QString& listText);
  void finish(const Group& last);

  void startFontEntry(int id);
  void finishFontEntry();
  void finishColor();

  int currentCodePage();
  std::optional<QColor> color(int index) const;
  QTextCharFormat charFormat(const CharProps& c) const;
  int listIndent(const ParaProps& p) const;
  QTextListFormat listFormat(const ParaProps& p, int indent, const QString& listText) const;

  QByteArrayView m_in;
  qsizetype m_pos = 0;
  bool m_done = false;
  std::vector<Group> m_groups;
  // The scopes of the groups past kMaxGroupDepth, innermost last, equal neighbours as one
  // entry with a count: nesting a million levels deep costs one entry.
  std::vector<std::pair<Scope, int>> m_deepScopes;
  int m_skipCount = 0;  // fallback characters still to skip after \uN
  unsigned m_lost = kLostNothing;
  std::optional<std::vector<qsizetype>> m_rowWords;  // where each \row stands, found at the first table

  FontTable m_fonts;

  std::vector<std::optional<QColor>> m_colors;
  std::array<int, 3> m_rgb{};
  bool m_rgbSet = false;

  std::vector<QString> m_fieldInst;
  std::vector<QString> m_links;

  PendingBytes m_bytes;
  char16_t m_highSurrogate = 0;

  QTextCursor m_cursor;
  std::vector<std::pair<CharProps, QTextCharFormat>> m_formats;  // most recent first
  QString m_run;
  CharProps m_runProps;
  bool m_blockHasText = false;
  // A \par is applied when the next paragraph starts, so that the final \par of a
  // file makes no empty paragraph and a \par just before \cell joins the cells.
  bool m_breakPending = false;
  bool m_breakInCell = false;
  ParaProps m_pendingPara;
  CharProps m_pendingChar;
  QString m_pendingListText;
  TableBuilder m_table{m_cursor};
  QString m_listText;
  // A list is deleted with its last block (when that block leaves it), so the
  // pointers guard themselves.
  std::map<std::pair<int, int>, QPointer<QTextList>> m_lsLists;
  std::map<int, QPointer<QTextList>> m_pnLists;  // by level; a paragraph outside a list ends them
};

QStringList Reader::lost() const { return LostNames(m_lost); }

void Reader::run(qsizetype start) {
  m_pos = start;
  while (m_pos < m_in.size() && !m_done) {
    const char c = m_in[m_pos++];
    switch (c) {
      case '{': openGroup(); break;
      case '}': closeGroup(); break;
      case '\\': controlSequence(); break;
      case '\r':
      case '\n': break;
      default: textByte(c); break;
    }
  }
  if (!m_done) {
    // Truncated input: end the document with the state of the innermost open group.
    flushBytes();
    finish(m_groups.empty() ? Group{} : m_groups.back());
    return;
  }
  // A second document or notes after the closing brace; RichEdit's NUL and line ends are not text.
  for (qsizetype i = m_pos; i < m_in.size(); ++i) {
    const char c = m_in[i];
    if (c != '\0' && c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v') {
      m_lost |= kLostTrailing;
      break;
    }
  }
}

void Reader::openGroup() {
  flushBytes();
  m_skipCount = 0;
  if (m_groups.size() >= static_cast<std::size_t>(kMaxGroupDepth)) {
    Group& g = top();
    const Scope scope{g.dest, g.uprOuter, g.unicodeSkip, g.field, g.starred, g.fresh};
    if (!m_deepScopes.empty() && m_deepScopes.back().first == scope) ++m_deepScopes.back().second;
    else m_deepScopes.emplace_back(scope, 1);
    EnterChild(g);
    return;
  }
  Group child = m_groups.empty() ? Group{} : m_groups.back();
  EnterChild(child);
  m_groups.push_back(std::move(child));
}

void Reader::closeGroup() {
  flushBytes();
  m_skipCount = 0;
  if (m_groups.empty()) return;
  if (m_groups.back().dest == Dest::FontTable) finishFontEntry();
  if (!m_deepScopes.empty()) {
    Group& g = top();
    const Scope& scope = m_deepScopes.back().first;
    g.dest = scope.dest;
    g.uprOuter = scope.uprOuter;
    g.unicodeSkip = scope.unicodeSkip;
    g.field = scope.field;
    g.starred = scope.starred;
    g.fresh = scope.fresh;
    if (--m_deepScopes.back().second == 0) m_deepScopes.pop_back();
    return;
  }
  if (m_groups.size() == 1) {
    // The end of the {\rtf1 ...} group; anything after it (RichEdit adds a NUL) is not text.
    finish(m_groups.back());
    m_done = true;
    return;
  }
  flushHighSurrogate();
  Group child = std::move(m_groups.back());
  m_groups.pop_back();
  Group& parent = top();
  // Numbering read inside {\*\pn {\pntxtb ...}} belongs to the enclosing paragraph.
  if (child.dest == Dest::Pn || child.dest == Dest::PnBefore || child.dest == Dest::PnAfter)
    parent.para.pn = std::move(child.para.pn);
}

void Reader::controlSequence() {
  if (m_pos >= m_in.size()) return;
  const char c = m_in[m_pos];
  if (IsLetter(c)) {
    controlWord();
    return;
  }
  ++m_pos;
  if (c == '\'') {
    hexByte();
    return;
  }
  if (consumeFallback()) return;
  if (top().dest == Dest::Skip) return;
  if (c != '*') top().fresh = false;
  switch (c) {
    case '*':
      flushBytes();
      top().starred = true;
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
      if (top().dest == Dest::Body) paragraphEnd();
      break;
    default: break;  // \- (optional hyphen), \: and others show nothing
  }
}

void Reader::controlWord() {
  const qsizetype start = m_pos;
  while (m_pos < m_in.size() && IsLetter(m_in[m_pos])) ++m_pos;
  const std::string_view word(m_in.data() + start, static_cast<std::size_t>(m_pos - start));
  bool hasParam = false;
  int param = 0;
  const bool negative = m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1]);
  if (negative || (m_pos < m_in.size() && IsDigit(m_in[m_pos]))) {
    if (negative) ++m_pos;
    qint64 value = 0;
    for (; m_pos < m_in.size() && IsDigit(m_in[m_pos]); ++m_pos)
      value = std::min(value * 10 + (m_in[m_pos] - '0'), kMaxParameter);
    hasParam = true;
    param = static_cast<int>(negative ? -value : value);
  }
  if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;

  const Keyword* keyword = word.size() <= kMaxWordLength ? FindKeyword(word) : nullptr;
  if (keyword && keyword->kind == Kw::Bin) {
    // \binN: N bytes of raw data follow, whatever they hold.
    if (hasParam && param > 0) m_pos += std::min<qsizetype>(param, m_in.size() - m_pos);
    if (hasParam && param > 0 && top().dest != Dest::Skip) m_lost |= kLostUnknown;
    consumeFallback();
    return;
  }
  if (consumeFallback()) return;
  flushBytes();
  Group& g = top();
  if (g.dest == Dest::Skip) return;
  const bool starred = std::exchange(g.starred, false);
  const bool fresh = std::exchange(g.fresh, false);
  if (g.dest == Dest::UprPart) {
    g.dest = keyword && keyword->kind == Kw::Ud ? g.uprOuter : Dest::Skip;
    return;
  }
  if (starred && (!keyword || !IsDestination(keyword->kind))) {
    // \* marks the next word as a destination a reader may ignore. An unknown one that
    // opens its group is skipped with the group; any other starred word is skipped alone
    // and the text around it stays.
    if (!keyword && fresh) {
      g.dest = Dest::Skip;
      if (groupHoldsText()) m_lost |= kLostUnknown;
    }
    return;
  }
  if (!keyword) return;  // an unknown control word is ignored
  if (keyword->kind == Kw::SkipDest) m_lost |= static_cast<unsigned>(keyword->value);
  apply(*keyword, hasParam, param);
}

void Reader::hexByte() {
  const qsizetype left = m_in.size() - m_pos;
  const int high = left > 0 ? HexValue(m_in[m_pos]) : -1;
  const int low = left > 1 ? HexValue(m_in[m_pos + 1]) : -1;
  if (high < 0 || low < 0) {
    // A malformed \'h escape: drop it and read what follows as usual.
    if (high >= 0) ++m_pos;
    consumeFallback();
    return;
  }
  m_pos += 2;
  if (consumeFallback()) return;
  top().fresh = false;
  const Dest dest = top().dest;
  if (dest == Dest::Skip || dest == Dest::ColorTable) return;
  addByte(static_cast<char>(high * 16 + low));
}

void Reader::textByte(char c) {
  if (consumeFallback()) return;
  top().fresh = false;
  literalByte(c);
}

void Reader::literalByte(char c) {
  switch (top().dest) {
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

// Whether the rest of the current group holds text or groups, which skipping it loses;
// writers also star plain properties, such as {\*\pgdscno0}. Each group is looked at
// once, since a skipped group's inner groups are not.
bool Reader::groupHoldsText() const {
  for (qsizetype i = m_pos; i < m_in.size(); ++i) {
    const char c = m_in[i];
    if (c == '}') return false;
    if (c == '{') return true;
    if (c == '\\') {
      if (i + 1 >= m_in.size() || !IsLetter(m_in[i + 1])) return true;  // a symbol or \'hh
      if (m_in.sliced(i + 1).startsWith("bin")) return true;            // raw data
      while (i + 1 < m_in.size() && (IsLetter(m_in[i + 1]) || IsDigit(m_in[i + 1]) || m_in[i + 1] == '-'))
        ++i;
    } else if (c != ' ' && c != ';' && c != '\r' && c != '\n') {
      return true;
    }
  }
  return false;
}

// The \row words from the reading position on, counted in the raw bytes: more than a table
// can get (some stand in skipped groups), never fewer.
int Reader::rowWordsAhead() {
  if (!m_rowWords) {
    m_rowWords.emplace();
    for (qsizetype at = m_in.indexOf("\\row"); at >= 0; at = m_in.indexOf("\\row", at + 4)) {
      if (at + 4 == m_in.size() || !IsLetter(m_in[at + 4])) m_rowWords->push_back(at);
    }
  }
  const auto next = std::lower_bound(m_rowWords->begin(), m_rowWords->end(), m_pos);
  return static_cast<int>(
      std::min<std::ptrdiff_t>(m_rowWords->end() - next, std::numeric_limits<int>::max()));
}

bool Reader::consumeFallback() {
  if (m_skipCount <= 0) return false;
  --m_skipCount;
  return true;
}

// Control words go to the function for their group; each of those takes its group's
// words only.
void Reader::apply(const Keyword& keyword, bool hasParam, int param) {
  switch (keyword.kind) {
    case Kw::Rtf:
    case Kw::Ignore:
    case Kw::Ud:
    case Kw::NoOp:
    case Kw::Bin: break;
    case Kw::FontTable:
    case Kw::ColorTable:
    case Kw::SkipDest:
    case Kw::ListText:
    case Kw::Upr: openDestination(keyword.kind); break;
    case Kw::Pn:
    case Kw::PnTxtA:
    case Kw::PnTxtB: openNumbering(keyword.kind); break;
    case Kw::Field:
    case Kw::FldInst:
    case Kw::FldRslt: openField(keyword.kind); break;
    case Kw::Ansi:
    case Kw::Mac:
    case Kw::Pc:
    case Kw::Pca:
    case Kw::AnsiCpg:
    case Kw::Deff:
    case Kw::Uc:
    case Kw::U: documentWord(keyword.kind, hasParam, param); break;
    case Kw::F:
    case Kw::FCharset:
    case Kw::Cpg: fontWord(keyword.kind, hasParam, param); break;
    case Kw::Plain:
    case Kw::Bold:
    case Kw::Italic:
    case Kw::Underline:
    case Kw::Strike:
    case Kw::Vertical:
    case Kw::Up:
    case Kw::Dn:
    case Kw::Fs:
    case Kw::Cf:
    case Kw::Bg:
    case Kw::Hidden: characterWord(keyword, hasParam, param); break;
    case Kw::Pard:
    case Kw::Par:
    case Kw::Line:
    case Kw::Tab:
    case Kw::Align:
    case Kw::Li:
    case Kw::Ri:
    case Kw::Fi:
    case Kw::Sb:
    case Kw::Sa:
    case Kw::Outline:
    case Kw::TabType:
    case Kw::Tx:
    case Kw::Ls:
    case Kw::Ilvl: paragraphWord(keyword, hasParam, param); break;
    case Kw::Intbl:
    case Kw::Cell:
    case Kw::Row:
    case Kw::Trowd:
    case Kw::Cellx: tableWord(keyword.kind, hasParam, param); break;
    case Kw::PnLvl:
    case Kw::PnLvlBlt:
    case Kw::PnLvlBody:
    case Kw::PnLvlCont:
    case Kw::PnStyle:
    case Kw::PnF: numberingWord(keyword, hasParam, param); break;
    case Kw::Red:
    case Kw::Green:
    case Kw::Blue: colorWord(keyword.kind, hasParam, param); break;
    case Kw::Char: {
      const auto c = static_cast<char16_t>(keyword.value);
      emitText(QStringView(&c, 1));
      break;
    }
  }
}

void Reader::openDestination(Kw kind) {
  Group& g = top();
  switch (kind) {
    case Kw::FontTable: g.dest = Dest::FontTable; break;
    case Kw::ColorTable:
      g.dest = Dest::ColorTable;
      m_colors.clear();
      m_rgbSet = false;
      m_rgb = {};
      break;
    case Kw::SkipDest: g.dest = Dest::Skip; break;
    case Kw::ListText:
      if (g.dest != Dest::Body) {
        g.dest = Dest::Skip;
        break;
      }
      g.dest = Dest::ListText;
      m_listText.clear();
      break;
    case Kw::Upr:
      g.uprOuter = g.dest;
      g.dest = Dest::Upr;
      break;
    default: break;
  }
}

// {\*\pn} opens in the body only, and its {\pntxta} and {\pntxtb} inside it only.
void Reader::openNumbering(Kw kind) {
  Group& g = top();
  if (kind == Kw::Pn) {
    if (g.dest != Dest::Body) {
      g.dest = Dest::Skip;
      return;
    }
    g.dest = Dest::Pn;
    g.para.pn = PnProps{};
    g.para.pn.on = true;
  } else if (g.dest != Dest::Pn) {
    g.dest = Dest::Skip;
  } else if (kind == Kw::PnTxtA) {
    g.dest = Dest::PnAfter;
    g.para.pn.after.clear();
  } else {
    g.dest = Dest::PnBefore;
    g.para.pn.before.clear();
  }
}

// A field opens in the body, its instruction and its result inside the field. The result
// is read as body text, as a link when the instruction names one.
void Reader::openField(Kw kind) {
  Group& g = top();
  if (g.dest != (kind == Kw::Field ? Dest::Body : Dest::Field)) {
    g.dest = Dest::Skip;
    return;
  }
  if (kind == Kw::Field) {
    g.dest = Dest::Field;
    g.field = static_cast<int>(m_fieldInst.size());
    m_fieldInst.emplace_back();
    return;
  }
  if (kind == Kw::FldInst) {
    g.dest = Dest::FieldInst;
    return;
  }
  g.dest = Dest::Body;
  if (const QString target = HyperlinkTarget(m_fieldInst[static_cast<std::size_t>(g.field)]);
      !target.isEmpty()) {
    g.chr.link = static_cast<int>(m_links.size());
    m_links.push_back(target);
  } else {
    m_lost |= kLostFields;
  }
}

void Reader::documentWord(Kw kind, bool hasParam, int param) {
  switch (kind) {
    case Kw::Ansi: m_fonts.setDocumentCodePage(1252); break;
    case Kw::Mac: m_fonts.setDocumentCodePage(10000); break;
    case Kw::Pc: m_fonts.setDocumentCodePage(437); break;
    case Kw::Pca: m_fonts.setDocumentCodePage(850); break;
    case Kw::AnsiCpg:
      if (hasParam && param > 0) m_fonts.setDocumentCodePage(param);
      break;
    case Kw::Deff:
      if (hasParam) m_fonts.setDefaultFont(param);
      break;
    case Kw::Uc:
      if (hasParam) top().unicodeSkip = std::max(param, 0);
      break;
    case Kw::U:
      if (hasParam) {
        unicodeChar(param);
        m_skipCount = top().unicodeSkip;
      }
      break;
    default: break;
  }
}

// \fN starts an entry in the font table and picks a font elsewhere.
void Reader::fontWord(Kw kind, bool hasParam, int param) {
  Group& g = top();
  if (!hasParam) return;
  if (kind == Kw::F) {
    if (g.dest == Dest::FontTable) startFontEntry(param);
    else g.chr.font = param;
  } else if (g.dest == Dest::FontTable && kind == Kw::FCharset) {
    m_fonts.setEntryCharset(param);
  } else if (g.dest == Dest::FontTable) {
    m_fonts.setEntryCodePage(param);
  }
}

void Reader::characterWord(const Keyword& keyword, bool hasParam, int param) {
  CharProps& chr = top().chr;
  const bool on = IsSwitchedOn(hasParam, param);
  switch (keyword.kind) {
    case Kw::Plain: {
      const int link = chr.link;
      chr = CharProps{};
      chr.link = link;
      break;
    }
    case Kw::Bold: chr.bold = on; break;
    case Kw::Italic: chr.italic = on; break;
    case Kw::Underline:
      chr.underline =
          on ? static_cast<QTextCharFormat::UnderlineStyle>(keyword.value) : QTextCharFormat::NoUnderline;
      break;
    case Kw::Strike: chr.strike = on; break;
    case Kw::Vertical: chr.vertical = static_cast<QTextCharFormat::VerticalAlignment>(keyword.value); break;
    case Kw::Up:
    case Kw::Dn:
      chr.vertical = !on                      ? QTextCharFormat::AlignNormal
                     : keyword.kind == Kw::Up ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript;
      break;
    case Kw::Fs:
      if (hasParam && param > 0) chr.halfPoints = std::min(param, kMaxHalfPoints);
      break;
    case Kw::Cf: chr.foreground = hasParam ? std::max(param, 0) : 0; break;
    case Kw::Bg: chr.background = hasParam ? std::max(param, 0) : 0; break;
    case Kw::Hidden: chr.hidden = on; break;
    default: break;
  }
}

void Reader::paragraphWord(const Keyword& keyword, bool hasParam, int param) {
  Group& g = top();
  ParaProps& para = g.para;
  switch (keyword.kind) {
    case Kw::Pard: para = ParaProps{}; break;
    case Kw::Par:
      if (g.dest == Dest::Body) paragraphEnd();
      break;
    case Kw::Line: emitText(u"\u2028"); break;
    case Kw::Tab: emitText(u"\t"); break;
    case Kw::Align: para.alignment = static_cast<Qt::Alignment>(keyword.value); break;
    case Kw::Li:
      if (hasParam) para.left = ClampTwips(param);
      break;
    case Kw::Ri:
      if (hasParam) para.right = ClampTwips(param);
      break;
    case Kw::Fi:
      if (hasParam) para.firstLine = ClampTwips(param);
      break;
    case Kw::Sb:
      if (hasParam) para.spaceBefore = std::clamp(param, 0, kMaxTwips);
      break;
    case Kw::Sa:
      if (hasParam) para.spaceAfter = std::clamp(param, 0, kMaxTwips);
      break;
    case Kw::Outline: para.outline = hasParam && param >= 0 && param <= 8 ? param : -1; break;
    case Kw::TabType: para.nextTabType = static_cast<QTextOption::TabType>(keyword.value); break;
    case Kw::Tx:
      if (hasParam && param >= 0 && para.tabs.size() < 64) {
        QTextOption::Tab tab(TwipsToPixels(std::min(param, kMaxTwips)), para.nextTabType);
        if (tab.type == QTextOption::DelimiterTab) tab.delimiter = u'.';
        para.tabs.append(tab);
      }
      para.nextTabType = QTextOption::LeftTab;
      break;
    case Kw::Ls: para.list = hasParam && param > 0 ? param : 0; break;
    case Kw::Ilvl: para.listLevel = hasParam ? std::clamp(param, 0, 8) : 0; break;
    default: break;
  }
}

void Reader::tableWord(Kw kind, bool hasParam, int param) {
  Group& g = top();
  switch (kind) {
    case Kw::Intbl: g.para.inTable = IsSwitchedOn(hasParam, param); break;
    case Kw::Cell:
      if (g.dest == Dest::Body) cellEnd();
      break;
    case Kw::Row:
      if (g.dest == Dest::Body) rowEnd();
      break;
    case Kw::Trowd: m_table.startRowDefinition(); break;
    case Kw::Cellx:
      if (hasParam) m_table.addCellEdge(param);
      break;
    default: break;
  }
}

// Words inside {\*\pn}; \pnfN counts wherever it stands.
void Reader::numberingWord(const Keyword& keyword, bool hasParam, int param) {
  Group& g = top();
  PnProps& pn = g.para.pn;
  if (keyword.kind == Kw::PnF) {
    if (hasParam) pn.font = param;
    return;
  }
  if (g.dest != Dest::Pn) return;
  switch (keyword.kind) {
    case Kw::PnLvl:
      if (hasParam) pn.level = std::clamp(param, 1, 9);
      break;
    case Kw::PnLvlBlt: pn.bullet = true; break;
    case Kw::PnLvlBody: pn.bullet = false; break;
    case Kw::PnLvlCont: pn.on = false; break;
    case Kw::PnStyle: pn.style = static_cast<QTextListFormat::Style>(keyword.value); break;
    default: break;
  }
}

void Reader::colorWord(Kw kind, bool hasParam, int param) {
  if (top().dest != Dest::ColorTable || !hasParam) return;
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
  switch (g.dest) {
    case Dest::Body: bodyText(text); break;
    case Dest::FontTable: m_fonts.appendToEntryName(text); break;
    case Dest::ListText: m_listText += text; break;
    case Dest::PnBefore: g.para.pn.before += text; break;
    case Dest::PnAfter: g.para.pn.after += text; break;
    case Dest::FieldInst:
      if (g.field >= 0) m_fieldInst[static_cast<std::size_t>(g.field)] += text;
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

void Reader::bodyText(QStringView text) {
  if (top().chr.hidden) {
    if (!text.isEmpty()) m_lost |= kLostHidden;
    return;
  }
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
      appendToRun(clean);
      clean.clear();
      paragraphEnd();
    } else if ((c < 0x20 && c != u'\t') || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC) {
      // Controls, and the characters QTextDocument reserves for frames and objects.
    } else {
      clean += QChar(c);
    }
  }
  appendToRun(clean);
}

void Reader::appendToRun(QStringView text) {
  if (text.isEmpty()) return;
  openPendingBlock(top().para.inTable);
  const CharProps& props = top().chr;
  if (!m_run.isEmpty() && !(props == m_runProps)) flushRun();
  m_runProps = props;
  m_run += text;
  m_blockHasText = true;
}

void Reader::flushRun() {
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

void Reader::paragraphEnd() {
  flushHighSurrogate();
  openPendingBlock(top().para.inTable);
  flushRun();
  m_breakPending = true;
  m_breakInCell = top().para.inTable;
  m_pendingPara = top().para;
  m_pendingChar = top().chr;
  m_pendingListText = std::exchange(m_listText, {});
}

// \cell ends the cell's last paragraph: after "text\par" that is an empty one.
void Reader::cellEnd() {
  flushHighSurrogate();
  openPendingBlock(true);
  finishBlock(top().para, top().chr, std::exchange(m_listText, {}));
  m_table.endCell();
}

void Reader::rowEnd() {
  if (m_breakPending && m_breakInCell) {
    m_breakPending = false;
    finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
  }
  m_table.endRow();
}

// Makes the block that content of a paragraph in (or out of) a table goes into: the
// next block, the next cell, a new row, a new table or the block after the table.
void Reader::openPendingBlock(bool inTable) {
  if (m_table.needsNewContainer(inTable)) {
    if (m_breakPending) {
      m_breakPending = false;
      finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
    }
    enterContainer(inTable);
    m_blockHasText = false;
    return;
  }
  if (!m_breakPending) return;
  m_breakPending = false;
  finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
  m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
  m_blockHasText = false;
}

void Reader::enterContainer(bool inTable) {
  flushRun();
  if (inTable) m_table.enterCell(rowWordsAhead());
  else m_table.leaveTable();
}

void Reader::finishBlock(const ParaProps& para, const CharProps& chr, const QString& listText) {
  flushRun();
  const int indent = listIndent(para);
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
  if (!m_blockHasText) {
    // The first block of a table cell carries the cell's own properties (its spans
    // above all) in this format: they stay, or the table would lose its merged cells.
    QTextCharFormat blockChar = charFormat(chr);
    const QMap<int, QVariant> old = m_cursor.blockCharFormat().properties();
    for (auto it = old.begin(); it != old.end(); ++it) {
      if (it.key() >= QTextFormat::TableCellRowSpan && it.key() <= QTextFormat::TableCellRightBorderBrush)
        blockChar.setProperty(it.key(), it.value());
    }
    m_cursor.setBlockCharFormat(blockChar);
  }
  if (indent == 0) {
    m_pnLists.clear();
    return;
  }
  const QTextListFormat listFmt = listFormat(para, indent, listText);
  QPointer<QTextList>& list = para.list > 0 ? m_lsLists[{para.list, para.listLevel}] : m_pnLists[indent];
  if (para.list == 0 && list && list->format() != listFmt) list = nullptr;
  if (list) list->add(m_cursor.block());
  else list = m_cursor.createList(listFmt);
}

void Reader::finish(const Group& last) {
  flushHighSurrogate();
  if (m_breakPending) {
    // A file's final \par ends its last paragraph; it starts no new, empty one.
    m_breakPending = false;
    finishBlock(m_pendingPara, m_pendingChar, m_pendingListText);
  } else if (!m_table.isBetweenCells()) {
    finishBlock(last.para, last.chr, m_listText);
  }
  m_table.finish();
}

int Reader::listIndent(const ParaProps& p) const {
  if (p.list > 0) return p.listLevel + 1;
  if (!p.pn.on) return 0;
  if (p.pn.level > 0) return p.pn.level;
  return std::clamp(p.left / kListLevelTwips, 1, 9);
}

QTextListFormat Reader::listFormat(const ParaProps& p, int indent, const QString& listText) const {
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

void Reader::startFontEntry(int id) {
  finishFontEntry();
  m_fonts.startEntry(id);
}

void Reader::finishFontEntry() {
  flushBytes();
  m_formats.clear();
  if (!m_fonts.finishEntry()) m_lost |= kLostFonts;
}

void Reader::finishColor() {
  m_formats.clear();
  if (m_rgbSet) m_colors.emplace_back(QColor(m_rgb[0], m_rgb[1], m_rgb[2]));
  else m_colors.emplace_back(std::nullopt);
  m_rgb = {};
  m_rgbSet = false;
}

int Reader::currentCodePage() {
  const Group& g = top();
  switch (g.dest) {
    case Dest::FontTable: return m_fonts.entryNameCodePage();
    case Dest::PnBefore:
    case Dest::PnAfter: return m_fonts.codePageOf(g.para.pn.font >= 0 ? g.para.pn.font : g.chr.font);
    default: return m_fonts.codePageOf(g.chr.font);
  }
}

std::optional<QColor> Reader::color(int index) const {
  if (index <= 0 || static_cast<std::size_t>(index) >= m_colors.size()) return std::nullopt;
  return m_colors[static_cast<std::size_t>(index)];
}

QTextCharFormat Reader::charFormat(const CharProps& c) const {
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
    Reader reader(bytes, into);
    reader.run(start);
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
