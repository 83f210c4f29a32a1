// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/hints.h"

#include <array>
#include <cstddef>
#include <exception>
#include <utility>

#include "balance/balancer.h"
#include "balance/outcome.h"
#include "formula/equationtext.h"
#include "formula/notation.h"

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
  // Every zero for O is a digit 0: most lines hold none.
  if (line.find('0') == std::string_view::npos) return;
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

// The element symbols.
constexpr std::array<std::string_view, 118> kSymbols = {
    "H",  "He", "Li", "Be", "B",  "C",  "N",  "O",  "F",  "Ne", "Na", "Mg", "Al", "Si", "P",  "S",  "Cl",
    "Ar", "K",  "Ca", "Sc", "Ti", "V",  "Cr", "Mn", "Fe", "Co", "Ni", "Cu", "Zn", "Ga", "Ge", "As", "Se",
    "Br", "Kr", "Rb", "Sr", "Y",  "Zr", "Nb", "Mo", "Tc", "Ru", "Rh", "Pd", "Ag", "Cd", "In", "Sn", "Sb",
    "Te", "I",  "Xe", "Cs", "Ba", "La", "Ce", "Pr", "Nd", "Pm", "Sm", "Eu", "Gd", "Tb", "Dy", "Ho", "Er",
    "Tm", "Yb", "Lu", "Hf", "Ta", "W",  "Re", "Os", "Ir", "Pt", "Au", "Hg", "Tl", "Pb", "Bi", "Po", "At",
    "Rn", "Fr", "Ra", "Ac", "Th", "Pa", "U",  "Np", "Pu", "Am", "Cm", "Bk", "Cf", "Es", "Fm", "Md", "No",
    "Lr", "Rf", "Db", "Sg", "Bh", "Hs", "Mt", "Ds", "Rg", "Cn", "Nh", "Fl", "Mc", "Lv", "Ts", "Og"};
// The elements of school exercises; a run of letters is read with as few
// others as it can be ("cuso4" is CuSO4, not CUSO4; "no3" NO3, not No3).
constexpr std::array<std::string_view, 31> kCommon = {
    "H",  "Li", "C",  "N",  "O",  "F",  "Na", "Mg", "Al", "Si", "P",  "S",  "Cl", "K",  "Ca", "Cr",
    "Mn", "Fe", "Ni", "Cu", "Zn", "Br", "Ag", "Ba", "Pt", "Au", "Hg", "Pb", "He", "Ne", "Ar"};

char Upper(char c) { return IsSmall(c) ? static_cast<char>(c - 'a' + 'A') : c; }
char Lower(char c) { return IsCapital(c) ? static_cast<char>(c - 'A' + 'a') : c; }

// The symbols as a table: row a capital, column 0 for it alone or 1 + a small letter after it.
constexpr auto kSymbolTable = [] {
  std::array<std::array<bool, 27>, 26> table{};
  for (const std::string_view symbol : kSymbols) {
    table[static_cast<std::size_t>(symbol[0] - 'A')]
         [symbol.size() == 1 ? 0 : static_cast<std::size_t>(symbol[1] - 'a') + 1] = true;
  }
  return table;
}();

bool IsSymbol(std::string_view text) {
  if (text.empty() || text.size() > 2 || !IsCapital(text[0])) return false;
  if (text.size() == 2 && !IsSmall(text[1])) return false;
  const auto row = static_cast<std::size_t>(text[0] - 'A');
  return kSymbolTable[row][text.size() == 1 ? 0 : static_cast<std::size_t>(text[1] - 'a') + 1];
}

bool IsCommon(std::string_view symbol) {
  for (const std::string_view common : kCommon) {
    if (common == symbol) return true;
  }
  return false;
}

// True when the run of letters reads as element symbols as it is written.
bool ReadsAsWritten(std::string_view run) {
  for (std::size_t i = 0; i < run.size();) {
    if (!IsCapital(run[i])) return false;
    if (i + 1 < run.size() && IsSmall(run[i + 1]) && IsSymbol(run.substr(i, 2))) {
      i += 2;
    } else if (IsSymbol(run.substr(i, 1))) {
      ++i;
    } else {
      return false;
    }
  }
  return true;
}

// The run of letters, whatever their case, as element symbols: the reading
// with the fewest symbols outside kCommon, and among those the most symbols.
// Empty when it has none. One pass from the end: best[i] is the reading of
// run[i..].
std::string ReadAsSymbols(std::string_view run) {
  struct Best {
    bool reads = false;
    std::size_t rare = 0;
    std::size_t symbols = 0;
    std::size_t length = 0;  // of the first symbol
  };
  std::vector<Best> best(run.size() + 1);
  best[run.size()].reads = true;
  for (std::size_t i = run.size(); i-- > 0;) {
    for (std::size_t length = 1; length <= 2 && i + length <= run.size(); ++length) {
      std::string symbol(1, Upper(run[i]));
      if (length == 2) symbol += Lower(run[i + 1]);
      const Best& rest = best[i + length];
      if (!rest.reads || !IsSymbol(symbol)) continue;
      const Best candidate{true, rest.rare + (IsCommon(symbol) ? 0 : 1), rest.symbols + 1, length};
      Best& here = best[i];
      if (!here.reads || candidate.rare < here.rare ||
          (candidate.rare == here.rare && candidate.symbols > here.symbols)) {
        here = candidate;
      }
    }
  }
  if (!best[0].reads) return {};
  std::string symbols;
  for (std::size_t i = 0; i < run.size(); i += best[i].length) {
    symbols += Upper(run[i]);
    if (best[i].length == 2) symbols += Lower(run[i + 1]);
  }
  return symbols;
}

// The species with each run of letters that does not read as element
// symbols as written read whatever its case; the species unchanged when every
// run reads, or when one reads in no case.
std::string WithSymbolsRead(const std::string& species) {
  const std::string_view formula = formula::WithoutStateSymbol(species);
  // An electron is no formula.
  if (formula == "e" || formula.starts_with("e[")) return species;
  std::string read;
  for (std::size_t i = 0; i < formula.size();) {
    if (!IsLetter(formula[i])) {
      read += formula[i++];
      continue;
    }
    std::size_t end = i;
    while (end < formula.size() && IsLetter(formula[end])) ++end;
    const std::string_view run = formula.substr(i, end - i);
    if (ReadsAsWritten(run)) {
      read += run;
    } else {
      const std::string symbols = ReadAsSymbols(run);
      if (symbols.empty()) return species;
      read += symbols;
    }
    i = end;
  }
  return read + species.substr(formula.size());
}

// Letters in the wrong case ("Kcl", "nacl", "HCL", "2h2 + o2"): every species
// whose letters do not read as element symbols is read whatever its case,
// and the line so read is balanced; it is named only when it balances.
void AddLetterCase(std::string_view line, std::vector<Hint>& hints) {
  // The reader makes no letter and joins no runs of letters, and a species keeps its
  // letters where each run of them reads as element symbols as written, or where one
  // reads as none in any case (a state "(aq)", an electron "e"): when every run of the
  // line is one of the two, no species reads otherwise, and the line is not read and
  // balanced again.
  bool kept = true;
  for (std::size_t i = 0; i < line.size() && kept;) {
    if (!IsLetter(line[i])) {
      ++i;
      continue;
    }
    std::size_t end = i;
    while (end < line.size() && IsLetter(line[end])) ++end;
    const std::string_view run = line.substr(i, end - i);
    kept = ReadsAsWritten(run) || ReadAsSymbols(run).empty();
    i = end;
  }
  if (kept) return;
  const formula::WrittenEquation read = formula::ReadWrittenEquation(line);
  formula::BoxTexts boxes;
  if (read.kind != formula::WrittenEquation::Kind::Equation || !FillBoxes(read, boxes)) return;
  std::string written;
  std::string meant;
  for (auto* side : {&boxes.reactants, &boxes.products}) {
    for (std::string& species : *side) {
      std::string symbols = WithSymbolsRead(species);
      if (symbols == species) continue;
      written += (written.empty() ? "" : ", ") + species;
      meant += (meant.empty() ? "" : ", ") + symbols;
      species = std::move(symbols);
    }
  }
  if (written.empty() || !ReadingBalances(boxes)) return;
  hints.push_back({HintKind::LetterCase,
                   written + ": an element symbol is one capital letter, or a capital and a small letter: " +
                       meant + "?"});
}

// A coefficient as lines write them: "2", "0.5", "1/2", "(1/2)", and "+2.0000" in a database line.
bool IsCoefficient(std::string_view word) {
  if (word.starts_with('+')) word.remove_prefix(1);
  if (word.size() > 2 && word.front() == '(' && word.back() == ')') word = word.substr(1, word.size() - 2);
  // A decimal comma ("1,5") too: the reader says what it makes of it.
  for (const char c : word) {
    if (!IsDigit(c) && c != '.' && c != '/' && c != ',') return false;
  }
  return true;
}

// Two neighbouring words of a line that are one formula with blanks inside:
// a word that goes on with one or two small letters or a bare subscript
// ("Z n", "O 4"), two lone capitals ("S O"), a group ("Hg2 (NO3)2"), or, in
// a line with an arrow, any formula after another ("P4 O10"). `arrow` says
// whether the line has one, asked only for a formula after another.
template <class HasArrow>
bool SpacedApart(std::string_view before, std::string_view after, HasArrow&& arrow) {
  if (before.empty() || after.empty()) return false;
  const char last = before.back();
  if ((!IsLetter(last) && !IsDigit(last) && last != ')') || IsCoefficient(before)) return false;
  if (after.front() == '(') return after.size() > 1 && IsCapital(after[1]);
  if (IsCapital(after.front()) && arrow()) return true;
  if (!IsLetter(last)) return false;
  if (IsSmall(after.front())) return after.size() <= 2 && after != "e" && after != "e-";
  bool digits = true;
  for (const char c : after) digits = digits && IsDigit(c);
  if (digits) return true;
  return before.size() == 1 && after.size() == 1 && IsCapital(before.front()) && IsCapital(after.front());
}

bool HoldsSpacedFormula(std::string_view line) {
  // The search for an arrow reads the whole line: made only for the words that need it.
  int arrow = -1;
  const auto hasArrow = [&] {
    if (arrow < 0) arrow = formula::HoldsArrow(line) ? 1 : 0;
    return arrow == 1;
  };
  std::string_view before;
  for (std::size_t i = 0; i < line.size();) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    const std::string_view word = line.substr(start, i - start);
    if (word.empty()) break;
    if (SpacedApart(before, word, hasArrow)) return true;
    before = word;
  }
  return false;
}

}  // namespace

std::vector<Hint> FindHints(std::string_view line, bool failed) {
  std::vector<Hint> hints;
  AddZeroForO(line, hints);
  // Blanks inside a formula are a slip even where the balance read past them ("P4 O10").
  const bool spaced = HoldsSpacedFormula(line);
  if (failed) {
    AddLetterCase(line, hints);
    if (line.find_first_not_of(" \t") != std::string_view::npos && !formula::HoldsArrow(line)) {
      hints.push_back({HintKind::NoArrow, "There is no = or arrow between the sides."});
    }
  }
  if (spaced) {
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
