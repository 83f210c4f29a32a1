// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/decimal.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace quorvex::calc {

std::optional<double> ReadDecimal(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  // from_chars takes no "+", and after one no other sign may follow.
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;

  // from_chars also reads "inf", "nan" and hexadecimal-free forms like "1e5";
  // only digits, point, sign and exponent are numbers to a user.
  for (char c : text) {
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!allowed) return std::nullopt;
  }
  double value = 0;
  const char* first = text.data();
  const char* last = first + text.size();
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (ec != std::errc() || end != last || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace quorvex::calc
