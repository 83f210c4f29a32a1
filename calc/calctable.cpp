// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calctable.h"

#include <cmath>
#include <limits>
#include <stdexcept>

#include "calc/decimal.h"
#include "core/errors.h"
#include "core/numbertext.h"

namespace quorvex::calc {
namespace {

// Where the species scan starts: just after the bar of the first "| " (a
// selection text such as "|3| 2H2+O2 = 2H2O"), else at the start.
std::size_t ScanStart(std::string_view equation) {
  const std::size_t bar = equation.find("| ");
  return bar == std::string_view::npos ? 0 : bar + 1;
}

// "=", or a "+" that does not close a charge such as "[3+]".
bool IsSeparator(std::string_view equation, std::size_t i) {
  const char c = equation[i];
  if (c == '=') return true;
  return c == '+' && (i + 1 == equation.size() || equation[i + 1] != ']');
}

void EraseFirst(std::string& text, char c) {
  const std::size_t at = text.find(c);
  if (at != std::string::npos) text.erase(at, 1);
}

// Species standing before the first "=" (every species when there is none).
int ReactantSpecies(std::string_view equation) {
  int i = 1;
  for (std::size_t p = ScanStart(equation); p < equation.size(); ++p) {
    if (!IsSeparator(equation, p)) continue;
    if (equation[p] == '=') return i;
    ++i;
  }
  return std::numeric_limits<int>::max();
}

void CheckGridCell(int column, int row, int firstColumn, int lastColumn, int firstRow) {
  if (column < firstColumn || column > lastColumn || row < firstRow || row >= kGridRows) {
    throw std::out_of_range("calculation grid cell out of range");
  }
}

}  // namespace

std::string GetSpecieFromEquation(std::string_view equation, int n) {
  int i = 1;
  std::string species;
  bool found = false;
  for (std::size_t p = ScanStart(equation); p < equation.size(); ++p) {
    if (IsSeparator(equation, p)) {
      if (found) break;
      species.clear();
      ++i;
    }
    if (i == n) {
      species += equation[p];
      found = true;
    }
  }
  if (i < n) return std::string(kTheEnd);
  if (!species.empty() && species.front() == '+') species.erase(0, 1);
  if (!species.empty() && species.front() == '=') species.erase(0, 1);
  EraseFirst(species, ' ');
  EraseFirst(species, '>');
  EraseFirst(species, '<');
  return species;
}

std::string CalculatorCaption(CalculatorSource source, std::int32_t count) {
  std::string caption = source == CalculatorSource::FoundList
                            ? "Select an equation from the Searcher result list ("
                            : "Select an equation from the Balancer result list (";
  caption += std::to_string(count);
  caption += ')';
  return caption;
}

const std::string& CalcTable::cell(int column, int row) const {
  static const std::string kEmpty;
  CheckGridCell(column, row, 0, kGridColumns - 1, 0);
  if (column >= kTableColumns) return kEmpty;
  return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void CalcTable::setCell(int column, int row, std::string_view text) {
  CheckGridCell(column, row, 1, kAmountColumn, 1);
  at(column, row).assign(text);
  if (column == kAmountColumn) {
    m_amounts[static_cast<std::size_t>(row)] = text.empty() ? Amount::Empty : Amount::Typed;
  }
}

Amount CalcTable::amount(int row) const {
  if (row < 1 || row > kCalcRows) throw std::out_of_range("calculation row out of range");
  return m_amounts[static_cast<std::size_t>(row)];
}

const CalcRow& CalcTable::row(int i) const {
  if (i < 1 || i > kCalcRows) throw std::out_of_range("calculation row out of range");
  return m_rows[static_cast<std::size_t>(i)];
}

void CalcTable::UpdateCaculate(std::string_view equation, const ElementTable& elements,
                               formula::Scanner& scanner) {
  for (int i = 1; i <= kCalcRows; ++i) {
    for (int column = 0; column < kAmountColumn; ++column) at(column, i).clear();
    m_rows[static_cast<std::size_t>(i)] = CalcRow{};
  }
  at(0, 0) = "Chemical";
  at(1, 0) = "Coefficient";
  at(2, 0) = "Molecular Weight";
  at(3, 0) = "Total Molecular Weight";
  at(kAmountColumn, 0) = m_unit == Unit::Mole ? kMoleHeader : kGramHeader;

  const int reactants = ReactantSpecies(equation);
  int filled = 0;
  try {
    for (int i = 1; i <= kCalcRows; ++i) {
      const std::string species = GetSpecieFromEquation(equation, i);
      if (species == kTheEnd) break;
      CalcRow r;
      r.formula = DeleteHeadNum(species);
      r.coefficient = formula::Scanner::GetHeadNum(species);
      r.weight = GetWeight(species, m_precision, elements, scanner);
      r.totalWeight = r.coefficient * r.weight;
      r.product = i > reactants;
      m_rows[static_cast<std::size_t>(i)] = std::move(r);
      filled = i;
    }
  } catch (...) {
    // Keep the count in step with the rows, so that a later unit change
    // never reads a row that this refresh emptied.
    m_rowCount = filled;
    writeRows();
    throw;
  }
  m_rowCount = filled;
  writeRows();
}

void CalcTable::writeRows() {
  for (int i = 1; i <= kCalcRows; ++i) {
    const CalcRow& r = m_rows[static_cast<std::size_t>(i)];
    at(0, i) = r.formula;
    if (r.coefficient == 0) continue;
    at(1, i) = std::to_string(r.coefficient);
    at(2, i) = NumberText(r.weight);
    at(3, i) = NumberText(r.totalWeight);
  }
}

void CalcTable::ClearAmout() {
  for (int i = 1; i <= kCalcRows; ++i) at(kAmountColumn, i).clear();
  m_amounts.fill(Amount::Empty);
}

void CalcTable::clearComputed() {
  for (int i = 1; i <= kCalcRows; ++i) {
    if (m_amounts[static_cast<std::size_t>(i)] != Amount::Computed) continue;
    at(kAmountColumn, i).clear();
    m_amounts[static_cast<std::size_t>(i)] = Amount::Empty;
  }
}

void CalcTable::useMoles(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner) {
  convertAmounts(Unit::Mole, equation, elements, scanner);
}

void CalcTable::useGrams(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner) {
  convertAmounts(Unit::Gram, equation, elements, scanner);
}

void CalcTable::convertAmounts(Unit to, std::string_view equation, const ElementTable& elements,
                               formula::Scanner& scanner) {
  // The radio buttons only report a change of selection.
  if (m_unit == to) return;
  m_unit = to;
  UpdateCaculate(equation, elements, scanner);
  for (int i = 1; i <= m_rowCount; ++i) {
    std::string& text = at(kAmountColumn, i);
    if (text.empty()) continue;
    const std::optional<double> value = ReadDecimal(text);
    if (!value) throw FloatConvertError(text);
    const double weight = m_rows[static_cast<std::size_t>(i)].weight;
    double converted = 0;
    if (to == Unit::Mole) {
      if (weight == 0) {
        if (*value == 0) throw InvalidOperation();
        throw DivisionByZero();
      }
      converted = *value / weight;
    } else {
      converted = *value * weight;
    }
    if (!std::isfinite(converted)) throw FloatOverflow();
    text = NumberText(converted);
  }
}

void CalcTable::useLowPrecision(std::string_view equation, const ElementTable& elements,
                                formula::Scanner& scanner) {
  setPrecision(Precision::Low, equation, elements, scanner);
}

void CalcTable::useHighPrecision(std::string_view equation, const ElementTable& elements,
                                 formula::Scanner& scanner) {
  setPrecision(Precision::High, equation, elements, scanner);
}

void CalcTable::setPrecision(Precision precision, std::string_view equation, const ElementTable& elements,
                             formula::Scanner& scanner) {
  m_precision = precision;
  UpdateCaculate(equation, elements, scanner);
}

CalculatorSource CalcTable::switchSource(const ElementTable& elements, formula::Scanner& scanner) {
  UpdateCaculate("", elements, scanner);
  m_source =
      m_source == CalculatorSource::ResultBoard ? CalculatorSource::FoundList : CalculatorSource::ResultBoard;
  return m_source;
}

}  // namespace quorvex::calc
