// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/foundlist.h"

#include <vector>

#include "core/errors.h"

namespace quorvex::library {
namespace {

using SeparatorSet = std::array<bool, 256>;

constexpr SeparatorSet MakeSeparators(bool right) {
  SeparatorSet set{};
  for (const unsigned char c : std::string_view("+=# <>")) set[c] = true;
  if (right) {
    set[0xA1] = true;
    set[0xA2] = true;
  }
  return set;
}

constexpr SeparatorSet kLeftSeparators = MakeSeparators(false);
constexpr SeparatorSet kRightSeparators = MakeSeparators(true);

// Terms up to this length are found with the library's search, whose cost grows with the
// term's length times the side's; longer ones in one pass (Knuth-Morris-Pratt).
constexpr std::size_t kShortTerm = 16;

bool IsIn(std::string_view term, std::string_view side, const SeparatorSet& separators) {
  if (term.empty()) return true;
  if (term.size() > side.size()) return false;
  const auto isSeparator = [&](char c) { return separators[static_cast<unsigned char>(c)]; };
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  // The last byte before `resolved` that is not a digit: occurrences come in order, so
  // the digits before them are passed over once in all.
  std::size_t resolved = 0;
  std::size_t lastNonDigit = std::string_view::npos;
  // Any occurrence that is a whole species will do.
  const auto wholeSpecies = [&](std::size_t at) {
    // Start test: the byte before the occurrence, or the first byte of the side when
    // the occurrence starts it. Coefficient digits are passed over; digits that run to
    // the start of the side have no separator before them.
    const std::size_t before = at == 0 ? 0 : at - 1;
    std::size_t start = before;
    if (isDigit(side[before])) {
      std::size_t i = before + 1;
      while (i > resolved && isDigit(side[i - 1])) --i;
      if (i > resolved) lastNonDigit = i - 1;
      resolved = before + 1;
      start = lastNonDigit == std::string_view::npos ? 0 : lastNonDigit;
    }
    if (!isSeparator(side[start])) return false;
    const std::size_t end = at + term.size();
    return end < side.size() && isSeparator(side[end]);
  };
  if (term.size() <= kShortTerm) {
    for (std::size_t at = side.find(term); at != std::string_view::npos; at = side.find(term, at + 1)) {
      if (wholeSpecies(at)) return true;
    }
    return false;
  }
  std::vector<std::size_t> border(term.size(), 0);
  for (std::size_t i = 1, k = 0; i < term.size(); ++i) {
    while (k > 0 && term[i] != term[k]) k = border[k - 1];
    if (term[i] == term[k]) ++k;
    border[i] = k;
  }
  for (std::size_t i = 0, k = 0; i < side.size(); ++i) {
    while (k > 0 && side[i] != term[k]) k = border[k - 1];
    if (side[i] == term[k]) ++k;
    if (k < term.size()) continue;
    k = border[k - 1];  // an occurrence overlapping this one counts too
    if (wholeSpecies(i + 1 - term.size())) return true;
  }
  return false;
}

// The line that closes a search whose matches did not all fit.
std::string ListedLine(int listed) {
  return "...... The list is full: only the first " + std::to_string(listed) +
         " are listed. Click \"Clear List\" to make room. ......\n\n";
}

std::size_t DisplayLineLength(int number, std::string_view equation) {
  return std::to_string(number).size() + 5 + equation.size();  // "|", "| " and two LF
}

}  // namespace

std::string_view LeftSide(std::string_view line) {
  const std::size_t p = line.find('=');
  return p == std::string_view::npos ? std::string_view() : line.substr(0, p + 1);
}

std::string_view RightSide(std::string_view line) {
  const std::size_t p = line.find('=');
  return p == std::string_view::npos ? line : line.substr(p + 1);
}

bool IsInLeft(std::string_view term, std::string_view side) { return IsIn(term, side, kLeftSeparators); }

bool IsInRight(std::string_view term, std::string_view side) { return IsIn(term, side, kRightSeparators); }

std::string FoundCountLine(int matches) {
  return "...... Found " + std::to_string(matches) +
         (matches == 1 ? " equation ......" : " equations ......");
}

const balance::ListRecord& FoundList::record(int i) const {
  if (i < 1 || i > kFoundCapacity) throw AssertionFailure("found list record out of range");
  return m_records[static_cast<std::size_t>(i)];
}

FoundList::Outcome FoundList::Search(const Library& library, std::span<const formula::BoxTexts> readings) {
  const int first = m_count;
  m_matches.clear();
  const formula::BoxTexts& terms = readings.front();
  const auto satisfied = [&](std::size_t j, bool product, std::string_view side) {
    const auto isIn = product ? IsInRight : IsInLeft;
    const std::string& typed = (product ? terms.products : terms.reactants)[j];
    if (isIn(typed, side)) return true;
    for (const formula::BoxTexts& reading : readings.subspan(1)) {
      const std::string& text = (product ? reading.products : reading.reactants)[j];
      if (!text.empty() && text != typed && isIn(text, side)) return true;
    }
    return false;
  };
  for (int i = 1; i <= library.count(); ++i) {
    const std::string& line = library.line(i);
    const std::string_view left = LeftSide(line);
    const std::string_view right = RightSide(line);
    bool all = true;
    for (std::size_t j = 0; j < static_cast<std::size_t>(formula::kBoxesPerSide) && all; ++j) {
      all = satisfied(j, false, left) && satisfied(j, true, right);
    }
    if (all) m_matches.push_back(i);
  }

  Outcome outcome;
  outcome.matches = static_cast<int>(m_matches.size());
  const std::string header = "\n" + FoundCountLine(outcome.matches) + "\n\n";
  const std::size_t room = kFoundDisplayLimit - m_display.size();

  std::size_t needed = header.size();
  for (int k = 0; k < outcome.matches; ++k) {
    const std::string_view equation = StripEnds(library.line(m_matches[static_cast<std::size_t>(k)]));
    needed += DisplayLineLength(first + k + 1, equation);
  }
  if (outcome.matches <= kFoundCapacity - first && needed <= room) {
    outcome.listed = outcome.matches;
  } else {
    // The closing line for `listed` is never longer than the one for all matches.
    std::size_t used = header.size() + ListedLine(outcome.matches).size();
    if (used > room) {
      outcome.refused = true;
      return outcome;
    }
    while (outcome.listed < outcome.matches && first + outcome.listed < kFoundCapacity) {
      const int position = m_matches[static_cast<std::size_t>(outcome.listed)];
      const std::size_t length =
          DisplayLineLength(first + outcome.listed + 1, StripEnds(library.line(position)));
      if (length > room - used) break;
      used += length;
      ++outcome.listed;
    }
  }

  m_display += header;
  for (int k = 0; k < outcome.listed; ++k) {
    const int position = m_matches[static_cast<std::size_t>(k)];
    const std::string_view equation = StripEnds(library.line(position));
    ++m_count;
    balance::ListRecord& r = m_records[static_cast<std::size_t>(m_count)];
    r.libraryPos = position;
    r.equation.assign(equation);
    m_display += balance::ResultBoard::displayLine(m_count, equation);
  }
  if (outcome.listed < outcome.matches) m_display += ListedLine(outcome.listed);
  return outcome;
}

bool FoundList::appendDisplay(std::string_view text) {
  if (text.size() > kFoundDisplayLimit - m_display.size()) return false;
  m_display += text;
  return true;
}

void FoundList::clear() {
  m_count = 0;
  m_display.clear();
}

}  // namespace quorvex::library
