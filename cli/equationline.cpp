// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/equationline.h"

#include <charconv>
#include <filesystem>
#include <tuple>

#include "cli/arguments.h"
#include "formula/equationtext.h"
#include "formula/notation.h"

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

// Any line, through the full reader of written equations, into `result`, whose
// strings keep their storage for the next line.
void ReadLine(std::string_view line, std::size_t first, EquationLine& result, balance::IonReader& ions) {
  result.kind = EquationLine::Kind::Skip;
  result.error.clear();
  result.notes.clear();
  for (auto* box : {&result.boxes.reactants, &result.boxes.products, &result.coefficients.reactants,
                    &result.coefficients.products}) {
    for (std::string& text : *box) text.clear();
  }
  if (first == std::string_view::npos || line[first] == '#') return;

  balance::IonDecision decision;
  formula::WrittenEquation read = ions.read(line, decision);
  result.kind = EquationLine::Kind::Error;
  if (read.kind == formula::WrittenEquation::Kind::Error) {
    result.error = read.error;
    return;
  }
  if (read.kind != formula::WrittenEquation::Kind::Equation) {
    result.error = "Input error - no \"=\" between the reactants and the products.";
    return;
  }
  for (const auto& [terms, species, coefficients, what] :
       {std::tuple{&read.reactants, &result.boxes.reactants, &result.coefficients.reactants, "reactants"},
        std::tuple{&read.products, &result.boxes.products, &result.coefficients.products, "products"}}) {
    if (terms->size() > species->size()) {
      result.error = std::string("Input error - more than 14 ") + what + ".";
      return;
    }
    for (std::size_t i = 0; i < terms->size(); ++i) {
      (*species)[i] = (*terms)[i].species;
      (*coefficients)[i] = (*terms)[i].coefficient;
    }
  }
  for (const balance::IonReading& reading : decision.readings)
    result.notes.push_back(balance::ReadingNote(reading));
  result.kind = EquationLine::Kind::Equation;
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
  formula::PlainEquation& plain = into.plain;
  if (first == std::string_view::npos || line[first] == '#' || !formula::ReadPlainEquation(line, plain)) {
    ReadLine(line, first, into, ions);
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

std::string FirstSlipHint(const formula::BoxTexts& boxes) {
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& species : *side) {
      if (formula::WithoutStateSymbol(species) == "e[-]") continue;
      std::string hint = formula::SlipHint(species);
      if (!hint.empty()) return hint;
    }
  }
  return {};
}

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

// Built whole and written at once: standard error is unbuffered, and a write for each piece
// cost a system call each, more than the balance of the line itself.
void LineNotifier::modal(std::string_view text) {
  std::array<char, 24> number{};
  char* end = std::to_chars(number.data(), number.data() + number.size(), m_line).ptr;
  m_message.assign(number.data(), end).append(": ").append(text).append(1, '\n');
  m_err.write(m_message.data(), static_cast<std::streamsize>(m_message.size()));
}

void LineNotifier::notes(const std::vector<std::string>& texts) {
  if (texts.empty()) return;
  const std::string number = std::to_string(m_line) + ": ";
  std::string all;
  for (const std::string& text : texts) all.append(number).append(text).append(1, '\n');
  m_err.write(all.data(), static_cast<std::streamsize>(all.size()));
}

}  // namespace quorvex::cli
