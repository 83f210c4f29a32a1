// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>

namespace quorvex::cli {

// Status 2 for output used in tests and in quorvex-cli alike.
inline constexpr int kOutputFailed = 2;

// Flushes `out`; when any write to it failed, says so on `err` with the
// system's reason and returns kOutputFailed, else `status`.
int CheckedOutput(std::ostream& out, std::ostream& err, int status);

// CheckedOutput for standard output, which is then closed so that a failure
// the close reports (a full disk behind delayed writes) is caught as well.
int FinishStandardOutput(int status);

}  // namespace quorvex::cli
