// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/equationtext.h"

#include <algorithm>
#include <array>
#include <span>
#include <vector>

#include "formula/charset.h"
#include "formula/notation.h"

namespace quorvex::formula {
namespace {

constexpr std::array<std::string_view, 10> kUnicodeArrows = {
    "\u2192", "\u27F6", "\u21CC", "\u21C4", "\u2194", "\u21D2", "\u27F7", "\u21CB", "\u27F9", "\u21D4",
};
constexpr std::array<std::string_view, 2> kMarks = {"\u2191", "\u2193"};  // gas and precipitate
constexpr std::array<std::string_view, 4> kStates = {"(aq)", "(s)", "(l)", "(g)"};

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

inline std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// True when the "+" at `i` is part of a charge written with "^" ("Ba^2+",
// "H^+", "Fe^+3", "Cu^{2+}") or in round brackets ("Zn(2+)", "Fe(+3)").
bool EndsCaretCharge(std::string_view s, std::size_t i) {
  std::size_t after = i + 1;
  while (after < s.size() && IsDigit(s[after])) ++after;
  const bool closed = after < s.size() && s[after] == ')';
  while (i > 0 && IsDigit(s[i - 1])) --i;
  if (i > 0 && s[i - 1] == '{') --i;
  return i > 0 && (s[i - 1] == '^' || (s[i - 1] == '(' && closed));
}

// The length of the arrow at `i` of `text`, or 0. With `skip`, a run of "-"
// that is no arrow sets it to the run's end: no arrow begins inside the run
// either, since from any of its dashes the same run ends without ">". A scan
// that goes on from there reads each dash once.
std::size_t ArrowAt(std::string_view text, std::size_t i, std::size_t* skip = nullptr) {
  const char c = text[i];
  // Every arrow begins with one of these bytes; U+2192 and the others with E2.
  if (c != '<' && c != '-' && c != '=' && c != '>' && c != '\xE2') return 0;
  if (c == '<' || c == '-' || c == '=') {
    std::size_t j = i + (c == '<' ? 1 : 0);
    const char run = j < text.size() ? text[j] : '\0';
    if (run != '-' && run != '=') return 0;
    while (j < text.size() && text[j] == run) ++j;
    if (j < text.size() && text[j] == '>') return j + 1 - i;
    if (skip != nullptr && run == '-') *skip = j;
    // "=" and "==" alone are arrows; "-" alone is a sign, and "<" without ">" nothing.
    return c == '=' ? j - i : 0;
  }
  if (c == '>') {
    std::size_t j = i;
    while (j < text.size() && text[j] == '>') ++j;
    return j - i;
  }
  for (const std::string_view arrow : kUnicodeArrows) {
    if (text.substr(i, arrow.size()) == arrow) return arrow.size();
  }
  return 0;
}

// The arrows of `text` outside square brackets, as (offset, length); the
// first two at most, since a second one already makes no equation.
struct ArrowList {
  std::array<std::pair<std::size_t, std::size_t>, 2> at{};
  std::size_t count = 0;
  std::size_t size() const { return count; }
  bool empty() const { return count == 0; }
  const std::pair<std::size_t, std::size_t>& operator[](std::size_t i) const { return at[i]; }
  // NOLINTNEXTLINE(readability-identifier-naming): the standard container's name, so both serve one template
  void emplace_back(std::size_t offset, std::size_t length) { at[count++] = {offset, length}; }
};

// True when a "[" of `text` is never closed.
bool LeavesBracketOpen(std::string_view text) {
  std::size_t depth = 0;
  for (const char c : text) {
    if (c == '[') ++depth;
    if (c == ']' && depth > 0) --depth;
  }
  return depth > 0;
}

// Calls `arrow(offset, length)` for each arrow of `text` outside square
// brackets, in order, until it returns false. A "[" that no "]" closes
// encloses nothing: it would otherwise hide every arrow after it.
template <class OnArrow>
void ForEachArrow(std::string_view text, OnArrow&& arrow) {
  // The offsets of the "[" left open, in order: a first pass pairs them, in
  // the few lines that leave one open.
  std::vector<std::size_t> unclosed;
  if (LeavesBracketOpen(text)) {
    std::vector<std::size_t> open;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '[') open.push_back(i);
      if (text[i] == ']' && !open.empty()) open.pop_back();
    }
    unclosed = std::move(open);
  }
  std::size_t nextUnclosed = 0;
  int depth = 0;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '[') {
      if (nextUnclosed < unclosed.size() && unclosed[nextUnclosed] == i) {
        ++nextUnclosed;
      } else {
        ++depth;
      }
    }
    if (text[i] == ']' && depth > 0) --depth;
    // Most bytes begin no arrow (ArrowAt's first test, without the call).
    const char c = text[i];
    const bool mayBegin = c == '<' || c == '-' || c == '=' || c == '>' || c == '\xE2';
    std::size_t skip = i + 1;
    const std::size_t length = depth == 0 && mayBegin ? ArrowAt(text, i, &skip) : 0;
    if (length > 0) {
      if (!arrow(i, length)) return;
      i += length;
    } else {
      i = skip;
    }
  }
}

ArrowList Arrows(std::string_view text) {
  ArrowList arrows;
  ForEachArrow(text, [&](std::size_t at, std::size_t length) {
    arrows.emplace_back(at, length);
    return arrows.size() < 2;
  });
  return arrows;
}

// Length of a state symbol or a gas or precipitate mark at `k`, or 0.
std::size_t EndingAt(std::string_view s, std::size_t k) {
  for (const std::string_view state : kStates) {
    if (s.substr(k, state.size()) == state) return state.size();
  }
  for (const std::string_view mark : kMarks) {
    if (s.substr(k, mark.size()) == mark) return mark.size();
  }
  return 0;
}

// True when a species written up to `k` of `side` ends there: the side ends,
// a comma or a "+" between blanks follows (after any blanks), or a state or
// mark that itself ends the species.
bool SpeciesEndsAt(std::string_view side, std::size_t k) {
  bool ended = false;  // by a state or a mark, which a "+" may follow at once
  for (;;) {
    // States and marks, each after any blanks.
    std::size_t next = k;
    while (next < side.size() && IsBlank(side[next])) ++next;
    const std::size_t ending = next < side.size() ? EndingAt(side, next) : 0;
    if (ending == 0) break;
    k = next + ending;
    ended = true;
  }
  if (k == side.size() || side[k] == ',' || (ended && side[k] == '+')) return true;
  if (!IsBlank(side[k])) return false;
  while (k < side.size() && IsBlank(side[k])) ++k;
  return k == side.size() || side[k] == ',' ||
         (side[k] == '+' && (k + 1 == side.size() || IsBlank(side[k + 1])));
}

// Calls `cut` with each offset in `side` where one species ends and the
// next begins, in order: commas, and the "+" signs that join species.
template <class OnCut>
void Cuts(std::string_view side, OnCut&& cut) {
  int depth = 0;
  for (std::size_t i = 0; i < side.size();) {
    const char c = side[i];
    if (c == '[') ++depth;
    if (c == ']' && depth > 0) --depth;
    if (depth > 0 || (c != '+' && c != ',')) {
      ++i;
      continue;
    }
    if (c == ',') {
      cut(i++);
      continue;
    }
    if (EndsCaretCharge(side, i)) {
      ++i;
      continue;
    }
    std::size_t end = i;  // the run of "+" signs
    while (end < side.size() && side[end] == '+') ++end;
    if (i == 0 || IsBlank(side[i - 1])) {
      // Not written onto a formula: every "+" of the run joins species.
      for (std::size_t k = i; k < end; ++k) cut(k);
      i = end;
      continue;
    }
    std::size_t k = end;
    while (k < side.size() && IsDigit(side[k])) ++k;
    const bool charge = SpeciesEndsAt(side, k) || (k > end && k < side.size() && side[k] == '+');
    if (!charge) cut(end - 1);
    i = end;
  }
}

// A side cut into its terms, each trimmed.
std::vector<std::string_view> Terms(std::string_view side) {
  std::vector<std::string_view> terms;
  terms.reserve(16);
  std::size_t from = 0;
  const auto cut = [&](std::size_t at) {
    terms.push_back(Trim(side.substr(from, at - from)));
    from = at + 1;
  };
  Cuts(side, cut);
  cut(side.size());
  return terms;
}

// Rewrites the terms of each side into `result` in order, as RewriteParts
// does. Terms that read two ways are all collected in `result.twoWays`, the
// first one's error returned; any other fault ends the reading, `twoWays`
// emptied, and the first fault's error is returned. "" when all read.
std::string RewriteSides(const std::array<std::vector<TermParts>, 2>& parts, std::size_t sides,
                         LineStyle style, WrittenEquation& result) {
  std::string twoWaysError;
  const auto fault = [&](std::string error) {
    result.twoWays.clear();
    return twoWaysError.empty() ? std::move(error) : std::move(twoWaysError);
  };
  for (std::size_t s = 0; s < sides; ++s) {
    auto& into = s == 0 ? result.reactants : result.products;
    into.reserve(parts[s].size());
    for (const TermParts& p : parts[s]) {
      if (p.core.empty() && p.coefficient.empty() && p.state.empty()) {
        return fault(std::string("Input error - an empty species among the ") +
                     (s == 0 ? "reactants." : "products."));
      }
      Term term = RewriteParts(p, Written::Line, style);
      if (!term.error.empty() && term.readings[0].empty()) return fault(std::move(term.error));
      if (!term.error.empty()) {
        if (twoWaysError.empty()) twoWaysError = std::move(term.error);
        result.twoWays.push_back(
            {s, into.size(), std::move(term.species), std::move(term.readings), std::string(p.state)});
        term.species.clear();
      }
      into.push_back({std::move(term.coefficient), std::move(term.species)});
    }
  }
  return twoWaysError;
}

}  // namespace

WrittenEquation ReadWrittenEquation(std::string_view line) {
  WrittenEquation result;
  const auto fail = [&](std::string error) {
    result = {};
    result.kind = WrittenEquation::Kind::Error;
    result.error = std::move(error);
    return result;
  };
  // Plain ASCII is read where it stands; other text with its dashes as "-".
  std::string dashed;
  std::string_view text = line;
  if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
    dashed = WithoutDashes(line, true);
    text = dashed;
  }
  const auto arrows = Arrows(text);
  if (arrows.size() > 1) return fail("Input error - more than one \"=\" or arrow in the line.");
  std::array<std::string_view, 2> sideText;
  std::span<const std::string_view> sides(sideText.data(), arrows.empty() ? 1 : 2);
  if (arrows.empty()) {
    sideText[0] = text;
  } else {
    sideText[0] = text.substr(0, arrows[0].first);
    sideText[1] = text.substr(arrows[0].first + arrows[0].second);
  }
  // Cut first, so that a text of one species is known before any term is read.
  std::array<std::vector<std::string_view>, 2> terms;
  bool spaced = true;
  for (std::size_t s = 0; s < sides.size(); ++s) {
    const std::string_view side = Trim(sides[s]);
    if (side.empty()) continue;
    terms[s] = Terms(side);
    if (terms[s].size() > 1 && side.find(" + ") == std::string_view::npos) spaced = false;
  }
  if (arrows.empty() && terms[0].size() < 2) return result;
  // The style of the line's charges decides what each sign means, so every
  // term is taken apart before any is rewritten.
  std::array<std::vector<TermParts>, 2> parts;
  LineStyle style{false, spaced};
  for (std::size_t s = 0; s < sides.size(); ++s) {
    parts[s].reserve(terms[s].size());
    for (const std::string_view term : terms[s]) {
      parts[s].push_back(SplitTerm(term, Written::Line));
      style.databaseStyle = style.databaseStyle || WritesDatabaseCharge(parts[s].back().core, spaced);
    }
  }
  if (arrows.empty()) {
    // A list needs two species; empty pieces of it count for nothing.
    std::erase_if(parts[0], [](const TermParts& p) { return p.core.empty() && p.coefficient.empty(); });
    if (parts[0].size() < 2) return result;
    result.kind = WrittenEquation::Kind::List;
  } else {
    result.kind = WrittenEquation::Kind::Equation;
  }
  std::string error = RewriteSides(parts, sides.size(), style, result);
  if (error.empty()) return result;
  if (result.twoWays.empty()) return fail(std::move(error));
  result.decidedKind = result.kind;
  result.kind = WrittenEquation::Kind::Error;
  result.error = std::move(error);
  return result;
}

namespace {

// The bytes a plain species is written with, blanks included.
constexpr std::array<bool, 256> kPlainBytes = [] {
  std::array<bool, 256> plain{};
  for (int c = 0; c < 256; ++c) {
    const char b = static_cast<char>(c);
    plain[static_cast<std::size_t>(c)] =
        IsCapital(b) || IsSmall(b) || IsDigit(b) || IsBlank(b) || b == '(' || b == ')' || b == '*';
  }
  return plain;
}();

// One side of a plain line, cut as Cuts and read as SplitTerm does. The charges
// in square brackets hold no capital letter, so no bracket turns round, and no
// core ends in a sign, so none reads as a charge or two ways: each species is
// the term as written, less its coefficient.
bool ReadPlainSide(std::string_view side, std::array<PlainTerm, kPlainTermsPerSide>& terms,
                   std::size_t& count) {
  side = Trim(side);
  count = 0;
  std::size_t from = 0;
  const auto term = [&](std::size_t at) {
    if (count == terms.size()) return false;
    const std::string_view written = Trim(side.substr(from, at - from));
    const TermParts parts = SplitTerm(written, Written::Line);
    // `written` ends in no blank; blanks may follow the coefficient.
    std::string_view rest = written.substr(parts.coefficient.size());
    while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
    // An empty species, an electron, or a state set apart by blanks: the full reader's.
    if (parts.core.empty() || parts.core == "e" || parts.core.size() + parts.state.size() != rest.size())
      return false;
    terms[count++] = {parts.coefficient, rest};
    from = at + 1;
    return true;
  };
  for (std::size_t i = 0; i < side.size(); ++i) {
    const char c = side[i];
    if (kPlainBytes[static_cast<unsigned char>(c)]) continue;
    if (c == '[') {
      std::size_t close = i + 1;
      while (close < side.size() && (IsDigit(side[close]) || IsSign(side[close]))) ++close;
      if (close == side.size() || side[close] != ']') return false;
      i = close;
      continue;
    }
    // A "+" after a blank joins species, as does one written onto a formula
    // before a capital letter; other runs of signs need the full reader.
    if (c != '+' || i == 0 || i + 1 == side.size() || side[i + 1] == '+') return false;
    if (!IsBlank(side[i - 1]) && !IsCapital(side[i + 1])) return false;
    if (!term(i)) return false;
  }
  return term(side.size());
}

}  // namespace

bool ReadPlainEquation(std::string_view line, PlainEquation& into) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || line.find('=', equals + 1) != std::string_view::npos) return false;
  return ReadPlainSide(line.substr(0, equals), into.sides[0], into.counts[0]) &&
         ReadPlainSide(line.substr(equals + 1), into.sides[1], into.counts[1]);
}

bool HoldsArrow(std::string_view line) { return !Arrows(line).empty(); }

std::vector<SpeciesSeparator> SpeciesSeparators(std::string_view line) {
  std::vector<SpeciesSeparator> separators;
  std::size_t from = 0;
  const auto cutSide = [&](std::size_t to) {
    Cuts(line.substr(from, to - from), [&](std::size_t at) { separators.push_back({from + at, 1}); });
  };
  ForEachArrow(line, [&](std::size_t at, std::size_t length) {
    cutSide(at);
    separators.push_back({at, length});
    from = at + length;
    return true;
  });
  cutSide(line.size());
  return separators;
}

bool HoldsOneSpecies(std::string_view text) {
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return SpeciesSeparators(text).empty();
  }
  return SpeciesSeparators(WithoutDashes(text, true)).empty();
}

std::optional<EquationText> ReadEquationText(std::string_view text) {
  return EquationTextOf(ReadWrittenEquation(text));
}

std::optional<EquationText> EquationTextOf(const WrittenEquation& read) {
  EquationText equation;
  if (read.kind == WrittenEquation::Kind::Single) return std::nullopt;
  if (read.kind == WrittenEquation::Kind::Error) {
    equation.error = read.error;
    return equation;
  }
  equation.bothSides = read.kind == WrittenEquation::Kind::Equation;
  for (const auto& [from, into] :
       {std::pair{&read.reactants, &equation.reactants}, std::pair{&read.products, &equation.products}}) {
    for (const WrittenTerm& term : *from) {
      into->push_back(term.coefficient + RewriteParts({{}, term.species, {}}, Written::Box).species);
    }
  }
  // No species at all is nothing to fill the boxes with.
  if (equation.reactants.empty() && equation.products.empty()) return std::nullopt;
  return equation;
}

std::vector<std::size_t> TermJoins(std::string_view equation) {
  std::vector<std::size_t> after;
  int depth = 0;
  for (std::size_t i = 0; i < equation.size(); ++i) {
    const char c = equation[i];
    if (c == '[') ++depth;
    if (c == ']' && depth > 0) --depth;
    if (c != '+' || depth > 0) continue;
    // Of "++" the first is a charge ("Na++Cl-"); a "+" before a blank needs no break of its own.
    if (i > 0 && i + 1 < equation.size() && equation[i + 1] != '+' && !EndsCaretCharge(equation, i) &&
        !IsBlank(equation[i + 1])) {
      after.push_back(i + 1);
    }
  }
  return after;
}

}  // namespace quorvex::formula
