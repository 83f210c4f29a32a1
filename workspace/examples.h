// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

namespace quorvex::workspace {

inline constexpr int kExampleCases = 5;

// One guided balance: the reactant boxes and the product boxes, each from box 1.
struct BalanceExample {
  std::array<std::string_view, 14> reactants;
  std::array<std::string_view, 14> products;
};

// One guided search: the twelve search boxes (reactant terms 1..6, product
// terms 7..12) and the guidance text it shows.
struct SearchExample {
  std::array<std::string_view, 12> terms;
  std::string_view guidance;
};

// Case number 1..5.
const BalanceExample& BalanceExampleCase(int caseNumber);
const SearchExample& SearchExampleCase(int caseNumber);

inline constexpr std::string_view kBalanceGuidance =
    "Good! Now click \"Balance\" to balance, or click \"Examples\" again for next.";

}  // namespace quorvex::workspace
