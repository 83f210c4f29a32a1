// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/check.h"

#include <gmpxx.h>

#include <memory>
#include <tuple>
#include <vector>

#include "balance/exact.h"

namespace quorvex::balance {
namespace {

// The value of a typed coefficient, or nothing for a text that is not a
// number greater than 0.
bool ReadCoefficient(const std::string& text, mpq_class& value) {
  if (text.empty()) {
    value = 1;
    return true;
  }
  const std::size_t point = text.find('.');
  std::string fraction = text;
  if (point != std::string::npos) {
    // "0.25" is 25/100.
    fraction = text.substr(0, point) + text.substr(point + 1) + "/1" + std::string(text.size() - point - 1, '0');
  }
  const std::size_t slash = fraction.find('/');
  if (slash == 0 || slash + 1 == fraction.size()) return false;
  for (std::size_t i = 0; i < fraction.size(); ++i) {
    if (i != slash && (fraction[i] < '0' || fraction[i] > '9')) return false;
  }
  if (slash != std::string::npos && fraction.find_first_not_of('0', slash + 1) == std::string::npos) return false;
  if (value.set_str(fraction, 10) != 0) return false;
  value.canonicalize();
  return sgn(value) > 0;
}

}  // namespace

CheckOutcome CheckEquation(const formula::BoxTexts& species, const formula::BoxTexts& coefficients,
                           Balancer& balancer, Notifier& notifier) {
  CheckOutcome outcome;
  // The typed numbers in column order: reactants, then products.
  std::vector<mpq_class> x;
  std::vector<bool> product;
  for (const auto& [names, typed, isProduct] :
       {std::tuple{&species.reactants, &coefficients.reactants, false},
        std::tuple{&species.products, &coefficients.products, true}}) {
    for (std::size_t i = 0; i < names->size(); ++i) {
      if ((*names)[i].empty()) continue;
      mpq_class value;
      if (!ReadCoefficient((*typed)[i], value)) {
        outcome.message = "Input error - the coefficient " + (*typed)[i] + " of " + (*names)[i] +
                          " is not a number greater than 0.";
        return outcome;
      }
      x.push_back(value);
      product.push_back(isProduct);
    }
  }

  std::string pending;
  formula::ElementNameList names;
  const formula::SpeciesList read = formula::ReadSpecies(species);
  // The name list and the scanner write nothing but input errors.
  names.GetTotalElement(read, pending);
  outcome.invalidCharacters = names.invalidCharacters();
  if (pending.empty() && names.count() > formula::kMaxElements) {
    pending = "Input error - more than 48 elements in the equation.";
  }
  auto m = std::make_unique<formula::CompositionMatrix>();
  if (pending.empty()) {
    DistinctNotifier once(notifier);
    formula::Scanner scanner(pending, once);
    formula::FillMatrix(read, names, scanner, *m);
  }
  if (!pending.empty()) {
    outcome.message = pending;
    return outcome;
  }
  outcome.typed = EquationText(species, x);

  // Each element row, then the charge row (the last one).
  std::string differences;
  for (int r = 1; r <= m->n; ++r) {
    if (r == m->n - 1) continue;  // the zero row
    mpq_class left = 0;
    mpq_class right = 0;
    for (int j = 1; j <= m->S; ++j) {
      const mpq_class count(static_cast<long>(m->a[r][j]));
      if (product[j - 1]) {
        right -= count * x[j - 1];
      } else {
        left += count * x[j - 1];
      }
    }
    if (left == right) continue;
    if (!differences.empty()) differences += "; ";
    differences += (r == m->n ? std::string("charge") : names.slot(r - 1)) + ": left " + left.get_str() +
                   ", right " + right.get_str();
  }

  if (!differences.empty()) {
    outcome.verdict = Verdict::NotBalanced;
    outcome.message = "Not balanced: " + differences + ".";
    if (balancer.balance(species) == Balancer::Run::Refused) return outcome;
    outcome.answerBalances = FoundBalance(balancer.outcome());
    if (balancer.outcome() == BalanceOutcome::Balanced) {
      outcome.answer = balancer.board().record(balancer.board().count()).equation;
    } else if (balancer.outcome() == BalanceOutcome::DisplayFull) {
      outcome.answer = BalancedEquationText(species, balancer.coefficients());
    } else {
      const std::string& said = balancer.pendingMessage();
      outcome.answer = balancer.failureReason().code.empty() ? said : balancer.failureReason().text();
    }
    return outcome;
  }

  // The common factor of positive fractions in lowest terms: the gcd of the
  // numerators over the lcm of the denominators.
  mpz_class top = 0;
  mpz_class bottom = 1;
  for (const mpq_class& c : x) {
    mpz_gcd(top.get_mpz_t(), top.get_mpz_t(), c.get_num().get_mpz_t());
    mpz_lcm(bottom.get_mpz_t(), bottom.get_mpz_t(), c.get_den().get_mpz_t());
  }
  mpq_class factor(top, bottom);
  factor.canonicalize();
  std::vector<mpq_class> reduced;
  for (const mpq_class& c : x) reduced.push_back(c / factor);
  const std::string lowest = EquationText(species, reduced);
  if (factor == 1) {
    outcome.verdict = Verdict::Balanced;
    outcome.message = "Balanced.";
  } else {
    outcome.verdict = Verdict::NotLowest;
    outcome.message = "Balanced, but not in lowest terms: the coefficients share the factor " + factor.get_str() + ".";
    outcome.answer = lowest;
  }
  if (balancer.board().isFull()) {
    notifier.modal(kBoardFull);
  } else {
    balancer.board().append(lowest);
  }
  return outcome;
}

}  // namespace quorvex::balance
