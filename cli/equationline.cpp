// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/equationline.h"

#include <vector>

#include "formula/charset.h"
#include "formula/notation.h"

namespace quorvex::cli {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// True when the "+" at `i` ends a charge written with "^" ("Ba^2+", "H^+").
bool EndsCaretCharge(std::string_view s, std::size_t i) {
  while (i > 0 && formula::IsDigit(s[i - 1])) --i;
  return i > 0 && s[i - 1] == '^';
}

// Positions of `sep` that stand outside square brackets and caret charges.
std::vector<std::size_t> SplitPoints(std::string_view s, char sep) {
  std::vector<std::size_t> points;
  int depth = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (sep == '+' && s[i] == '+' && EndsCaretCharge(s, i)) continue;
    if (s[i] == '[') {
      ++depth;
    } else if (s[i] == ']') {
      if (depth > 0) --depth;
    } else if (s[i] == sep && depth == 0) {
      points.push_back(i);
    }
  }
  return points;
}

// Fills one side's boxes; returns an error text or "".
std::string FillSide(std::string_view side, const char* what,
                     std::array<std::string, formula::kBoxesPerSide>& boxes) {
  side = Trim(side);
  if (side.empty()) return {};
  std::size_t from = 0;
  std::size_t box = 0;
  std::vector<std::size_t> cuts = SplitPoints(side, '+');
  cuts.push_back(side.size());
  for (const std::size_t cut : cuts) {
    const std::string_view species = Trim(side.substr(from, cut - from));
    from = cut + 1;
    if (species.empty()) {
      return std::string("Input error - an empty species among the ") + what + ".";
    }
    if (box == boxes.size()) {
      return std::string("Input error - more than 14 ") + what + ".";
    }
    boxes[box++] = formula::NormaliseSpecies(species);
  }
  return {};
}

}  // namespace

EquationLine ParseEquationLine(std::string_view line) {
  EquationLine result;
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == '#') return result;

  const std::vector<std::size_t> equals = SplitPoints(trimmed, '=');
  result.kind = EquationLine::Kind::Error;
  if (equals.empty()) {
    result.error = "Input error - no \"=\" between the reactants and the products.";
    return result;
  }
  if (equals.size() > 1) {
    result.error = "Input error - more than one \"=\" in the line.";
    return result;
  }
  result.error = FillSide(trimmed.substr(0, equals[0]), "reactants", result.boxes.reactants);
  if (result.error.empty()) {
    result.error = FillSide(trimmed.substr(equals[0] + 1), "products", result.boxes.products);
  }
  if (result.error.empty()) result.kind = EquationLine::Kind::Equation;
  return result;
}

}  // namespace quorvex::cli
