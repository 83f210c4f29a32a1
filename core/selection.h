// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quorvex {

// The list the calculator takes its equation from.
enum class CalculatorSource { ResultBoard = 0, FoundList = 1 };

// The message of a command that needs a picked equation when none is picked.
inline constexpr std::string_view kNoEquationSelected = "No equation selected.";

}  // namespace quorvex
