// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/equationline.h"

#include <filesystem>
#include <tuple>

#include "formula/equationtext.h"

namespace quorvex::cli {

bool EquationLine::anyCoefficient() const {
  for (const auto* side : {&coefficients.reactants, &coefficients.products}) {
    for (const std::string& c : *side) {
      if (!c.empty()) return true;
    }
  }
  return false;
}

EquationLine ParseEquationLine(std::string_view line) {
  EquationLine result;
  std::size_t first = line.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || line[first] == '#') return result;

  formula::PlainEquation plain;
  if (formula::ReadPlainEquation(line, plain)) {
    for (const auto& [terms, count, species, coefficients] :
         {std::tuple{&plain.sides[0], plain.counts[0], &result.boxes.reactants, &result.coefficients.reactants},
          std::tuple{&plain.sides[1], plain.counts[1], &result.boxes.products, &result.coefficients.products}}) {
      for (std::size_t i = 0; i < count; ++i) {
        (*species)[i] = (*terms)[i].species;
        (*coefficients)[i] = (*terms)[i].coefficient;
      }
    }
    result.kind = EquationLine::Kind::Equation;
    return result;
  }
  formula::WrittenEquation read = formula::ReadWrittenEquation(line);
  result.kind = EquationLine::Kind::Error;
  if (read.kind == formula::WrittenEquation::Kind::Error) {
    result.error = read.error;
    return result;
  }
  if (read.kind != formula::WrittenEquation::Kind::Equation) {
    result.error = "Input error - no \"=\" between the reactants and the products.";
    return result;
  }
  for (const auto& [terms, species, coefficients, what] :
       {std::tuple{&read.reactants, &result.boxes.reactants, &result.coefficients.reactants, "reactants"},
        std::tuple{&read.products, &result.boxes.products, &result.coefficients.products, "products"}}) {
    if (terms->size() > species->size()) {
      result.error = std::string("Input error - more than 14 ") + what + ".";
      return result;
    }
    for (std::size_t i = 0; i < terms->size(); ++i) {
      (*species)[i] = std::move((*terms)[i].species);
      (*coefficients)[i] = std::move((*terms)[i].coefficient);
    }
  }
  result.kind = EquationLine::Kind::Equation;
  return result;
}

}  // namespace quorvex::cli

namespace quorvex::cli {

bool IsEquationOperand(const std::string& operand) {
  std::error_code error;
  if (operand == "-" || std::filesystem::exists(operand, error)) return false;
  return formula::HoldsArrow(operand);
}

}  // namespace quorvex::cli
