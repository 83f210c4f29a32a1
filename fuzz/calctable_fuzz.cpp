// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation table driven as a user drives it: an equation, then typed
// amounts, unit and precision changes and Calculate. Typed cells never
// change under Calculate or a precision change, a failed Calculate changes
// nothing, and every amount the table writes is finite and reads back.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calctable.h"
#include "calc/decimal.h"
#include "calc/elements.h"

namespace {

using quorvex::calc::CalcTable;
using quorvex::calc::kAmountColumn;
using quorvex::calc::kCalcRows;
using quorvex::calc::kGridColumns;
using quorvex::calc::kGridRows;

std::vector<std::string> Column4(const CalcTable& table) {
  std::vector<std::string> cells(kCalcRows + 1);
  for (int row = 1; row <= kCalcRows; ++row) cells[row] = table.cell(kAmountColumn, row);
  return cells;
}

std::string Grid(const CalcTable& table) {
  std::string all;
  for (int row = 0; row < kGridRows; ++row) {
    for (int column = 0; column < kGridColumns; ++column) all += table.cell(column, row) + '\t';
  }
  return all;
}

// A cell the table wrote must be a finite number in its own format.
void CheckWritten(const CalcTable& table, int row) {
  const std::string& text = table.cell(kAmountColumn, row);
  if (text.empty()) return;
  const auto value = quorvex::calc::ReadDecimal(text);
  if (!value || !std::isfinite(*value)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  // The equation is the first line, each further line one user action.
  std::size_t end = input.find('\n');
  if (end == std::string_view::npos) end = input.size();
  const std::string_view equation = input.substr(0, end);

  quorvex::calc::ElementTable elements;
  elements.InitRealElement();
  std::string pending;
  quorvex::SilentNotifier notifier;
  quorvex::formula::Scanner scanner(pending, notifier);
  // The first byte once chose a decimal separator; it is kept so that the
  // corpus still reads the same.
  CalcTable table;
  try {
    table.UpdateCaculate(equation, elements, scanner);
  } catch (const std::exception&) {
    return 0;  // a species that cannot be weighed stops the refresh
  }

  std::size_t from = end + 1;
  while (from < input.size()) {
    std::size_t next = input.find('\n', from);
    if (next == std::string_view::npos) next = input.size();
    const std::string_view action = input.substr(from, next - from);
    from = next + 1;
    if (action.empty()) continue;
    const std::string before = Grid(table);
    const std::vector<std::string> typed = Column4(table);
    const auto unit = table.unit();
    try {
      switch (action[0] % 6) {
        case 0: {
          const int row = action.size() > 1 ? static_cast<unsigned char>(action[1]) % kCalcRows + 1 : 1;
          const std::string_view text = action.substr(action.size() > 1 ? 2 : 1);
          table.setCell(kAmountColumn, row, text);
          if (table.cell(kAmountColumn, row) != text) __builtin_trap();
          break;
        }
        case 1: {
          table.calculate(notifier);
          // Typed cells stay; the others hold computed numbers or nothing.
          const std::vector<std::string> after = Column4(table);
          for (int row = 1; row <= kCalcRows; ++row) {
            const bool wasTyped = table.amount(row) == quorvex::calc::Amount::Typed;
            if (wasTyped && typed[row] != after[row]) __builtin_trap();
            if (!wasTyped) CheckWritten(table, row);
          }
          break;
        }
        case 2:
          table.useLowPrecision(equation, elements, scanner);
          if (Column4(table) != typed) __builtin_trap();
          break;
        case 3:
          table.useHighPrecision(equation, elements, scanner);
          if (Column4(table) != typed) __builtin_trap();
          break;
        case 4:
        case 5: {
          if (action[0] % 6 == 4) {
            table.useGrams(equation, elements, scanner);
          } else {
            table.useMoles(equation, elements, scanner);
          }
          // Every amount it converted is a number again.
          if (table.unit() == unit) break;
          for (int row = 1; row <= table.rowCount(); ++row) CheckWritten(table, row);
          break;
        }
      }
    } catch (const std::exception&) {
      // A failed Calculate leaves every cell as it was.
      if (action[0] % 6 == 1 && Grid(table) != before) __builtin_trap();
    }
  }
  return 0;
}
