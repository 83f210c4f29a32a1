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
  // clang-format off
  const std::vector<Case> cases = {
      {"2 H\u2082 + O\u2082 \u2192 2 H\u2082O", true, true, {"2H2", "O2"}, {"2H2O"}},
      {"KMnO4 + HCl = KCl + MnCl2 + H2O + Cl2", true, true, {"KMnO4", "HCl"},
       {"KCl", "MnCl2", "H2O", "Cl2"}},
      {"H2+O2=H2O", true, true, {"H2", "O2"}, {"H2O"}},
      {"N2 + 3H2 <=> 2NH3", true, true, {"N2", "3H2"}, {"2NH3"}},
      {"CaCO3 -> CaO + CO2", true, true, {"CaCO3"}, {"CaO", "CO2"}},
      {"H2 + O2 \u27F6", true, true, {"H2", "O2"}, {}},
      {"Fe+3 + e- \u21CC Fe+2", true, true, {"Fe[3+]", "[-]"}, {"Fe[2+]"}},
      {"Ba^2+ + SO4^2- = BaSO4", true, true, {"Ba[2+]", "SO4[2-]"}, {"BaSO4"}},
      {"Ba^2++SO4^2-=BaSO4", true, true, {"Ba[2+]", "SO4[2-]"}, {"BaSO4"}},
      {"MnO4[-]+8H[+]+5e = Mn[2+]+4H2O", true, true, {"MnO4[-]", "8H[+]", "5[-]"}, {"Mn[2+]", "4H2O"}},
      {"CuSO4\u00B75H2O(s) = CuSO4 + 5 H2O (l)", true, true, {"CuSO4*5H2O(s)"}, {"CuSO4", "5H2O(l)"}},
      {"Na++Cl- = NaCl", true, true, {"Na[+]", "Cl[-]"}, {"NaCl"}},
      {"H2 + O2", true, false, {"H2", "O2"}, {}},
      {"NaCl, AgNO3", true, false, {"NaCl", "AgNO3"}, {}},
      {"H[+]", false, false, {}, {}},
      {"SO4^2-", false, false, {}, {}},
      {"Fe3+", false, false, {}, {}},
      {"H2 +", false, false, {}, {}},
      {"Cu(NH3)4[2+]", false, false, {}, {}},
      {" -> ", false, false, {}, {}},
  };
  // clang-format on
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

// Read as a whole line: the species with their coefficients, or the error.
TEST(EquationText, ReadsEachNotationOrSaysWhyNot) {
  using Kind = WrittenEquation::Kind;
  struct Case {
    const char* line;
    Kind kind;
    std::vector<WrittenTerm> reactants;
    std::vector<WrittenTerm> products;
    const char* error = "";
    const char* twoWays = "";  // each term read two ways: "side.index written: one | other"
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"Cu,AgNO3 = Cu(NO3)2,Ag", Kind::Equation, {{"", "Cu"}, {"", "AgNO3"}}, {{"", "Cu(NO3)2"}, {"", "Ag"}}},
      {"6e- + 1.0000 VO++ --> 1/2 O2", Kind::Equation, {{"6", "e[-]"}, {"1.0000", "VO[2+]"}}, {{"1/2", "O2"}}},
      {"Fe+2 + 2 OH- = Fe(OH)2↓", Kind::Equation, {{"", "Fe[2+]"}, {"2", "OH[-]"}}, {{"", "Fe(OH)2"}}},
      {"CaCl2 = Ca+2+2Cl-", Kind::Error, {{"", "CaCl2"}}, {{"", ""}, {"2", "Cl[-]"}},
       "Input error - \"Ca+2\" reads two ways: Ca[2+] or Ca2[+]. Write its charge in square brackets.",
       "1.0 Ca+2: Ca[2+] | Ca2[+]; "},
      {"CaCl2 = Ca+2 + 2Cl-", Kind::Equation, {{"", "CaCl2"}}, {{"", "Ca[2+]"}, {"2", "Cl[-]"}}},
      {"Fe + O2> Fe2O3", Kind::Equation, {{"", "Fe"}, {"", "O2"}}, {{"", "Fe2O3"}}},
      {"H+(aq)+Cl-(aq) => HCl(g)↑", Kind::Equation, {{"", "H[+](aq)"}, {"", "Cl[-](aq)"}}, {{"", "HCl(g)"}}},
      {"Ru^2+(aq) + Al+++ <=> X", Kind::Equation, {{"", "Ru[2+](aq)"}, {"", "Al[3+]"}}, {{"", "X"}}},
      {"NH4+ + SO4-2 = Y", Kind::Equation, {{"", "NH4[+]"}, {"", "SO4[2-]"}}, {{"", "Y"}}},
      {"FeSO4:7H2O ⟶ K4[Fe(CN)6] + [Cu(NH3)4]SO4 + [VO]^2+ + [Fe(CN)6]3-", Kind::Equation,
       {{"", "FeSO4*7H2O"}}, {{"", "K4(Fe(CN)6)"}, {"", "(Cu(NH3)4)SO4"}, {"", "(VO)[2+]"}, {"", "(Fe(CN)6)[3-]"}}},
      {"Fe[+3] + Cu[2+] → Cl−", Kind::Equation, {{"", "Fe[+3]"}, {"", "Cu[2+]"}}, {{"", "Cl[-]"}}},
      {"H2+ O2 +N2 = e", Kind::Equation, {{"", "H2"}, {"", "O2"}, {"", "N2"}}, {{"", "e[-]"}}},
      // Every term that reads two ways is named, the first one's error kept.
      {"Fe3+(aq) + e- = Fe2+", Kind::Error, {{"", ""}, {"", "e[-]"}}, {{"", ""}},
       "Input error - \"Fe3+\" reads two ways: Fe3[+] or Fe[3+]. Write its charge in square brackets.",
       "0.0 Fe3+: Fe3[+] | Fe[3+] (aq); 1.0 Fe2+: Fe2[+] | Fe[2+]; "},
      {"2 SO42- = X", Kind::Error, {{"2", ""}}, {{"", "X"}},
       "Input error - \"SO42-\" reads two ways: SO42[-] or SO4[2-]. Write its charge in square brackets.",
       "0.0 SO42-: SO42[-] | SO4[2-]; "},
      {"Fe3+ + + O2 = X", Kind::Error, {}, {},
       "Input error - \"Fe3+\" reads two ways: Fe3[+] or Fe[3+]. Write its charge in square brackets."},
      {"A = B -> C", Kind::Error, {}, {}, "Input error - more than one \"=\" or arrow in the line."},
      {"H2 + + O2 = H2O", Kind::Error, {}, {}, "Input error - an empty species among the reactants."},
      {"2 H2 + O2 = 2H2O(l)", Kind::Equation, {{"2", "H2"}, {"", "O2"}}, {{"2", "H2O(l)"}}},
      {"2H2 + O2 = 2 H2O (l)+ e", Kind::Equation, {{"2", "H2"}, {"", "O2"}}, {{"2", "H2O(l)"}, {"", "e[-]"}}},
      {" Fe[2+] +Cl[-] =FeCl2(s)*H2O+H2(g)", Kind::Equation, {{"", "Fe[2+]"}, {"", "Cl[-]"}},
       {{"", "FeCl2(s)*H2O"}, {"", "H2(g)"}}},
      {"Fe^+3 + Cl^- = Fe^3\u207A + e-", Kind::Equation, {{"", "Fe[3+]"}, {"", "Cl[-]"}},
       {{"", "Fe[3+]"}, {"", "e[-]"}}},
      {"Zn(2+)+2e(-) = Cu^{2+}(aq)", Kind::Equation, {{"", "Zn[2+]"}, {"2", "e[-]"}}, {{"", "Cu[2+](aq)"}}},
      {"Na+(aq)(aq) = (+)-X", Kind::Equation, {{"", "Na[+](aq)"}}, {{"", "(+)-X"}}},
      {"Fe + [S = FeS", Kind::Equation, {{"", "Fe"}, {"", "[S"}}, {{"", "FeS"}}},
      {"[A = B] = [C", Kind::Equation, {{"", "(A = B)"}}, {{"", "[C"}}},
      {"NaCl", Kind::Single, {}, {}},
      {"Na+ , Cl-", Kind::List, {{"", "Na[+]"}, {"", "Cl[-]"}}, {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const WrittenEquation read = ReadWrittenEquation(c.line);
    // The plain reader takes a line the full one reads, as it reads it.
    PlainEquation plain;
    if (ReadPlainEquation(c.line, plain)) {
      EXPECT_EQ(read.kind, Kind::Equation);
      for (std::size_t s = 0; s < 2; ++s) {
        std::vector<WrittenTerm> terms;
        for (std::size_t i = 0; i < plain.counts[s]; ++i) {
          terms.push_back(
              {std::string(plain.sides[s][i].coefficient), std::string(plain.sides[s][i].species)});
        }
        EXPECT_EQ(terms, s == 0 ? read.reactants : read.products);
      }
    }
    EXPECT_EQ(read.kind, c.kind);
    EXPECT_EQ(read.reactants, c.reactants);
    EXPECT_EQ(read.products, c.products);
    EXPECT_EQ(read.error, c.error);
    std::string twoWays;
    for (const TwoWayTerm& t : read.twoWays) {
      twoWays += std::to_string(t.side) + "." + std::to_string(t.index) + " " + t.written + ": " +
                 t.readings[0] + " | " + t.readings[1] + (t.state.empty() ? "" : " " + t.state) + "; ";
    }
    EXPECT_EQ(twoWays, c.twoWays);
    EXPECT_EQ(read.decidedKind, twoWays.empty() ? Kind::Error : Kind::Equation);
  }
}

TEST(EquationText, TermJoinsAreAfterThePlusBetweenTerms) {
  EXPECT_EQ(TermJoins("|1| 5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S"), (std::vector<std::size_t>{9, 18, 35}));
  EXPECT_EQ(TermJoins("Ba^2++SO4^2- = BaSO4"), (std::vector<std::size_t>{6}));
  EXPECT_EQ(TermJoins("H2O"), std::vector<std::size_t>{});
}

}  // namespace
}  // namespace quorvex::formula
