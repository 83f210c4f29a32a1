// SPDX-License-Identifier: GPL-3.0-or-later
// "Calculate": the stoichiometry of the picked equation from the typed amounts.
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "calc/calctable.h"
#include "calc/decimal.h"
#include "core/errors.h"
#include "core/numbertext.h"

namespace quorvex::calc {
namespace {

// Extents and left-overs within this relative difference count as equal; it
// absorbs the rounding of the gram-to-mole steps.
constexpr double kRelativeSlack = 1e-9;

struct Typed {
  int row;
  double value;   // as typed, in the current unit
  double extent;  // moles divided by the coefficient
};

std::string UnitSymbol(Unit unit) { return unit == Unit::Mole ? " mol " : " g "; }

}  // namespace

void CalcTable::calculate(Notifier& notifier, const ShowNumber& show) {
  const auto shown = [&show](const std::string& number) { return show ? show(number) : number; };
  // A refusal leaves no computed amount standing beside what is typed now.
  const auto refuse = [&](const std::string& message) {
    clearComputed();
    notifier.modal(message);
  };
  bool anySpecies = false;
  std::vector<Typed> reactants;
  std::vector<Typed> products;
  for (int i = 1; i <= m_rowCount; ++i) {
    const CalcRow& r = m_rows[static_cast<std::size_t>(i)];
    // A species without a coefficient has no place in the ratios.
    if (r.coefficient <= 0) continue;
    anySpecies = true;
    // What this command computed before is no input to it.
    if (m_amounts[static_cast<std::size_t>(i)] != Amount::Typed) continue;
    const std::string& text = at(kAmountColumn, i);
    const std::optional<double> value = ReadDecimal(text);
    if (!value) throw FloatConvertError(text);
    if (!(*value > 0)) {
      refuse("'" + shown(text) + "' is not a positive amount.");
      return;
    }
    double moles = *value;
    if (m_unit == Unit::Gram) {
      if (r.weight == 0) throw DivisionByZero();
      moles = *value / r.weight;
    }
    if (!std::isfinite(moles)) throw FloatOverflow();
    const Typed typed{i, *value, moles / r.coefficient};
    (r.product ? products : reactants).push_back(typed);
  }
  if (!anySpecies) {
    refuse(std::string(kNoEquationSelected));
    return;
  }
  if (reactants.empty() && products.empty()) {
    refuse(m_unit == Unit::Mole
                       ? "Type an amount (mole) for at least one species, then press Calculate."
                       : "Type a mass (gram) for at least one species, then press Calculate.");
    return;
  }

  // The extent of reaction: how many times the equation as written runs.
  double extent = 0;
  const Typed* limiting = nullptr;
  if (!reactants.empty()) {
    limiting = &reactants.front();
    for (const Typed& t : reactants) {
      if (t.extent < limiting->extent) limiting = &t;
    }
    extent = limiting->extent;
  } else {
    // Products alone: they must all come from one extent.
    double low = products.front().extent;
    double high = low;
    const Typed* lowRow = &products.front();
    const Typed* highRow = lowRow;
    for (const Typed& t : products) {
      if (t.extent < low) {
        low = t.extent;
        lowRow = &t;
      }
      if (t.extent > high) {
        high = t.extent;
        highRow = &t;
      }
    }
    if (high - low > kRelativeSlack * high) {
      const std::string& a = m_rows[static_cast<std::size_t>(lowRow->row)].formula;
      const std::string& b = m_rows[static_cast<std::size_t>(highRow->row)].formula;
      refuse("The amounts typed for " + a + " and " + b +
                     " do not fit the equation: type the amount of one product, or amounts in "
                     "the ratio of their coefficients.");
      return;
    }
    extent = products.front().extent;
  }

  // Every result is worked out before any cell is written, so an overflow
  // leaves the table as it was.
  std::vector<std::pair<int, double>> results;
  for (int i = 1; i <= m_rowCount; ++i) {
    const CalcRow& r = m_rows[static_cast<std::size_t>(i)];
    if (r.coefficient <= 0 || m_amounts[static_cast<std::size_t>(i)] == Amount::Typed) continue;
    const double moles = r.coefficient * extent;
    const double value = m_unit == Unit::Mole ? moles : moles * r.weight;
    if (!std::isfinite(value)) throw FloatOverflow();
    results.emplace_back(i, value);
  }
  for (const auto& [i, value] : results) {
    at(kAmountColumn, i) = NumberText(value);
    m_amounts[static_cast<std::size_t>(i)] = Amount::Computed;
  }

  if (reactants.size() < 2) return;
  std::string message =
      "The limiting reagent is " + m_rows[static_cast<std::size_t>(limiting->row)].formula + ".";
  std::string leftOver;
  bool anyLeft = false;
  for (const Typed& t : reactants) {
    if (&t == limiting) continue;
    const CalcRow& r = m_rows[static_cast<std::size_t>(t.row)];
    const double usedMoles = r.coefficient * extent;
    const double used = m_unit == Unit::Mole ? usedMoles : usedMoles * r.weight;
    double rest = t.value - used;
    // Rounding of the unit steps must not show up as a left-over of 1E-15.
    if (rest <= kRelativeSlack * t.value) rest = 0;
    anyLeft = anyLeft || rest > 0;
    leftOver += leftOver.empty() ? " Left over: " : ", ";
    leftOver += shown(NumberText(rest)) + UnitSymbol(m_unit) + r.formula;
  }
  message += anyLeft ? leftOver + "." : std::string(" Nothing is left over.");
  notifier.modal(message);
}

}  // namespace quorvex::calc
