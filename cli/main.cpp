// quorvex-cli: the Quorvex engine driven from files and pipes.
#include <iostream>
#include <string_view>

#include "cli/commands.h"
#include "cli/output.h"

namespace {

using quorvex::cli::Command;

const Command* const kCommands[] = {&quorvex::cli::kBalanceCommand, &quorvex::cli::kSearchCommand,
                                    &quorvex::cli::kWeightCommand, &quorvex::cli::kTableCommand,
                                    &quorvex::cli::kAddCommand,    &quorvex::cli::kDeleteCommand};

int Usage(std::ostream& os, int status) {
  os << "Usage:\n";
  for (const Command* c : kCommands) os << c->usage;
  os << "  quorvex-cli --help\n\n"
        "Exit status: 0 when the input could be read, 1 when a formula or an\n"
        "equation given to weight or table could not be weighed or add or delete\n"
        "did not change the library, 2 for a usage or file error or output that\n"
        "could not be written.\n";
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc < 2) return Usage(std::cerr, 2);
  const std::string_view name = argv[1];
  using quorvex::cli::FinishStandardOutput;
  if (name == "--help" || name == "-h" || name == "help") {
    return FinishStandardOutput(Usage(std::cout, 0));
  }
  for (const Command* c : kCommands) {
    if (c->name == name) return FinishStandardOutput(c->run(argc, argv));
  }
  std::cerr << "quorvex-cli: unknown command '" << name << "'\n";
  return Usage(std::cerr, 2);
}
