// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/notation.h"

#include <algorithm>
#include <array>

#include "formula/charset.h"

namespace quorvex::formula {
namespace {

// A superscript character: a digit ('0'..'9') or a sign ('+', '-'), and the
// bytes of its UTF-8 form.
struct Superscript {
  std::string_view bytes;
  char ascii;
};
constexpr std::array<Superscript, 12> kSuperscripts = {{
    {"\u2070", '0'},
    {"\u00B9", '1'},
    {"\u00B2", '2'},
    {"\u00B3", '3'},
    {"\u2074", '4'},
    {"\u2075", '5'},
    {"\u2076", '6'},
    {"\u2077", '7'},
    {"\u2078", '8'},
    {"\u2079", '9'},
    {"\u207A", '+'},
    {"\u207B", '-'},
}};
constexpr std::array<std::string_view, 4> kMiddleDots = {"\u00B7", "\u2022", "\u2219", "\u22C5"};
constexpr std::string_view kSubscriptLead = "\xE2\x82";  // U+2080..U+2089: E2 82 80..89
// The minus sign and the en dash, then the macron some pages write for a minus.
constexpr std::array<std::string_view, 3> kDashes = {"\u2212", "\u2013", "\u00AF"};

bool IsSign(char c) { return c == '+' || c == '-'; }

// The superscript character at the start of `rest`, or 0 for none; `length`
// gets its byte count.
char SuperscriptAt(std::string_view rest, std::size_t& length) {
  for (const Superscript& s : kSuperscripts) {
    if (rest.substr(0, s.bytes.size()) == s.bytes) {
      length = s.bytes.size();
      return s.ascii;
    }
  }
  return 0;
}

// A charge written as digits then a sign, or a sign then digits, or a sign
// alone, in `marks`; the charge group it stands for, or "" when it is none.
std::string ChargeGroup(std::string_view marks) {
  if (marks.empty()) return {};
  std::string_view digits;
  char sign = 0;
  if (IsSign(marks.back())) {
    sign = marks.back();
    digits = marks.substr(0, marks.size() - 1);
  } else if (IsSign(marks.front())) {
    sign = marks.front();
    digits = marks.substr(1);
  } else {
    return {};
  }
  for (const char c : digits) {
    if (!IsDigit(c)) return {};
  }
  std::string group = "[";
  group.append(digits);
  group += sign;
  group += ']';
  return group;
}

}  // namespace

std::string WithoutDashes(std::string_view text, bool macron) {
  const std::size_t kinds = macron ? kDashes.size() : kDashes.size() - 1;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto dash = std::find_if(kDashes.begin(), kDashes.begin() + kinds,
                                   [&](std::string_view d) { return text.substr(i, d.size()) == d; });
    if (dash == kDashes.begin() + kinds) {
      out += text[i++];
    } else {
      out += '-';
      i += dash->size();
    }
  }
  return out;
}

std::string NormaliseSpecies(std::string_view typed) {
  // Plain ASCII without a caret or a dot is already in the formula syntax.
  if (std::none_of(typed.begin(), typed.end(),
                   [](char c) { return c == '^' || c == '.' || static_cast<unsigned char>(c) >= 0x80; })) {
    return std::string(typed);
  }
  // Dashes first, so that "^2\u2212" reads as a caret charge.
  const std::string dashed = WithoutDashes(typed);
  const std::string_view text = dashed;
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::string_view rest = text.substr(i);
    // Subscript digits.
    if (rest.size() >= 3 && rest.substr(0, 2) == kSubscriptLead &&
        static_cast<unsigned char>(rest[2]) >= 0x80 && static_cast<unsigned char>(rest[2]) <= 0x89) {
      out += static_cast<char>('0' + (static_cast<unsigned char>(rest[2]) - 0x80));
      i += 3;
      continue;
    }
    // A run of superscripts that reads as a charge.
    std::size_t length = 0;
    if (SuperscriptAt(rest, length) != 0) {
      std::string marks;
      std::size_t end = i;
      for (char c = SuperscriptAt(text.substr(end), length); c != 0;
           c = SuperscriptAt(text.substr(end), length)) {
        marks += c;
        end += length;
      }
      const std::string group = ChargeGroup(marks);
      if (!group.empty()) {
        out += group;
      } else {
        out.append(text.substr(i, end - i));  // not a charge: kept for the balance to report
      }
      i = end;
      continue;
    }
    // "^" and a charge.
    if (rest[0] == '^') {
      std::size_t end = 1;
      while (end < rest.size() && IsDigit(rest[end])) ++end;
      if (end < rest.size() && IsSign(rest[end])) {
        out += ChargeGroup(rest.substr(1, end));
        i += end + 1;
        continue;
      }
    }
    bool dot = false;
    for (const std::string_view d : kMiddleDots) {
      if (rest.substr(0, d.size()) == d) {
        out += '*';
        i += d.size();
        dot = true;
        break;
      }
    }
    if (dot) continue;
    // A hydrate dot.
    if (rest[0] == '.' && rest.size() > 1 && (IsDigit(rest[1]) || IsCapital(rest[1]))) {
      out += '*';
      ++i;
      continue;
    }
    out += rest[0];
    ++i;
  }
  return out;
}

std::string FinishedSpecies(std::string_view text) {
  std::string species = NormaliseSpecies(text);
  if (species == "e" || species == "e-" || species == "e[-]") species = "[-]";
  return species;
}

std::string SlipHint(std::string_view species) {
  // A charge written sign first: "[+3]".
  const std::size_t open = species.find('[');
  if (open != std::string_view::npos && open + 2 < species.size() && IsSign(species[open + 1])) {
    std::size_t end = open + 2;
    while (end < species.size() && IsDigit(species[end])) ++end;
    if (end > open + 2 && end < species.size() && species[end] == ']') {
      std::string hint(species);
      hint += ": write the charge as [";
      hint.append(species.substr(open + 2, end - open - 2));
      hint += species[open + 1];
      hint += "].";
      return hint;
    }
  }
  // An electron inside another species' box.
  if (species.starts_with('e') && species.size() > 1 && !IsSmall(species[1])) {
    return std::string(species) + ": write an electron as [-].";
  }
  return {};
}

std::string_view WithoutStateSymbol(std::string_view species) {
  for (const std::string_view symbol : {"(s)", "(l)", "(g)", "(aq)"}) {
    if (species.size() >= symbol.size() && species.substr(species.size() - symbol.size()) == symbol) {
      return species.substr(0, species.size() - symbol.size());
    }
  }
  return species;
}

std::size_t TypedCoefficientLength(std::string_view species) {
  std::size_t i = 0;
  while (i < species.size() && IsDigit(species[i])) ++i;
  if (i == 0) return 0;
  while (i < species.size() && species[i] == ' ') ++i;
  if (i == species.size()) return 0;
  const char c = species[i];
  return IsCapital(c) || IsSmall(c) || c == '(' || c == '[' ? i : 0;
}

}  // namespace quorvex::formula
