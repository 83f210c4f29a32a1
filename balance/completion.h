// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "balance/balancer.h"
#include "formula/composition.h"

namespace quorvex::balance {

// The solution a reaction runs in: what water and its ions may be added.
enum class Medium { AsTyped, Acidic, Basic, Neutral };

// What a balance may add to the species typed.
struct CompletionChoice {
  Medium medium = Medium::AsTyped;
  bool halfReaction = false;  // electrons ("[-]" in a box, shown "e[-]") may be added
  bool operator==(const CompletionChoice&) const = default;
};

// "acid"/"acidic", "base"/"basic", "neutral"; none for anything else.
std::optional<Medium> ReadMedium(std::string_view word);

// A species the completion added: its text, side and coefficient.
struct AddedSpecies {
  std::string species;
  bool product = false;
  std::string coefficient;  // as the equation writes it; "1" is shown as ""
};

// Balances `typed` with `balancer` as "Balance" does, after adding the species
// `choice` allows (H[+] and H2O in acid, OH[-] and H2O in base, H2O in neutral
// solution, and electrons for a half-reaction). One exact solve of the equation with
// those species as extra columns, free in sign, decides the side of each; a
// species already typed keeps its box and side. The completed equation goes to
// the board like any balance. When the completed equation has several
// independent balances the outcome is the "multiple" reason naming them.
struct Completion {
  formula::BoxTexts boxes;                  // what was balanced: the typed boxes and the added species
  std::vector<AddedSpecies> added;          // empty unless the balance succeeded
  Balancer::Run run = Balancer::Run::Done;  // Refused by a full board, as "Balance" is
};
Completion CompleteAndBalance(Balancer& balancer, const formula::BoxTexts& typed, CompletionChoice choice);

// "8H[+], 4H2O, 5e[-]"
std::string AddedList(const std::vector<AddedSpecies>& added);

}  // namespace quorvex::balance
