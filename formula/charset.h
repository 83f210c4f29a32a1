// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three character sets of a species text. A byte is valid in a formula
// when it belongs to one of them; everything else (blanks, "*", "/", any byte
// of 128 or more) is not.
namespace quorvex::formula {

constexpr bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsSmall(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "(", ")", "+", "-", ".", the digits, "[", "]" and "_".
constexpr bool IsFormulaSymbol(char c) {
  return IsDigit(c) || c == '(' || c == ')' || c == '+' || c == '-' || c == '.' || c == '[' || c == ']' ||
         c == '_';
}

constexpr bool IsValidChar(char c) { return IsCapital(c) || IsSmall(c) || IsFormulaSymbol(c); }

// A reactant box also takes "*", which joins hydrate parts.
constexpr bool IsReactantSymbol(char c) { return IsValidChar(c) || c == '*'; }

// A product box takes any byte from the blank to "~".
constexpr bool IsPrintableAscii(char c) { return c >= ' ' && c <= '~'; }

// True when a reactant box (or a product box) may hold `c`.
constexpr bool BoxMayHold(bool reactant, char c) {
  return reactant ? IsReactantSymbol(c) : IsPrintableAscii(c);
}

}  // namespace quorvex::formula
