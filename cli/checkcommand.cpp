// SPDX-License-Identifier: GPL-3.0-or-later
#include <cerrno>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/checkrun.h"
#include "cli/commands.h"
#include "cli/equationline.h"

namespace quorvex::cli {
namespace {

int RunCheckCommand(int argc, char** argv) {
  const std::optional<Arguments> args =
      ParseArguments("check", std::vector<std::string>(argv + 2, argv + argc), {}, std::cerr);
  if (!args) return 2;
  if (args->operands.size() > 1) return UsageError(std::cerr, "check", "takes at most one FILE or EQUATION");
  EquationInput input;
  if (!input.open(args->operands.empty() ? "-" : args->operands.front(), std::cerr)) return 2;
  errno = 0;
  const CheckRun run = RunCheck(input.stream(), std::cout, std::cerr);
  const int error = errno;
  std::cout.flush();
  if (!run.read) {
    ReadFailed(input.name(), error, std::cerr);
    return 2;
  }
  return run.allBalanced ? 0 : 1;
}

}  // namespace

const Command kCheckCommand = {"check",
                               R"(  quorvex-cli check [FILE | EQUATION]
      Checks equations typed with their coefficients, one a line, read from
      FILE, from standard input when FILE is missing or "-", or the one
      EQUATION given (an argument that names no file and holds "=" or an
      arrow). Lines are read as balance reads them; a coefficient may be
      whole, decimal or a fraction ("2 H2", "0.5 O2", "1/2 O2"); none means 1.
      Prints one line for each equation: the verdict, a tab, the equation as
      read, and for the verdicts after the first a tab and the answer:
        Balanced.<TAB>2H2+O2 = 2H2O
        Balanced, but not in lowest terms: the coefficients share the factor
        2.<TAB>4H2+2O2 = 4H2O<TAB>2H2+O2 = 2H2O
        Balanced, with fractions.<TAB>1/2O2+H2 = H2O<TAB>O2+2H2 = 2H2O
        Not balanced: O: left 2, right 1.<TAB>H2+O2 = H2O<TAB>2H2+O2 = 2H2O
      A not-balanced line names every element and the charge that differ,
      then gives the correct balance, or "code: sentence" as balance does when
      there is none. Hints for common slips go to standard error as "N: text".
      Exit status: 0 when every equation is balanced (in lowest terms, with a
      shared factor or with fractions), 1 when one is not or cannot be read, 2
      for a usage or file error.
)",
                               RunCheckCommand};

}  // namespace quorvex::cli
