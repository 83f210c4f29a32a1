// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/solver.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "balance/exact.h"

namespace quorvex::balance {
namespace {

// e^-12 and e^-10.
const double kPivotThreshold = std::exp(-12.0);
const double kSmallnessThreshold = std::exp(-10.0);
constexpr double kWholeTolerance = 1e-6;
// Coefficients above 2^53 are not exact doubles, so they cannot be checked.
constexpr double kLargestExactWhole = 9007199254740992.0;
__extension__ using Int128 = __int128;

// True when t times every coefficient is within the whole-number tolerance.
bool WholeAt(int t, const CoefficientVector& x, int S) {
  for (int j = 1; j <= S; ++j) {
    const double v = t * x[j];
    if (std::fabs(std::round(v) - v) > kWholeTolerance) return false;
  }
  return true;
}

// The first multiplier in [first, kLargestMultiplier] that makes x whole, or
// 0, trying each in turn.
int SearchEveryMultiplier(int first, const CoefficientVector& x, int S) {
  for (int t = first; t <= kLargestMultiplier; ++t) {
    if (WholeAt(t, x, S)) return t;
  }
  return 0;
}

// The same answer from the exact solution u (with u(k) = x(k) = 1) when x is
// provably close to it: a multiplier t that is not a multiple of the
// denominator V of u leaves some t*u(j) at least 1/V from a whole number,
// and t*x(j) as computed differs from t*u(j) by at most the deviation below,
// so only multiples of V can pass. Otherwise every multiplier is tried.
int SearchMultiplesOfTheExactDenominator(int first, const CoefficientVector& x, int S,
                                         LazyExactSolution& exact) {
  const ExactSolution& solution = exact.get();
  int k = 0;
  for (int j = 1; j <= S && k == 0; ++j) {
    if (x[j] == 1.0) k = j;
  }
  if (solution.nullity != 1 || static_cast<int>(solution.balance.size()) != S || k == 0 ||
      sgn(solution.balance[static_cast<std::size_t>(k - 1)]) == 0) {
    return SearchEveryMultiplier(first, x, S);
  }
  const mpz_class& vk = solution.balance[static_cast<std::size_t>(k - 1)];
  const mpz_class denominator = abs(vk);
  // Largest |x(j)| and largest |x(j) - u(j)|, exactly.
  mpq_class deviation = 0;
  double largest = 0.0;
  for (int j = 1; j <= S; ++j) {
    if (!std::isfinite(x[j])) return SearchEveryMultiplier(first, x, S);
    largest = std::max(largest, std::fabs(x[j]));
    mpq_class u(solution.balance[static_cast<std::size_t>(j - 1)], vk);
    u.canonicalize();
    const mpq_class d = abs(mpq_class(x[j]) - u);
    if (d > deviation) deviation = d;
  }
  constexpr double kLimit = kLargestMultiplier;
  // Rounding of one product t*x(j) is at most 2^-53 of it; 2^-52 leaves room.
  const double rounding = kLimit * largest * 0x1p-52;
  const double drift = kLimit * deviation.get_d() * (1 + 1e-9);
  const double gap = 1.0 / denominator.get_d();
  if (kLimit * largest >= 0x1p50 || !(gap * (1 - 1e-9) > kWholeTolerance + drift + rounding + 1e-12)) {
    return SearchEveryMultiplier(first, x, S);
  }
  if (denominator > kLargestMultiplier) return 0;
  const int step = static_cast<int>(denominator.get_si());
  for (int t = (first + step - 1) / step * step; t <= kLargestMultiplier; t += step) {
    if (WholeAt(t, x, S)) return t;
  }
  return 0;
}

}  // namespace

std::string_view Solve(formula::CompositionMatrix& m, Notifier& notifier, CoefficientVector& x,
                       LazyExactSolution* exact) {
  auto& a = m.a;
  const int n = m.n;
  const int S = m.S;
  x.fill(0.0);
  std::array<int, formula::kMatrixCapacity + 1> pivotColumn{};

  // Gaussian elimination with complete pivoting on the n x n block; rows
  // below each pivot only.
  int stop = n;
  for (int k = 1; k <= n - 1; ++k) {
    double best = 0.0;
    int p = k;
    int c = k;
    for (int i = k; i <= n; ++i) {
      for (int j = k; j <= n; ++j) {
        if (std::fabs(a[i][j]) > best) {
          best = std::fabs(a[i][j]);
          p = i;
          c = j;
        }
      }
    }
    pivotColumn[k] = c;
    if (best < kPivotThreshold) {
      stop = k;
      break;
    }
    if (c != k) {
      for (int i = 1; i <= n; ++i) std::swap(a[i][c], a[i][k]);
    }
    if (p != k) {
      for (int j = k; j <= n; ++j) std::swap(a[p][j], a[k][j]);
    }
    const double pivot = a[k][k];
    for (int j = k; j <= n; ++j) a[k][j] /= pivot;
    for (int i = k + 1; i <= n; ++i) {
      const double f = a[i][k];
      for (int j = k; j <= n; ++j) a[i][j] -= f * a[k][j];
    }
  }

  // Exactly S-1 pivots among S species: the solutions form one line.
  if (stop != S) return kFailed;

  // The column left at position S was never a pivot: it is the free one.
  if (std::fabs(a[S][S]) < kPivotThreshold) x[S] = 1.0;
  for (int i = S - 1; i >= 1; --i) {
    double sum = 0.0;
    for (int j = i + 1; j <= S; ++j) sum += a[i][j] * x[j];
    x[i] = -sum;
  }
  for (int k = S - 1; k >= 1; --k) {
    if (pivotColumn[k] != k) std::swap(x[k], x[pivotColumn[k]]);
  }

  // Scale by the smallest coefficient (a negative one sticks, and fails below).
  double scale = x[1];
  for (int i = 2; i <= S; ++i) {
    if (std::fabs(x[i]) < scale) scale = x[i];
  }
  if (std::fabs(scale) < kSmallnessThreshold) scale = 1.0;
  for (int i = 1; i <= S; ++i) x[i] /= scale;

  // The first multiplier that makes every coefficient whole is the smallest
  // coefficient of the solution in lowest terms.
  int found = 0;
  if (exact == nullptr) {
    found = SearchEveryMultiplier(1, x, S);
  } else {
    for (int t = 1; t <= kPlainMultipliers && found == 0; ++t) {
      if (WholeAt(t, x, S)) found = t;
    }
    if (found == 0) found = SearchMultiplesOfTheExactDenominator(kPlainMultipliers + 1, x, S, *exact);
  }
  if (found == 0) {
    notifier.modal(kSearchExhausted);
    return kFailed;
  }
  for (int j = 1; j <= S; ++j) x[j] = std::round(found * x[j]);

  for (int j = 1; j <= S; ++j) {
    if (!(x[j] > 0)) return kFailed;
  }
  if (S <= 1) return kFailed;
  return kBalanced;
}

bool ConservesEveryRow(const formula::CompositionMatrix& m, const CoefficientVector& x) {
  for (int j = 1; j <= m.S; ++j) {
    if (!(x[j] >= 1 && x[j] <= kLargestExactWhole) || x[j] != std::floor(x[j])) return false;
  }
  for (int r = 1; r <= m.n; ++r) {
    // Entries are 32-bit counts or charges (negated for products); coefficients
    // are below 2^53, so each product is below 2^85 and 28 of them fit 128 bits.
    Int128 sum = 0;
    for (int j = 1; j <= m.S; ++j) {
      const auto entry = static_cast<long long>(m.a[r][j]);
      const auto coefficient = static_cast<long long>(x[j]);
      sum += static_cast<Int128>(entry) * coefficient;
    }
    if (sum != 0) return false;
  }
  return true;
}

}  // namespace quorvex::balance
