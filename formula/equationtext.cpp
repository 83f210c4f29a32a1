// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/equationtext.h"

#include <algorithm>
#include <array>

#include "formula/charset.h"
#include "formula/notation.h"

namespace quorvex::formula {
namespace {

// Longer arrows before the shorter ones they begin with.
constexpr std::array<std::string_view, 12> kArrows = {
    "<=>", "<->", "-->", "->", "=>", "=", "\u2192", "\u27F6", "\u21CC", "\u21C4", "\u2194", "\u21D2",
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// True when the "+" at `i` ends a charge written with "^" ("Ba^2+", "H^+").
bool EndsCaretCharge(std::string_view s, std::size_t i) {
  while (i > 0 && IsDigit(s[i - 1])) --i;
  return i > 0 && s[i - 1] == '^';
}

// The first arrow in `text`: its offset and length; npos when there is none.
std::pair<std::size_t, std::size_t> FirstArrow(std::string_view text) {
  std::pair<std::size_t, std::size_t> first{std::string_view::npos, 0};
  for (const std::string_view arrow : kArrows) {
    const std::size_t at = text.find(arrow);
    if (at < first.first || (at == first.first && at != std::string_view::npos && arrow.size() > first.second)) {
      first = {at, arrow.size()};
    }
  }
  return first;
}

// The offsets of the "+" signs that join species in `side`.
std::vector<std::size_t> Joins(std::string_view side, bool blankedOnly) {
  std::vector<std::size_t> joins;
  int depth = 0;
  for (std::size_t i = 0; i < side.size(); ++i) {
    const char c = side[i];
    if (c == '[') ++depth;
    if (c == ']' && depth > 0) --depth;
    if (c != '+' || depth > 0) continue;
    if (blankedOnly) {
      if (i > 0 && i + 1 < side.size() && IsBlank(side[i - 1]) && IsBlank(side[i + 1])) joins.push_back(i);
    } else if (i > 0 && i + 1 < side.size() && side[i + 1] != '+' && !EndsCaretCharge(side, i)) {
      // Of "++" the first is a charge ("Na++Cl-").
      joins.push_back(i);
    }
  }
  return joins;
}

bool HasBlankedPlus(std::string_view side) { return !Joins(side, true).empty(); }

// One species as a box holds it: a coefficient kept in front, blanks dropped.
std::string BoxText(std::string_view term) {
  std::size_t digits = 0;
  while (digits < term.size() && (IsDigit(term[digits]) || (digits > 0 && (term[digits] == '.' || term[digits] == '/')))) {
    ++digits;
  }
  std::string coefficient(term.substr(0, digits));
  std::string formula;
  for (const char c : term.substr(digits)) {
    if (!IsBlank(c)) formula += c;
  }
  // Digits without a formula after them are not a coefficient.
  if (formula.empty()) return FinishedSpecies(coefficient);
  return coefficient + FinishedSpecies(formula);
}

// Cuts one side into its species at `joins` (each one byte long) and at commas.
void AppendSpecies(std::string_view side, std::vector<std::string>& into) {
  std::vector<std::size_t> cuts = Joins(side, HasBlankedPlus(side));
  for (std::size_t i = 0; i < side.size(); ++i) {
    if (side[i] == ',') cuts.push_back(i);
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.push_back(side.size());
  std::size_t from = 0;
  for (const std::size_t cut : cuts) {
    std::string_view term = side.substr(from, cut - from);
    from = cut + 1;
    while (!term.empty() && IsBlank(term.front())) term.remove_prefix(1);
    while (!term.empty() && IsBlank(term.back())) term.remove_suffix(1);
    if (!term.empty()) into.push_back(BoxText(term));
  }
}

}  // namespace

std::optional<EquationText> ReadEquationText(std::string_view text) {
  EquationText equation;
  const auto [at, length] = FirstArrow(text);
  if (at != std::string_view::npos) {
    // Two arrows make no one equation: the text stays as typed.
    if (FirstArrow(text.substr(at + length)).first != std::string_view::npos) return std::nullopt;
    equation.bothSides = true;
    AppendSpecies(text.substr(0, at), equation.reactants);
    AppendSpecies(text.substr(at + length), equation.products);
  } else if (HasBlankedPlus(text) || text.find(',') != std::string_view::npos) {
    AppendSpecies(text, equation.reactants);
  }
  // No species at all is nothing to fill the boxes with.
  if (equation.reactants.empty() && equation.products.empty()) return std::nullopt;
  return equation;
}

std::vector<std::size_t> TermJoins(std::string_view equation) {
  std::vector<std::size_t> after = Joins(equation, false);
  for (std::size_t& i : after) ++i;
  // A "+" before a blank needs no break of its own.
  std::erase_if(after, [&](std::size_t i) { return IsBlank(equation[i]); });
  return after;
}

}  // namespace quorvex::formula
