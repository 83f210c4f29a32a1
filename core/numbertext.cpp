// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace quorvex {

std::string NumberText(double value, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // Round to 15 significant digits first; the notation follows the rounded
  // value, so 999999999999999.9 becomes "1E15".
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", value);
  const std::string text(buf);
  const std::size_t ePos = text.find('e');
  const int exponent = std::atoi(text.c_str() + ePos + 1);
  const bool negative = text.front() == '-';
  std::string digits;
  for (std::size_t i = negative ? 1 : 0; i < ePos; ++i) {
    if (text[i] != '.') digits += text[i];
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent >= -4 && exponent < 15) {
    if (exponent < 0) {
      out += '0';
      out += decimalSeparator;
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
      } else {
        out += digits.substr(0, whole);
        out += decimalSeparator;
        out += digits.substr(whole);
      }
    }
    return out;
  }
  out += digits.substr(0, 1);
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += 'E';
  out += std::to_string(exponent);
  return out;
}

}  // namespace quorvex
