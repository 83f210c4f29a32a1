// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The notations people type or paste around a formula, and the endings that
// describe a species without being part of its formula.
namespace quorvex::formula {

// `text` with the minus sign U+2212 and the en dash U+2013 written "-"; with
// `macron`, the macron U+00AF too.
std::string WithoutDashes(std::string_view text, bool macron = false);

// Rewrites one species text (UTF-8) into the formula syntax:
// - subscript digits U+2080..U+2089 become digits;
// - a run of superscript digits and a superscript sign becomes the charge
//   group ("SO4" U+00B2 U+207B becomes "SO4[2-]"); so does "^" with digits and
//   a sign ("SO4^2-", "e^-");
// - the middle dots U+00B7, U+2022, U+2219 and U+22C5 become "*";
// - a "." followed by a digit or a capital letter becomes "*" (a hydrate part);
// - the minus sign U+2212 and the en dash U+2013 become "-".
// Everything else is kept as it is, other bytes outside printable ASCII
// included: the balance reports those. Applying it twice changes nothing more.
std::string NormaliseSpecies(std::string_view text);

// A species whose text is finished (not one still being typed): NormaliseSpecies,
// and an electron written "e", "e-" or "e[-]" becomes "[-]".
std::string FinishedSpecies(std::string_view text);

// What to write instead of a common slip in `species`, as a sentence naming
// it ("Fe[+3]: write the charge as [3+]."); "" when there is none.
std::string SlipHint(std::string_view species);

// The species text without a state symbol "(s)", "(l)", "(g)" or "(aq)" at
// its end; the symbol counts for nothing in the composition.
std::string_view WithoutStateSymbol(std::string_view species);

// The length of a coefficient typed before a formula: leading digits, blanks
// after them, and then the formula (a letter, "(" or "["); 0 when there is none.
std::size_t TypedCoefficientLength(std::string_view species);

}  // namespace quorvex::formula
