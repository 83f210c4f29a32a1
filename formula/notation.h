// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// The one rewriter of a species text: what people type or paste around a
// formula becomes the formula that is counted. Its steps, and which texts
// take each:
//
//   step                                         Formula  Box  Line
//   1 coefficient typed in front cut off            -      x     x
//   2 state symbol and marks cut off                -      -     x
//   3 notation characters written as formulas       x      x     x
//   4 an electron written as the place expects      -      x     x
//   5 a charge written without brackets             -      -     x
//   6 square brackets around a formula made round   -      -     x
//
// Steps 2, 5 and 6, and a colon read as a hydrate's "*" in step 3, are a
// line's only: what a sign after a formula means depends on how the line's
// other species write theirs, which a box alone cannot say; a box is balanced
// as its student typed it, notation characters aside.
namespace quorvex::formula {

// Where a species text was written, which decides the steps it takes.
enum class Written {
  Formula,  // a formula to weigh, or a box still being typed into
  Box,      // a box of the window as it is balanced
  Line,     // one term of a written equation line
};

// How a written line writes its charges (Written::Line).
struct LineStyle {
  // Another species writes its charge sign first or with repeated signs
  // ("Fe+2", "Ca++"): digits before one sign are then a subscript ("NH4+").
  bool databaseStyle = false;
  // Species are joined by " + " between blanks, or there is one a side: a
  // sign written first ("Fe+2") can then only be a charge.
  bool spaced = true;
};

// A species text taken apart before it is rewritten: views into it.
struct TermParts {
  std::string_view coefficient;  // "2", "0.5", "1/2"; empty for none
  std::string_view core;         // the formula as written
  std::string_view state;        // "(aq)", "(s)", "(l)", "(g)" (Written::Line)
};

// A species text as it is counted.
struct Term {
  std::string coefficient;  // as typed; empty for none
  std::string species;      // in the formula syntax, a line's state last
  // Not empty when a line's term reads two ways; it names both readings and
  // contains "error". `species` is then the core with only steps 3 and 4 taken.
  std::string error;
  // A line's term that reads two ways: both readings as the error names them,
  // the state left out ("SO42-": "SO42[-]", then "SO4[2-]"); empty otherwise.
  std::array<std::string, 2> readings;
};

// The one rewriter: steps 1 to 6 as `written` takes them. Bytes it does not
// rewrite are kept in their order, other bytes outside printable ASCII
// included (the balance reports those). Steps 3 to 6 taken again on the
// species it gave change nothing more (square brackets that do not pair aside).
Term ReadTerm(std::string_view text, Written written, LineStyle style = {});

// Steps 1 and 2 alone: the parts of `text`. ReadTerm is RewriteParts of
// SplitTerm; a line's reader splits every term before it knows its style.
TermParts SplitTerm(std::string_view text, Written written);
// Steps 3 to 6 on the parts SplitTerm gave.
Term RewriteParts(const TermParts& parts, Written written, LineStyle style = {});

// The length of a coefficient at the start of `text` (step 1): digits with an
// optional ".digits" or "/digits" (or ".digits" alone), when blanks and then a
// formula (a letter, "(" or "[") follow; 0 when there is none.
std::size_t CoefficientLength(std::string_view text);

// True when a line's core writes its charge as databases do: sign first
// ("Fe+2") or repeated ("Ca++", "SO4--").
bool WritesDatabaseCharge(std::string_view core, bool spaced);

// What a box shows while it is typed into: `text` with its notation
// characters written as formulas (step 3) when it is one species; any other
// text (an equation, a list, anything after a first species) unchanged.
// Never drops a species or reorders one.
std::string TextWhileTyping(std::string_view text);

// A line with each species' notation characters written as formulas where it
// stands (step 3), and what lies between species (blanks, "+", commas,
// arrows) kept: an equation as the calculator cuts it into species.
std::string WithSpeciesRewritten(std::string_view line);

// `text` with the minus sign U+2212 and the en dash U+2013 written "-"; with
// `macron`, the macron U+00AF too.
std::string WithoutDashes(std::string_view text, bool macron = false);

// What to write instead of a common slip in `species`, as a sentence naming
// it ("Fe[+3]: write the charge as [3+]."); "" when there is none.
std::string SlipHint(std::string_view species);

// The species text without a state symbol "(s)", "(l)", "(g)" or "(aq)" at
// its end; the symbol counts for nothing in the composition.
std::string_view WithoutStateSymbol(std::string_view species);

}  // namespace quorvex::formula
