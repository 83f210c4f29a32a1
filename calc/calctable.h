// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "calc/elements.h"
#include "calc/weight.h"
#include "core/notifier.h"
#include "formula/scanner.h"

namespace quorvex::calc {

// Calculation rows, numbered from 1.
inline constexpr int kCalcRows = 60;
// The grid that shows the table: row 0 is the header, rows 1 to 60 the species.
inline constexpr int kGridColumns = 30;
inline constexpr int kGridRows = kCalcRows + 1;
// Columns 0 to 4 belong to the table; the system never writes columns 5 to 29.
inline constexpr int kTableColumns = 5;
inline constexpr int kAmountColumn = 4;

inline constexpr std::string_view kTheEnd = "The End";
inline constexpr std::string_view kMoleHeader = "   Amount (mole)";
inline constexpr std::string_view kGramHeader = "    Mass (gram)";
inline constexpr std::string_view kInitialCalcCaption = "Select an equation from the Blancer result list";

enum class Unit { Mole, Gram };

// The list the calculator takes its equation from.
enum class CalculatorSource { ResultBoard = 0, FoundList = 1 };

// Where an amount in column 4 came from: Calculate reads only typed amounts
// and replaces the ones it computed.
enum class Amount { Empty, Typed, Computed };

// What Calculate came to: amounts computed, or refused with a message saying why.
enum class CalcOutcome { Calculated, Refused };

// How a message writes a number text of the table; the window writes its
// user's decimal separator. Unset: as it is.
using ShowNumber = std::function<std::string(std::string_view)>;

// One species of the picked equation.
struct CalcRow {
  std::string formula;  // without its leading coefficient
  std::int32_t coefficient = 0;
  double weight = 0;       // g/mol of one formula unit
  double totalWeight = 0;  // coefficient times weight
  bool product = false;    // stands after the first "="
};

// Species n (n >= 1) of an equation text, or "The End" when it has fewer.
// "=" and "+" separate species, except a "+" before "]"; a "| " prefix is
// skipped; one blank, ">" and "<" are taken out of each species.
std::string GetSpecieFromEquation(std::string_view equation, int n);

// Caption of the calculator's equation group for a source whose list holds `count` equations.
std::string CalculatorCaption(CalculatorSource source, std::int32_t count);

// The calculation table behind the Calculator page: the rows of the picked
// equation, the texts of grid columns 0 to 4, the unit, the precision and the
// calculator source. Operations that weigh species take the element table and
// the scanner (its pending message text and notifier) as arguments; the
// picked equation is passed as text, empty when nothing is picked. Numbers
// are written and read with "." whatever the locale. Exceptions stop an
// operation and leave what it changed before changed.
class CalcTable {
 public:
  // Text of a grid cell, 0 <= column < 30, 0 <= row < 61 (always empty for
  // columns 5 to 29). Throws std::out_of_range outside the grid.
  const std::string& cell(int column, int row) const;
  // What the user typed into an editable cell, 1 <= column <= 4, 1 <= row <= 60:
  // an amount becomes typed, or empty when `text` is. Throws std::out_of_range elsewhere.
  void setCell(int column, int row, std::string_view text);
  // Where the amount of row 1..60 came from. Throws std::out_of_range otherwise.
  Amount amount(int row) const;
  // Calculation row i, 1 <= i <= 60. Throws std::out_of_range otherwise.
  const CalcRow& row(int i) const;
  // Rows filled by the last refresh; 0 before the first.
  int rowCount() const { return m_rowCount; }
  Unit unit() const { return m_unit; }
  Precision precision() const { return m_precision; }
  CalculatorSource source() const { return m_source; }
  void setSource(CalculatorSource source) { m_source = source; }

  // The refresh: rebuilds the rows and columns 0 to 3 from `equation`
  // (first 60 species), writes the header row, keeps column 4. When weighing
  // a species throws, the rows before it stay filled and counted.
  void UpdateCaculate(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner);
  // Empties column 4 of rows 1 to 60, typed and computed amounts alike ("Clear All").
  void ClearAmout();

  // Unit changes: nothing when the unit is already selected; otherwise the
  // unit changes, the table is refreshed and the column-4 texts of rows 1 to
  // the row count are converted (divided by the molecular weight towards
  // mole, multiplied towards gram). Throws FloatConvertError for a text that
  // is no number, DivisionByZero / InvalidOperation for a weight of 0 towards
  // mole, FloatOverflow for a result beyond a double; rows above stay converted.
  // Typed amounts stay typed and computed ones computed.
  void useMoles(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner);
  void useGrams(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner);

  // Set the precision and refresh; column 4 stays as it is.
  void useLowPrecision(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner);
  void useHighPrecision(std::string_view equation, const ElementTable& elements, formula::Scanner& scanner);

  // The table's share of "Switch List...": refreshes with nothing picked and
  // switches to the other source; returns the new source.
  CalculatorSource switchSource(const ElementTable& elements, formula::Scanner& scanner);

  // "Calculate": solves the table from the amounts typed in column 4 (current
  // unit) and writes the amounts the equation requires and yields, as computed
  // amounts, into every other column-4 cell of rows 1 to the row count; the
  // amounts it computed before count as empty. Refusals and the
  // limiting-reagent summary go to `notifier`, their numbers written by
  // `show`; a refusal empties the computed amounts. Throws FloatConvertError,
  // DivisionByZero or FloatOverflow with nothing changed.
  CalcOutcome calculate(Notifier& notifier, const ShowNumber& show = {});

 private:
  void setPrecision(Precision precision, std::string_view equation, const ElementTable& elements,
                    formula::Scanner& scanner);
  void convertAmounts(Unit to, std::string_view equation, const ElementTable& elements,
                      formula::Scanner& scanner);
  void writeRows();
  std::string& at(int column, int row) {
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
  }
  void clearComputed();

  std::array<std::array<std::string, kTableColumns>, kGridRows> m_cells;
  std::array<CalcRow, kGridRows> m_rows;      // m_rows[0] unused
  std::array<Amount, kGridRows> m_amounts{};  // column 4, by row; m_amounts[0] unused
  int m_rowCount = 0;
  Unit m_unit = Unit::Mole;
  Precision m_precision = Precision::Low;
  CalculatorSource m_source = CalculatorSource::ResultBoard;
};

}  // namespace quorvex::calc
