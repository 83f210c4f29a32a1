// SPDX-License-Identifier: GPL-3.0-or-later
// "Calculate": the stoichiometry of the picked equation from the typed amounts.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/calctable.h"
#include "calc/decimal.h"
#include "core/errors.h"
#include "core/numbertext.h"
#include "core/selection.h"

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

// The typed amounts by side, or why the command goes no further.
struct TypedAmounts {
  std::vector<Typed> reactants;
  std::vector<Typed> products;
  std::optional<std::string> refusal;
};

// How many times the equation as written runs, and the reactant that limits
// it (none when only products were typed); or why the amounts have no answer.
struct Extent {
  double runs = 0;
  const Typed* limiting = nullptr;
  std::optional<std::string> refusal;
};

std::string UnitSymbol(Unit unit) { return unit == Unit::Mole ? " mol " : " g "; }

std::string Shown(const ShowNumber& show, const std::string& number) { return show ? show(number) : number; }

// `value` of row `r` in the table's unit as moles. Throws DivisionByZero for
// a mass of a weightless species, FloatOverflow past a double.
double Moles(const CalcRow& r, double value, Unit unit) {
  double moles = value;
  if (unit == Unit::Gram) {
    if (r.weight == 0) throw DivisionByZero();
    moles = value / r.weight;
  }
  if (!std::isfinite(moles)) throw FloatOverflow();
  return moles;
}

// `moles` in the table's unit.
double InUnit(const CalcRow& r, double moles, Unit unit) {
  return unit == Unit::Mole ? moles : moles * r.weight;
}

// Why a table with nothing typed (or no equation) has no answer.
std::string NothingToCalculate(bool anySpecies, Unit unit) {
  if (!anySpecies) return std::string(kNoEquationSelected);
  return unit == Unit::Mole ? "Type an amount (mole) for at least one species, then press Calculate."
                            : "Type a mass (gram) for at least one species, then press Calculate.";
}

// The amounts typed into column 4 of the rows with a coefficient; what this
// command computed before is no input to it. Throws FloatConvertError for a
// text that is no number, and as Moles does.
TypedAmounts ReadTypedAmounts(const CalcTable& table, const ShowNumber& show) {
  TypedAmounts typed;
  bool anySpecies = false;
  for (int i = 1; i <= table.rowCount(); ++i) {
    const CalcRow& r = table.row(i);
    // A species without a coefficient has no place in the ratios.
    if (r.coefficient <= 0) continue;
    anySpecies = true;
    if (table.amount(i) != Amount::Typed) continue;
    const std::string& text = table.cell(kAmountColumn, i);
    const std::optional<double> value = ReadDecimal(text);
    if (!value) throw FloatConvertError(text);
    if (!(*value > 0)) return {{}, {}, "'" + Shown(show, text) + "' is not a positive amount."};
    const Typed amount{i, *value, Moles(r, *value, table.unit()) / r.coefficient};
    (r.product ? typed.products : typed.reactants).push_back(amount);
  }
  if (!anySpecies || (typed.reactants.empty() && typed.products.empty())) {
    typed.refusal = NothingToCalculate(anySpecies, table.unit());
  }
  return typed;
}

// The extent of products typed alone: they must all come from one.
Extent ProductsExtent(const CalcTable& table, const std::vector<Typed>& products) {
  const auto byExtent = [](const Typed& a, const Typed& b) { return a.extent < b.extent; };
  // The first lowest and the first highest name the products that disagree.
  const Typed& low = *std::min_element(products.begin(), products.end(), byExtent);
  const Typed& high = *std::max_element(products.begin(), products.end(), byExtent);
  if (high.extent - low.extent > kRelativeSlack * high.extent) {
    return {0, nullptr,
            "The amounts typed for " + table.row(low.row).formula + " and " + table.row(high.row).formula +
                " do not fit the equation: type the amount of one product, or amounts in "
                "the ratio of their coefficients."};
  }
  return {products.front().extent, nullptr, std::nullopt};
}

// The extent of reaction: the first reactant with the lowest extent limits it.
Extent FindExtent(const CalcTable& table, const TypedAmounts& typed) {
  if (typed.reactants.empty()) return ProductsExtent(table, typed.products);
  const auto limiting = std::min_element(typed.reactants.begin(), typed.reactants.end(),
                                         [](const Typed& a, const Typed& b) { return a.extent < b.extent; });
  return {limiting->extent, &*limiting, std::nullopt};
}

// The amount of every row with a coefficient and no typed amount, by row, in
// the table's unit. Throws FloatOverflow for one past a double.
std::vector<std::pair<int, double>> ComputedAmounts(const CalcTable& table, double runs) {
  std::vector<std::pair<int, double>> results;
  for (int i = 1; i <= table.rowCount(); ++i) {
    const CalcRow& r = table.row(i);
    if (r.coefficient <= 0 || table.amount(i) == Amount::Typed) continue;
    const double value = InUnit(r, r.coefficient * runs, table.unit());
    if (!std::isfinite(value)) throw FloatOverflow();
    results.emplace_back(i, value);
  }
  return results;
}

// What is left of a typed reactant after `runs` runs, in the table's unit.
double LeftOver(const CalcTable& table, const Typed& t, double runs) {
  const CalcRow& r = table.row(t.row);
  const double rest = t.value - InUnit(r, r.coefficient * runs, table.unit());
  // Rounding of the unit steps must not show up as a left-over of 1E-15.
  return rest <= kRelativeSlack * t.value ? 0 : rest;
}

// The limiting reagent and what is left of the other typed reactants; none
// unless two reactants or more were typed.
std::optional<std::string> Summary(const CalcTable& table, const TypedAmounts& typed, const Extent& extent,
                                   const ShowNumber& show) {
  if (typed.reactants.size() < 2) return std::nullopt;
  std::string message = "The limiting reagent is " + table.row(extent.limiting->row).formula + ".";
  std::string leftOver;
  bool anyLeft = false;
  for (const Typed& t : typed.reactants) {
    if (&t == extent.limiting) continue;
    const double rest = LeftOver(table, t, extent.runs);
    anyLeft = anyLeft || rest > 0;
    leftOver += leftOver.empty() ? " Left over: " : ", ";
    leftOver += Shown(show, NumberText(rest)) + UnitSymbol(table.unit()) + table.row(t.row).formula;
  }
  message += anyLeft ? leftOver + "." : std::string(" Nothing is left over.");
  return message;
}

}  // namespace

CalcOutcome CalcTable::calculate(Notifier& notifier, const ShowNumber& show) {
  // A refusal leaves no computed amount standing beside what is typed now.
  const auto refuse = [&](const std::string& message) {
    clearComputed();
    notifier.modal(message);
    return CalcOutcome::Refused;
  };
  const TypedAmounts typed = ReadTypedAmounts(*this, show);
  if (typed.refusal) return refuse(*typed.refusal);
  const Extent extent = FindExtent(*this, typed);
  if (extent.refusal) return refuse(*extent.refusal);
  // Every result is worked out before any cell is written, so an overflow
  // leaves the table as it was.
  for (const auto& [i, value] : ComputedAmounts(*this, extent.runs)) {
    at(kAmountColumn, i) = NumberText(value);
    m_amounts[static_cast<std::size_t>(i)] = Amount::Computed;
  }
  if (const std::optional<std::string> summary = Summary(*this, typed, extent, show))
    notifier.modal(*summary);
  return CalcOutcome::Calculated;
}

}  // namespace quorvex::calc
