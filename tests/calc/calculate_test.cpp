// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/calctable.h"
#include "calcenv.h"

namespace quorvex::calc {
namespace {

using Texts = std::vector<std::string>;

struct Problem {
  const char* name;
  const char* equation;
  Precision precision;
  Unit unit;
  Texts typed;     // column 4 of rows 1 on
  Texts solved;    // column 4 afterwards
  Texts messages;  // modal messages; "!" then the text of a stopping error
};

// The answers are worked by hand in the comments.
// clang-format off
const std::vector<Problem> kProblems = {
    // 10 g H2 = 5 mol allows 2.5 runs, 64 g O2 = 2 mol allows 2: O2 limits.
    // 2 runs give 4 mol = 72 g H2O and use 4 mol = 8 g H2, leaving 2 g.
    {"limiting reagent", "2H2+O2 = 2H2O", Precision::Low, Unit::Gram, {"10", "64", ""},
     {"10", "64", "72"}, {"The limiting reagent is O2. Left over: 2 g H2."}},
    // Fe2O3 = 2(56) + 3(16) = 160, so 1000 g is 6.25 mol: 18.75 mol CO = 525 g,
    // 12.5 mol Fe = 700 g, 18.75 mol CO2 = 825 g.
    {"one reactant", "Fe2O3+3CO = 2Fe+3CO2", Precision::Low, Unit::Gram, {"1000", "", "", ""},
     {"1000", "525", "700", "825"}, {}},
    // 2 mol propane takes 5 x 2 = 10 mol O2 and gives 6 mol CO2, 8 mol H2O.
    {"mole ratios", "C3H8+5O2 = 3CO2+4H2O", Precision::High, Unit::Mole, {"2", "", "", ""},
     {"2", "10", "6", "8"}, {}},
    // 34 g NH3 = 2 mol is one run: 1 mol N2 = 28 g and 3 mol H2 = 6 g.
    {"backwards", "N2+3H2 = 2NH3", Precision::Low, Unit::Gram, {"", "", "34"}, {"28", "6", "34"}, {}},
    // 1 mol CO2 and 2 mol H2O are one run; 1 and 3 fit no run.
    {"products that fit", "CH4+2O2 = CO2+2H2O", Precision::Low, Unit::Mole, {"", "", "1", "2"},
     {"1", "2", "1", "2"}, {}},
    {"products that do not fit", "CH4+2O2 = CO2+2H2O", Precision::Low, Unit::Mole,
     {"", "", "1", "3"}, {"", "", "1", "3"},
     {"The amounts typed for CO2 and H2O do not fit the equation: type the amount of one product, "
      "or amounts in the ratio of their coefficients."}},
    // 0.1 mol Ag[+] limits; 0.25 - 0.1 = 0.15 mol Cl[-] stays.
    {"ions", "Ag[+]+Cl[-] = AgCl", Precision::Low, Unit::Mole, {"0.1", "0.25", ""},
     {"0.1", "0.25", "0.1"}, {"The limiting reagent is Ag[+]. Left over: 0.15 mol Cl[-]."}},
    // 4 mol Al is 1 run, 6 mol O2 is 2: 3 mol O2 stays; the typed yield stays as typed.
    {"typed product", "4Al+3O2 = 2Al2O3", Precision::Low, Unit::Mole, {"4", "6", "1.5"},
     {"4", "6", "1.5"}, {"The limiting reagent is Al. Left over: 3 mol O2."}},
    // 4.0316 g H2 (2 x 2.0158) and 31.998 g O2 are 2 mol and 1 mol, one run
    // each: 2 mol H2O = 36.0296 g, and rounding shows no left-over.
    {"exact ratio", "2H2+O2 = 2H2O", Precision::High, Unit::Gram, {"4.0316", "31.998", ""},
     {"4.0316", "31.998", "36.0296"}, {"The limiting reagent is H2. Nothing is left over."}},
    // 0.1 mol N2 and 0.3 mol H2 are 0.1 runs each; 0.3 / 3 comes out a hair
    // below 0.1 in binary, so H2 limits, and the slack keeps the 1.4E-17 mol of
    // N2 that rounding leaves from showing as a left-over.
    {"rounding slack", "N2+3H2 = 2NH3", Precision::Low, Unit::Mole, {"0.1", "0.3", ""},
     {"0.1", "0.3", "0.2"}, {"The limiting reagent is H2. Nothing is left over."}},
    // Extents 1, 2 and 1: the first of the two lowest limits, and the other
    // is used up exactly; 10 - 5 = 5 mol H2O2 stays.
    {"three reactants", "2KMnO4+5H2O2+3H2SO4 = K2SO4+2MnSO4+5O2+8H2O", Precision::Low, Unit::Mole,
     {"2", "10", "3", "", "", "", ""}, {"2", "10", "3", "1", "2", "5", "8"},
     {"The limiting reagent is KMnO4. Left over: 5 mol H2O2, 0 mol H2SO4."}},
    // One electron per iron; the weightless electron is fine in moles.
    {"weightless in mole", "Fe[3+]+e = Fe[2+]", Precision::Low, Unit::Mole, {"", "1", ""},
     {"1", "1", "1"}, {}},
    {"nothing picked", "", Precision::Low, Unit::Mole, {"4"}, {"4"}, {"No equation selected."}},
    {"nothing typed", "2H2+O2 = 2H2O", Precision::Low, Unit::Gram, {"", "", ""}, {"", "", ""},
     {"Type a mass (gram) for at least one species, then press Calculate."}},
    {"negative", "2H2+O2 = 2H2O", Precision::Low, Unit::Mole, {"4", "-2", ""}, {"4", "-2", ""},
     {"'-2' is not a positive amount."}},
    {"not a number", "2H2+O2 = 2H2O", Precision::Low, Unit::Mole, {"4", "two", ""},
     {"4", "two", ""}, {"!'two' is not a valid floating point value"}},
    {"weightless in gram", "Fe[3+]+e = Fe[2+]", Precision::Low, Unit::Gram, {"", "1", ""},
     {"", "1", ""}, {"!Floating point division by zero"}},
    // 1E308 mol O2 would need 2E308 mol H2.
    {"overflow", "2H2+O2 = 2H2O", Precision::Low, Unit::Mole, {"", "1e308", ""}, {"", "1e308", ""},
     {"!Floating point overflow"}},
};
// clang-format on

TEST(Calculate, SolvesStoichiometryProblems) {
  for (const Problem& p : kProblems) {
    SCOPED_TRACE(p.name);
    CalcEnv env;
    CalcTable t;
    t.UpdateCaculate(p.equation, env.elements, env.scanner);
    if (p.precision == Precision::High) {
      t.useHighPrecision(p.equation, env.elements, env.scanner);
    }
    if (p.unit == Unit::Gram) t.useGrams(p.equation, env.elements, env.scanner);
    for (int i = 1; i <= static_cast<int>(p.typed.size()); ++i) {
      t.setCell(kAmountColumn, i, p.typed[static_cast<std::size_t>(i - 1)]);
    }
    Texts messages;
    try {
      t.calculate(env.notifier);
    } catch (const std::runtime_error& e) {
      messages.push_back(std::string("!") + e.what());
    }
    const Texts& shown = env.notifier.messages();
    messages.insert(messages.begin(), shown.begin(), shown.end());
    EXPECT_EQ(messages, p.messages);
    Texts solved;
    for (int i = 1; i <= static_cast<int>(p.typed.size()); ++i) {
      solved.push_back(t.cell(kAmountColumn, i));
    }
    EXPECT_EQ(solved, p.solved);
  }
}

TEST(Calculate, IgnoresRowsBelowTheEquationAndNeedsOne) {
  // 0.5 mol H2 makes 0.5 mol H2O and takes 0.25 mol O2.
  CalcEnv env;
  CalcTable t;
  t.useHighPrecision("2H2+O2 = 2H2O", env.elements, env.scanner);
  t.setCell(kAmountColumn, 1, "0.5");
  t.setCell(kAmountColumn, 4, "junk");
  EXPECT_EQ(t.calculate(env.notifier), CalcOutcome::Calculated);
  EXPECT_EQ((Texts{t.cell(4, 1), t.cell(4, 2), t.cell(4, 3), t.cell(4, 4)}),
            (Texts{"0.5", "0.25", "0.5", "junk"}));
  CalcTable fresh;
  EXPECT_EQ(fresh.calculate(env.notifier), CalcOutcome::Refused);
  EXPECT_EQ(env.notifier.messages(), Texts{"No equation selected."});
}

// Column 4 after each step, a computed amount marked with "~".
Texts Amounts(const CalcTable& t, int rows) {
  Texts column;
  for (int i = 1; i <= rows; ++i) {
    column.push_back((t.amount(i) == Amount::Computed ? "~" : "") + t.cell(kAmountColumn, i));
  }
  return column;
}

// A user's steps on 2H2+O2 = 2H2O in gram, low precision: "n=text" types into
// row n (an empty text clears it), "calc" presses Calculate, "mol" picks the
// mole unit.
TEST(Calculate, AnswersFromTypedAmountsOnly) {
  struct Step {
    const char* action;
    Texts column;
    Texts messages;
  };
  // clang-format off
  const std::vector<std::pair<const char*, std::vector<Step>>> sequences = {
      {"a changed amount is solved again",
       {{"1=4", {"4", "", ""}, {}},
        {"calc", {"4", "~32", "~36"}, {}},
        {"1=10", {"10", "~32", "~36"}, {}},
        {"calc", {"10", "~80", "~90"}, {}}}},
      {"one of two reactants cleared",
       {{"1=10", {"10", "", ""}, {}},
        {"2=64", {"10", "64", ""}, {}},
        {"calc", {"10", "64", "~72"}, {"The limiting reagent is O2. Left over: 2 g H2."}},
        {"2=", {"10", "", "~72"}, {}},
        {"calc", {"10", "~80", "~90"}, {}}}},
      {"a refusal takes the computed amounts away",
       {{"1=4", {"4", "", ""}, {}},
        {"calc", {"4", "~32", "~36"}, {}},
        {"1=", {"", "~32", "~36"}, {}},
        {"calc", {"", "", ""}, {"Type a mass (gram) for at least one species, then press Calculate."}}}},
      {"a unit change converts both kinds",
       {{"1=4", {"4", "", ""}, {}},
        {"calc", {"4", "~32", "~36"}, {}},
        {"mol", {"2", "~1", "~2"}, {}},
        {"2=3", {"2", "3", "~2"}, {}},
        {"calc", {"2", "3", "~2"}, {"The limiting reagent is H2. Left over: 2 mol O2."}}}},
  };
  // clang-format on
  const std::string equation = "2H2+O2 = 2H2O";
  for (const auto& [name, steps] : sequences) {
    SCOPED_TRACE(name);
    CalcEnv env;
    CalcTable t;
    t.useGrams(equation, env.elements, env.scanner);
    for (const Step& step : steps) {
      SCOPED_TRACE(step.action);
      const std::string action = step.action;
      const std::size_t equals = action.find('=');
      if (equals != std::string::npos) {
        t.setCell(kAmountColumn, std::stoi(action.substr(0, equals)), action.substr(equals + 1));
      } else if (action == "calc") {
        t.calculate(env.notifier);
      } else {
        t.useMoles(equation, env.elements, env.scanner);
      }
      EXPECT_EQ(Amounts(t, 3), step.column);
      EXPECT_EQ(env.notifier.messages(), step.messages);
      env.notifier.clear();
    }
  }
}

// The window writes its messages' numbers with the user's separator.
TEST(Calculate, MessagesShowNumbersAsTheCallerDoes) {
  const ShowNumber comma = [](std::string_view number) {
    std::string text(number);
    for (char& c : text) c = c == '.' ? ',' : c;
    return text;
  };
  CalcEnv env;
  CalcTable t;
  t.UpdateCaculate("Ag[+]+Cl[-] = AgCl", env.elements, env.scanner);
  t.setCell(kAmountColumn, 1, "0.1");
  t.setCell(kAmountColumn, 2, "0.25");
  t.calculate(env.notifier, comma);
  t.setCell(kAmountColumn, 1, "-0.5");
  t.calculate(env.notifier, comma);
  EXPECT_EQ(env.notifier.messages(), (Texts{"The limiting reagent is Ag[+]. Left over: 0,15 mol Cl[-].",
                                            "'-0,5' is not a positive amount."}));
}

}  // namespace
}  // namespace quorvex::calc
