// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// The notations people type or paste around a formula, and the endings that
// describe a species without being part of its formula.
namespace quorvex::formula {

// Rewrites one species text (UTF-8) into the formula syntax:
// - subscript digits U+2080..U+2089 become digits;
// - a run of superscript digits and a superscript sign becomes the charge
//   group ("SO4" U+00B2 U+207B becomes "SO4[2-]"); so does "^" with digits and
//   a sign ("SO4^2-", "e^-");
// - the middle dots U+00B7, U+2022 and U+2219 become "*";
// - a "." followed by a digit or a capital letter becomes "*" (a hydrate part).
// Everything else is kept as it is, other bytes outside printable ASCII
// included: the balance reports those. Applying it twice changes nothing more.
std::string NormaliseSpecies(std::string_view text);

// The species text without a state symbol "(s)", "(l)", "(g)" or "(aq)" at
// its end; the symbol counts for nothing in the composition.
std::string_view WithoutStateSymbol(std::string_view species);

// The length of a coefficient typed before a formula: leading digits, blanks
// after them, and then the formula (a letter, "(" or "["); 0 when there is none.
std::size_t TypedCoefficientLength(std::string_view species);

}  // namespace quorvex::formula
