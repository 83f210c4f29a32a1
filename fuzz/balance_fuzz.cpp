// SPDX-License-Identifier: GPL-3.0-or-later
// The whole balance command on arbitrary box texts, and the command-line
// reader on the same bytes as a line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "balance/balancer.h"
#include "balance/completion.h"
#include "cli/equationline.h"
#include "core/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // Boxes are separated by newlines: Sp1..Sp14, then Pr1..Pr14.
  quorvex::formula::BoxTexts boxes;
  std::size_t box = 0;
  std::size_t from = 0;
  while (from <= input.size() && box < 28) {
    std::size_t end = input.find('\n', from);
    if (end == std::string_view::npos) end = input.size();
    auto& side = box < 14 ? boxes.reactants : boxes.products;
    side[box % 14].assign(input.substr(from, end - from));
    ++box;
    from = end + 1;
  }
  quorvex::SilentNotifier notifier;
  quorvex::balance::Balancer balancer(notifier);
  try {
    balancer.balance(boxes);
    if (balancer.outcome() == quorvex::balance::BalanceOutcome::Balanced) {
      // A success is on the board and its text is within the display.
      if (balancer.board().count() != 1) __builtin_trap();
    }
  } catch (const quorvex::ConvertError&) {
  } catch (const quorvex::AssertionFailure&) {
  }
  // The same boxes completed in the medium the first byte picks.
  const int pick = size > 0 ? data[0] : 0;
  quorvex::balance::Balancer completing(notifier);
  try {
    quorvex::balance::CompleteAndBalance(completing, boxes,
                                         {static_cast<quorvex::balance::Medium>(pick % 4), (pick & 4) != 0});
    if (completing.outcome() == quorvex::balance::BalanceOutcome::Balanced &&
        completing.board().count() != 1) {
      __builtin_trap();
    }
  } catch (const quorvex::ConvertError&) {
  } catch (const quorvex::AssertionFailure&) {
  }
  const auto line = quorvex::cli::ParseEquationLine(input);
  (void)line;
  return 0;
}
