// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-cli: the Quorvex engine driven from files and pipes.
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/output.h"
#include "quorvex/version.h"

namespace {

using quorvex::cli::Command;

const Command* const kCommands[] = {&quorvex::cli::kBalanceCommand, &quorvex::cli::kCheckCommand,
                                    &quorvex::cli::kSearchCommand,  &quorvex::cli::kWeightCommand,
                                    &quorvex::cli::kTableCommand,   &quorvex::cli::kAddCommand,
                                    &quorvex::cli::kDeleteCommand};

constexpr std::string_view kSeeHelp = " (see 'quorvex-cli --help')\n";

void Usage(std::ostream& os) {
  os << "Usage: quorvex-cli COMMAND [OPTION]... [ARGUMENT]...\n"
        "Balance chemical equations, search an equation library and compute molecular\n"
        "weights from the command line, with the engine of the Quorvex window.\n"
        "\n"
        "Commands:\n";
  for (const Command* c : kCommands) os << c->usage;
  os << "\n"
        "Options:\n"
        "  -h, --help     display this help and exit; after a COMMAND, that command's help\n"
        "      --version  output version information and exit\n"
        "\n"
        "An option's value may follow it as the next argument or after \"=\"\n"
        "(\"--library FILE\" or \"--library=FILE\"); \"--\" ends the options.\n"
        "\n"
        "Exit status: 0 when the input could be read, 1 when a formula or an\n"
        "equation given to weight or table could not be weighed, check found an\n"
        "equation not balanced, or add or delete did not change the library, 2 for\n"
        "a usage or file error or output that could not be written.\n"
        "\n"
        "Report bugs to: support@quorvex.example\n"
        "Quorvex home page: <https://www.quorvex.example/chemical/index.htm>\n";
}

// Standard output is checked at the end, so a full disk or a closed pipe is an error.
int Finish(int status) { return quorvex::cli::FinishStandardOutput(status); }

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  if (argc < 2) {
    std::cerr << "quorvex-cli: no COMMAND given" << kSeeHelp;
    return 2;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    Usage(std::cout);
    return Finish(0);
  }
  if (name == "--version") {
    std::cout << quorvex::VersionText("quorvex-cli");
    return Finish(0);
  }
  for (const Command* c : kCommands) {
    if (c->name != name) continue;
    if (quorvex::cli::AsksForHelp(std::vector<std::string>(argv + 2, argv + argc))) {
      std::cout << "Usage:\n" << c->usage;
      return Finish(0);
    }
    return Finish(c->run(argc, argv));
  }
  if (name.size() > 1 && name.front() == '-') {
    std::cerr << "quorvex-cli: unknown option '" << name << "'" << kSeeHelp;
  } else {
    std::cerr << "quorvex-cli: unknown command '" << name << "'" << kSeeHelp;
  }
  return 2;
}
