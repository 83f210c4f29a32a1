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
      {"a line that cannot be read", "Fe3+ = Fe",
       "Input error - \"Fe3+\" reads two ways: Fe3[+] or Fe[3+]. Write its charge in square brackets.\t\n", false},
      {"fractions: the whole numbers third, in the order typed", "1/2 O2 + H2 = H2O",
       "Balanced, with fractions.\t1/2O2+H2 = H2O\tO2+2H2 = 2H2O\n", true},
      {"a slip that balances: its hint beside the verdict", "20 NaOH = 20 Na + 10 O2 + H20",
       "Balanced.\t20NaOH = 20Na+10O2+H20\n", true, "1: H20: did you mean H2O (a letter O, not a zero)?\n"},
      {"a hint on a line that cannot be read", "Fe + S FeS",
       "Input error - no \"=\" between the reactants and the products.\t\n", false,
       "1: There is no = or arrow between the sides.\n"},
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
