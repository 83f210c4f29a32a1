// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvex {

// The general text of a double: at most 15 significant digits, no trailing
// zeros and no point for whole values; fixed notation for magnitudes from
// 0.0001 up to below 1E15, otherwise scientific with "E", a "-" only for
// negative exponents and no leading zeros in the exponent ("5E-5", "1E15").
// Infinities and NaN give "INF", "-INF" and "NAN". The decimal separator is
// always "." whatever the process locale.
std::string NumberText(double value);

}  // namespace quorvex
