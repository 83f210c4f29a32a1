// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/casehint.h"

#include <string>

namespace quorvex::library {
namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool Satisfies(std::string_view line, const SearchTerms& terms) {
  const std::string_view left = LeftSide(line);
  const std::string_view right = RightSide(line);
  for (int k = 0; k < kTermsPerSide; ++k) {
    const auto j = static_cast<std::size_t>(k);
    if (!IsInLeft(terms.reactants[j], left) || !IsInRight(terms.products[j], right)) return false;
  }
  return true;
}

}  // namespace

bool OnlyLetterCaseDiffers(const Library& library, const SearchTerms& terms) {
  SearchTerms lower;
  for (int k = 0; k < kTermsPerSide; ++k) {
    const auto j = static_cast<std::size_t>(k);
    lower.reactants[j] = Lower(terms.reactants[j]);
    lower.products[j] = Lower(terms.products[j]);
  }
  bool folded = false;
  for (int i = 1; i <= library.count(); ++i) {
    const std::string& line = library.line(i);
    if (Satisfies(line, terms)) return false;
    folded = folded || Satisfies(Lower(line), lower);
  }
  return folded;
}

}  // namespace quorvex::library
