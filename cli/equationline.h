// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "formula/composition.h"

namespace quorvex::cli {

// One line of an input file of equations.
struct EquationLine {
  enum class Kind { Skip, Equation, Error };
  Kind kind = Kind::Skip;
  formula::BoxTexts boxes;  // for Equation: reactants from Sp1, products from Pr1
  // The coefficient typed before the species in each box ("" for none).
  formula::BoxTexts coefficients;
  std::string error;        // for Error: the message, which contains "error"
  bool anyCoefficient() const;
};

// Reads "reactants = products" as formula::ReadWrittenEquation does; empty
// and "#" lines are skipped.
EquationLine ParseEquationLine(std::string_view line);
// The same into `into`, whose strings keep their storage from line to line.
void ParseEquationLine(std::string_view line, EquationLine& into);

}  // namespace quorvex::cli

namespace quorvex::cli {

// True when a command's operand names no existing file but is written as an
// equation (it holds "=" or an arrow): it is then read as one input line.
bool IsEquationOperand(const std::string& operand);

}  // namespace quorvex::cli
