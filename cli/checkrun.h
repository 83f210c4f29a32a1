// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>

namespace quorvex::cli {

struct CheckRun {
  bool read = true;         // false when reading the input failed
  bool allBalanced = true;  // every equation balanced, in lowest terms or not
};

// `quorvex-cli check`: one equation with its coefficients a line in; one line
// out: the verdict, a tab, the equation as read, and for an equation not in
// lowest terms or not balanced a tab and the equation in lowest terms or the
// correct balance (or "code: sentence" when it has none). Modal messages go
// to `err` as "N: text".
CheckRun RunCheck(std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace quorvex::cli
