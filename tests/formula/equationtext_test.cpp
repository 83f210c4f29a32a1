// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/equationtext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvex::formula {
namespace {

using Species = std::vector<std::string>;

TEST(EquationText, SplitsWholeEquationsAndListsOnly) {
  struct Case {
    const char* typed;
    bool split;
    bool bothSides;
    Species reactants;
    Species products;
  };
  const std::vector<Case> cases = {
      {"2 H\u2082 + O\u2082 \u2192 2 H\u2082O", true, true, {"2H2", "O2"}, {"2H2O"}},
      {"KMnO4 + HCl = KCl + MnCl2 + H2O + Cl2", true, true, {"KMnO4", "HCl"},
       {"KCl", "MnCl2", "H2O", "Cl2"}},
      {"H2+O2=H2O", true, true, {"H2", "O2"}, {"H2O"}},
      {"N2 + 3H2 <=> 2NH3", true, true, {"N2", "3H2"}, {"2NH3"}},
      {"CaCO3 -> CaO + CO2", true, true, {"CaCO3"}, {"CaO", "CO2"}},
      {"H2 + O2 \u27F6", true, true, {"H2", "O2"}, {}},
      {"Fe3+ + e- \u21CC Fe2+", true, true, {"Fe3+", "[-]"}, {"Fe2+"}},
      {"Ba^2+ + SO4^2- = BaSO4", true, true, {"Ba[2+]", "SO4[2-]"}, {"BaSO4"}},
      {"Ba^2++SO4^2-=BaSO4", true, true, {"Ba[2+]", "SO4[2-]"}, {"BaSO4"}},
      {"MnO4[-]+8H[+]+5e = Mn[2+]+4H2O", true, true, {"MnO4[-]", "8H[+]", "5[-]"}, {"Mn[2+]", "4H2O"}},
      {"CuSO4\u00B75H2O(s) = CuSO4 + 5 H2O (l)", true, true, {"CuSO4*5H2O(s)"}, {"CuSO4", "5H2O(l)"}},
      {"Na++Cl- = NaCl", true, true, {"Na+", "Cl-"}, {"NaCl"}},
      {"H2 + O2", true, false, {"H2", "O2"}, {}},
      {"NaCl, AgNO3", true, false, {"NaCl", "AgNO3"}, {}},
      {"H[+]", false, false, {}, {}},
      {"SO4^2-", false, false, {}, {}},
      {"Fe3+", false, false, {}, {}},
      {"H2 +", false, false, {}, {}},
      {"Cu(NH3)4[2+]", false, false, {}, {}},
      {" -> ", false, false, {}, {}},
      {"A = B -> C", false, false, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::optional<EquationText> read = ReadEquationText(c.typed);
    ASSERT_EQ(read.has_value(), c.split);
    if (!read) continue;
    EXPECT_EQ(read->bothSides, c.bothSides);
    EXPECT_EQ(read->reactants, c.reactants);
    EXPECT_EQ(read->products, c.products);
  }
}

TEST(EquationText, TermJoinsAreAfterThePlusBetweenTerms) {
  EXPECT_EQ(TermJoins("|1| 5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S"),
            (std::vector<std::size_t>{9, 18, 35}));
  EXPECT_EQ(TermJoins("Ba^2++SO4^2- = BaSO4"), (std::vector<std::size_t>{6}));
  EXPECT_EQ(TermJoins("H2O"), std::vector<std::size_t>{});
}

}  // namespace
}  // namespace quorvex::formula
