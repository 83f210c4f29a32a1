// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A whole equation, or a list of species, as people write it: in one box of
// the window or on one line of a file.
namespace quorvex::formula {

inline constexpr std::size_t kPlainTermsPerSide = 14;

// One species of a written equation: the coefficient typed in front of it
// ("2", "0.5", "1/2"; "" for none) and the species in the formula syntax.
struct WrittenTerm {
  std::string coefficient;
  std::string species;
  friend bool operator==(const WrittenTerm&, const WrittenTerm&) = default;
};

// A term of a written line that reads two ways ("SO42-": SO42[-] or SO4[2-]).
struct TwoWayTerm {
  std::size_t side = 0;                 // 0 for the reactants (and a List's species), 1 for the products
  std::size_t index = 0;                // its place among them
  std::string written;                  // as written, notation characters rewritten: "SO42-"
  std::array<std::string, 2> readings;  // as the error names them, the state left out
  std::string state;                    // "(aq)" and the like, written after either reading
  // The term's species read the way `readings[way]` says.
  std::string species(std::size_t way) const { return readings[way] + state; }
};

// What a written line reads as.
struct WrittenEquation {
  enum class Kind {
    Equation,  // two sides: an arrow or "=" between them
    List,      // no arrow, but species joined by " + " or commas
    Single,    // one species, or nothing at all
    Error,     // cannot be read; `error` says why (it contains "error")
  };
  Kind kind = Kind::Single;
  std::vector<WrittenTerm> reactants;  // a List's species are here
  std::vector<WrittenTerm> products;
  std::string error;
  // An Error whose only fault is terms that read two ways: each of them, in
  // the line's order (`error` names the first's readings, as for any caller
  // that cannot decide); every other term is read in `reactants` and
  // `products`, these with an empty species. `decidedKind` is the line's kind
  // once they are decided. Empty for every other line.
  std::vector<TwoWayTerm> twoWays;
  Kind decidedKind = Kind::Error;
};

// Reads one line (UTF-8). The arrow is "=", "->" (any run of "-" or "=" before
// ">"), "<=>", "<->", ">" or ">>", or one of U+2192, U+27F6, U+21CC, U+21C4, U+2194, U+21D2,
// U+27F7, U+21CB, U+27F9, U+21D4, outside square brackets. Species are cut at commas
// and at "+" signs:
// - a "+" with a blank on each side always joins two species;
// - a "+" (or a run of them) written right after a formula is its charge
//   when the species ends there ("Na+ + Cl-", "Fe+2 + Cl-", "Ca++"): the next
//   thing is the end, a blank, a comma, a state or a digit run ending the
//   species; otherwise its last "+" joins two species ("H2+O2", "Na++Cl-").
// Each term is read by ReadTerm as a Written::Line (formula/notation.h): its
// notation characters, a trailing charge "Cl-", "Fe+2", "SO4--" as a charge
// group, ":" as the hydrate "*", square brackets holding a formula as round
// ones ("K4[Fe(CN)6]"), "e"/"e-" as "e[-]", the marks U+2191 and U+2193
// dropped, a state symbol kept last.
// A species ending in digits and one sign ("Fe3+", "NH4+") reads two ways
// (Fe3[+] or Fe[3+]) and is an error naming both (every such term of the line
// is in `twoWays`, for a caller that decides them), unless the line writes other
// charges sign first or with repeated signs (database style, "Fe+2", "Ca++"),
// where it is the subscript and a charge of 1, or the digits follow a square
// bracket ("[Fe(CN)6]3-"), where they are the charge. A charge written sign
// first ("Fe+2") is one only in a line whose species are joined by " + " with
// blanks (or that has one species a side); elsewhere ("MnO-4+H+") it reads
// two ways too.
WrittenEquation ReadWrittenEquation(std::string_view line);

// One term of a plainly written line: views into the line.
struct PlainTerm {
  std::string_view coefficient;
  std::string_view species;
};
struct PlainEquation {
  std::array<std::array<PlainTerm, kPlainTermsPerSide>, 2> sides;  // reactants, products
  std::array<std::size_t, 2> counts{};
};

// Reads the plain lines most files hold (ASCII letters, digits, "(", ")",
// "*" and blanks; charges only as square brackets of digits and signs; one
// "=" and species joined by "+" before a capital letter or after a blank;
// at most kPlainTermsPerSide a side) without copying them; ReadWrittenEquation
// reads each such line the same way. False for any other line.
bool ReadPlainEquation(std::string_view line, PlainEquation& into);

// True when `line` holds "=" or an arrow outside square brackets.
bool HoldsArrow(std::string_view line);

// Where one species of a line ends and the next begins: an arrow, or a
// comma or a "+" that joins two species (length 1).
struct SpeciesSeparator {
  std::size_t at = 0;
  std::size_t length = 0;
};
// The separators of `line` in order, cut as ReadWrittenEquation cuts it.
std::vector<SpeciesSeparator> SpeciesSeparators(std::string_view line);

// True when `text` has no separator: no arrow, comma or "+" joining species.
bool HoldsOneSpecies(std::string_view text);

// The species of a text that holds more than one, in the formula syntax.
struct EquationText {
  // Written with "=" or an arrow: `reactants` is the left side and `products`
  // the right. Otherwise a list of species of the box's own side, in `reactants`.
  bool bothSides = false;
  std::vector<std::string> reactants;
  std::vector<std::string> products;
  // Not empty when the text holds more than one species but cannot be read;
  // the species lists are then empty.
  std::string error;
};

// ReadWrittenEquation for a box of the window: each species as a box holds it,
// the coefficient in front and an electron as "[-]" (Written::Box). Nothing
// when the text is one species or none; a text without separators is not read.
std::optional<EquationText> ReadEquationText(std::string_view text);
// The same of a line already read (and its terms that read two ways decided).
std::optional<EquationText> EquationTextOf(const WrittenEquation& read);

// The offsets in a balanced equation text just after each "+" that joins two
// terms (outside square brackets and not ending a caret charge): where a
// displayed line may break besides the blanks around " = ".
std::vector<std::size_t> TermJoins(std::string_view equation);

}  // namespace quorvex::formula
