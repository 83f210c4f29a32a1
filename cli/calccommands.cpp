// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>
#include <vector>

#include "cli/calcrun.h"
#include "cli/commands.h"

namespace quorvex::cli {
namespace {

std::vector<std::string> Words(int argc, char** argv) {
  // argv[0] is the program, argv[1] the command.
  return std::vector<std::string>(argv + (argc > 2 ? 2 : argc), argv + argc);
}

int RunWeightCommand(int argc, char** argv) { return RunWeight(Words(argc, argv), std::cout, std::cerr); }

int RunTableCommand(int argc, char** argv) { return RunTable(Words(argc, argv), std::cout, std::cerr); }

}  // namespace

const Command kWeightCommand = {"weight",
                                R"(  quorvex-cli weight [--high] FORMULA...
      Prints the molecular weight of each FORMULA in g/mol, one a line, with
      atomic weights rounded to whole or half units, or as stored with
      --high. A leading coefficient and a charge add nothing; unknown symbols
      weigh 0:
        quorvex-cli weight --high H2O CuSO4*5H2O    prints 18.0148 and 249.682
      A warning of the scanner goes to standard error as "N: text", N being
      the formula's place, and the weight is still printed:
        quorvex-cli weight 5Cr123456N8   prints 6419824, and on standard error
                                         "1: Input error 2-Number too great!"
      A formula that cannot be weighed (a count too great for the scanner, a
      number too long) gets its error text on its line instead, such as
      "Input error!", and the exit status is then 1.
)",
                                RunWeightCommand};

const Command kTableCommand = {"table",
                               R"(  quorvex-cli table [--high] EQUATION
      Prints the calculation table of a balanced equation such as
      "2H2+O2 = 2H2O", one species a line: the formula, the coefficient, the
      molecular weight and the total molecular weight, separated by tabs.
      Separate words of EQUATION are joined by blanks. --high as for weight.
      A species that cannot be weighed gets its error text on its line, and
      the exit status is then 1.
)",
                               RunTableCommand};

}  // namespace quorvex::cli
