// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "calc/elements.h"
#include "formula/scanner.h"

namespace quorvex::calc {

// Low: atomic weights rounded to whole or half units by BoundWeight. High: as stored.
enum class Precision { Low, High };

// Molecular weight of a species text in g/mol: the sum over the table's slots
// from slot 1 up to the first without a symbol or weight (or with the weight
// "N/A") of atomic weight times ExGetElementNum. A leading coefficient, a
// charge and unknown symbols add nothing; 0 for the empty text. Throws
// FloatConvertError for a stored weight that is not a number, and whatever
// ExGetElementNum throws; its modal messages go through the scanner.
double GetWeight(std::string_view species, Precision precision, const ElementTable& table,
                 formula::Scanner& scanner);

// `weight` rounded for low precision: to the nearest half-integer when that
// lies within 0.1, else to the nearest integer (ties to even).
double BoundWeight(double weight);

// `species` without its leading run of digits.
std::string DeleteHeadNum(std::string_view species);

}  // namespace quorvex::calc
