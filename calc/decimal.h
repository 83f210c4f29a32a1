// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace quorvex::calc {

// The finite double that `text` spells: optional blanks, an optional sign,
// digits with "." as decimal point, an optional exponent; nullopt for
// anything else and for values beyond the range of a double. Independent of
// the process locale.
std::optional<double> ReadDecimal(std::string_view text);

}  // namespace quorvex::calc
