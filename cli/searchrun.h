// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvex::cli {

// `quorvex-cli search` with the arguments after "search": one search over the
// library file, its found display text to `out`; messages and usage errors to
// `err`. Returns the exit status (0 done, 2 usage or file error).
int RunSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
