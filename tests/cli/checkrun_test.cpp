// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checkrun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvex::cli {
namespace {

TEST(CheckCli, EachVerdictWithItsAnswer) {
  struct Case {
    const char* line;
    std::string out;
    bool balanced;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"2H2 + O2 -> 2H2O", "Balanced.\t2H2+O2 = 2H2O\n", true},
      {"4 H2 + 2 O2 = 4 H2O",
       "Balanced, but not in lowest terms: the coefficients share the factor 2.\t4H2+2O2 = 4H2O\t2H2+O2 = 2H2O\n", true},
      {"H2 + 1/2 O2 = H2O",
       "Balanced, but not in lowest terms: the coefficients share the factor 1/2.\tH2+1/2O2 = H2O\t2H2+O2 = 2H2O\n",
       true},
      {"C2H6 + 3.5 O2 = 2CO2 + 3H2O",
       "Balanced, but not in lowest terms: the coefficients share the factor 1/2.\tC2H6+7/2O2 = 2CO2+3H2O\t"
       "2C2H6+7O2 = 4CO2+6H2O\n",
       true},
      {"MnO4[-] + 8H+ + 5e- \u2192 Mn^2+ + 4H2O", "Balanced.\tMnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O\n", true},
      {"Cu + 2Ag+ = Cu+2 + Ag", "Not balanced: Ag: left 2, right 1.\tCu+2Ag[+] = Cu[2+]+Ag\tCu+2Ag[+] = Cu[2+]+2Ag\n",
       false},
      {"Fe+3 + 2e- = Fe+2", "Not balanced: charge: left 1, right 2.\tFe[3+]+2e[-] = Fe[2+]\tFe[3+]+e[-] = Fe[2+]\n",
       false},
      {"CuSO4\u00B75H2O = CuSO4 + 4H2O",
       "Not balanced: O: left 9, right 8; H: left 10, right 8.\tCuSO4*5H2O = CuSO4+4H2O\tCuSO4*5H2O = CuSO4+5H2O\n",
       false},
      {"H2 = O2", "Not balanced: H: left 2, right 0; O: left 0, right 2.\tH2 = O2\tnone: H is found among the reactants only.\n",
       false},
      {"0 H2 = H2", "Input error - the coefficient 0 of H2 is not a number greater than 0.\t\n", false},
      {"2 H2 O = H2O", "Input error-Invalid characters!\t\n", false},
      {"Fe3+ = Fe", "Input error - \"Fe3+\" reads two ways: Fe3[+] or Fe[3+]. Write its charge in square brackets.\t\n",
       false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    std::istringstream in(std::string(c.line) + "\n");
    std::ostringstream out;
    std::ostringstream err;
    const CheckRun run = RunCheck(in, out, err);
    EXPECT_TRUE(run.read);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(run.allBalanced, c.balanced);
  }
}

}  // namespace
}  // namespace quorvex::cli
