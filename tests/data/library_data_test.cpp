// SPDX-License-Identifier: GPL-3.0-or-later
// The equation library delivered with the program. data/cbd.dat must hold,
// line for line, what this build's balancer makes of data/reactions.txt
// (scripts/make-library.sh writes it), in the form "Add To Lib" writes; and
// every library line must balance back to itself when typed in again.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "balance/balancer.h"
#include "cli/equationline.h"
#include "core/notifier.h"

namespace quorvex {
namespace {

constexpr std::size_t kLeastEquations = 250;

std::string ReadDataFile(const std::string& name, std::string& error) {
  const std::string path = std::string(QUORVEX_DATA_DIR) + "/" + name;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open " + path;
    return {};
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// ---- The reaction list ------------------------------------------------------

struct ListedReaction {
  int line = 0;
  std::string text;
  formula::BoxTexts boxes;
};

struct ReactionList {
  std::vector<ListedReaction> reactions;
  std::vector<std::string> errors;  // "reactions.txt:N: message"
};

const ReactionList& Reactions() {
  static const ReactionList list = [] {
    ReactionList result;
    std::string error;
    std::istringstream in(ReadDataFile("reactions.txt", error));
    if (!error.empty()) result.errors.push_back(error);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
      ++number;
      const cli::EquationLine parsed = cli::ParseEquationLine(line);
      if (parsed.kind == cli::EquationLine::Kind::Skip) continue;
      if (parsed.kind == cli::EquationLine::Kind::Error) {
        result.errors.push_back("reactions.txt:" + std::to_string(number) + ": " + parsed.error);
        continue;
      }
      result.reactions.push_back({number, line, parsed.boxes});
    }
    return result;
  }();
  return list;
}

// ---- Balancing, as the Balance button does it -------------------------------

struct Outcome {
  std::string message;
  std::string equation;  // the board's new record, on success only
};

Outcome Balance(balance::Balancer& balancer, const formula::BoxTexts& boxes) {
  balancer.clearResults();
  try {
    balancer.balance(boxes);
  } catch (const std::exception& e) {
    return {e.what(), {}};
  }
  Outcome outcome{balancer.pendingMessage(), {}};
  if (outcome.message == balance::kBalanced) {
    outcome.equation = balancer.board().record(balancer.board().count()).equation;
  }
  return outcome;
}

// ---- The library file ---------------------------------------------------------

struct Library {
  std::string bytes;
  std::vector<std::string> lines;  // without CR LF; bytes after the last CR LF make a last line
  std::string error;
};

const Library& DeliveredLibrary() {
  static const Library library = [] {
    Library result;
    result.bytes = ReadDataFile("cbd.dat", result.error);
    std::size_t from = 0;
    while (from < result.bytes.size()) {
      const std::size_t end = result.bytes.find("\r\n", from);
      if (end == std::string::npos) {
        result.lines.push_back(result.bytes.substr(from));
        break;
      }
      result.lines.push_back(result.bytes.substr(from, end - from));
      from = end + 2;
    }
    return result;
  }();
  return library;
}

// A line as it can be read in a failure message: CR and LF spelled out.
std::string Shown(const std::string& line) {
  std::string shown;
  for (const char c : line) {
    if (c == '\r') shown += "\\r";
    else if (c == '\n') shown += "\\n";
    else shown += c;
  }
  return shown;
}

// The equation text inside a library line's "#...#".
std::string EquationOf(const std::string& libraryLine) {
  if (libraryLine.size() >= 2 && libraryLine.front() == '#' && libraryLine.back() == '#') {
    return libraryLine.substr(1, libraryLine.size() - 2);
  }
  return libraryLine;
}

// ---- Equation texts -------------------------------------------------------------

// Pieces of `s` between the `sep` characters that stand outside square brackets.
std::vector<std::string> SplitOutsideBrackets(std::string_view s, char sep) {
  std::vector<std::string> pieces;
  int depth = 0;
  std::size_t from = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '[') ++depth;
    if (s[i] == ']' && depth > 0) --depth;
    if (s[i] == sep && depth == 0) {
      pieces.emplace_back(s.substr(from, i - from));
      from = i + 1;
    }
  }
  pieces.emplace_back(s.substr(from));
  return pieces;
}

struct Term {
  long long coefficient = 1;
  std::string species;
};

struct BalancedEquation {
  std::vector<Term> reactants;
  std::vector<Term> products;
  bool ok = false;
};

// Reads a balanced equation text: terms joined by "+", the sides by " = ",
// each term an optional whole-number coefficient and the species as typed.
BalancedEquation ReadBalanced(const std::string& text) {
  BalancedEquation result;
  const std::size_t equals = text.find(" = ");
  if (equals == std::string::npos || text.find(" = ", equals + 1) != std::string::npos) return result;
  auto readSide = [](std::string_view side, std::vector<Term>& terms) {
    for (const std::string& piece : SplitOutsideBrackets(side, '+')) {
      std::size_t digits = 0;
      while (digits < piece.size() && std::isdigit(static_cast<unsigned char>(piece[digits]))) ++digits;
      if (digits == piece.size()) return false;
      Term term;
      if (digits > 0) term.coefficient = std::stoll(piece.substr(0, digits));
      term.species = piece.substr(digits);
      terms.push_back(term);
    }
    return true;
  };
  const std::string_view all = text;
  result.ok =
      readSide(all.substr(0, equals), result.reactants) && readSide(all.substr(equals + 3), result.products);
  return result;
}

formula::BoxTexts BoxesOf(const BalancedEquation& equation) {
  formula::BoxTexts boxes;
  for (std::size_t i = 0; i < equation.reactants.size() && i < boxes.reactants.size(); ++i) {
    boxes.reactants[i] = equation.reactants[i].species;
  }
  for (std::size_t i = 0; i < equation.products.size() && i < boxes.products.size(); ++i) {
    boxes.products[i] = equation.products[i].species;
  }
  return boxes;
}

// ---- Atoms and charge, counted apart from the balancer ---------------------------

struct Composition {
  std::map<std::string, long long> atoms;
  long long charge = 0;
  friend bool operator==(const Composition&, const Composition&) = default;
};

long long ReadCount(std::string_view s, std::size_t& pos) {
  long long n = 0;
  bool any = false;
  while (pos < s.size() && std::isdigit(static_cast<unsigned char>(s[pos]))) {
    n = n * 10 + (s[pos++] - '0');
    any = true;
  }
  return any ? n : 1;
}

// Element symbols with counts and "(...)n" groups, up to a ")" or the end.
bool ReadGroup(std::string_view s, std::size_t& pos, long long times, Composition& into) {
  while (pos < s.size() && s[pos] != ')') {
    if (s[pos] == '(') {
      ++pos;
      Composition inner;
      if (!ReadGroup(s, pos, 1, inner) || pos == s.size()) return false;
      ++pos;  // ")"
      const long long n = ReadCount(s, pos);
      for (const auto& [element, count] : inner.atoms) into.atoms[element] += times * n * count;
    } else if (std::isupper(static_cast<unsigned char>(s[pos]))) {
      std::string symbol(1, s[pos++]);
      while (pos < s.size() && std::islower(static_cast<unsigned char>(s[pos]))) symbol += s[pos++];
      into.atoms[symbol] += times * ReadCount(s, pos);
    } else {
      return false;
    }
  }
  return true;
}

// Adds `times` units of a species ("Ca3(PO4)2", "CuSO4*5H2O", "Cr2O7[2-]").
bool AddSpecies(std::string_view species, long long times, Composition& into) {
  if (!species.empty() && species.back() == ']') {
    const std::size_t open = species.rfind('[');
    if (open == std::string_view::npos || species.size() - open < 3) return false;
    const std::string_view charge = species.substr(open + 1, species.size() - open - 2);
    const char sign = charge.back();
    if (sign != '+' && sign != '-') return false;
    std::size_t pos = 0;
    const long long magnitude = ReadCount(charge, pos);
    if (pos != charge.size() - 1) return false;
    into.charge += times * (sign == '+' ? magnitude : -magnitude);
    species = species.substr(0, open);
  }
  for (const std::string& part : SplitOutsideBrackets(species, '*')) {
    std::size_t pos = 0;
    const long long multiplier = ReadCount(part, pos);
    if (pos == part.size()) return false;
    if (!ReadGroup(part, pos, times * multiplier, into) || pos != part.size()) return false;
  }
  for (auto it = into.atoms.begin(); it != into.atoms.end();) {
    it = it->second == 0 ? into.atoms.erase(it) : std::next(it);
  }
  return true;
}

// A text naming a species' make-up, the same for every way of writing it.
std::string CompositionKey(const std::string& species) {
  Composition c;
  if (!AddSpecies(species, 1, c)) return "?" + species;
  std::string key;
  for (const auto& [element, count] : c.atoms) key += element + std::to_string(count);
  return key + "[" + std::to_string(c.charge) + "]";
}

// ---- The reaction list -----------------------------------------------------------

TEST(ReactionList, EveryLineIsAnEquationOfPlainFormulas) {
  for (const std::string& error : Reactions().errors) ADD_FAILURE() << error;
  for (const ListedReaction& r : Reactions().reactions) {
    SCOPED_TRACE("reactions.txt:" + std::to_string(r.line) + ": " + r.text);
    for (const auto* side : {&r.boxes.reactants, &r.boxes.products}) {
      for (const std::string& species : *side) {
        if (species.empty()) continue;
        // A typed coefficient would stay part of the species, and the library
        // lines could no longer be read back (their coefficients are stripped).
        EXPECT_FALSE(std::isdigit(static_cast<unsigned char>(species.front()))) << species;
        Composition c;
        EXPECT_TRUE(AddSpecies(species, 1, c)) << species << " is not a formula";
      }
    }
  }
}

TEST(ReactionList, NoReactionTwiceInAnyOrderOrDirection) {
  std::map<std::string, int> firstLine;
  for (const ListedReaction& r : Reactions().reactions) {
    auto sideKey = [](const std::array<std::string, formula::kBoxesPerSide>& side) {
      std::vector<std::string> keys;
      for (const std::string& species : side) {
        if (!species.empty()) keys.push_back(CompositionKey(species));
      }
      std::sort(keys.begin(), keys.end());
      std::string key;
      for (const std::string& k : keys) key += k + " ";
      return key;
    };
    const std::string left = sideKey(r.boxes.reactants);
    const std::string right = sideKey(r.boxes.products);
    const std::string key = std::min(left, right) + "=" + std::max(left, right);
    const auto [it, fresh] = firstLine.emplace(key, r.line);
    EXPECT_TRUE(fresh) << "reactions.txt:" << r.line << ": " << r.text << " repeats line " << it->second;
  }
}

// ---- The library against the list -------------------------------------------------

TEST(DeliveredLibrary, IsTheBalancedReactionListLineForLine) {
  ASSERT_EQ(DeliveredLibrary().error, "");
  SilentNotifier notifier;
  balance::Balancer balancer(notifier);
  std::string expected;
  std::vector<std::string> expectedLines;
  for (const ListedReaction& r : Reactions().reactions) {
    const Outcome outcome = Balance(balancer, r.boxes);
    EXPECT_EQ(outcome.message, balance::kBalanced) << "reactions.txt:" << r.line << ": " << r.text;
    expectedLines.push_back("#" + outcome.equation + "#");
    expected += expectedLines.back() + "\r\n";
  }

  const std::vector<std::string>& lines = DeliveredLibrary().lines;
  EXPECT_EQ(lines.size(), expectedLines.size()) << "run scripts/make-library.sh";
  for (std::size_t i = 0; i < std::min(lines.size(), expectedLines.size()); ++i) {
    if (lines[i] != expectedLines[i]) {
      ADD_FAILURE() << "cbd.dat line " << i + 1 << " is " << Shown(lines[i]) << ", the list gives "
                    << expectedLines[i] << " (reactions.txt:" << Reactions().reactions[i].line
                    << "); run scripts/make-library.sh";
      break;
    }
  }
  EXPECT_TRUE(DeliveredLibrary().bytes == expected)
      << "cbd.dat differs from the balanced list (" << DeliveredLibrary().bytes.size() << " bytes, expected "
      << expected.size() << ")";
}

TEST(DeliveredLibrary, LinesAreHashFramedAndEndInCrLf) {
  const Library& library = DeliveredLibrary();
  ASSERT_EQ(library.error, "");
  ASSERT_FALSE(library.bytes.empty());
  EXPECT_EQ(library.bytes.substr(library.bytes.size() - std::min<std::size_t>(2, library.bytes.size())),
            "\r\n");
  for (std::size_t i = 0; i < library.lines.size(); ++i) {
    const std::string& line = library.lines[i];
    SCOPED_TRACE("cbd.dat line " + std::to_string(i + 1) + ": " + Shown(line));
    ASSERT_GE(line.size(), 3u);
    EXPECT_EQ(line.front(), '#');
    EXPECT_EQ(line.back(), '#');
    EXPECT_EQ(std::count(line.begin(), line.end(), '#'), 2);
    EXPECT_TRUE(std::all_of(line.begin(), line.end(), [](char c) { return c >= 0x20 && c <= 0x7e; }))
        << "a byte other than printable ASCII (a lone CR or LF included)";
  }
}

TEST(DeliveredLibrary, HoldsAtLeast250DistinctEquations) {
  const std::vector<std::string>& lines = DeliveredLibrary().lines;
  EXPECT_GE(lines.size(), kLeastEquations);
  std::map<std::string, std::size_t> firstLine;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto [it, fresh] = firstLine.emplace(lines[i], i + 1);
    EXPECT_TRUE(fresh) << "cbd.dat line " << i + 1 << " repeats line " << it->second << ": " << lines[i];
  }
}

// ---- Every library line on its own ---------------------------------------------------

TEST(DeliveredLibrary, EveryLineBalancesBackToItself) {
  SilentNotifier notifier;
  balance::Balancer balancer(notifier);
  const std::vector<std::string>& lines = DeliveredLibrary().lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string equation = EquationOf(lines[i]);
    SCOPED_TRACE("cbd.dat line " + std::to_string(i + 1) + ": " + equation);
    const BalancedEquation read = ReadBalanced(equation);
    ASSERT_TRUE(read.ok);
    ASSERT_LE(read.reactants.size(), formula::kBoxesPerSide);
    ASSERT_LE(read.products.size(), formula::kBoxesPerSide);
    const Outcome again = Balance(balancer, BoxesOf(read));
    EXPECT_EQ(again.message, balance::kBalanced);
    EXPECT_EQ(again.equation, equation);
    // Read as quorvex-cli reads a line, its coefficients left out.
    const cli::EquationLine line = cli::ParseEquationLine(equation);
    ASSERT_EQ(line.kind, cli::EquationLine::Kind::Equation) << line.error;
    EXPECT_EQ(Balance(balancer, line.boxes).equation, equation);
  }
}

TEST(DeliveredLibrary, EveryEquationConservesAtomsAndChargeInLowestTerms) {
  const std::vector<std::string>& lines = DeliveredLibrary().lines;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string equation = EquationOf(lines[i]);
    SCOPED_TRACE("cbd.dat line " + std::to_string(i + 1) + ": " + equation);
    const BalancedEquation read = ReadBalanced(equation);
    ASSERT_TRUE(read.ok);
    Composition left;
    Composition right;
    long long divisor = 0;
    for (const Term& t : read.reactants) {
      EXPECT_TRUE(AddSpecies(t.species, t.coefficient, left)) << t.species;
      divisor = std::gcd(divisor, t.coefficient);
    }
    for (const Term& t : read.products) {
      EXPECT_TRUE(AddSpecies(t.species, t.coefficient, right)) << t.species;
      divisor = std::gcd(divisor, t.coefficient);
    }
    EXPECT_EQ(left.atoms, right.atoms);
    EXPECT_EQ(left.charge, right.charge);
    EXPECT_EQ(divisor, 1);
  }
}

}  // namespace
}  // namespace quorvex
