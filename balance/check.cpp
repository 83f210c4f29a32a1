// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/check.h"

#include <gmpxx.h>

#include <memory>
#include <tuple>
#include <utility>
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
    fraction =
        text.substr(0, point) + text.substr(point + 1) + "/1" + std::string(text.size() - point - 1, '0');
  }
  const std::size_t slash = fraction.find('/');
  if (slash == 0 || slash + 1 == fraction.size()) return false;
  for (std::size_t i = 0; i < fraction.size(); ++i) {
    if (i != slash && (fraction[i] < '0' || fraction[i] > '9')) return false;
  }
  if (slash != std::string::npos && fraction.find_first_not_of('0', slash + 1) == std::string::npos)
    return false;
  if (value.set_str(fraction, 10) != 0) return false;
  value.canonicalize();
  return sgn(value) > 0;
}

// The typed numbers in column order (reactants, then products) and whether
// each stands among the products; false with the message of the first that
// is not a number greater than 0.
bool ReadTypedCoefficients(const formula::BoxTexts& species, const formula::BoxTexts& coefficients,
                           std::vector<mpq_class>& x, std::vector<bool>& product, std::string& message) {
  for (const auto& [names, typed, isProduct] :
       {std::tuple{&species.reactants, &coefficients.reactants, false},
        std::tuple{&species.products, &coefficients.products, true}}) {
    for (std::size_t i = 0; i < names->size(); ++i) {
      if ((*names)[i].empty()) continue;
      mpq_class value;
      if (!ReadCoefficient((*typed)[i], value)) {
        message = "Input error - the coefficient " + (*typed)[i] + " of " + (*names)[i] +
                  " is not a number greater than 0.";
        return false;
      }
      x.push_back(value);
      product.push_back(isProduct);
    }
  }
  return true;
}

// The element names and the composition matrix of `species` as the balance
// reads them; the input error, or an empty text.
std::string ReadComposition(const formula::BoxTexts& species, formula::ElementNameList& names,
                            formula::CompositionMatrix& m, Notifier& notifier) {
  std::string pending;
  const formula::SpeciesList read = formula::ReadSpecies(species);
  // The name list and the scanner write nothing but input errors.
  names.GetTotalElement(read, pending);
  if (pending.empty() && names.count() > formula::kMaxElements) {
    pending = "Input error - more than 48 elements in the equation.";
  }
  if (pending.empty()) {
    DistinctNotifier once(notifier);
    formula::Scanner scanner(pending, once);
    formula::FillMatrix(read, names, scanner, m);
  }
  if (pending.empty()) pending = NoElementError(read, m);
  return pending;
}

// Each element, then the charge, whose two sides differ under the
// coefficients `x` ("O: left 2, right 1; charge: left 0, right -1"); empty
// when every one is conserved.
std::string Differences(const formula::CompositionMatrix& m, const formula::ElementNameList& names,
                        const std::vector<mpq_class>& x, const std::vector<bool>& product) {
  // Each element row, then the charge row (the last one).
  std::string differences;
  for (int r = 1; r <= m.n; ++r) {
    if (r == m.n - 1) continue;  // the zero row
    mpq_class left = 0;
    mpq_class right = 0;
    for (int j = 1; j <= m.S; ++j) {
      // A scaled column counts `scale` formulas.
      mpq_class count(static_cast<long>(m.a[r][j]),
                      static_cast<unsigned long>(m.scale[static_cast<std::size_t>(j)]));
      count.canonicalize();
      if (product[j - 1]) {
        right -= count * x[j - 1];
      } else {
        left += count * x[j - 1];
      }
    }
    if (left == right) continue;
    if (!differences.empty()) differences += "; ";
    differences += (r == m.n ? std::string("charge") : names.slot(r - 1)) + ": left " + left.get_str() +
                   ", right " + right.get_str();
  }
  return differences;
}

// Fills in the verdict on coefficients that do not balance, with the correct
// balance from `balancer` as the answer, or why there is none.
void JudgeNotBalanced(CheckOutcome& outcome, const std::string& differences, const formula::BoxTexts& species,
                      Balancer& balancer) {
  outcome.verdict = Verdict::NotBalanced;
  outcome.message = "Not balanced: " + differences + ".";
  if (balancer.balance(species) == Balancer::Run::Refused) return;
  outcome.answerBalances = FoundBalance(balancer.outcome());
  if (balancer.outcome() == BalanceOutcome::Balanced) {
    outcome.answer = balancer.board().record(balancer.board().count()).equation;
  } else if (balancer.outcome() == BalanceOutcome::DisplayFull) {
    outcome.answer = BalancedEquationText(species, balancer.coefficients());
  } else {
    const std::string& said = balancer.pendingMessage();
    outcome.answer = balancer.failureReason().code.empty() ? said : balancer.failureReason().text();
  }
}

// The common factor of positive fractions in lowest terms: the gcd of the
// numerators over the lcm of the denominators.
mpq_class CommonFactor(const std::vector<mpq_class>& x) {
  mpz_class top = 0;
  mpz_class bottom = 1;
  for (const mpq_class& c : x) {
    mpz_gcd(top.get_mpz_t(), top.get_mpz_t(), c.get_num().get_mpz_t());
    mpz_lcm(bottom.get_mpz_t(), bottom.get_mpz_t(), c.get_den().get_mpz_t());
  }
  mpq_class factor(top, bottom);
  factor.canonicalize();
  return factor;
}

// Fills in the verdict on coefficients that balance and puts the equation in
// lowest terms on the result board, unless it is full.
void JudgeBalanced(CheckOutcome& outcome, const std::vector<mpq_class>& x, const formula::BoxTexts& species,
                   Balancer& balancer, Notifier& notifier) {
  const mpq_class factor = CommonFactor(x);
  std::vector<mpq_class> reduced;
  reduced.reserve(x.size());
  for (const mpq_class& c : x) reduced.push_back(c / factor);
  const std::string lowest = EquationText(species, reduced);
  bool whole = true;
  for (const mpq_class& c : x) whole = whole && c.get_den() == 1;
  if (factor == 1) {
    outcome.verdict = Verdict::Balanced;
    outcome.message = "Balanced.";
  } else if (!whole) {
    // A fraction is no shared factor: the student wrote a balance, in other numbers.
    outcome.verdict = Verdict::Fractional;
    outcome.message = "Balanced, with fractions.";
    outcome.answer = lowest;
  } else {
    outcome.verdict = Verdict::NotLowest;
    outcome.message =
        "Balanced, but not in lowest terms: the coefficients share the factor " + factor.get_str() + ".";
    outcome.answer = lowest;
  }
  if (balancer.board().isFull()) {
    notifier.modal(kBoardFull);
  } else {
    balancer.board().append(lowest);
  }
}

}  // namespace

CheckOutcome CheckEquation(const formula::BoxTexts& species, const formula::BoxTexts& coefficients,
                           Balancer& balancer, Notifier& notifier) {
  CheckOutcome outcome;
  std::vector<mpq_class> x;
  std::vector<bool> product;
  if (!ReadTypedCoefficients(species, coefficients, x, product, outcome.message)) return outcome;

  formula::ElementNameList names;
  auto m = std::make_unique<formula::CompositionMatrix>();
  std::string pending = ReadComposition(species, names, *m, notifier);
  outcome.invalidCharacters = names.invalidCharacters();
  if (!pending.empty()) {
    outcome.message = std::move(pending);
    return outcome;
  }
  outcome.typed = EquationText(species, x);

  const std::string differences = Differences(*m, names, x, product);
  if (!differences.empty()) {
    JudgeNotBalanced(outcome, differences, species, balancer);
  } else {
    JudgeBalanced(outcome, x, species, balancer, notifier);
  }
  return outcome;
}

}  // namespace quorvex::balance
