// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <iosfwd>
#include <string_view>

#include "balance/completion.h"
#include "core/notifier.h"
#include "formula/composition.h"

namespace quorvex::cli {

// The note on standard error for a line whose typed coefficients the balance leaves out.
inline constexpr const char* kCoefficientsLeftOut =
    "the typed coefficients are left out; the balance finds its own (check keeps them).";

// The hints for an input line, each a modal message: on standard error as
// "N: sentence" after the line's output. A failed line read into `boxes` first
// gets the slip of its species the window names (FirstSlipHint), then every
// line the slips balance::FindHints finds; a line that was not read has no boxes.
void SayHints(std::string_view line, const formula::BoxTexts* boxes, bool failed, Notifier& notifier);

// `quorvex-cli balance`: one equation a line in, one outcome line out
// ("message<TAB>equation", and for a failed balance a third column
// "<TAB>code: sentence" saying why); modal messages go to `err` as "N: text" with the
// input line number. With a medium or a half-reaction in `choice`, each
// equation is completed first and a success lists what was added in the third
// column ("added: 8H[+], 4H2O"). Returns false when reading `in` failed.
bool RunBalance(std::istream& in, std::ostream& out, std::ostream& err,
                balance::CompletionChoice choice = {});

}  // namespace quorvex::cli
