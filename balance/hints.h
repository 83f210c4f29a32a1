// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formula/composition.h"

// What a student probably meant by a line: sentences naming the common slips.
// A hint never changes the line; it is said beside the outcome.
namespace quorvex::balance {

enum class HintKind {
  ZeroForO,       // "H20": a digit 0 where the letter O was meant
  LetterCase,     // "Kcl", "HCL", "nacl": letters that read as element symbols in another case
  NoArrow,        // "Fe + S FeS": no "=" or arrow between the sides
  SpacedLetters,  // "Z n S O 4": blanks inside a formula
};

struct Hint {
  HintKind kind = HintKind::ZeroForO;
  std::string text;  // one sentence
  friend bool operator==(const Hint&, const Hint&) = default;
};

// The hints for `line` (UTF-8, as it was typed or pasted), in the order of the
// kinds above. `failed` says whether the line failed (an input error or no
// balance): a zero for O and blanks inside a formula are named either way,
// since such a line can balance as a reaction nobody meant, or only because the
// balance read past the blanks ("P4 O10"); the other kinds only on a failed
// line. A LetterCase
// hint is given only where the line, its letters read as element symbols,
// balances.
std::vector<Hint> FindHints(std::string_view line, bool failed);

// The line the boxes of the window write: the filled reactant boxes joined by
// " + ", then " = " and the filled product boxes; without " = " when every
// product box is empty.
std::string BoxesLine(const formula::BoxTexts& boxes);

}  // namespace quorvex::balance
