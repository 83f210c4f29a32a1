// SPDX-License-Identifier: GPL-3.0-or-later
// The control words the reader knows, sorted when compiled for a binary search.
#include "rtf/controlwords.h"

#include <QTextCharFormat>
#include <QTextListFormat>
#include <QTextOption>

#include <algorithm>
#include <array>

namespace quorvex::rtf::detail {
namespace {

// The tables below are grouped by kind, several words a line; the formatter would
// put one a line.
// clang-format off
constexpr std::array<const char*, 13> kLostNames = {
    "pictures", "objects", "drawings", "headers or footers", "footnotes", "comments",
    "hidden text", "equations", "index entries", "parts of unknown kind", "fonts past the 4096th",
    "fields other than links (only their text is kept)", "text after the document's end"};

constexpr int kSingle = QTextCharFormat::SingleUnderline;
constexpr int kDot = QTextCharFormat::DotLine;
constexpr int kDash = QTextCharFormat::DashUnderline;
constexpr int kDashDot = QTextCharFormat::DashDotLine;
constexpr int kDashDotDot = QTextCharFormat::DashDotDotLine;
constexpr int kWave = QTextCharFormat::WaveUnderline;

constexpr Keyword kUnsortedKeywords[] = {
    // Destinations handled.
    {"rtf", Kw::Rtf}, {"fonttbl", Kw::FontTable}, {"colortbl", Kw::ColorTable}, {"pn", Kw::Pn},
    {"pntxta", Kw::PnTxtA}, {"pntxtb", Kw::PnTxtB}, {"field", Kw::Field}, {"fldinst", Kw::FldInst},
    {"fldrslt", Kw::FldRslt}, {"listtext", Kw::ListText}, {"upr", Kw::Upr}, {"ud", Kw::Ud},
    // Kept from being skipped when starred: nested table rows end inside it.
    {"nesttableprops", Kw::Ignore},
    // Character, paragraph and table styles: known words, not destinations.
    {"cs", Kw::NoOp}, {"ds", Kw::NoOp}, {"ts", Kw::NoOp},
    // Destinations skipped whole: metadata, tables of definitions, pictures, objects,
    // headers and notes, and fallbacks for readers that do not know a feature.
    {"aftncn", Kw::SkipDest}, {"aftnsep", Kw::SkipDest}, {"aftnsepc", Kw::SkipDest},
    {"annotation", Kw::SkipDest, kLostComments}, {"atnauthor", Kw::SkipDest}, {"atndate", Kw::SkipDest},
    {"atnicn", Kw::SkipDest}, {"atnid", Kw::SkipDest}, {"atnparent", Kw::SkipDest},
    {"atnref", Kw::SkipDest}, {"atntime", Kw::SkipDest}, {"atrfend", Kw::SkipDest},
    {"atrfstart", Kw::SkipDest}, {"author", Kw::SkipDest}, {"background", Kw::SkipDest},
    {"bkmkend", Kw::SkipDest}, {"bkmkstart", Kw::SkipDest}, {"buptim", Kw::SkipDest},
    {"category", Kw::SkipDest}, {"colorschememapping", Kw::SkipDest}, {"comment", Kw::SkipDest},
    {"company", Kw::SkipDest}, {"creatim", Kw::SkipDest}, {"datafield", Kw::SkipDest},
    {"datastore", Kw::SkipDest}, {"defchp", Kw::SkipDest}, {"defpap", Kw::SkipDest},
    {"do", Kw::SkipDest, kLostDrawings}, {"doccomm", Kw::SkipDest}, {"docvar", Kw::SkipDest},
    {"dptxbxtext", Kw::SkipDest, kLostDrawings}, {"falt", Kw::SkipDest}, {"fchars", Kw::SkipDest},
    {"ffdeftext", Kw::SkipDest}, {"ffentrymcr", Kw::SkipDest}, {"ffexitmcr", Kw::SkipDest},
    {"ffformat", Kw::SkipDest}, {"ffhelptext", Kw::SkipDest}, {"ffl", Kw::SkipDest},
    {"ffname", Kw::SkipDest}, {"ffstattext", Kw::SkipDest}, {"filetbl", Kw::SkipDest},
    {"fname", Kw::SkipDest}, {"footer", Kw::SkipDest, kLostHeaders}, {"footerf", Kw::SkipDest, kLostHeaders},
    {"footerl", Kw::SkipDest, kLostHeaders}, {"footerr", Kw::SkipDest, kLostHeaders}, {"footnote", Kw::SkipDest, kLostNotes},
    {"formfield", Kw::SkipDest}, {"ftncn", Kw::SkipDest}, {"ftnsep", Kw::SkipDest},
    {"ftnsepc", Kw::SkipDest}, {"generator", Kw::SkipDest}, {"header", Kw::SkipDest, kLostHeaders},
    {"headerf", Kw::SkipDest, kLostHeaders}, {"headerl", Kw::SkipDest, kLostHeaders}, {"headerr", Kw::SkipDest, kLostHeaders},
    {"hlinkbase", Kw::SkipDest}, {"htmltag", Kw::SkipDest}, {"info", Kw::SkipDest},
    {"keywords", Kw::SkipDest}, {"latentstyles", Kw::SkipDest}, {"lchars", Kw::SkipDest},
    {"listoverridetable", Kw::SkipDest}, {"listpicture", Kw::SkipDest},
    {"listtable", Kw::SkipDest}, {"manager", Kw::SkipDest}, {"mhtmltag", Kw::SkipDest},
    {"mmath", Kw::SkipDest, kLostEquations}, {"mmathPr", Kw::SkipDest}, {"nonesttables", Kw::SkipDest},
    {"nonshppict", Kw::SkipDest, kLostPictures}, {"objdata", Kw::SkipDest, kLostObjects}, {"object", Kw::SkipDest, kLostObjects},
    {"operator", Kw::SkipDest}, {"panose", Kw::SkipDest}, {"pgdsctbl", Kw::SkipDest},
    {"pict", Kw::SkipDest, kLostPictures}, {"pnseclvl", Kw::SkipDest}, {"pntext", Kw::SkipDest},
    {"printim", Kw::SkipDest}, {"private", Kw::SkipDest}, {"propname", Kw::SkipDest},
    {"protusertbl", Kw::SkipDest}, {"revtbl", Kw::SkipDest}, {"revtim", Kw::SkipDest},
    {"rsidtbl", Kw::SkipDest}, {"shp", Kw::SkipDest, kLostDrawings}, {"shppict", Kw::SkipDest, kLostPictures},
    {"staticval", Kw::SkipDest}, {"stylesheet", Kw::SkipDest}, {"subject", Kw::SkipDest},
    {"tc", Kw::SkipDest, kLostIndex}, {"template", Kw::SkipDest}, {"themedata", Kw::SkipDest},
    {"title", Kw::SkipDest}, {"txe", Kw::SkipDest, kLostIndex}, {"userprops", Kw::SkipDest},
    {"wgrffmtfilter", Kw::SkipDest}, {"xe", Kw::SkipDest, kLostIndex}, {"xmlnstbl", Kw::SkipDest},
    // Document.
    {"ansi", Kw::Ansi}, {"mac", Kw::Mac}, {"pc", Kw::Pc}, {"pca", Kw::Pca},
    {"ansicpg", Kw::AnsiCpg}, {"deff", Kw::Deff}, {"uc", Kw::Uc}, {"u", Kw::U}, {"bin", Kw::Bin},
    // Font table.
    {"f", Kw::F}, {"fcharset", Kw::FCharset}, {"cpg", Kw::Cpg},
    // Characters.
    {"plain", Kw::Plain}, {"b", Kw::Bold}, {"i", Kw::Italic},
    {"ul", Kw::Underline, kSingle}, {"ulw", Kw::Underline, kSingle},
    {"uldb", Kw::Underline, kSingle}, {"ulth", Kw::Underline, kSingle},
    {"uld", Kw::Underline, kDot}, {"ulthd", Kw::Underline, kDot},
    {"uldash", Kw::Underline, kDash}, {"ulthdash", Kw::Underline, kDash},
    {"ulldash", Kw::Underline, kDash}, {"ulthldash", Kw::Underline, kDash},
    {"uldashd", Kw::Underline, kDashDot}, {"ulthdashd", Kw::Underline, kDashDot},
    {"uldashdd", Kw::Underline, kDashDotDot}, {"ulthdashdd", Kw::Underline, kDashDotDot},
    {"ulwave", Kw::Underline, kWave}, {"ulhwave", Kw::Underline, kWave},
    {"ululdbwave", Kw::Underline, kWave}, {"ulnone", Kw::Underline, QTextCharFormat::NoUnderline},
    {"strike", Kw::Strike}, {"striked", Kw::Strike},
    {"sub", Kw::Vertical, QTextCharFormat::AlignSubScript},
    {"super", Kw::Vertical, QTextCharFormat::AlignSuperScript},
    {"nosupersub", Kw::Vertical, QTextCharFormat::AlignNormal},
    {"up", Kw::Up}, {"dn", Kw::Dn}, {"fs", Kw::Fs}, {"cf", Kw::Cf},
    {"highlight", Kw::Bg}, {"chcbpat", Kw::Bg}, {"cb", Kw::Bg}, {"v", Kw::Hidden},
    // Paragraphs.
    {"pard", Kw::Pard}, {"par", Kw::Par}, {"sect", Kw::Par}, {"page", Kw::Par},
    {"column", Kw::Par}, {"line", Kw::Line}, {"tab", Kw::Tab},
    {"ql", Kw::Align, Qt::AlignLeft}, {"qc", Kw::Align, Qt::AlignHCenter},
    {"qr", Kw::Align, Qt::AlignRight}, {"qj", Kw::Align, Qt::AlignJustify},
    {"qd", Kw::Align, Qt::AlignJustify},
    {"li", Kw::Li}, {"lin", Kw::Li}, {"ri", Kw::Ri}, {"rin", Kw::Ri}, {"fi", Kw::Fi},
    {"sb", Kw::Sb}, {"sa", Kw::Sa}, {"outlinelevel", Kw::Outline}, {"tx", Kw::Tx},
    {"tqr", Kw::TabType, QTextOption::RightTab}, {"tqc", Kw::TabType, QTextOption::CenterTab},
    {"tqdec", Kw::TabType, QTextOption::DelimiterTab},
    {"intbl", Kw::Intbl}, {"cell", Kw::Cell}, {"row", Kw::Row},
    // A table inside a cell is read as paragraphs of that cell.
    {"nestcell", Kw::Par}, {"nestrow", Kw::Par}, {"trowd", Kw::Trowd}, {"cellx", Kw::Cellx}, {"ls", Kw::Ls},
    {"ilvl", Kw::Ilvl},
    // Paragraph numbering inside {\*\pn}.
    {"pnlvl", Kw::PnLvl}, {"pnlvlblt", Kw::PnLvlBlt}, {"pnlvlbody", Kw::PnLvlBody},
    {"pnlvlcont", Kw::PnLvlCont}, {"pnf", Kw::PnF},
    {"pndec", Kw::PnStyle, QTextListFormat::ListDecimal},
    {"pnord", Kw::PnStyle, QTextListFormat::ListDecimal},
    {"pncard", Kw::PnStyle, QTextListFormat::ListDecimal},
    {"pnlcltr", Kw::PnStyle, QTextListFormat::ListLowerAlpha},
    {"pnucltr", Kw::PnStyle, QTextListFormat::ListUpperAlpha},
    {"pnlcrm", Kw::PnStyle, QTextListFormat::ListLowerRoman},
    {"pnucrm", Kw::PnStyle, QTextListFormat::ListUpperRoman},
    // Colour table.
    {"red", Kw::Red}, {"green", Kw::Green}, {"blue", Kw::Blue},
    // Characters by name.
    {"emdash", Kw::Char, 0x2014}, {"endash", Kw::Char, 0x2013}, {"lquote", Kw::Char, 0x2018},
    {"rquote", Kw::Char, 0x2019}, {"ldblquote", Kw::Char, 0x201C},
    {"rdblquote", Kw::Char, 0x201D}, {"bullet", Kw::Char, 0x2022},
    {"enspace", Kw::Char, 0x2002}, {"emspace", Kw::Char, 0x2003},
    {"qmspace", Kw::Char, 0x2005}, {"zwbo", Kw::Char, 0x200B}, {"zwnj", Kw::Char, 0x200C},
    {"zwj", Kw::Char, 0x200D}, {"ltrmark", Kw::Char, 0x200E}, {"rtlmark", Kw::Char, 0x200F},
};
// clang-format on

constexpr bool IsNamedBefore(const Keyword& a, const Keyword& b) { return a.name < b.name; }

template <std::size_t N>
constexpr std::array<Keyword, N> SortedKeywords(const Keyword (&unsorted)[N]) {
  std::array<Keyword, N> table{};
  std::copy(std::begin(unsorted), std::end(unsorted), table.begin());
  std::sort(table.begin(), table.end(), IsNamedBefore);
  return table;
}

constexpr auto kKeywords = SortedKeywords(kUnsortedKeywords);
static_assert(std::adjacent_find(kKeywords.begin(), kKeywords.end(),
                                 [](const Keyword& a, const Keyword& b) { return a.name == b.name; }) ==
                  kKeywords.end(),
              "duplicate control word");

}  // namespace

const Keyword* FindKeyword(std::string_view word) {
  const auto it =
      std::lower_bound(kKeywords.begin(), kKeywords.end(), Keyword{word, Kw::Ignore}, IsNamedBefore);
  return it != kKeywords.end() && it->name == word ? &*it : nullptr;
}

Handler HandlerOf(Kw kind) {
  switch (kind) {
    case Kw::FontTable:
    case Kw::ColorTable:
    case Kw::SkipDest:
    case Kw::ListText:
    case Kw::Upr: return Handler::Destination;
    case Kw::Pn:
    case Kw::PnTxtA:
    case Kw::PnTxtB: return Handler::Numbering;
    case Kw::Field:
    case Kw::FldInst:
    case Kw::FldRslt: return Handler::Field;
    case Kw::Ansi:
    case Kw::Mac:
    case Kw::Pc:
    case Kw::Pca:
    case Kw::AnsiCpg:
    case Kw::Deff:
    case Kw::Uc:
    case Kw::U: return Handler::Document;
    case Kw::F:
    case Kw::FCharset:
    case Kw::Cpg: return Handler::Font;
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
    case Kw::Hidden: return Handler::CharacterFormat;
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
    case Kw::Ilvl:
    case Kw::Intbl: return Handler::ParagraphFormat;
    case Kw::Cell:
    case Kw::Row:
    case Kw::Trowd:
    case Kw::Cellx: return Handler::Table;
    case Kw::PnLvl:
    case Kw::PnLvlBlt:
    case Kw::PnLvlBody:
    case Kw::PnLvlCont:
    case Kw::PnStyle:
    case Kw::PnF: return Handler::NumberingFormat;
    case Kw::Red:
    case Kw::Green:
    case Kw::Blue: return Handler::ColorTable;
    case Kw::Char: return Handler::Character;
    default: return Handler::Nothing;
  }
}

bool IsDestination(Kw kind) {
  switch (kind) {
    case Kw::Rtf:
    case Kw::FontTable:
    case Kw::ColorTable:
    case Kw::SkipDest:
    case Kw::Pn:
    case Kw::PnTxtA:
    case Kw::PnTxtB:
    case Kw::Field:
    case Kw::FldInst:
    case Kw::FldRslt:
    case Kw::ListText:
    case Kw::Upr:
    case Kw::Ud:
    case Kw::Ignore: return true;
    default: return false;
  }
}

QStringList LostNames(unsigned lost) {
  QStringList names;
  for (std::size_t i = 0; i < kLostNames.size(); ++i)
    if (lost & (1u << i)) names << QString::fromLatin1(kLostNames[i]);
  return names;
}

}  // namespace quorvex::rtf::detail
