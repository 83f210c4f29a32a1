// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/hints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/boxes.h"
#include "support/tablerows.h"

namespace quorvex::balance {
namespace {

struct HintCase {
  const char* line;
  bool failed;
  std::vector<Hint> hints;
};

constexpr auto kZero = HintKind::ZeroForO;
constexpr auto kCase = HintKind::LetterCase;

TEST(Hints, NameTheSlipsOfALine) {
  const std::string blanks = "Letters stand apart: remove the blanks inside formulas.";
  const std::string noArrow = "There is no = or arrow between the sides.";
  const std::string symbol = ": an element symbol is one capital letter, or a capital and a small letter: ";
  const HintCase cases[] = {
      // A zero for O is named on a line that balances as a reaction nobody meant, and on one that fails.
      {"NaOH → Na + O2↑ + H20", false, {{kZero, "H20: did you mean H2O (a letter O, not a zero)?"}}},
      {"2H2 + O2 = 2H20(l)", true, {{kZero, "2H20(l): did you mean 2H2O(l) (a letter O, not a zero)?"}}},
      {"C + O2 = C02", true, {{kZero, "C02: did you mean CO2 (a letter O, not a zero)?"}}},
      {"4Fe + 3O2 = 2Fe203", true, {{kZero, "2Fe203: did you mean 2Fe2O3 (a letter O, not a zero)?"}}},
      // Subscripts that hold a zero rightly.
      {"C20H42 + O2 = CO2 + H2O", false, {}},
      {"C60 + O2 = CO2", false, {}},
      {"C10H8 + 12O2 = 10CO2 + 4H2O", false, {}},
      {"Ca0.165Al2.33Si3.67O10(OH)2 = X", true, {}},
      // Letter case: only the capitalised reading that balances, and only on a failed line.
      {"Kcl = K + Cl2", true, {{kCase, "Kcl" + symbol + "KCl?"}}},
      {"Nacl = Na + Cl2", true, {{kCase, "Nacl" + symbol + "NaCl?"}}},
      {"Mg + O2 = Mgo", true, {{kCase, "Mgo" + symbol + "MgO?"}}},
      {"2h2+o2 -> 2h2o", true, {{kCase, "h2, o2, h2o" + symbol + "H2, O2, H2O?"}}},
      {"NaOH + HCL \u2192 NaCl + H2O", true, {{kCase, "HCL" + symbol + "HCl?"}}},
      {"cuso4 + fe = feso4 + cu", true, {{kCase, "cuso4, fe, feso4, cu" + symbol + "CuSO4, Fe, FeSO4, Cu?"}}},
      {"AgNO3 + kcl(aq) = agcl + KNO3", true, {{kCase, "kcl(aq), agcl" + symbol + "KCl(aq), AgCl?"}}},
      {"Kcl = Na + Cl2", true, {}},
      {"Kcl = Kcl", false, {}},
      // No arrow, blanks inside formulas.
      {"Fe + S FeS", true, {{HintKind::NoArrow, noArrow}}},
      {"Z n S O 4 = Zn + SO4", true, {{HintKind::SpacedLetters, blanks}}},
      {"S O 2 + O2 = SO3", true, {{HintKind::SpacedLetters, blanks}}},
      {"P4 + 5 O2 > P4 O10", true, {{HintKind::SpacedLetters, blanks}}},
      {"P4 + O2 > P4 O10", false, {{HintKind::SpacedLetters, blanks}}},
      {"Hg2 (NO3)2 + 2HCl = Hg2Cl2 + 2HNO3", true, {{HintKind::SpacedLetters, blanks}}},
      {"1/2 O2 + 0.5 O2 = O2", true, {}},
      {"IO3- + 6 H+ + 5 e- -> (1/2) I2 + 3 H2O", true, {}},
      {"CaMg(CO3)2 +2.0000 H+  =  + 1.0000 Ca++", true, {}},
      // What is no slip.
      {"2 H2 + O2 = 2 H2O", true, {}},
      {"Fe[3+] + e- = Fe[2+]", true, {}},
      {"H2O (l) = H2O (g)", true, {}},
      {"", true, {}},
  };
  for (const HintCase& c : cases) {
    EXPECT_EQ(FindHints(c.line, c.failed), c.hints) << c.line;
  }
}

// The slips of the published lines of the table of ions as written: each
// "hint" row's line gets a hint holding the row's fragment.
TEST(Hints, PublishedLinesWithSlipsGetTheirHint) {
  int rows = 0;
  for (const auto& columns : testing::TableRows(QUORVEX_IONS_AS_WRITTEN)) {
    if (columns.size() < 5 || columns[3] != "hint") continue;
    ++rows;
    std::string said;
    for (const Hint& hint : FindHints(columns[1], true)) said += hint.text + "\n";
    EXPECT_NE(said.find(columns[4]), std::string::npos) << columns[1] << "\n" << said;
  }
  EXPECT_GT(rows, 0);
}

TEST(Hints, BoxesWriteTheLineTheirStudentWouldHaveTyped) {
  // An empty box between two filled ones is passed over.
  EXPECT_EQ(BoxesLine(testing::MakeBoxes({"Fe", "", "S"}, {})), "Fe + S");
  EXPECT_EQ(BoxesLine(testing::MakeBoxes({"Fe", "", "S"}, {"", "FeS"})), "Fe + S = FeS");
}

}  // namespace
}  // namespace quorvex::balance
