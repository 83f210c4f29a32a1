// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/exact.h"

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <numeric>
#include <utility>

#include "balance/solver.h"
#include "formula/notation.h"

namespace quorvex::balance {
namespace {

// Thrown by the 64-bit arithmetic when a result does not fit; the work is
// then done again with unbounded integers.
struct Overflow {};

constexpr std::int64_t kInt64Min = std::numeric_limits<std::int64_t>::min();

std::int64_t Mul(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_mul_overflow(a, b, &r) || r == kInt64Min) throw Overflow{};
  return r;
}
std::int64_t Sub(std::int64_t a, std::int64_t b) {
  std::int64_t r = 0;
  if (__builtin_sub_overflow(a, b, &r) || r == kInt64Min) throw Overflow{};
  return r;
}
std::int64_t Gcd(std::int64_t a, std::int64_t b) { return std::gcd(a, b); }
bool IsZero(std::int64_t a) { return a == 0; }
int Sign(std::int64_t a) { return (a > 0) - (a < 0); }
std::int64_t Abs(std::int64_t a) { return a < 0 ? -a : a; }
mpz_class ToBig(std::int64_t a) { return mpz_class(static_cast<long>(a)); }

mpz_class Mul(const mpz_class& a, const mpz_class& b) { return a * b; }
mpz_class Sub(const mpz_class& a, const mpz_class& b) { return a - b; }
mpz_class Gcd(const mpz_class& a, const mpz_class& b) {
  mpz_class g;
  mpz_gcd(g.get_mpz_t(), a.get_mpz_t(), b.get_mpz_t());
  return g;
}
bool IsZero(const mpz_class& a) { return sgn(a) == 0; }
int Sign(const mpz_class& a) { return sgn(a); }
mpz_class Abs(const mpz_class& a) { return abs(a); }
mpz_class ToBig(const mpz_class& a) { return a; }

// A matrix in row echelon form as the elimination leaves it: row i < rank
// has its pivot in column pivotColumn[i].
template <class Int>
struct Echelon {
  int rows = 0;
  int cols = 0;
  std::vector<Int> a;
  std::vector<int> pivotColumn;
  int rank = 0;

  Int& at(int r, int c) { return a[static_cast<std::size_t>(r) * cols + c]; }
  const Int& at(int r, int c) const { return a[static_cast<std::size_t>(r) * cols + c]; }
  // Divides row r by the gcd of its entries.
  void reduceRow(int r) {
    Int g(0);
    for (int c = 0; c < cols; ++c) g = Gcd(g, at(r, c));
    if (IsZero(g) || g == 1) return;
    for (int c = 0; c < cols; ++c) at(r, c) /= g;
  }
  // The row from `rank` down with the smallest non-zero entry in column c; -1 when none.
  int pivotRow(int c) const {
    int p = -1;
    for (int i = rank; i < rows; ++i) {
      if (!IsZero(at(i, c)) && (p < 0 || Abs(at(i, c)) < Abs(at(p, c)))) p = i;
    }
    return p;
  }
  // Clears column c in every row but the pivot row `rank`.
  void clearColumn(int c) {
    for (int i = 0; i < rows; ++i) {
      if (i == rank || IsZero(at(i, c))) continue;
      const Int g = Gcd(at(rank, c), at(i, c));
      const Int fr = at(rank, c) / g;
      const Int fi = at(i, c) / g;
      for (int j = 0; j < cols; ++j) at(i, j) = Sub(Mul(at(i, j), fr), Mul(at(rank, j), fi));
      reduceRow(i);
    }
  }
  // Which columns hold a pivot.
  std::vector<bool> pivotMask() const {
    std::vector<bool> pivot(static_cast<std::size_t>(cols), false);
    for (const int c : pivotColumn) pivot[static_cast<std::size_t>(c)] = true;
    return pivot;
  }
  // The least common multiple of the pivots.
  Int pivotLcm() const {
    Int lcm(1);
    for (int i = 0; i < rank; ++i) {
      const Int p = Abs(at(i, pivotColumn[static_cast<std::size_t>(i)]));
      lcm = Mul(lcm / Gcd(lcm, p), p);
    }
    return lcm;
  }
};

// Fraction-free Gauss-Jordan elimination of rows 1..n, columns 1..S of `m`,
// each row kept in lowest terms.
template <class Int>
Echelon<Int> Eliminate(const formula::CompositionMatrix& m) {
  Echelon<Int> e;
  e.rows = m.n;
  e.cols = m.S;
  e.a.resize(static_cast<std::size_t>(e.rows) * e.cols);
  for (int r = 0; r < e.rows; ++r) {
    for (int c = 0; c < e.cols; ++c) e.at(r, c) = Int(static_cast<long>(m.a[r + 1][c + 1]));
  }
  for (int c = 0; c < e.cols && e.rank < e.rows; ++c) {
    const int p = e.pivotRow(c);
    if (p < 0) continue;
    for (int j = 0; j < e.cols; ++j) std::swap(e.at(p, j), e.at(e.rank, j));
    e.reduceRow(e.rank);
    e.clearColumn(c);
    e.pivotColumn.push_back(c);
    ++e.rank;
  }
  return e;
}

// One balance for each free column: that column takes the least common
// multiple of the pivots, the other free columns 0.
template <class Int>
void AppendBasis(const Echelon<Int>& e, std::vector<std::vector<mpz_class>>& basis) {
  const std::vector<bool> pivot = e.pivotMask();
  const Int lcm = e.pivotLcm();
  for (int f = 0; f < e.cols; ++f) {
    if (pivot[static_cast<std::size_t>(f)]) continue;
    std::vector<mpz_class> x(static_cast<std::size_t>(e.cols));
    x[static_cast<std::size_t>(f)] = ToBig(lcm);
    for (int i = 0; i < e.rank; ++i) {
      const int c = e.pivotColumn[static_cast<std::size_t>(i)];
      x[static_cast<std::size_t>(c)] = -ToBig(e.at(i, f)) * ToBig(lcm / e.at(i, c));
    }
    mpz_class g(0);
    for (const mpz_class& v : x) g = Gcd(g, v);
    for (mpz_class& v : x) v /= g;
    basis.push_back(std::move(x));
  }
}

// True when `x` is to be negated: more negative entries than positive ones,
// or as many and the first non-zero one negative.
template <class Int>
bool MostlyNegative(const std::vector<Int>& x) {
  int positive = 0;
  int negative = 0;
  int first = 0;
  for (const Int& v : x) {
    if (first == 0) first = Sign(v);
    positive += Sign(v) > 0;
    negative += Sign(v) < 0;
  }
  return negative > positive || (negative == positive && first < 0);
}

// The balance of a matrix with one free column, in lowest terms and mostly
// positive: the free column takes the least common multiple of the pivots.
template <class Int>
std::vector<mpz_class> OnlyBalance(const Echelon<Int>& e) {
  const std::vector<bool> isPivot = e.pivotMask();
  int free = 0;
  while (isPivot[static_cast<std::size_t>(free)]) ++free;
  const Int lcm = e.pivotLcm();
  std::vector<Int> x(static_cast<std::size_t>(e.cols), Int(0));
  x[static_cast<std::size_t>(free)] = lcm;
  for (int i = 0; i < e.rank; ++i) {
    const int c = e.pivotColumn[static_cast<std::size_t>(i)];
    x[static_cast<std::size_t>(c)] = Sub(Int(0), Mul(e.at(i, free), lcm / e.at(i, c)));
  }
  Int g(0);
  for (const Int& v : x) g = Gcd(g, v);
  const bool flip = MostlyNegative(x);
  std::vector<mpz_class> balance;
  balance.reserve(x.size());
  for (const Int& v : x) {
    mpz_class big = ToBig(v / g);
    if (flip) big = -big;
    balance.push_back(std::move(big));
  }
  return balance;
}

// The elimination of `m`; then, with `basis`, a balance for each free column
// appended to it, else the solution when there is exactly one.
template <class Int>
ExactSolution SolveWith(const formula::CompositionMatrix& m,
                        std::vector<std::vector<mpz_class>>* basis = nullptr) {
  const Echelon<Int> e = Eliminate<Int>(m);
  ExactSolution solution;
  solution.nullity = e.cols - e.rank;
  if (basis != nullptr) {
    AppendBasis(e, *basis);
  } else if (solution.nullity == 1) {
    solution.balance = OnlyBalance(e);
  }
  return solution;
}

// The non-empty boxes in column order.
std::vector<std::string_view> SpeciesTexts(const formula::BoxTexts& boxes) {
  std::vector<std::string_view> texts;
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& text : *side) {
      if (!text.empty()) texts.push_back(text);
    }
  }
  return texts;
}

std::string JoinSpecies(const std::vector<std::string_view>& species, const std::vector<int>& which) {
  std::string list;
  for (const int j : which) {
    if (!list.empty()) list += ", ";
    list.append(species[static_cast<std::size_t>(j)]);
  }
  return list;
}

// Why only coefficients of 0 conserve everything: an element, or else the
// charge, on one side only.
FailureReason WhyOnlyZero(const formula::BoxTexts& boxes, const formula::ElementNameList& names,
                          const formula::CompositionMatrix& m) {
  // The side is told by the column, not by the sign: a negative charge among
  // the products is positive.
  int reactantColumns = 0;
  for (const std::string& text : boxes.reactants) reactantColumns += text.empty() ? 0 : 1;
  for (int r = 1; r <= m.n; ++r) {
    bool reactant = false;
    bool product = false;
    for (int j = 1; j <= m.S; ++j) {
      if (m.a[r][j] == 0) continue;
      reactant = reactant || j <= reactantColumns;
      product = product || j > reactantColumns;
    }
    if (reactant == product) continue;
    const std::string side = reactant ? "reactants" : "products";
    if (r <= names.count()) {
      return {"none", names.slot(r - 1) + " is found among the " + side + " only."};
    }
    if (r == m.n) return {"none", "Only the " + side + " carry a charge."};
  }
  return {"none", "Only coefficients of 0 conserve every element and the charge."};
}

// Why the floating-point method found no balance although there is exactly
// one: a species with the coefficient 0 or on the other side, a coefficient
// too large, or else the method's precision.
FailureReason WhyNotFound(const formula::BoxTexts& boxes, const std::vector<std::string_view>& species,
                          const std::vector<mpz_class>& balance) {
  std::vector<int> zero;
  std::vector<int> negative;
  for (std::size_t j = 0; j < balance.size(); ++j) {
    const int s = sgn(balance[j]);
    if (s == 0) zero.push_back(static_cast<int>(j));
    if (s < 0) negative.push_back(static_cast<int>(j));
  }
  if (!zero.empty())
    return {"zero", "Every balance gives " + JoinSpecies(species, zero) + " the coefficient 0."};
  if (!negative.empty()) {
    return {"sign", "Every balance needs " + JoinSpecies(species, negative) + " on the other side."};
  }
  mpz_class smallest = balance.front();
  for (const mpz_class& c : balance) smallest = c < smallest ? c : smallest;
  const std::string equation = EquationText(boxes, balance);
  if (smallest > kLargestMultiplier) {
    return {"too-large", "The smallest whole-number balance is " + equation +
                             "; its smallest coefficient is over " + std::to_string(kLargestMultiplier) +
                             "."};
  }
  return {"precision", "The exact balance is " + equation + ", but the floating-point method missed it."};
}

}  // namespace

std::optional<FailureReason> RepeatedSpecies(const formula::BoxTexts& boxes) {
  for (const auto& [side, where] :
       {std::pair{&boxes.reactants, "reactants"}, std::pair{&boxes.products, "products"}}) {
    for (std::size_t i = 0; i < side->size(); ++i) {
      const std::string_view species = formula::WithoutStateSymbol((*side)[i]);
      if (species.empty()) continue;
      for (std::size_t k = 0; k < i; ++k) {
        if (formula::WithoutStateSymbol((*side)[k]) != species) continue;
        return FailureReason{"repeated", std::string(species) + " appears twice among the " + where +
                                             "; write it once, with its coefficient."};
      }
    }
  }
  return std::nullopt;
}

ExactSolution SolveExactly(const formula::CompositionMatrix& m) {
  if (m.S <= 0) return {};
  try {
    return SolveWith<std::int64_t>(m);
  } catch (const Overflow&) {
    return SolveWith<mpz_class>(m);
  }
}

std::vector<std::vector<mpz_class>> BalanceBasis(const formula::CompositionMatrix& m) {
  std::vector<std::vector<mpz_class>> basis;
  if (m.S <= 0) return basis;
  try {
    SolveWith<std::int64_t>(m, &basis);
  } catch (const Overflow&) {
    basis.clear();
    SolveWith<mpz_class>(m, &basis);
  }
  return basis;
}

FailureReason ExplainFailure(const formula::BoxTexts& boxes, const formula::ElementNameList& names,
                             LazyExactSolution& exact) {
  const formula::CompositionMatrix& m = exact.matrix();
  const std::vector<std::string_view> species = SpeciesTexts(boxes);
  if (m.S <= 1) return {"none", "An equation needs at least two species."};
  if (std::optional<FailureReason> repeated = RepeatedSpecies(boxes)) return std::move(*repeated);
  const ExactSolution& solution = exact.get();

  if (solution.nullity == 0) return WhyOnlyZero(boxes, names, m);
  if (solution.nullity > 1) {
    return {"multiple", "It combines " + std::to_string(solution.nullity) +
                            " independent reactions; split it into equations that balance on "
                            "their own."};
  }
  return WhyNotFound(boxes, species, solution.balance);
}

}  // namespace quorvex::balance
