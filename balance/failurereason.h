// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvex::balance {

// Why a balance failed: a code and a sentence.
struct FailureReason {
  std::string code;  // none, multiple, repeated, zero, sign, too-large or precision
  std::string sentence;
  // "code: sentence"
  std::string text() const { return code + ": " + sentence; }
};

}  // namespace quorvex::balance
