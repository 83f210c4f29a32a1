// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/weight.h"

#include <cmath>

#include "calc/decimal.h"
#include "core/errors.h"

namespace quorvex::calc {

double GetWeight(std::string_view species, Precision precision, const ElementTable& table,
                 formula::Scanner& scanner) {
  double sum = 0;
  for (int k = 1; k <= kElementTableSlots; ++k) {
    const ElementRecord& element = table.slot(k);
    if (element.symbol.empty() || element.weight.empty() || element.weight == "N/A") break;
    const std::optional<double> stored = ReadDecimal(element.weight);
    if (!stored) throw FloatConvertError(element.weight);
    const double w = precision == Precision::Low ? BoundWeight(*stored) : *stored;
    const std::int32_t n = scanner.ExGetElementNum(element.symbol, species);
    sum += n * w;
  }
  return sum;
}

double BoundWeight(double weight) {
  // Ties to even without touching the floating-point environment.
  double d = std::floor(weight);
  const double fraction = weight - d;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(d, 2.0) != 0)) d += 1;
  // The comparisons are made in binary floating point on purpose: "127.60"
  // reads as just below 127.6, so tellurium lands on 127.5.
  if (!(weight < d) && (d + 0.5) - weight < 0.1) return d + 0.5;
  if (weight < d && (weight - d) + 0.5 < 0.1) return d - 0.5;
  return d;
}

std::string DeleteHeadNum(std::string_view species) {
  std::size_t digits = 0;
  while (digits < species.size() && species[digits] >= '0' && species[digits] <= '9') ++digits;
  return std::string(species.substr(digits));
}

}  // namespace quorvex::calc
