// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/searchrun.h"

namespace quorvex::cli {
namespace {

int RunSearchCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv + 2, argv + argc);
  return RunSearch(args, std::cout, std::cerr);
}

}  // namespace

const Command kSearchCommand = {
    "search",
    R"(  quorvex-cli search --library FILE [--reactant TERM]... [--product TERM]...
      Searches the equation library FILE (the format of cbd.dat) for the
      equations that hold every reactant TERM on their left side and every
      product TERM on their right side, at most 6 terms a side, and prints the
      list that the search page shows: an empty line, the count line, then one
      numbered line per equation, each of these lines followed by an empty line:
        ...... Found 1 equation ......
        |1| 2H2+O2 = 2H2O
      A term matches a whole species as written, letter case included; a
      coefficient before it is passed over ("H2O" finds "2H2O").
)",
    RunSearchCommand};

}  // namespace quorvex::cli
