// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "balance/balancer.h"
#include "core/notifier.h"
#include "formula/composition.h"

namespace quorvex::balance {

// What the coefficients a student typed make of an equation: balanced in
// lowest whole numbers, balanced with whole numbers that share a factor,
// balanced with a fraction among them, not balanced, or not read.
enum class Verdict { Balanced, NotLowest, Fractional, NotBalanced, InputError };

// True for the verdicts whose coefficients balance the equation.
constexpr bool Balances(Verdict verdict) {
  return verdict == Verdict::Balanced || verdict == Verdict::NotLowest || verdict == Verdict::Fractional;
}

struct CheckOutcome {
  Verdict verdict = Verdict::InputError;
  // Balanced: "Balanced." NotLowest: the common factor. Fractional:
  // "Balanced, with fractions." NotBalanced: each
  // element and the charge that differ ("O: left 2, right 1"). InputError:
  // the error text, which contains "error".
  std::string message;
  std::string typed;  // the equation with the typed coefficients, in lowest form of each number
  // NotLowest, Fractional: the equation in lowest whole numbers, its species
  // in the order they were typed. NotBalanced: the correct balance,
  // or "code: sentence" (or the balance's message) when it has none.
  std::string answer;
  bool answerBalances = false;     // NotBalanced: `answer` is a balance, not why there is none
  bool invalidCharacters = false;  // InputError: a box holds a byte it may not
};

// Checks the typed `coefficients` (text in each box's place: "2", "0.5",
// "1/2", "" for 1) of the species in `species`. Atoms and charges are counted
// as the balance counts them, in exact fractions. The correct balance of an
// equation that is not balanced comes from `balancer`, which also puts it (or,
// for a balanced equation, the equation in lowest terms) on its result board;
// a full board refuses as a balance does. Scanner exceptions propagate.
CheckOutcome CheckEquation(const formula::BoxTexts& species, const formula::BoxTexts& coefficients,
                           Balancer& balancer, Notifier& notifier);

}  // namespace quorvex::balance
