#include <iostream>

#include "cli/commands.h"

namespace quorvex::cli {

const Command kSearchCommand = {
    "search", "  quorvex-cli search (not available yet)\n", [](int, char**) {
      std::cerr << "quorvex-cli: search is not available yet\n";
      return 2;
    }};

}  // namespace quorvex::cli
