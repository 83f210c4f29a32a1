// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/equationline.h"

#include <filesystem>
#include <tuple>

#include "cli/arguments.h"
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

namespace {

// Any line, through the full reader of written equations.
EquationLine ReadLine(std::string_view line, std::size_t first, balance::IonReader& ions) {
  EquationLine result;
  if (first == std::string_view::npos || line[first] == '#') return result;

  balance::IonDecision decision;
  formula::WrittenEquation read = ions.read(line, decision);
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
  for (const balance::IonReading& reading : decision.readings)
    result.notes.push_back(balance::ReadingNote(reading));
  result.kind = EquationLine::Kind::Equation;
  return result;
}

}  // namespace

EquationLine ParseEquationLine(std::string_view line) {
  EquationLine result;
  balance::IonReader ions;
  ParseEquationLine(line, result, ions);
  return result;
}

void ParseEquationLine(std::string_view line, EquationLine& into, balance::IonReader& ions) {
  const std::size_t first = line.find_first_not_of(" \t\r\n");
  formula::PlainEquation plain;
  if (first == std::string_view::npos || line[first] == '#' || !formula::ReadPlainEquation(line, plain)) {
    into = ReadLine(line, first, ions);
    return;
  }
  into.kind = EquationLine::Kind::Equation;
  into.error.clear();
  into.notes.clear();
  for (const auto& [terms, count, species, coefficients] :
       {std::tuple{&plain.sides[0], plain.counts[0], &into.boxes.reactants, &into.coefficients.reactants},
        std::tuple{&plain.sides[1], plain.counts[1], &into.boxes.products, &into.coefficients.products}}) {
    for (std::size_t i = 0; i < count; ++i) {
      (*species)[i] = (*terms)[i].species;
      (*coefficients)[i] = (*terms)[i].coefficient;
    }
    for (std::size_t i = count; i < species->size(); ++i) {
      (*species)[i].clear();
      (*coefficients)[i].clear();
    }
  }
}

}  // namespace quorvex::cli

namespace quorvex::cli {

bool IsEquationOperand(const std::string& operand) {
  std::error_code error;
  if (operand == "-" || std::filesystem::exists(operand, error)) return false;
  return formula::HoldsArrow(operand);
}

bool EquationInput::open(const std::string& operand, std::ostream& err) {
  m_operand = operand;
  if (IsEquationOperand(operand)) {
    m_equation.str(operand);
    m_in = &m_equation;
  } else if (operand != "-") {
    if (!OpenInput(operand, m_file, err)) return false;
    m_in = &m_file;
  }
  return true;
}

void LineNotifier::modal(std::string_view text) { m_err << m_line << ": " << text << '\n'; }

void LineNotifier::notes(const std::vector<std::string>& texts) {
  if (texts.empty()) return;
  const std::string number = std::to_string(m_line) + ": ";
  std::string all;
  for (const std::string& text : texts) all.append(number).append(text).append(1, '\n');
  m_err.write(all.data(), static_cast<std::streamsize>(all.size()));
}

}  // namespace quorvex::cli
