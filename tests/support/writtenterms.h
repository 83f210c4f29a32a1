// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "formula/equationtext.h"

namespace quorvex::testing {

// A read line as the tables of written equations write what a line means:
// "coefficient species" terms joined by " + ", the sides by " = ".
inline std::string WrittenTerms(const formula::WrittenEquation& read) {
  std::string text;
  for (const auto* side : {&read.reactants, &read.products}) {
    if (side == &read.products) text += " = ";
    for (std::size_t i = 0; i < side->size(); ++i) {
      if (i > 0) text += " + ";
      if (!(*side)[i].coefficient.empty()) text += (*side)[i].coefficient + " ";
      text += (*side)[i].species;
    }
  }
  return text;
}

}  // namespace quorvex::testing
