// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quorvex::cli {

// Each subcommand is two files: NAMEcommand.cpp (NAMEcommands.cpp when it
// defines two) reads its argv, holds its --help text and defines its Command
// below; NAMErun.{h,cpp} does its work on parsed words and streams, and is
// what the tests call.

// One subcommand of quorvex-cli: argv[1] is its name. Returns the exit status
// (0 done, 1 see the command, 2 usage or file error).
struct Command {
  std::string_view name;
  std::string_view usage;  // the lines of --help that describe it
  int (*run)(int argc, char** argv);
};

extern const Command kBalanceCommand;  // balancecommand.cpp
extern const Command kCheckCommand;    // checkcommand.cpp
extern const Command kSearchCommand;   // searchcommand.cpp
extern const Command kWeightCommand;   // calccommands.cpp
extern const Command kTableCommand;    // calccommands.cpp
extern const Command kAddCommand;      // librarycommands.cpp
extern const Command kDeleteCommand;   // librarycommands.cpp

}  // namespace quorvex::cli
