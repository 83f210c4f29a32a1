// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A whole equation, or a list of species, typed or pasted into one box.
namespace quorvex::formula {

// The species of a text that holds more than one, in the formula syntax.
struct EquationText {
  // Written with "=" or an arrow: `reactants` is the left side and `products`
  // the right. Otherwise a list of species of the box's own side, in `reactants`.
  bool bothSides = false;
  std::vector<std::string> reactants;
  std::vector<std::string> products;
};

// Reads `text` (UTF-8) when it holds more than one species:
// - a whole equation: "=" or an arrow ("->", "-->", "=>", "<=>", "<->", U+2192,
//   U+27F6, U+21CC, U+21C4, U+2194, U+21D2) between its two sides;
// - a list: species joined by " + " (a blank on each side of the plus) or by commas.
// Within a side, species are cut at " + " when the side holds one, else at
// every "+" outside square brackets and caret charges. Each species is
// trimmed, its blanks dropped and written as FinishedSpecies; a coefficient
// before it stays in front ("2 H2" is "2H2"). Nothing when the text is one
// species ("H[+]", "SO4^2-", "Fe3+"), none ("->", " , ") or two arrows ("A = B = C").
std::optional<EquationText> ReadEquationText(std::string_view text);

// The offsets in a balanced equation text just after each "+" that joins two
// terms (outside square brackets and not ending a caret charge): where a
// displayed line may break besides the blanks around " = ".
std::vector<std::size_t> TermJoins(std::string_view equation);

}  // namespace quorvex::formula
