// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/calcrun.h"

#include <exception>
#include <optional>
#include <ostream>
#include <string_view>

#include "calc/calctable.h"
#include "calc/elements.h"
#include "calc/weight.h"
#include "cli/arguments.h"
#include "core/numbertext.h"
#include "formula/composition.h"
#include "formula/notation.h"
#include "formula/scanner.h"

namespace quorvex::cli {
namespace {

// Writes the scanner's modal messages, which only warn ("Input error
// 2-Number too great!": the count is still used), to `err` as "N: text", N
// being the formula's place in the command.
class Warnings final : public Notifier {
 public:
  explicit Warnings(std::ostream& err) : m_err(err) {}
  void setNumber(int number) { m_number = number; }
  int number() const { return m_number; }
  void modal(std::string_view text) override { m_err << m_number << ": " << text << '\n'; }

 private:
  std::ostream& m_err;
  int m_number = 0;
};

// The weight of one formula, or the error the scanner recorded for it.
struct Weighed {
  double weight = 0;
  std::string error;
};

// True when `text` holds a byte outside printable ASCII, which no formula may hold.
bool HasStrayByte(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) return true;
  }
  return false;
}

Weighed Weigh(std::string_view typed, calc::Precision precision, const calc::ElementTable& elements,
              Notifier& warnings) {
  // What is typed or pasted is read as the balance reads it.
  const std::string formula = formula::ReadTerm(typed, formula::Written::Formula).species;
  if (HasStrayByte(formula)) return {0, std::string(formula::kInvalidCharacters)};
  std::string pending;
  DistinctNotifier once(warnings);
  formula::Scanner scanner(pending, once);
  Weighed result;
  try {
    result.weight = calc::GetWeight(formula, precision, elements, scanner);
  } catch (const std::exception& e) {
    result.error = e.what();
    return result;
  }
  result.error = pending;
  return result;
}

struct Options {
  calc::Precision precision = calc::Precision::Low;
  std::vector<std::string> words;
};

// False, with a message, for an unknown option.
bool ParseOptions(const std::vector<std::string>& args, std::string_view command, Options& options,
                  std::ostream& err) {
  std::optional<Arguments> parsed = ParseArguments(command, args, {{"--high", false}}, err);
  if (!parsed) return false;
  if (!parsed->options.empty()) options.precision = calc::Precision::High;
  options.words = std::move(parsed->operands);
  return true;
}

}  // namespace

int RunWeight(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  if (!ParseOptions(args, "weight", options, err)) return 2;
  if (options.words.empty()) {
    return UsageError(err, "weight", "needs at least one FORMULA");
  }
  calc::ElementTable elements;
  elements.InitRealElement();
  int status = 0;
  Warnings warnings(err);
  for (const std::string& formula : options.words) {
    warnings.setNumber(warnings.number() + 1);
    const Weighed weighed = Weigh(formula, options.precision, elements, warnings);
    if (weighed.error.empty()) {
      out << NumberText(weighed.weight) << '\n';
    } else {
      out << weighed.error << '\n';
      status = 1;
    }
  }
  return status;
}

int RunTable(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Options options;
  if (!ParseOptions(args, "table", options, err)) return 2;
  if (options.words.empty()) {
    return UsageError(err, "table", "needs an EQUATION");
  }
  std::string typed;
  for (const std::string& word : options.words) {
    if (!typed.empty()) typed += ' ';
    typed += word;
  }
  // Each species as `weight` reads it; the table cuts the equation itself.
  const std::string equation = formula::WithSpeciesRewritten(typed);
  if (HasStrayByte(equation)) {
    out << formula::kInvalidCharacters << '\n';
    return 1;
  }
  calc::ElementTable elements;
  elements.InitRealElement();
  std::string pending;
  // Each row is weighed again below, where its own errors are caught.
  SilentNotifier notifier;
  formula::Scanner scanner(pending, notifier);
  calc::CalcTable table;
  std::string stopped;
  try {
    if (options.precision == calc::Precision::High) {
      table.useHighPrecision(equation, elements, scanner);
    } else {
      table.UpdateCaculate(equation, elements, scanner);
    }
  } catch (const std::exception& e) {
    // The rows before the one that failed are still printed, then its error.
    stopped = e.what();
  }
  int status = stopped.empty() ? 0 : 1;
  Warnings warnings(err);
  for (int row = 1; row <= table.rowCount(); ++row) {
    warnings.setNumber(row);
    const std::string error = Weigh(table.cell(0, row), options.precision, elements, warnings).error;
    if (!error.empty()) {
      out << error << '\n';
      status = 1;
      continue;
    }
    for (int column = 0; column < calc::kAmountColumn; ++column) {
      if (column > 0) out << '\t';
      out << table.cell(column, row);
    }
    out << '\n';
  }
  if (!stopped.empty()) out << stopped << '\n';
  return status;
}

}  // namespace quorvex::cli
