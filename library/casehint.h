// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "library/foundlist.h"
#include "library/library.h"

namespace quorvex::library {

// Said after a search that found nothing only because of letter case.
inline constexpr std::string_view kLetterCaseMatters =
    "Letter case matters: write each element with a capital first letter, as in H2O or NaCl.";

// True when no library line satisfies the terms as typed, but one would with
// letter case ignored ("h2o" for "H2O").
bool OnlyLetterCaseDiffers(const Library& library, const SearchTerms& terms);

}  // namespace quorvex::library
