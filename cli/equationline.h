// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "balance/ionreading.h"
#include "core/notifier.h"
#include "formula/composition.h"
#include "formula/equationtext.h"

namespace quorvex::cli {

// One line of an input file of equations.
struct EquationLine {
  enum class Kind { Skip, Equation, Error };
  Kind kind = Kind::Skip;
  formula::BoxTexts boxes;  // for Equation: reactants from Sp1, products from Pr1
  // The coefficient typed before the species in each box ("" for none).
  formula::BoxTexts coefficients;
  std::string error;             // for Error: the message, which contains "error"
  formula::PlainEquation plain;  // the plain reader's views of the line, its room reused
  // For Equation: how each term that read two ways was read, a note for
  // standard error ("read SO42- as SO4[2-]", balance::ReadingNote).
  std::vector<std::string> notes;
  bool anyCoefficient() const;
};

// Reads "reactants = products" as formula::ReadWrittenEquation does, a term
// that reads two ways decided by the line (balance::DecideIonReadings) or
// refused; empty and "#" lines are skipped.
EquationLine ParseEquationLine(std::string_view line);
// The same into `into`, whose strings keep their storage from line to line,
// and `ions` its counting.
void ParseEquationLine(std::string_view line, EquationLine& into, balance::IonReader& ions);

// What to write instead of the first common slip among the species of a line
// (formula::SlipHint), as the window says it beside a failure; "" for none.
// An electron is "e[-]" in a line, which is no slip there.
std::string FirstSlipHint(const formula::BoxTexts& boxes);

// True when a command's operand names no existing file but is written as an
// equation (it holds "=" or an arrow): it is then read as one input line.
bool IsEquationOperand(const std::string& operand);

// Where a command reads its equation lines: standard input (no operand or
// "-"), the one equation the operand holds, or the file it names.
class EquationInput {
 public:
  // False after saying on `err` why the file cannot be opened.
  bool open(const std::string& operand, std::ostream& err);
  std::istream& stream() { return *m_in; }
  // The input's name for a read error: "standard input" or the operand.
  std::string name() const { return m_operand == "-" ? "standard input" : m_operand; }

 private:
  std::string m_operand = "-";
  std::ifstream m_file;
  std::istringstream m_equation;
  std::istream* m_in = &std::cin;
};

// Writes each modal message at once, tagged with the current line number.
class LineNotifier final : public Notifier {
 public:
  explicit LineNotifier(std::ostream& err) : m_err(err) {}
  void setLine(long line) { m_line = line; }
  void modal(std::string_view text) override;
  // Each of `texts` as modal would write it, in one write: standard error is
  // unbuffered, and a line's notes are many.
  void notes(const std::vector<std::string>& texts);

 private:
  std::ostream& m_err;
  long m_line = 0;
  std::string m_message;  // the message being written, its storage kept
};

}  // namespace quorvex::cli
