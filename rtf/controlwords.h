// SPDX-License-Identifier: GPL-3.0-or-later
// The control words the RTF reader knows: the kind and value of each, and what skipping a destination loses.
#pragma once

#include <QStringList>

#include <cstdint>
#include <string_view>

namespace quorvex::rtf::detail {

// What a control word does; the reader handles the words of one kind together.
// The kinds stand grouped by what they act on, one group a line.
// clang-format off
enum class Kw : std::uint8_t {
  Rtf, FontTable, ColorTable, SkipDest, Pn, PnTxtA, PnTxtB, Field, FldInst, FldRslt, ListText,
  Upr, Ud, Ignore, NoOp,
  Ansi, Mac, Pc, Pca, AnsiCpg, Deff, Uc, U, Bin,
  F, FCharset, Cpg,
  Plain, Bold, Italic, Underline, Strike, Vertical, Up, Dn, Fs, Cf, Bg, Hidden,
  Pard, Par, Line, Tab, Align, Li, Ri, Fi, Sb, Sa, Outline, Tx, TabType, Intbl, Cell, Row, Trowd, Cellx, Ls, Ilvl,
  PnLvl, PnLvlBlt, PnLvlBody, PnLvlCont, PnStyle, PnF,
  Red, Green, Blue,
  Char,
};
// clang-format on

// Which of the reader's handlers takes the words of a kind.
enum class Handler : std::uint8_t {
  Nothing,
  Destination,      // a destination of its own: font or colour table, list text, \upr
  Numbering,        // {\*\pn} and its parts
  Field,            // {\field} and its parts
  Document,         // code page, default font, Unicode characters
  Font,             // \fN and the font table's words
  CharacterFormat,  // bold, size, colour ...
  ParagraphFormat,  // alignment, indents, tab stops, lists, \par
  Table,            // rows and cells
  NumberingFormat,  // words inside {\*\pn}
  ColorTable,       // \red, \green, \blue
  Character,        // a character by name: \emdash, \bullet ...
};

// A control word, and its value where its kind needs one: an underline style, an
// alignment, a character, or what skipping the destination loses.
struct Keyword {
  std::string_view name;
  Kw kind;
  int value = 0;
};

// What the document loses when a destination is skipped; 0 for metadata and for
// fallbacks of what the reader keeps. Flags, one bit each.
enum Lost : unsigned {
  kLostNothing = 0,
  kLostPictures = 1u << 0,
  kLostObjects = 1u << 1,
  kLostDrawings = 1u << 2,
  kLostHeaders = 1u << 3,
  kLostNotes = 1u << 4,
  kLostComments = 1u << 5,
  kLostHidden = 1u << 6,
  kLostEquations = 1u << 7,
  kLostIndex = 1u << 8,
  kLostUnknown = 1u << 9,
  kLostFonts = 1u << 10,
  kLostFields = 1u << 11,
  kLostTrailing = 1u << 12,
};

// The reader's entry for a control word; nullptr for a word it does not know.
const Keyword* FindKeyword(std::string_view word);

Handler HandlerOf(Kw kind);

// Whether a word of this kind opens a destination the reader handles, so that a \* before
// it does not make the reader skip the group.
bool IsDestination(Kw kind);

// The flags set in `lost`, in words ("pictures", "footnotes", ...), in flag order.
QStringList LostNames(unsigned lost);

}  // namespace quorvex::rtf::detail
