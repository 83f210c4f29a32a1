// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "formula/composition.h"

namespace quorvex::cli {

// One line of a balance input file.
struct EquationLine {
  enum class Kind { Skip, Equation, Error };
  Kind kind = Kind::Skip;
  formula::BoxTexts boxes;  // for Equation: reactants from Sp1, products from Pr1
  std::string error;        // for Error: the message, which contains "error"
};

// Reads "reactants = products". Species are split at "+" outside square
// brackets and caret charges ("Ba^2+"), trimmed of blanks and written in the
// formula syntax (NormaliseSpecies); empty and "#" lines are skipped.
EquationLine ParseEquationLine(std::string_view line);

}  // namespace quorvex::cli
