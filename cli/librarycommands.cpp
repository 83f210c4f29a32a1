// SPDX-License-Identifier: GPL-3.0-or-later
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/libraryrun.h"

namespace quorvex::cli {
namespace {

int RunAddCommand(int argc, char** argv) {
  return RunLibraryChange(true, std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
}

int RunDeleteCommand(int argc, char** argv) {
  return RunLibraryChange(false, std::vector<std::string>(argv + 2, argv + argc), std::cout, std::cerr);
}

}  // namespace

const Command kAddCommand = {"add",
                             R"(  quorvex-cli add --library FILE EQUATION
      Adds the line "#EQUATION#" to the equation library FILE as "Add To Lib"
      does, and prints the window's message, such as
      "Added to the equation library successfully!". The file is locked while
      it is read and rewritten, so several programs may add at once; a lock
      held elsewhere is waited for at most 3 seconds. A missing FILE is
      created; a device, FIFO or a link another user planted in a shared
      folder is refused. Exit status 0 when the file changed, 1 when it did
      not (already there, full, or the file could not be written: the reason
      goes to standard error); a command that changes nothing writes nothing.
)",
                             RunAddCommand};

const Command kDeleteCommand = {"delete",
                                R"(  quorvex-cli delete --library FILE EQUATION
      Removes the first line "#EQUATION#" from FILE as "Del From Lib" does,
      with the same messages and exit status as add; a missing FILE is an
      error and is not created.
)",
                                RunDeleteCommand};

}  // namespace quorvex::cli
