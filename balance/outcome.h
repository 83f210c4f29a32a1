// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quorvex::balance {

// What the last command of the balancer page decided; callers act on this,
// never on the message text.
enum class BalanceOutcome {
  None,               // no balance decided the message: guidance, a check's verdict, Reset
  Balanced,           // the balance is on the result board
  DisplayFull,        // balanced, but its line would take the board's text past its limit
  Failed,             // no balance; the failure reason may say why
  InputError,         // the boxes could not be read; the message says why
  InvalidCharacters,  // an input error: a box holds a byte it may not
};

inline constexpr std::string_view kBalanced = "Balanced it successfully!";
inline constexpr std::string_view kFailed = "Failed to balance!";
// A success whose line would take the display text past its limit.
inline constexpr std::string_view kDisplayFull =
    "Display error - the result board is full! Click \"Clear List\" to make room.";

// The message of an outcome that has one text (Balanced, DisplayFull,
// Failed); "" for the others, whose text comes from where they arose.
constexpr std::string_view OutcomeMessage(BalanceOutcome outcome) {
  switch (outcome) {
    case BalanceOutcome::Balanced: return kBalanced;
    case BalanceOutcome::DisplayFull: return kDisplayFull;
    case BalanceOutcome::Failed: return kFailed;
    default: return {};
  }
}

// True for the outcomes that found a balance.
constexpr bool FoundBalance(BalanceOutcome outcome) {
  return outcome == BalanceOutcome::Balanced || outcome == BalanceOutcome::DisplayFull;
}

}  // namespace quorvex::balance
