// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/solver.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace quorvex::balance {
namespace {

// e^-12 and e^-10.
const double kPivotThreshold = std::exp(-12.0);
const double kSmallnessThreshold = std::exp(-10.0);
constexpr double kWholeTolerance = 1e-6;
// Coefficients above 2^53 are not exact doubles, so they cannot be checked.
constexpr double kLargestExactWhole = 9007199254740992.0;
__extension__ using Int128 = __int128;

// |v - round(v)|. Rounding half to even instead of away from zero gives the
// same distance (0.5) on a tie, so adding and taking away 2^52 does it.
// Values from 2^52 up are whole; infinities and NaN give NaN, as round does.
inline double DistanceToWhole(double v) {
  const double a = std::fabs(v);
  if (!(a < 0x1p52)) return a - a;
  return std::fabs(((a + 0x1p52) - 0x1p52) - a);
}

// The whole number nearest to v, half way rounded to even; v itself from 2^52
// up and for infinities and NaN.
inline double NearestWhole(double v) {
  const double a = std::fabs(v);
  if (!(a < 0x1p52)) return v;
  return std::copysign((a + 0x1p52) - 0x1p52, v);
}

// True when t times every coefficient is within the whole-number tolerance.
bool WholeAt(int t, const CoefficientVector& x, int S) {
  for (int j = 1; j <= S; ++j) {
    if (DistanceToWhole(t * x[j]) > kWholeTolerance) return false;
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

__extension__ using U128 = unsigned __int128;
constexpr U128 kNone = ~U128{0};

// The smallest k >= 0 with l <= a*k mod m <= r, or kNone; 0 <= l <= r < m
// and a < m. A Euclid-like descent: when no multiple of a lies in [l, r],
// the number of wraps y past m is the smallest one with m*y mod a in a range.
U128 FirstInRange(U128 a, U128 m, U128 l, U128 r) {
  if (l == 0) return 0;
  if (a == 0) return kNone;
  const U128 k = (l + a - 1) / a;
  if (a * k <= r) return k;
  const U128 y = FirstInRange(m % a, a, (a - r % a) % a, (a - l % a) % a);
  if (y == kNone) return kNone;
  return (l + m * y + a - 1) / a;
}

// A necessary condition for t*v to pass the whole-number test, in integers:
// the fraction of t*v, read as t*P / 2^62, lies within D / 2^62 of a whole
// number. D covers the tolerance, the rounding of t*v as computed and the
// cut of v to 62 fraction bits.
struct Sieve {
  std::uint64_t P = 0;
  std::uint64_t D = 0;
};
constexpr std::uint64_t kSieveModulus = std::uint64_t{1} << 62;

// False for a coefficient whose products pass too often (or always) to be
// worth sieving: whole ones, tiny ones, large ones.
bool MakeSieve(double v, Sieve& sieve) {
  const double a = std::fabs(v);
  if (!(a >= 0x1p-20 && a < 0x1p30)) return false;
  int e = 0;
  const double fraction = std::frexp(v, &e);
  const auto mantissa = static_cast<std::int64_t>(fraction * 0x1p53);  // exact
  const int shift = 62 + e - 53;
  const std::uint64_t scaled = shift >= 0 ? static_cast<std::uint64_t>(mantissa) << shift
                                          : static_cast<std::uint64_t>(mantissa >> -shift);
  sieve.P = scaled & (kSieveModulus - 1);
  if (sieve.P == 0) return false;
  constexpr double kT = kLargestMultiplier;
  const double delta = (kWholeTolerance + kT * a * 0x1p-52 + (kT + 1) * 0x1p-62) * (1 + 1e-9);
  if (delta >= 0.125) return false;
  sieve.D = static_cast<std::uint64_t>(delta * 0x1p62) + 2;
  return true;
}

// The first t >= from, up to kLargestMultiplier, that the sieve lets through; 0 if none.
int NextThrough(const Sieve& s, int from) {
  const U128 m = kSieveModulus;
  const U128 B = (static_cast<U128>(from) * s.P + s.D) % m;
  if (B <= 2 * U128{s.D}) return from;
  const U128 k = FirstInRange(s.P, m, m - B, m - B + 2 * U128{s.D});
  if (k == kNone || k > static_cast<U128>(kLargestMultiplier - from)) return 0;
  return from + static_cast<int>(k);
}

// SearchEveryMultiplier, jumping over the multipliers that some sieve rules
// out; the ones left are tested as before.
int SearchSieved(int first, const CoefficientVector& x, int S) {
  std::array<Sieve, formula::kMatrixCapacity + 1> sieves;
  int count = 0;
  for (int j = 1; j <= S; ++j) {
    if (MakeSieve(x[j], sieves[static_cast<std::size_t>(count)])) ++count;
  }
  if (count == 0) return SearchEveryMultiplier(first, x, S);
  // Many multipliers that pass every sieve and still fail are left to the plain search.
  int budget = 512;
  for (int t = first; t <= kLargestMultiplier;) {
    if (--budget == 0) return SearchEveryMultiplier(t, x, S);
    bool moved = false;
    for (int i = 0; i < count; ++i) {
      const int next = NextThrough(sieves[static_cast<std::size_t>(i)], t);
      if (next == 0) return 0;
      moved = moved || next != t;
      t = next;
    }
    if (moved) continue;
    if (WholeAt(t, x, S)) return t;
    ++t;
  }
  return 0;
}

}  // namespace

int SmallestWholeMultiplier(const CoefficientVector& x, int S) {
  for (int t = 1; t <= kPlainMultipliers; ++t) {
    if (WholeAt(t, x, S)) return t;
  }
  return SearchSieved(kPlainMultipliers + 1, x, S);
}

namespace {

using Matrix = decltype(formula::CompositionMatrix::a);
using RowFlags = std::array<bool, formula::kMatrixCapacity + 1>;
using PivotColumns = std::array<int, formula::kMatrixCapacity + 1>;

// Where the elimination takes its next pivot, and its magnitude.
struct Pivot {
  double best = 0.0;
  int p = 0;
  int c = 0;
};

// The first entry of the largest magnitude among rows k..n and columns
// k..last, in row-by-row order: a row's largest first, without a branch per
// entry, then where it stands.
inline Pivot FindPivot(const Matrix& a, const RowFlags& zero, int k, int n, int last) {
  Pivot pivot{0.0, k, k};
  for (int i = k; i <= n; ++i) {
    if (zero[i]) continue;
    const auto& row = a[i];
    double largest = 0.0;
    for (int j = k; j <= last; ++j) largest = std::max(largest, std::fabs(row[j]));
    if (largest > pivot.best) {
      pivot.best = largest;
      pivot.p = i;
      pivot.c = k;
      while (std::fabs(row[pivot.c]) != largest) ++pivot.c;
    }
  }
  return pivot;
}

// Brings the pivot to (k, k), makes it 1 and takes row k away from the rows below.
inline void EliminateColumn(Matrix& a, RowFlags& zero, int k, int n, int last, const Pivot& at) {
  if (at.c != k) {
    for (int i = 1; i <= n; ++i) std::swap(a[i][at.c], a[i][k]);
  }
  if (at.p != k) {
    for (int j = k; j <= last; ++j) std::swap(a[at.p][j], a[k][j]);
    std::swap(zero[at.p], zero[k]);
  }
  const double pivot = a[k][k];
  for (int j = k; j <= last; ++j) a[k][j] /= pivot;
  for (int i = k + 1; i <= n; ++i) {
    if (zero[i]) continue;
    const double f = a[i][k];
    for (int j = k; j <= last; ++j) a[i][j] -= f * a[k][j];
  }
}

// Gaussian elimination with complete pivoting on the n x n block; rows below
// each pivot only. The step at which no pivot was left (n when every step
// found one); the column each step took in `pivotColumn`.
inline int Triangulate(Matrix& a, int n, int S, PivotColumns& pivotColumn) {
  // A row that starts as zeros (the row after the elements, the charges of
  // an equation without ions) stays zeros: it never holds a pivot, and taking
  // 0 times a pivot row away changes no value in it. It is passed over.
  RowFlags zero;
  // Columns past S hold no species: zeros that stay zeros and stay in place
  // (every pivot column is a species column), so no loop needs them.
  const int last = std::min(n, S);
  for (int i = 1; i <= n; ++i) {
    zero[i] = std::all_of(a[i].begin() + 1, a[i].begin() + last + 1, [](double v) { return v == 0; });
  }
  for (int k = 1; k <= n - 1; ++k) {
    const Pivot at = FindPivot(a, zero, k, n, last);
    pivotColumn[k] = at.c;
    if (at.best < kPivotThreshold) return k;
    EliminateColumn(a, zero, k, n, last, at);
  }
  return n;
}

// The solution of the triangular system with S-1 pivots, the free column
// taking 1, in the columns' original order.
inline void BackSubstitute(const Matrix& a, int S, const PivotColumns& pivotColumn, CoefficientVector& x) {
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
}

// Scales by the smallest coefficient (a negative one sticks, and fails later).
inline void ScaleBySmallest(CoefficientVector& x, int S) {
  double scale = x[1];
  for (int i = 2; i <= S; ++i) {
    if (std::fabs(x[i]) < scale) scale = x[i];
  }
  if (std::fabs(scale) < kSmallnessThreshold) scale = 1.0;
  for (int i = 1; i <= S; ++i) x[i] /= scale;
}

}  // namespace

BalanceOutcome Solve(formula::CompositionMatrix& m, Notifier& notifier, CoefficientVector& x) {
  const int S = m.S;
  x.fill(0.0);
  // Entries 1..stop-1 are written before they are read.
  PivotColumns pivotColumn;
  // Exactly S-1 pivots among S species: the solutions form one line.
  if (Triangulate(m.a, m.n, S, pivotColumn) != S) return BalanceOutcome::Failed;
  BackSubstitute(m.a, S, pivotColumn, x);
  ScaleBySmallest(x, S);

  // The first multiplier that makes every coefficient whole is the smallest
  // coefficient of the solution in lowest terms.
  const int found = SmallestWholeMultiplier(x, S);
  if (found == 0) {
    notifier.modal(kSearchExhausted);
    return BalanceOutcome::Failed;
  }
  // No product is half way between whole numbers (the search passed them all
  // as whole), so rounding half to even rounds as round does.
  for (int j = 1; j <= S; ++j) x[j] = NearestWhole(found * x[j]);

  for (int j = 1; j <= S; ++j) {
    if (!(x[j] > 0)) return BalanceOutcome::Failed;
  }
  if (S <= 1) return BalanceOutcome::Failed;
  return BalanceOutcome::Balanced;
}

bool ConservesEveryRow(const formula::CompositionMatrix& m, const CoefficientVector& x) {
  for (int j = 1; j <= m.S; ++j) {
    if (!(x[j] >= 1 && x[j] <= kLargestExactWhole)) return false;
    if (static_cast<double>(static_cast<long long>(x[j])) != x[j]) return false;
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
