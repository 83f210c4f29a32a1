// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gmpxx.h>

#include <optional>
#include <string>
#include <vector>

#include "balance/failurereason.h"
#include "formula/composition.h"

namespace quorvex::balance {

// The balances of a composition matrix in exact integer arithmetic: the
// solutions of rows 1..n over columns 1..S.
struct ExactSolution {
  int nullity = 0;  // how many independent balances
  // With nullity 1: the solution in lowest terms, with more positive entries
  // than negative ones (the first non-zero entry positive on a tie).
  std::vector<mpz_class> balance;
};

// Entries of `m` must be whole numbers (they are 32-bit counts and charges).
ExactSolution SolveExactly(const formula::CompositionMatrix& m);

// Every balance of `m` (rows 1..n, columns 1..S) is a rational combination
// of these, one for each free column, each in lowest terms.
std::vector<std::vector<mpz_class>> BalanceBasis(const formula::CompositionMatrix& m);

// Solves once, when first asked.
class LazyExactSolution {
 public:
  explicit LazyExactSolution(const formula::CompositionMatrix& m) : m_matrix(m) {}
  const formula::CompositionMatrix& matrix() const { return m_matrix; }
  const ExactSolution& get() {
    if (!m_solution) m_solution = SolveExactly(m_matrix);
    return *m_solution;
  }

 private:
  const formula::CompositionMatrix& m_matrix;
  std::optional<ExactSolution> m_solution;
};

// The "repeated" reason when one side names a species twice (its state
// aside), which gives it a balance of its own; none otherwise.
std::optional<FailureReason> RepeatedSpecies(const formula::BoxTexts& boxes);

// The reason a balance of these boxes, whose matrix `exact` was solved from,
// failed. `names` gives the element of each row.
FailureReason ExplainFailure(const formula::BoxTexts& boxes, const formula::ElementNameList& names,
                             LazyExactSolution& exact);

// The boxes' species with exact coefficients (one per non-empty box, reactants
// first) as an equation text: terms joined by "+", " = " between the sides, a
// coefficient of 1 left out.
template <class Number>
std::string EquationText(const formula::BoxTexts& boxes, const std::vector<Number>& coefficients) {
  std::string text;
  std::size_t column = 0;
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    if (side == &boxes.products) text += " = ";
    bool first = true;
    for (const std::string& species : *side) {
      if (species.empty()) continue;
      if (!first) text += '+';
      first = false;
      const Number& c = coefficients[column++];
      if (c != 1) text += c.get_str();
      text += species;
    }
  }
  return text;
}

}  // namespace quorvex::balance
