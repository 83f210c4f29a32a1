// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "balance/outcome.h"
#include "core/notifier.h"
#include "formula/composition.h"

namespace quorvex::balance {

inline constexpr std::string_view kSearchExhausted = "Failed to Balance!";  // modal only

inline constexpr int kLargestMultiplier = 100000;

// One coefficient per column, 1-based; index 0 unused.
using CoefficientVector = std::array<double, formula::kMatrixCapacity + 1>;

// Finds the smallest positive whole coefficients of the matrix's columns 1..S.
// Works on `m` in place (the elimination changes it); columns past S must be
// zeros, as FillMatrix leaves them. Returns Balanced or
// Failed; `x` holds the coefficients on success. Shows "Failed to Balance!"
// when no multiplier up to kLargestMultiplier makes the solution whole.
BalanceOutcome Solve(formula::CompositionMatrix& m, Notifier& notifier, CoefficientVector& x);

// The first t in 1..kLargestMultiplier for which every t*x(j), j = 1..S, is
// within 1e-6 of a whole number (t*x(j) computed as a double); 0 if none.
// Past the first kPlainMultipliers, multipliers that cannot pass are skipped.
int SmallestWholeMultiplier(const CoefficientVector& x, int S);

// Multipliers tried one by one before the others are sieved.
inline constexpr int kPlainMultipliers = 64;

// True when the whole coefficients x(1..S) conserve every row of `m` exactly,
// checked in integer arithmetic. Entries of `m` must be whole numbers.
bool ConservesEveryRow(const formula::CompositionMatrix& m, const CoefficientVector& x);

}  // namespace quorvex::balance
