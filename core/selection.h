// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quorvex {

// The message of a command that needs a picked equation when none is picked:
// the library's Add To Lib and Del From Lib and the calculator's Calculate.
inline constexpr std::string_view kNoEquationSelected = "No equation selected.";

}  // namespace quorvex
