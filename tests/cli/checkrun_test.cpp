// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checkrun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvex::cli {
namespace {

// Each line gives the verdict's sentence, the typed equation and the answer, in
// tab-separated columns; an empty second column when the line cannot be checked.
TEST(CheckCli, ColumnsOfEachVerdict) {
  struct Case {
    const char* name;
    const char* line;
    std::string out;
    bool balanced;
    std::string err = "";  // the hints, "" for none
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"balanced: two columns, the typed equation as the boxes write it",
       "MnO4[-] + 8H+ + 5e- \u2192 Mn^2+ + 4H2O", "Balanced.\tMnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O\n", true},
      {"not in lowest terms: the lowest third", "4 H2 + 2 O2 = 4 H2O",
       "Balanced, but not in lowest terms: the coefficients share the factor 2.\t4H2+2O2 = 4H2O\t2H2+O2 = 2H2O\n", true},
      {"not balanced: the balance third", "Cu + 2Ag+ = Cu+2 + Ag",
       "Not balanced: Ag: left 2, right 1.\tCu+2Ag[+] = Cu[2+]+Ag\tCu+2Ag[+] = Cu[2+]+2Ag\n", false},
      {"no balance: the reason third", "H2 = O2",
       "Not balanced: H: left 2, right 0; O: left 0, right 2.\tH2 = O2\tnone: H is found among the reactants only.\n",
       false},
      {"a refused coefficient", "0 H2 = H2", "Input error - the coefficient 0 of H2 is not a number greater than 0.\t\n",
       false},
      {"a line that cannot be read", "Hg2+ = Hg",
       "Input error - \"Hg2+\" reads two ways: Hg2[+] or Hg[2+]. Write its charge in square brackets.\t\n", false},
      {"ions read by the line, a note each", "Cr2O72- + 14 H+ + 6 e- = 2 Cr3+ + 7 H2O",
       "Balanced.\tCr2O7[2-]+14H[+]+6e[-] = 2Cr[3+]+7H2O\n", true,
       "1: read Cr2O72- as Cr2O7[2-]\n1: read Cr3+ as Cr[3+]\n"},
      {"fractions: the whole numbers third, in the order typed", "1/2 O2 + H2 = H2O",
       "Balanced, with fractions.\t1/2O2+H2 = H2O\tO2+2H2 = 2H2O\n", true},
      {"a slip that balances: its hint beside the verdict", "20 NaOH = 20 Na + 10 O2 + H20",
       "Balanced.\t20NaOH = 20Na+10O2+H20\n", true, "1: H20: did you mean H2O (a letter O, not a zero)?\n"},
      {"a hint on a line that cannot be read", "Fe + S FeS",
       "Input error - no \"=\" between the reactants and the products.\t\n", false,
       "1: There is no = or arrow between the sides.\n"},
      {"a caret charge written sign first", "Fe^+3 + Cl^- = FeCl",
       "Not balanced: charge: left 2, right 0.\tFe[3+]+Cl[-] = FeCl\tnone: Only the reactants carry a charge.\n",
       false},
      {"a caret charge written sign first, balanced", "Al^+3 + 3 e^- = Al", "Balanced.\tAl[3+]+3e[-] = Al\n",
       true},
      {"charges in round brackets and braces", "Zn(2+) + Cu = Zn + Cu^{2+}",
       "Balanced.\tZn[2+]+Cu = Zn+Cu[2+]\n", true},
      {"a state written twice", "Na+(aq)(aq) + Cl-(aq) = NaCl(s)", "Balanced.\tNa[+](aq)+Cl[-](aq) = NaCl(s)\n",
       true},
      {"a number alone", "H2 + Cl2 = 2 HCl + 1",
       "Input error - \"1\" is a number alone, not a species. Write decimals with a point (1.5 O2), and no "
       "locants (1,2-) in names.\t\n", false},
      {"a number after a comma", "2 H2 + O2 = 2 H2O, 2",
       "Input error - \"2\" is a number alone, not a species. Write decimals with a point (1.5 O2), and no "
       "locants (1,2-) in names.\t\n", false},
      {"a locant", "C2H4 + Cl2 = 1,2-C2H4Cl2",
       "Input error - \"1\" is a number alone, not a species. Write decimals with a point (1.5 O2), and no "
       "locants (1,2-) in names.\t\n", false},
      {"a decimal comma", "1,5 O2 + H2 = H2O",
       "Input error - \"1\" is a number alone, not a species. Write decimals with a point (1.5 O2), and no "
       "locants (1,2-) in names.\t\n", false},
      {"a species twice on one side", "H2 + H2 + O2 = H2O",
       "Not balanced: H: left 4, right 2; O: left 2, right 1.\tH2+H2+O2 = H2O\trepeated: H2 appears twice among "
       "the reactants; write it once, with its coefficient.\n", false},
      {"an unclosed [ hides no =", "Fe + [S = FeS", "Input error-charge error!\t\n", false,
       "1: Input error-charge error!\n"},
      {"the slip hint on standard error", "Fe[+3] + e- = Fe[2+]", "Input error-charge error!\t\n", false,
       "1: Input error-charge error!\n1: Fe[+3]: write the charge as [3+].\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::istringstream in(std::string(c.line) + "\n");
    std::ostringstream out;
    std::ostringstream err;
    const CheckRun run = RunCheck(in, out, err);
    EXPECT_TRUE(run.read);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
    EXPECT_EQ(run.allBalanced, c.balanced);
  }
}

}  // namespace
}  // namespace quorvex::cli
