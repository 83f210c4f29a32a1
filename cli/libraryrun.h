// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorvex::cli {

// `quorvex-cli add|delete --library FILE EQUATION`: the library's own add or
// delete of "#EQUATION#" (the words joined by blanks) on FILE, with the
// window's message on `out`. Returns 0 when the file changed, 1 when it did
// not (already there, not there, full, or the file could not be changed; the
// reason then on `err`), 2 for a usage error.
int RunLibraryChange(bool add, const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
