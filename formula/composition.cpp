// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/composition.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "core/errors.h"
#include "formula/charset.h"
#include "formula/notation.h"

namespace quorvex::formula {

std::string TypedCoefficientMessage(std::string_view species) {
  std::string message(kTypedCoefficient);
  message.append(species);
  message.append(kTypedCoefficientAdvice);
  return message;
}

int GetSpecieNum(const BoxTexts& boxes) {
  int count = 0;
  for (int i = 0; i < kBoxesPerSide; ++i) {
    if (!boxes.reactants[i].empty()) ++count;
    if (!boxes.products[i].empty()) ++count;
  }
  return count;
}

void ElementNameList::ClearElementName() {
  // Slots from the count up are empty: only a name list being built fills them.
  for (int i = 0; i < m_count; ++i) m_slots[static_cast<std::size_t>(i)].clear();
  m_count = 0;
}

bool ElementNameList::IsInElementName(std::string_view name, int k, std::string& pending) const {
  if (name.empty()) pending.assign(kNoEquation);
  for (int i = 0; i < k && i < kElementSlots; ++i) {
    const std::string& slot = m_slots[static_cast<std::size_t>(i)];
    if (slot.size() == name.size() && slot == name) return true;
  }
  return false;
}

void ElementNameList::GetTotalElement(const BoxTexts& boxes, std::string& pending) {
  ClearElementName();
  int k = -1;
  bool anyCapital = false;
  bool full = false;  // more distinct names than slots: stop collecting

  // A coefficient typed before a formula: the balance sets the coefficients.
  const auto typedCoefficient = [&]() -> const std::string* {
    for (const auto* side : {&boxes.reactants, &boxes.products}) {
      for (const std::string& text : *side) {
        if (TypedCoefficientLength(text) != 0) return &text;
      }
    }
    return nullptr;
  };
  if (const std::string* text = typedCoefficient()) pending.assign(TypedCoefficientMessage(*text));

  const auto walk = [&](std::string_view text, bool reactant) {
    for (const char c : text) {
      if (IsCapital(c)) {
        anyCapital = true;
        if (full) continue;
        if (k == -1) {
          k = 0;
        } else if (!IsInElementName(m_slots[k], k, pending)) {
          if (k + 1 == kElementSlots) {
            full = true;
            continue;
          }
          ++k;
        }
        m_slots[k].assign(1, c);
      } else if (IsSmall(c)) {
        // Appended to the name most recently begun, whatever stood between.
        if (k != -1 && !full) m_slots[k] += c;
      } else if (!BoxMayHold(reactant, c)) {
        pending.assign(kInvalidCharacters);
      }
    }
  };
  // A state symbol at the end names no element.
  for (const std::string& text : boxes.reactants) walk(WithoutStateSymbol(text), true);
  for (const std::string& text : boxes.products) walk(WithoutStateSymbol(text), false);

  if (!anyCapital) {
    pending.assign(kNoEquation);
    m_count = 0;
    return;
  }
  if (full) {
    m_count = kElementSlots;
    return;
  }
  if (IsInElementName(m_slots[k], k, pending)) {
    m_slots[k].clear();
    --k;
  }
  m_count = k + 1;
}

std::optional<BoxPosition> FirstInvalidCharacter(const BoxTexts& boxes) {
  for (const bool reactant : {true, false}) {
    const auto& side = reactant ? boxes.reactants : boxes.products;
    for (std::size_t box = 0; box < side.size(); ++box) {
      const std::string& text = side[box];
      for (std::size_t byte = 0; byte < text.size(); ++byte) {
        if (!BoxMayHold(reactant, text[byte])) {
          return BoxPosition{!reactant, static_cast<int>(box), byte};
        }
      }
    }
  }
  return std::nullopt;
}

namespace {

constexpr std::int64_t kCountLimit = 2147483647;

// One element name of a species and the atoms it adds there.
struct Atoms {
  std::string_view name;
  std::int64_t count;
};

// The atoms of every element name of a species in one pass, for the texts
// where that gives what ExGetElementNum gives name by name: every small
// letter follows a letter; no name without a subscript runs straight into a
// different name with the same capital ("CCa", where cutting "Ca" out of a
// working copy would join a new "Ca"); no digit run longer than 5 (its
// message), no tenth same name in a part, no count or leading number past 32
// bits. False for any other text, which is then counted name by name.
bool CountInOnePass(std::string_view text, std::vector<Atoms>& atoms) {
  atoms.clear();
  struct Event {
    enum Kind : char { Name, Open, Close } kind;
    std::int64_t value;  // a name's subscript, a ")" group's multiplier
    std::string_view name;
  };
  std::array<Event, 64> events;
  // Products of the multipliers of the open ")" groups, outermost first; and
  // of those that are not 0.
  std::array<std::int64_t, 65> product;
  std::array<std::int64_t, 65> nonZero;
  std::size_t from = 0;
  bool firstPart = true;
  while (from <= text.size()) {
    // Every part but the last keeps its closing "*".
    std::size_t star = text.find('*', from);
    const std::size_t end = star == std::string_view::npos ? text.size() : star + 1;
    const std::string_view part = text.substr(from, end - from);
    // The digit run at `at`, its value when it has at most `longest` digits
    // (1 when empty); its length.
    const auto digitRun = [&](std::size_t at, std::size_t longest, std::int64_t& value) {
      std::size_t k = at;
      while (k < part.size() && IsDigit(part[k])) ++k;
      value = k == at ? 1 : 0;
      if (k - at <= longest) {
        for (std::size_t d = at; d < k; ++d) value = value * 10 + (part[d] - '0');
      }
      return k - at;
    };
    std::int64_t head = 1;
    std::size_t i = 0;
    if (!firstPart) {
      i = digitRun(0, 9, head);
      if (i > 9) return false;
      if (part.empty()) head = 0;
    }
    std::size_t count = 0;
    std::size_t lastNameEnd = std::string_view::npos;  // where a name without digits ended
    while (i < part.size()) {
      const char c = part[i];
      if (count == events.size()) return false;
      if (IsCapital(c)) {
        std::size_t k = i + 1;
        while (k < part.size() && IsSmall(part[k])) ++k;
        const std::string_view name = part.substr(i, k - i);
        if (lastNameEnd == i) {
          const std::string_view before = events[count - 1].name;
          if (before[0] == name[0] && before != name) return false;
        }
        std::int64_t subscript = 0;
        const std::size_t run = digitRun(k, 5, subscript);
        if (run > 5) return false;
        lastNameEnd = run == 0 ? k : std::string_view::npos;
        events[count++] = {Event::Name, subscript, name};
        i = k + run;
        continue;
      }
      lastNameEnd = std::string_view::npos;
      if (IsSmall(c)) return false;
      if (c == ')') {
        std::int64_t multiplier = 0;
        const std::size_t run = digitRun(i + 1, 5, multiplier);
        if (run > 5) return false;
        events[count++] = {Event::Close, multiplier, {}};
        i += 1 + run;
        continue;
      }
      if (c == '(') events[count++] = {Event::Open, 0, {}};
      ++i;
    }
    // From the end back, as the groups enclosing a name are the ")" left open after it.
    std::size_t open = 0;
    product[0] = 1;
    nonZero[0] = 1;
    std::int64_t sum = 0;
    const std::size_t first = atoms.size();
    for (std::size_t e = count; e-- > 0;) {
      const Event& event = events[e];
      if (event.kind == Event::Close) {
        // The scanner multiplies from the innermost group out and stops at a
        // product past 32 bits, even when a 0 further out would make it 0.
        product[open + 1] = product[open] * event.value;
        nonZero[open + 1] = nonZero[open] * std::max<std::int64_t>(event.value, 1);
        if (nonZero[open + 1] > kCountLimit) return false;
        ++open;
      } else if (event.kind == Event::Open) {
        if (open > 0) --open;
      } else {
        const std::int64_t term = event.value * product[open];
        sum += term;
        if (term > kCountLimit || sum > kCountLimit) return false;
        atoms.push_back({event.name, term});
      }
    }
    // The tenth occurrence of a name in a part has a message of its own.
    if (atoms.size() - first >= 10) {
      for (std::size_t a = first; a < atoms.size(); ++a) {
        int same = 0;
        for (std::size_t b = first; b < atoms.size(); ++b) same += atoms[b].name == atoms[a].name;
        if (same >= 10) return false;
      }
    }
    for (std::size_t a = first; a < atoms.size(); ++a) atoms[a].count *= head;
    if (sum * head > kCountLimit) return false;
    if (star == std::string_view::npos) break;
    from = star + 1;
    firstPart = false;
  }
  std::int64_t total = 0;
  for (const Atoms& a : atoms) total += a.count;
  return total <= kCountLimit;
}

}  // namespace

void FillMatrix(const BoxTexts& boxes, const ElementNameList& names, Scanner& scanner,
                CompositionMatrix& m) {
  if (names.count() > kMaxElements) {
    throw AssertionFailure("more element names than the composition matrix holds");
  }
  const int E = names.count();
  // Only the block of the larger of the old and the new n and S can hold
  // anything: the solver and this fill touch no other cell.
  const int S = GetSpecieNum(boxes);
  const int rows = std::min(std::max(m.n, E + 2), kMatrixCapacity);
  const int columns = std::min(std::max({m.n, m.S, E + 2, S}), kMatrixCapacity);
  for (int r = 1; r <= rows; ++r) {
    std::fill_n(m.a[static_cast<std::size_t>(r)].begin() + 1, columns, 0.0);
  }
  m.n = E + 2;
  m.S = S;

  // Columns counted in one pass first; they show no messages and record no
  // errors, so the others, counted name by name in row order, give the
  // messages in the order they always came.
  std::array<std::string_view, 2 * kBoxesPerSide + 1> species;
  std::array<bool, 2 * kBoxesPerSide + 1> counted{};
  int reactants = 0;
  int column = 0;
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& text : *side) {
      if (!text.empty()) species[static_cast<std::size_t>(++column)] = WithoutStateSymbol(text);
    }
    if (side == &boxes.reactants) reactants = column;
  }
  std::vector<Atoms> atoms;
  for (int j = 1; j <= S; ++j) {
    if (!CountInOnePass(species[static_cast<std::size_t>(j)], atoms)) continue;
    counted[static_cast<std::size_t>(j)] = true;
    // A product's count is negated, a count of 0 included.
    const double sign = j <= reactants ? 1.0 : -1.0;
    for (int r = 1; r <= E; ++r) m.a[r][j] = sign * 0.0;
    for (const Atoms& a : atoms) {
      for (int r = 1; r <= E; ++r) {
        const std::string& name = names.slot(r - 1);
        if (name.size() == a.name.size() && name == a.name) {
          m.a[r][j] += sign * static_cast<double>(a.count);
          break;
        }
      }
    }
  }
  for (int r = 1; r <= E; ++r) {
    for (int j = 1; j <= S; ++j) {
      if (counted[static_cast<std::size_t>(j)]) continue;
      const double value = scanner.ExGetElementNum(names.slot(r - 1), species[static_cast<std::size_t>(j)]);
      m.a[r][j] = j <= reactants ? value : -value;
    }
  }
  int j = 1;
  for (const std::string& text : boxes.reactants) {
    if (text.empty()) continue;
    m.a[m.n][j++] = scanner.GetChargeNum(WithoutStateSymbol(text));
  }
  for (const std::string& text : boxes.products) {
    if (text.empty()) continue;
    m.a[m.n][j++] = -static_cast<double>(scanner.GetChargeNum(WithoutStateSymbol(text)));
  }
}

}  // namespace quorvex::formula
