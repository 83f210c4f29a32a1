// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "formula/composition.h"

namespace quorvex::testing {

// Reactants into Sp1, Sp2, ... and products into Pr1, Pr2, ...
inline formula::BoxTexts MakeBoxes(const std::vector<std::string>& reactants,
                                   const std::vector<std::string>& products) {
  formula::BoxTexts b;
  for (std::size_t i = 0; i < reactants.size(); ++i) b.reactants.at(i) = reactants[i];
  for (std::size_t i = 0; i < products.size(); ++i) b.products.at(i) = products[i];
  return b;
}

}  // namespace quorvex::testing
