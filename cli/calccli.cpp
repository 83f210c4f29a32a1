#include "cli/calccli.h"

#include <exception>
#include <optional>
#include <ostream>

#include "calc/calctable.h"
#include "cli/arguments.h"
#include "calc/elements.h"
#include "calc/weight.h"
#include "formula/numbertext.h"

namespace quorvex::cli {
namespace {

// Writes modal messages at once, tagged with what is being worked on.
class TaggedNotifier final : public Notifier {
 public:
  explicit TaggedNotifier(std::ostream& err) : m_err(err) {}
  void setTag(std::string tag) { m_tag = std::move(tag); }
  void modal(std::string_view text) override { m_err << m_tag << ": " << text << '\n'; }

 private:
  std::ostream& m_err;
  std::string m_tag;
};

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
  std::string pending;
  TaggedNotifier notifier(err);
  formula::Scanner scanner(pending, notifier);
  int status = 0;
  for (const std::string& formula : options.words) {
    notifier.setTag(formula);
    try {
      out << NumberText(calc::GetWeight(formula, options.precision, elements, scanner)) << '\n';
    } catch (const std::exception& e) {
      err << formula << ": " << e.what() << '\n';
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
  std::string equation;
  for (const std::string& word : options.words) {
    if (!equation.empty()) equation += ' ';
    equation += word;
  }
  calc::ElementTable elements;
  elements.InitRealElement();
  std::string pending;
  TaggedNotifier notifier(err);
  notifier.setTag(equation);
  formula::Scanner scanner(pending, notifier);
  calc::CalcTable table;
  int status = 0;
  try {
    if (options.precision == calc::Precision::High) {
      table.OnHighPrecisionClick(equation, elements, scanner);
    } else {
      table.UpdateCaculate(equation, elements, scanner);
    }
  } catch (const std::exception& e) {
    // The rows before the one that failed are still printed.
    err << equation << ": " << e.what() << '\n';
    status = 1;
  }
  for (int row = 1; row <= table.rowCount(); ++row) {
    for (int column = 0; column < calc::kAmountColumn; ++column) {
      if (column > 0) out << '\t';
      out << table.cell(column, row);
    }
    out << '\n';
  }
  return status;
}

}  // namespace quorvex::cli
