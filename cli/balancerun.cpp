// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/balancerun.h"

#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "balance/balancer.h"
#include "balance/hints.h"
#include "cli/arguments.h"
#include "cli/equationline.h"

namespace quorvex::cli {

void SayHints(std::string_view line, const formula::BoxTexts* boxes, bool failed, Notifier& notifier) {
  if (failed && boxes != nullptr) {
    if (const std::string hint = FirstSlipHint(*boxes); !hint.empty()) notifier.modal(hint);
  }
  for (const balance::Hint& hint : balance::FindHints(line, failed)) notifier.modal(hint.text);
}

bool RunBalance(std::istream& in, std::ostream& out, std::ostream& err, balance::CompletionChoice choice) {
  LineNotifier notifier(err);
  balance::Balancer balancer(notifier);
  std::string line;
  EquationLine parsed;
  balance::IonReader ions;
  std::string text;
  // Outside the loop: a fresh one a line cost the clearing of its room.
  std::optional<balance::Completion> completion;
  long number = 0;
  // Once the output fails nothing more can be reported; the caller says so.
  while (out && std::getline(in, line)) {
    ++number;
    ParseEquationLine(number == 1 ? SkipByteOrderMark(line) : std::string_view(line), parsed, ions);
    if (parsed.kind == EquationLine::Kind::Skip) continue;
    notifier.setLine(number);
    if (parsed.kind == EquationLine::Kind::Error) {
      out << parsed.error << "\t\n";
      SayHints(line, nullptr, true, notifier);
      continue;
    }
    notifier.notes(parsed.notes);
    if (parsed.anyCoefficient()) notifier.modal(kCoefficientsLeftOut);
    // A fresh board for every line, so its limit never refuses one.
    balancer.clearResults();
    try {
      // As typed, nothing is added: the plain balance, without the completion's copy of the boxes.
      completion.reset();
      if (choice == balance::CompletionChoice{}) {
        balancer.balance(parsed.boxes);
      } else {
        completion = balance::CompleteAndBalance(balancer, parsed.boxes, choice);
      }
      // The whole output line, written at once.
      text.clear();
      switch (balancer.outcome()) {
        case balance::BalanceOutcome::DisplayFull: {
          // Only the window's result board has a size; here the equation is printed whole.
          text.append(balance::kBalanced).append(1, '\t');
          const formula::BoxTexts& balanced = completion ? completion->boxes : parsed.boxes;
          text.append(balance::BalancedEquationText(balanced, balancer.coefficients()));
          break;
        }
        case balance::BalanceOutcome::Balanced:
          text.append(balance::kBalanced).append(1, '\t');
          text.append(balancer.board().record(balancer.board().count()).equation);
          break;
        default: text.append(balancer.pendingMessage()).append(1, '\t'); break;
      }
      if (!balancer.failureReason().code.empty())
        text.append(1, '\t').append(balancer.failureReason().text());
      if (completion && !completion->added.empty()) {
        text.append("\tadded: ").append(balance::AddedList(completion->added));
      }
      text += '\n';
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      SayHints(line, &parsed.boxes, !balance::FoundBalance(balancer.outcome()), notifier);
    } catch (const std::exception& e) {
      out << e.what() << "\t\n";
      SayHints(line, nullptr, true, notifier);
    }
  }
  return !in.bad();
}

}  // namespace quorvex::cli
