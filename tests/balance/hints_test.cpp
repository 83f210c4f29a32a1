// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/hints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/boxes.h"

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
      {"Kcl = Na + Cl2", true, {}},
      {"Kcl = Kcl", false, {}},
      // No arrow, blanks inside formulas.
      {"Fe + S FeS", true, {{HintKind::NoArrow, noArrow}}},
      {"Z n S O 4 = Zn + SO4", true, {{HintKind::SpacedLetters, blanks}}},
      {"S O 2 + O2 = SO3", true, {{HintKind::SpacedLetters, blanks}}},
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

TEST(Hints, TryAtMostAFewCapitalisedReadings) {
  // Every run of small letters is a reading to balance; only the first few are tried.
  std::string line;
  for (int i = 0; i < kMaxCaseReadings; ++i) line += "Kcl + ";
  line += "Nacl = Na + Cl2";
  EXPECT_TRUE(FindHints(line, true).empty());
  EXPECT_EQ(FindHints("Nacl + Kcl = Na + Cl2", true).size(), 0U);
  EXPECT_EQ(FindHints("Nacl = Na + Cl2", true).size(), 1U);
}

TEST(Hints, BoxesWriteTheLineTheirStudentWouldHaveTyped) {
  // An empty box between two filled ones is passed over.
  EXPECT_EQ(BoxesLine(testing::MakeBoxes({"Fe", "", "S"}, {})), "Fe + S");
  EXPECT_EQ(BoxesLine(testing::MakeBoxes({"Fe", "", "S"}, {"", "FeS"})), "Fe + S = FeS");
}

}  // namespace
}  // namespace quorvex::balance
