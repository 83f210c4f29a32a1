#include <iostream>
#include <string>
#include <vector>

#include "cli/calccli.h"
#include "cli/commands.h"

namespace quorvex::cli {
namespace {

std::vector<std::string> Words(int argc, char** argv) {
  // argv[0] is the program, argv[1] the command.
  return std::vector<std::string>(argv + (argc > 2 ? 2 : argc), argv + argc);
}

int RunWeightCommand(int argc, char** argv) {
  const int status = RunWeight(Words(argc, argv), std::cout, std::cerr);
  std::cout.flush();
  return status;
}

int RunTableCommand(int argc, char** argv) {
  const int status = RunTable(Words(argc, argv), std::cout, std::cerr);
  std::cout.flush();
  return status;
}

}  // namespace

const Command kWeightCommand = {
    "weight",
    R"(  quorvex-cli weight [--high] FORMULA...
      Prints the molecular weight of each FORMULA in g/mol, one a line, with
      atomic weights rounded to whole or half units, or as stored with
      --high. A leading coefficient and a charge add nothing; unknown symbols
      weigh 0:
        quorvex-cli weight --high H2O CuSO4*5H2O    prints 18.0148 and 249.682
      Messages go to standard error as "FORMULA: text"; the exit status is 1
      when a formula could not be weighed.
)",
    RunWeightCommand};

const Command kTableCommand = {
    "table",
    R"(  quorvex-cli table [--high] EQUATION
      Prints the calculation table of a balanced equation such as
      "2H2+O2 = 2H2O", one species a line: the formula, the coefficient, the
      molecular weight and the total molecular weight, separated by tabs.
      Separate words of EQUATION are joined by blanks. --high as for weight.
      Messages go to standard error; the exit status is 1 when a species could
      not be weighed (the rows before it are printed).
)",
    RunTableCommand};

}  // namespace quorvex::cli
