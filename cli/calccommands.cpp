#include <iostream>

#include "cli/commands.h"

namespace quorvex::cli {

const Command kWeightCommand = {
    "weight", "  quorvex-cli weight (not available yet)\n", [](int, char**) {
      std::cerr << "quorvex-cli: weight is not available yet\n";
      return 2;
    }};

const Command kTableCommand = {
    "table", "  quorvex-cli table (not available yet)\n", [](int, char**) {
      std::cerr << "quorvex-cli: table is not available yet\n";
      return 2;
    }};

}  // namespace quorvex::cli
