// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvex::cli {

// `quorvex-cli weight [--high] FORMULA...`: the molecular weight of each
// formula, one line per formula in order; a formula the scanner reports an
// error for gets that error text as its line. `args` are the words after
// "weight". Returns 0, 1 when a formula could not be weighed, 2 for a usage
// error (on `err`).
int RunWeight(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// `quorvex-cli table [--high] EQUATION...`: columns 0 to 3 of the calculation
// table of the equation (the words joined by blanks), one row a line, cells
// separated by tabs; a species that cannot be weighed gets its error text
// as its line. Returns 0, 1 when a species could not be weighed, 2 for a
// usage error.
int RunTable(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
