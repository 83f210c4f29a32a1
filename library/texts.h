// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace quorvex::library {

// Search terms per side; the search boxes hold the reactant terms, then the product terms.
inline constexpr int kTermsPerSide = 6;
inline constexpr int kSearchTerms = 2 * kTermsPerSide;

// The texts the library commands change, named by what they show. The
// workspace's window texts extend it; the commands assign whole fields.
struct ListTexts {
  std::string libraryCount;  // "There are total N equations in your library currently."
  std::string boardText;     // the result board's display text
  std::string foundText;     // the found list's display text
  std::string addPick;       // the balancer picker's selection, the one "Add To Lib" adds
  std::string deletePick;    // the searcher picker's selection, the one "Del From Lib" deletes
  std::array<std::string, kSearchTerms> searchTerms;
};

}  // namespace quorvex::library
