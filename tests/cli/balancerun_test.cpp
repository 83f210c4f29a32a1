// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/balancerun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvex::cli {
namespace {

struct CliRun {
  std::string out;
  std::string err;
  bool ok;
};

CliRun Balance(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const bool ok = RunBalance(in, out, err);
  return {out.str(), err.str(), ok};
}

TEST(BalanceCli, OneOutcomeLineForEachEquation) {
  const CliRun r = Balance(
      "# examples\n"
      "H2 + O2 = H2O\n"
      "\n"
      "CS2 + MnO4[-] + H[+] = Mn[2+] + S + CO2 + H2O\r\n"
      "H2 = O2\n"
      "H2 O = H2O\n"
      "no equals here\n"
      "H99999999999 = H\n"
      "H100001 = H100003\n"
      "Fe[3x] = Fe\n");
  EXPECT_TRUE(r.ok);
  EXPECT_EQ(r.out,
            "Balanced it successfully!\t2H2+O2 = 2H2O\n"
            "Balanced it successfully!\t5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S+5CO2+6H2O\n"
            "Failed to balance!\t\tnone: H is found among the reactants only.\n"
            "Input error-Invalid characters!\t\n"
            "Input error - no \"=\" between the reactants and the products.\t\n"
            "'99999999999' is not a valid integer value\t\n"
            "Failed to balance!\t\ttoo-large: The smallest whole-number balance is "
            "100003H100001 = 100001H100003; its smallest coefficient is over 100000.\n"
            "Input error-charge error!\t\n");
  EXPECT_EQ(r.err,
            "6: Letters stand apart: remove the blanks inside formulas.\n"
            "7: There is no = or arrow between the sides.\n"
            "8: Input error 2-Number too great!\n"
            "9: Input error 2-Number too great!\n"
            "9: Failed to Balance!\n"
            "10: Input error-charge error!\n");
}

TEST(BalanceCli, NotationsPeopleTypeAndPaste) {
  struct Case {
    const char* name;
    std::string line;
    std::string out;
    std::string err = "";
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"pasted subscripts", "H2 + O2 = H\u2082O", "Balanced it successfully!\t2H2+O2 = 2H2O\n"},
      {"superscript charges", "Ba\u00B2\u207A + SO\u2084\u00B2\u207B = BaSO\u2084",
       "Balanced it successfully!\tBa[2+]+SO4[2-] = BaSO4\n"},
      {"caret charges", "Ba^2+ + SO4^2- = BaSO4",
       "Balanced it successfully!\tBa[2+]+SO4[2-] = BaSO4\n"},
      {"electron", "Fe^3+ + e\u207B = Fe^2+", "Balanced it successfully!\tFe[3+]+e[-] = Fe[2+]\n"},
      {"hydrate dot", "CuSO4.5H2O = CuSO4 + H2O",
       "Balanced it successfully!\tCuSO4*5H2O = CuSO4+5H2O\n"},
      {"middle dot", "CuSO4\u00B75H2O = CuSO4 + H2O",
       "Balanced it successfully!\tCuSO4*5H2O = CuSO4+5H2O\n"},
      {"state symbols", "H2(g) + O2(g) = H2O(l)", "Balanced it successfully!\t2H2(g)+O2(g) = 2H2O(l)\n"},
      {"other pasted character", "H2 + O2 = H2O\u00E9", "Input error-Invalid characters!\t\n"},
      {"an arrow that once left its > in a product", "H2 + O2 => H2O", "Balanced it successfully!\t2H2+O2 = 2H2O\n"},
      {"colon hydrate among the products", "FeSO4 + H2O = FeSO4:7H2O",
       "Balanced it successfully!\tFeSO4+7H2O = FeSO4*7H2O\n"},
      {"commas among the products", "Zn + CuSO4 = ZnSO4,Cu", "Balanced it successfully!\tZn+CuSO4 = ZnSO4+Cu\n"},
      {"a caret before a superscript sign", "Fe = Fe^3\u207A + e-", "Balanced it successfully!\tFe = Fe[3+]+3e[-]\n"},
      {"caret charges of a half-reaction, nothing on standard error", "MnO4^- + H^+ + e^- \u2192 Mn^2+ + H2O",
       "Balanced it successfully!\tMnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O\n"},
      {"an electron in round brackets", "Fe[3+] + e(-) = Fe[2+]", "Balanced it successfully!\tFe[3+]+e[-] = Fe[2+]\n"},
      {"the slip hint of a failure", "Fe[+3] + e- = Fe[2+]", "Input error-charge error!\t\n",
       "1: Input error-charge error!\n1: Fe[+3]: write the charge as [3+].\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CliRun r = Balance(c.line + "\n");
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
}

TEST(BalanceCli, TypedCoefficientsAndIonsReadByTheLineGetANote) {
  const CliRun r = Balance("2KClO3 = 2KCl + 3O2\nH2 + O2 = H2O\nMnO4- + 8H+ + 5e- = Mn2+ + 4H2O\n");
  EXPECT_EQ(r.out,
            "Balanced it successfully!\t2KClO3 = 2KCl+3O2\nBalanced it successfully!\t2H2+O2 = 2H2O\n"
            "Balanced it successfully!\tMnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O\n");
  EXPECT_EQ(r.err, std::string("1: ") + kCoefficientsLeftOut +
                       "\n3: read MnO4- as MnO4[-]\n3: read Mn2+ as Mn[2+]\n3: " +
                       std::string(kCoefficientsLeftOut) + "\n");
}

TEST(BalanceCli, ABoardLimitNeverRefusesALongFile) {
  std::string input;
  for (int i = 0; i < 1600; ++i) input += "H2 + O2 = H2O\n";
  const CliRun r = Balance(input);
  std::string expected;
  for (int i = 0; i < 1600; ++i) expected += "Balanced it successfully!\t2H2+O2 = 2H2O\n";
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err, "");

  // An equation longer than the window's board holds is printed whole.
  const std::string deep = std::string(100000, '(') + "H" + std::string(100000, ')') + "2";
  EXPECT_EQ(Balance(deep + " = H2\n").out, "Balanced it successfully!\t" + deep + " = H2\n");
}

TEST(BalanceCli, CompletesInTheSolutionAsked) {
  std::istringstream in("MnO4[-] + Fe[2+] = Mn[2+] + Fe[3+]\nMnO4[-] + H2O2 = Mn[2+] + O2\n");
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_TRUE(RunBalance(in, out, err, {balance::Medium::Acidic, false}));
  EXPECT_EQ(out.str(),
            "Balanced it successfully!\tMnO4[-]+5Fe[2+]+8H[+] = Mn[2+]+5Fe[3+]+4H2O\tadded: 8H[+], 4H2O\n"
            "Failed to balance!\t\tmultiple: It combines 2 independent reactions: 2H2O2 = O2+2H2O and "
            "4MnO4[-]+12H[+] = 4Mn[2+]+5O2+6H2O; split it into equations that balance on their own.\n");
}

TEST(BalanceCli, LastLineWithoutLineEnd) {
  EXPECT_EQ(Balance("H2O = H2O").out, "Balanced it successfully!\tH2O = H2O\n");
  // A byte-order mark is skipped at the start of the input only.
  EXPECT_EQ(Balance("\xEF\xBB\xBFH2O = H2O\n\xEF\xBB\xBFH2O = H2O").out,
            "Balanced it successfully!\tH2O = H2O\nInput error-Invalid characters!\t\n");
  EXPECT_EQ(Balance("").out, "");
}

}  // namespace
}  // namespace quorvex::cli
