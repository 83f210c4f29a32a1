// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "balance/resultboard.h"
#include "formula/composition.h"
#include "library/library.h"
#include "library/texts.h"

namespace quorvex::library {

inline constexpr int kFoundCapacity = 5000;
// The found display text lives in a buffer of 65,536 bytes with a terminating zero.
inline constexpr std::size_t kFoundDisplayLimit = 65535;

inline constexpr std::string_view kFoundListFull =
    "The Found Equations List is full! Click \"Clear List\" to make room.";

// The twelve search terms, six for each side. An empty term is no condition.
struct SearchTerms {
  std::array<std::string, kTermsPerSide> reactants;
  std::array<std::string, kTermsPerSide> products;
};

// The line up to and including its first "=", or "" when it has none.
std::string_view LeftSide(std::string_view line);
// The line after its first "=", or the whole line when it has none.
std::string_view RightSide(std::string_view line);

// True when `term` is empty, or one of its occurrences in `side` is bounded
// by a left separator (+ = # blank < >) before it, coefficient digits allowed
// between, and by one right after it.
bool IsInLeft(std::string_view term, std::string_view side);
// As IsInLeft, with the bytes 0xA1 and 0xA2 also separators.
bool IsInRight(std::string_view term, std::string_view side);

// "...... Found 1 equation ......" or "...... Found <m> equations ......".
std::string FoundCountLine(int matches);

// The library equations found since the last "Clear List", and their text.
class FoundList {
 public:
  FoundList() : m_records(static_cast<std::size_t>(kFoundCapacity) + 1) {}

  struct Outcome {
    int matches = 0;       // lines of the library that satisfy every term
    int listed = 0;        // of them appended to the list; fewer only when the list is full
    bool refused = false;  // not even the found-count line fitted: nothing changed
  };

  int count() const { return m_count; }
  // Record i, 1 <= i <= kFoundCapacity (records past the count keep old
  // texts); throws AssertionFailure otherwise.
  const balance::ListRecord& record(int i) const;
  const std::string& displayText() const { return m_display; }

  // Appends every library line that satisfies all terms (reactant k of the
  // boxes against its left side, product k against its right side), then
  // their numbered listing. Matches that would take the list past
  // kFoundCapacity records or its text past kFoundDisplayLimit are left out,
  // and a line says how many were listed.
  Outcome Search(const Library& library, const formula::BoxTexts& terms) {
    return Search(library, std::span(&terms, 1));
  }
  // The same, where a term is satisfied by any of its readings: the same box
  // of each of `readings`, the first the terms as typed; a later reading that
  // is empty or the same as the first is none.
  Outcome Search(const Library& library, std::span<const formula::BoxTexts> readings);
  // Appends `text` to the display text; false, with nothing appended, when it does not fit.
  bool appendDisplay(std::string_view text);
  // "Reset": the display text only.
  void clearDisplay() { m_display.clear(); }
  // "Clear List": count 0 and an empty display; old records stay until overwritten.
  void clear();

 private:
  std::vector<balance::ListRecord> m_records;  // fixed size; index 0 unused
  int m_count = 0;
  std::string m_display;
  std::vector<int> m_matches;  // the match list, kept to reuse its storage
};

}  // namespace quorvex::library
