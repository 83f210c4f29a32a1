// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/checkrun.h"

#include <istream>
#include <ostream>
#include <string>

#include "balance/check.h"
#include "cli/arguments.h"
#include "cli/balancerun.h"
#include "cli/equationline.h"

namespace quorvex::cli {
CheckRun RunCheck(std::istream& in, std::ostream& out, std::ostream& err) {
  CheckRun run;
  LineNotifier notifier(err);
  balance::Balancer balancer(notifier);
  std::string line;
  EquationLine parsed;
  balance::IonReader ions;
  long number = 0;
  while (out && std::getline(in, line)) {
    ++number;
    ParseEquationLine(number == 1 ? SkipByteOrderMark(line) : std::string_view(line), parsed, ions);
    if (parsed.kind == EquationLine::Kind::Skip) continue;
    notifier.setLine(number);
    if (parsed.kind == EquationLine::Kind::Error) {
      out << parsed.error << "\t\n";
      run.allBalanced = false;
      SayHints(line, nullptr, true, notifier);
      continue;
    }
    notifier.notes(parsed.notes);
    balancer.clearResults();
    try {
      const balance::CheckOutcome outcome =
          balance::CheckEquation(parsed.boxes, parsed.coefficients, balancer, notifier);
      out << outcome.message << '\t' << outcome.typed;
      if (!outcome.answer.empty()) out << '\t' << outcome.answer;
      out << '\n';
      const bool balanced = balance::Balances(outcome.verdict);
      run.allBalanced = run.allBalanced && balanced;
      SayHints(line, &parsed.boxes, !balanced, notifier);
    } catch (const std::exception& e) {
      out << e.what() << "\t\n";
      run.allBalanced = false;
      SayHints(line, nullptr, true, notifier);
    }
  }
  run.read = !in.bad();
  return run;
}

}  // namespace quorvex::cli
