// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calcrun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvex::cli {
namespace {

using Command = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

TEST(CalcCli, PrintsWeightsAndTables) {
  struct Case {
    Command command;
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {RunWeight, {"H2O", "CuSO4*5H2O", "(NH4)2SO4", "Uun"}, 0, "18\n249.5\n132\n0\n", ""},
      // Pasted and dotted notation is read as the balance reads it; other bytes are refused.
      {RunWeight, {"H\u2082O", "CuSO4.5H2O", "SO4^2-", "H2\u00e9"}, 1,
       "18\n249.5\n96\nInput error-Invalid characters!\n", ""},
      {RunTable, {"2H\u2082+O\u2082 = 2H\u2082O"}, 0, "H2\t2\t2\t4\nO2\t1\t32\t32\nH2O\t2\t18\t36\n", ""},
      {RunWeight, {"NaCl", "--high", "H2O"}, 0, "58.443\n18.0148\n", ""},
      {RunWeight, {"H99999999999", "O2"}, 1, "'99999999999' is not a valid integer value\n32\n",
       "1: Input error 2-Number too great!\n"},
      // A warning goes to standard error; the weight is still printed.
      {RunWeight, {"O2", "5Cr123456N8"}, 0, "32\n6419824\n", "2: Input error 2-Number too great!\n"},
      // Counts past 32 bits are the scanner's input error, on the formula's own line.
      {RunWeight, {"(H2)1073741824", "H2O", "CuSO4*2147483647H2O", "((H2)65536)65536"}, 1,
       "Input error!\n18\nInput error!\nInput error!\n", ""},
      {RunTable, {"2H2+O2 = 2(H2)1073741824"}, 1, "H2\t2\t2\t4\nO2\t1\t32\t32\nInput error!\n", ""},
      {RunWeight, {"--high"}, 2, "",
       "quorvex-cli: weight: needs at least one FORMULA (see 'quorvex-cli weight --help')\n"},
      {RunWeight, {"--", "--high"}, 0, "0\n", ""},
      {RunTable, {"2H2+O2", "=", "2H2O"}, 0, "H2\t2\t2\t4\nO2\t1\t32\t32\nH2O\t2\t18\t36\n", ""},
      {RunTable, {"--high", "Fe[3+]+e = Fe[2+]"}, 0,
       "Fe[3+]\t1\t55.847\t55.847\ne\t1\t0\t0\nFe[2+]\t1\t55.847\t55.847\n", ""},
      {RunTable, {"2H2+99999999999O2 = 2H2O"}, 1,
       "H2\t2\t2\t4\n'99999999999' is not a valid integer value\n", ""},
      {RunTable, {}, 2, "", "quorvex-cli: table: needs an EQUATION (see 'quorvex-cli table --help')\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.empty() ? "" : c.args.front());
    std::ostringstream out, err;
    EXPECT_EQ(c.command(c.args, out, err), c.status);
    EXPECT_EQ(out.str(), c.out);
    EXPECT_EQ(err.str(), c.err);
  }
}

}  // namespace
}  // namespace quorvex::cli
