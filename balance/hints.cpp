// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/hints.h"

#include <cstddef>
#include <exception>
#include <utility>

#include "balance/balancer.h"
#include "balance/outcome.h"
#include "formula/equationtext.h"

namespace quorvex::balance {
namespace {

bool IsSmall(char c) { return c >= 'a' && c <= 'z'; }
bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }
bool IsLetter(char c) { return IsSmall(c) || IsCapital(c); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where one written species ends: a blank, a joining sign, an arrow or a mark
// (any byte outside ASCII).
bool EndsWord(char c) {
  return c == ' ' || c == '\t' || c == '+' || c == '=' || c == ',' || c == '>' ||
         static_cast<unsigned char>(c) >= 0x80;
}

// The digit `run` (after a letter, followed by `next`) holds a zero where the
// letter O was meant: a subscript never starts with 0 ("C02"), and "20" ending
// a formula ("H20", "Na20") or a 0 between two single digits ("Fe203") is how
// a typed "2O" looks; a run before a decimal point is a decimal subscript.
// Returns the offset of that zero in the run, or npos.
std::size_t ZeroForOAt(std::string_view run, char next) {
  // A decimal subscript ("Ca0.165Al2.33...", as mineral formulas are written) is meant.
  if (next == '.') return std::string_view::npos;
  if (run.front() == '0') return 0;
  const bool formulaEnds = !IsLetter(next) && next != '[';
  if (run == "20" && formulaEnds) return 1;
  if (run.size() == 3 && run[1] == '0' && run[2] != '0' && formulaEnds) return 1;
  return std::string_view::npos;
}

void AddZeroForO(std::string_view line, std::vector<Hint>& hints) {
  std::size_t word = 0;  // where the current word starts
  for (std::size_t i = 0; i < line.size();) {
    if (EndsWord(line[i])) {
      word = ++i;
      continue;
    }
    if (!IsDigit(line[i]) || i == 0 || !IsLetter(line[i - 1])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && IsDigit(line[end])) ++end;
    const char next = end < line.size() ? line[end] : ' ';
    const std::size_t zero = ZeroForOAt(line.substr(i, end - i), next);
    if (zero == std::string_view::npos) {
      i = end;
      continue;
    }
    std::size_t wordEnd = end;
    while (wordEnd < line.size() && !EndsWord(line[wordEnd])) ++wordEnd;
    const std::string written(line.substr(word, wordEnd - word));
    std::string meant = written;
    meant[i + zero - word] = 'O';
    hints.push_back({HintKind::ZeroForO, written + ": did you mean " + meant + " (a letter O, not a zero)?"});
    // One hint a word.
    i = wordEnd;
  }
}

// The boxes of a read equation, or false when a side has more species than boxes.
bool FillBoxes(const formula::WrittenEquation& read, formula::BoxTexts& boxes) {
  const auto kSide = static_cast<std::size_t>(formula::kBoxesPerSide);
  if (read.reactants.size() > kSide || read.products.size() > kSide) return false;
  for (std::size_t i = 0; i < read.reactants.size(); ++i) boxes.reactants[i] = read.reactants[i].species;
  for (std::size_t i = 0; i < read.products.size(); ++i) boxes.products[i] = read.products[i].species;
  return true;
}

bool ReadingBalances(const formula::BoxTexts& boxes) {
  SilentNotifier silent;
  Balancer balancer(silent);
  try {
    balancer.balance(boxes);
  } catch (const std::exception&) {
    return false;
  }
  return FoundBalance(balancer.outcome());
}

// A capital followed by two or three small letters is no element symbol
// students meet: "Kcl" is KCl or KcL, "Nacl" NaCl. Each capitalised reading
// of one such run is balanced, the first that balances named; at most
// kMaxCaseReadings readings are tried.
bool HoldsLongSymbol(std::string_view line) {
  for (std::size_t i = 0; i + 2 < line.size(); ++i) {
    if (IsCapital(line[i]) && IsSmall(line[i + 1]) && IsSmall(line[i + 2])) return true;
  }
  return false;
}

void AddLetterCase(std::string_view line, std::vector<Hint>& hints) {
  // Most lines hold no such symbol and are not read again.
  if (!HoldsLongSymbol(line)) return;
  const formula::WrittenEquation read = formula::ReadWrittenEquation(line);
  formula::BoxTexts boxes;
  if (read.kind != formula::WrittenEquation::Kind::Equation || !FillBoxes(read, boxes)) return;
  int tried = 0;
  for (auto* side : {&boxes.reactants, &boxes.products}) {
    for (std::string& species : *side) {
      for (std::size_t at = 0; at < species.size(); ++at) {
        if (!IsCapital(species[at])) continue;
        std::size_t smalls = 0;
        while (at + 1 + smalls < species.size() && IsSmall(species[at + 1 + smalls])) ++smalls;
        if (smalls < 2 || smalls > 3) continue;
        // The small letter made a capital: either one for two, the second for three.
        for (std::size_t k = smalls == 2 ? 1 : 2; k <= 2; ++k) {
          if (tried == kMaxCaseReadings) return;
          ++tried;
          const std::string written = species;
          species[at + k] = static_cast<char>(species[at + k] - 'a' + 'A');
          const bool balances = ReadingBalances(boxes);
          std::string meant = std::move(species);
          species = written;
          if (balances) {
            hints.push_back(
                {HintKind::LetterCase,
                 written + ": an element symbol is one capital letter, or a capital and a small letter: " +
                     meant + "?"});
            return;
          }
        }
      }
    }
  }
}

// Two neighbouring words of a line that are one formula with blanks inside:
// a word that goes on with a small letter or a bare subscript ("Z n",
// "O 4"), or two lone capitals ("S O").
bool SpacedApart(std::string_view before, std::string_view after) {
  if (before.empty() || after.empty() || !IsLetter(before.back())) return false;
  if (IsSmall(after.front())) return after.size() <= 2 && after != "e" && after != "e-";
  bool digits = true;
  for (const char c : after) digits = digits && IsDigit(c);
  if (digits) return true;
  return before.size() == 1 && after.size() == 1 && IsCapital(before.front()) && IsCapital(after.front());
}

bool HoldsSpacedFormula(std::string_view line) {
  std::string_view before;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    const std::string_view word = line.substr(start, i - start);
    if (word.empty()) break;
    if (SpacedApart(before, word)) return true;
    before = word;
  }
  return false;
}

}  // namespace

std::vector<Hint> FindHints(std::string_view line, bool failed) {
  std::vector<Hint> hints;
  AddZeroForO(line, hints);
  if (!failed) return hints;
  AddLetterCase(line, hints);
  if (line.find_first_not_of(" \t") != std::string_view::npos && !formula::HoldsArrow(line)) {
    hints.push_back({HintKind::NoArrow, "There is no = or arrow between the sides."});
  }
  if (HoldsSpacedFormula(line)) {
    hints.push_back({HintKind::SpacedLetters, "Letters stand apart: remove the blanks inside formulas."});
  }
  return hints;
}

std::string BoxesLine(const formula::BoxTexts& boxes) {
  std::string line;
  const auto join = [&line](const auto& side) {
    bool first = true;
    for (const std::string& text : side) {
      if (text.empty()) continue;
      if (!first) line += " + ";
      line += text;
      first = false;
    }
  };
  join(boxes.reactants);
  bool products = false;
  for (const std::string& text : boxes.products) products = products || !text.empty();
  if (products) {
    line += " = ";
    join(boxes.products);
  }
  return line;
}

}  // namespace quorvex::balance
