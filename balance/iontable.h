// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string_view>

namespace quorvex::balance {

// A row of the common-ion table (data/ions.tsv, built into the program).
struct CommonIon {
  std::string_view formula;  // in the formula syntax, its charge in square brackets: "SO4[2-]"
  std::string_view name;     // "sulfate"
};

// Every row, sorted by formula.
std::span<const CommonIon> CommonIons();

// True when `formula` is a row's formula, byte for byte.
bool IsCommonIon(std::string_view formula);

}  // namespace quorvex::balance
