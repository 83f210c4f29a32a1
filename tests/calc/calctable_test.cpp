// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/calctable.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "calcenv.h"
#include "core/errors.h"

namespace quorvex::calc {
namespace {

using Texts = std::vector<std::string>;
constexpr const char* kWater = "2H2+O2 = 2H2O";
constexpr const char* kIron = "Fe[3+]+e = Fe[2+]";  // the electron weighs 0

// Columns `from` to `to` of rows 1 to `rows`, row by row.
Texts Cells(const CalcTable& t, int from, int to, int rows) {
  Texts texts;
  for (int i = 1; i <= rows; ++i) {
    for (int c = from; c <= to; ++c) texts.push_back(t.cell(c, i));
  }
  return texts;
}

TEST(GetSpecieFromEquation, SplitsAtArrowsAndPlusSignsOutsideCharges) {
  const std::vector<std::pair<const char*, Texts>> cases = {
      {"2H2+O2 = 2H2O", {"2H2", "O2", "2H2O"}},
      {"|3| 2H2+O2 = 2H2O", {"2H2", "O2", "2H2O"}},  // a selection text
      {"A+B <=> C", {"A", "B", "C"}},
      {"Fe[3+]+e = Fe[2+]", {"Fe[3+]", "e", "Fe[2+]"}},
      {"A + B = C", {"A", "B ", "C"}},  // one blank is taken out of each species
      {"A+", {"A", ""}},
      {"", {""}},
  };
  for (const auto& [equation, species] : cases) {
    SCOPED_TRACE(equation);
    int n = 0;
    for (const std::string& s : species) EXPECT_EQ(GetSpecieFromEquation(equation, ++n), s);
    EXPECT_EQ(GetSpecieFromEquation(equation, n + 1), "The End");
  }
}

TEST(CalcTable, ShowsWeightsInBothPrecisionsAndConvertsAmounts) {
  CalcEnv env;
  CalcTable t;
  t.UpdateCaculate(kWater, env.elements, env.scanner);
  EXPECT_EQ(Cells(t, 0, 3, t.rowCount()),
            (Texts{"H2", "2", "2", "4", "O2", "1", "32", "32", "H2O", "2", "18", "36"}));
  EXPECT_EQ(t.cell(0, 0) + "|" + t.cell(3, 0) + "|" + t.cell(4, 0),
            "Chemical|Total Molecular Weight|   Amount (mole)");
  t.setCell(4, 1, "4");
  t.setCell(4, 4, "9");  // below the last species: never converted
  t.useHighPrecision(kWater, env.elements, env.scanner);
  EXPECT_EQ(Cells(t, 0, 4, 3), (Texts{"H2", "2", "2.0158", "4.0316", "4", "O2", "1", "31.998", "31.998", "",
                                      "H2O", "2", "18.0148", "36.0296", ""}));
  t.useGrams(kWater, env.elements, env.scanner);
  EXPECT_EQ(Cells(t, 4, 4, 4), (Texts{"8.0632", "", "", "9"}));
  EXPECT_EQ(t.cell(4, 0), "    Mass (gram)");
  t.useGrams(kWater, env.elements, env.scanner);  // already selected: nothing happens
  t.useMoles(kWater, env.elements, env.scanner);
  EXPECT_EQ(Cells(t, 4, 4, 4), (Texts{"4", "", "", "9"}));
  t.ClearAmout();
  EXPECT_EQ(Cells(t, 2, 4, 1), (Texts{"2.0158", "4.0316", ""}));
  EXPECT_EQ(t.cell(4, 4), "");
}

TEST(CalcTable, HoldsAtMostSixtyRows) {
  for (const auto& [species, rows] : {std::pair{59, 59}, {60, 60}, {61, 60}}) {
    std::string equation = "H2O";
    for (int i = 1; i < species; ++i) equation.insert(0, "H2+");
    CalcEnv env;
    CalcTable t;
    t.UpdateCaculate(equation, env.elements, env.scanner);
    EXPECT_EQ(t.rowCount(), rows) << species;
    EXPECT_EQ(t.cell(0, rows), species > 60 ? "H2" : "H2O") << species;
  }
  CalcEnv env;
  CalcTable t;
  t.UpdateCaculate("", env.elements, env.scanner);  // nothing picked: one empty row
  EXPECT_EQ(t.rowCount(), 1);
  EXPECT_EQ(Cells(t, 0, 3, 1), (Texts{"", "", "", ""}));
}

TEST(CalcTable, ConversionErrorsStopAtTheirRow) {
  struct Case {
    const char* equation;
    Unit to;
    Texts typed;
    const char* error;
    Texts afterwards;
  };
  const std::vector<Case> cases = {
      {kWater, Unit::Gram, {"4", "abc", "2"}, "'abc' is not a valid floating point value", {"8", "abc", "2"}},
      {kWater,
       Unit::Gram,
       {"1", "1e400", "2"},
       "'1e400' is not a valid floating point value",
       {"2", "1e400", "2"}},
      {kWater, Unit::Gram, {"1", "1e308", "2"}, "Floating point overflow", {"2", "1e308", "2"}},
      {kIron, Unit::Mole, {"112", "5", "56"}, "Floating point division by zero", {"2", "5", "56"}},
      {kIron, Unit::Mole, {"112", "0", "56"}, "Invalid floating point operation", {"2", "0", "56"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    CalcEnv env;
    CalcTable t;
    if (c.to == Unit::Mole) t.useGrams(c.equation, env.elements, env.scanner);
    for (int i = 1; i <= 3; ++i) t.setCell(4, i, c.typed[static_cast<std::size_t>(i - 1)]);
    try {
      c.to == Unit::Mole ? t.useMoles(c.equation, env.elements, env.scanner)
                         : t.useGrams(c.equation, env.elements, env.scanner);
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), c.error);
    }
    EXPECT_EQ(Cells(t, 4, 4, 3), c.afterwards);
    EXPECT_EQ(t.unit(), c.to);
  }
}

TEST(CalcTable, AFailedRefreshKeepsTheRowsBeforeTheFailure) {
  CalcEnv env;
  CalcTable t;
  const char* bad = "2H2+99999999999O2 = 2H2O";
  t.UpdateCaculate(kWater, env.elements, env.scanner);
  t.setCell(4, 2, "1");
  EXPECT_THROW(t.UpdateCaculate(bad, env.elements, env.scanner), ConvertError);
  EXPECT_EQ(t.rowCount(), 1);
  EXPECT_EQ(Cells(t, 0, 1, 2), (Texts{"H2", "2", "", ""}));
  // The amount beside the row that was not rebuilt is not turned into 0 gram.
  EXPECT_THROW(t.useGrams(bad, env.elements, env.scanner), ConvertError);
  EXPECT_EQ(t.cell(4, 2), "1");
}

TEST(CalcTable, CellsAreBoundedByTheGrid) {
  CalcTable t;
  EXPECT_EQ(t.cell(kGridColumns - 1, kGridRows - 1), "");
  EXPECT_NO_THROW(t.setCell(kAmountColumn, kCalcRows, "y"));
  for (const auto& [column, row] : {std::pair{kGridColumns, 0}, {-1, 0}, {0, kGridRows}}) {
    EXPECT_THROW(t.cell(column, row), std::out_of_range) << column << "," << row;
  }
  // Column 0 and row 0 are fixed; columns from 5 on are the window's.
  for (const auto& [column, row] : {std::pair{0, 1}, {1, 0}, {5, 1}, {4, kGridRows}}) {
    EXPECT_THROW(t.setCell(column, row, "z"), std::out_of_range) << column << "," << row;
  }
  EXPECT_THROW(t.row(kCalcRows + 1), std::out_of_range);
}

TEST(CalcTable, SwitchListEmptiesTheTableAndTogglesTheSource) {
  CalcEnv env;
  CalcTable t;
  t.UpdateCaculate(kWater, env.elements, env.scanner);
  EXPECT_EQ(t.switchSource(env.elements, env.scanner), CalculatorSource::FoundList);
  EXPECT_EQ(t.rowCount(), 1);
  EXPECT_EQ(t.cell(0, 1), "");
  EXPECT_EQ(t.switchSource(env.elements, env.scanner), CalculatorSource::ResultBoard);
  EXPECT_EQ(kInitialCalcCaption, "Select an equation from the Blancer result list");
  EXPECT_EQ(CalculatorCaption(CalculatorSource::ResultBoard, 2),
            "Select an equation from the Balancer result list (2)");
  EXPECT_EQ(CalculatorCaption(CalculatorSource::FoundList, 0),
            "Select an equation from the Searcher result list (0)");
}

}  // namespace
}  // namespace quorvex::calc
