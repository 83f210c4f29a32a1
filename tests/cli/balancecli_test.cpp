#include "cli/balancecli.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

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
            "Failed to balance!\t\n"
            "Input error-Invalid characters!\t\n"
            "Input error - no \"=\" between the reactants and the products.\t\n"
            "'99999999999' is not a valid integer value\t\n"
            "Failed to balance!\t\n"
            "Input error-charge error!\t\n");
  EXPECT_EQ(r.err,
            "8: Input error 2-Number too great!\n"
            "9: Input error 2-Number too great!\n"
            "9: Failed to Balance!\n"
            "10: Input error-charge error!\n");
}

TEST(BalanceCli, ABoardLimitNeverRefusesALongFile) {
  std::string input;
  for (int i = 0; i < 1600; ++i) input += "H2 + O2 = H2O\n";
  const CliRun r = Balance(input);
  std::string expected;
  for (int i = 0; i < 1600; ++i) expected += "Balanced it successfully!\t2H2+O2 = 2H2O\n";
  EXPECT_EQ(r.out, expected);
  EXPECT_EQ(r.err, "");
}

TEST(BalanceCli, LastLineWithoutLineEnd) {
  EXPECT_EQ(Balance("H2O = H2O").out, "Balanced it successfully!\tH2O = H2O\n");
  EXPECT_EQ(Balance("").out, "");
}

}  // namespace
}  // namespace quorvex::cli
