// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/composition.h"

#include <algorithm>
#include <array>
#include <numeric>
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

SpeciesList ReadSpecies(const BoxTexts& boxes) {
  SpeciesList list;
  ReadSpecies(boxes, list);
  return list;
}

void ReadSpecies(const BoxTexts& boxes, SpeciesList& list) {
  list.count = 0;
  list.reactants = 0;
  list.typedCoefficient = -1;
  list.hydrateProblem = -1;
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& text : *side) {
      if (text.empty()) continue;
      const std::string_view formula = CountedFormula(text);
      if (list.typedCoefficient < 0 && (IsDigit(text[0]) || text[0] == '.') && CoefficientLength(text) != 0) {
        list.typedCoefficient = list.count;
      }
      const bool hydrate = formula.find('*') != std::string_view::npos;
      if (list.hydrateProblem < 0 && hydrate && !HydrateProblem(formula).empty()) {
        list.hydrateProblem = list.count;
      }
      list.species[static_cast<std::size_t>(list.count++)] = {text, formula, hydrate};
    }
    if (side == &boxes.reactants) list.reactants = list.count;
  }
}

void ElementNameList::ClearElementName() {
  // Slots from the count up are empty: only a name list being built fills them.
  for (int i = 0; i < m_count; ++i) m_slots[static_cast<std::size_t>(i)].clear();
  m_count = 0;
}

bool ElementNameList::IsInElementName(std::string_view name, int k, std::string& pending) const {
  if (name.empty()) pending.assign(kNoEquation);
  for (int i = 0; i < k && i < kElementNameSlots; ++i) {
    const std::string& slot = m_slots[static_cast<std::size_t>(i)];
    if (slot.size() == name.size() && slot == name) return true;
  }
  return false;
}

namespace {

// Collects the element names of formulas into the slots of a name list, each
// name into slot k until it proves to repeat an earlier one.
class NameCollector {
 public:
  // `keys` has room for a key per slot.
  NameCollector(std::array<std::string, kElementNameSlots>& slots, std::uint64_t* keys,
                const ElementNameList& list, std::string& pending, bool& invalidCharacters)
      : m_slots(slots),
        m_keys(keys),
        m_list(list),
        m_pending(pending),
        m_invalidCharacters(invalidCharacters) {}

  // Reads the names of one formula; a byte its side's boxes may not hold
  // writes the invalid-characters error.
  void walk(std::string_view text, bool reactant) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const char c = text[i];
      if (IsCapital(c)) {
        beginName(c);
      } else if (IsSmall(c)) {
        // Appended to the name most recently begun, whatever stood between.
        if (m_k != -1 && !m_full) {
          m_slots[static_cast<std::size_t>(m_k)] += c;
          m_keys[m_k] = m_keys[m_k] << 8 | static_cast<unsigned char>(c);
        }
      } else if (!BoxMayHold(reactant, c)) {
        // A radical's dot is a label.
        if (text.substr(i).starts_with(kRadicalDot)) {
          i += kRadicalDot.size() - 1;
          continue;
        }
        m_pending.assign(kInvalidCharacters);
        m_invalidCharacters = true;
      }
    }
  }

  // True when the name in `slot` equals one of the slots before it.
  bool repeats(int slot) {
    const std::string& name = m_slots[static_cast<std::size_t>(slot)];
    if (name.empty() || name.size() > 8) return m_list.IsInElementName(name, slot, m_pending);
    for (int i = 0; i < slot; ++i) {
      if (m_keys[i] == m_keys[slot] && m_slots[static_cast<std::size_t>(i)].size() == name.size())
        return true;
    }
    return false;
  }

  int last() const { return m_k; }  // the slot of the name most recently begun; -1 before any
  bool anyCapital() const { return m_anyCapital; }
  bool full() const { return m_full; }  // more distinct names than slots: collection stopped

 private:
  // A capital begins a name: in the slot after the last distinct one, or in
  // place of the last one when it repeats an earlier name.
  void beginName(char c) {
    m_anyCapital = true;
    if (m_full) return;
    if (m_k == -1) {
      m_k = 0;
    } else if (!repeats(m_k)) {
      if (m_k + 1 == kElementNameSlots) {
        m_full = true;
        return;
      }
      ++m_k;
    }
    m_slots[static_cast<std::size_t>(m_k)].assign(1, c);
    m_keys[m_k] = static_cast<unsigned char>(c);
  }

  std::array<std::string, kElementNameSlots>& m_slots;
  // Each slot's name as a number while it has at most 8 bytes, so that most
  // names are compared as numbers.
  std::uint64_t* m_keys;
  const ElementNameList& m_list;
  std::string& m_pending;
  bool& m_invalidCharacters;
  int m_k = -1;
  bool m_anyCapital = false;
  bool m_full = false;
};

}  // namespace

void ElementNameList::GetTotalElement(const SpeciesList& list, std::string& pending) {
  ClearElementName();
  m_invalidCharacters = false;
  // The balance sets the coefficients.
  if (list.typedCoefficient >= 0) {
    pending.assign(
        TypedCoefficientMessage(list.species[static_cast<std::size_t>(list.typedCoefficient)].text));
  }

  NameCollector collector(m_slots, m_keys.data(), *this, pending, m_invalidCharacters);
  // A state symbol at the end names no element: the walk sees the formulas.
  for (int i = 0; i < list.count; ++i) {
    collector.walk(list.species[static_cast<std::size_t>(i)].formula, i < list.reactants);
  }

  // A hydrate part that cannot be counted is named rather than its bytes ("(1/3)").
  if (list.typedCoefficient < 0 && list.hydrateProblem >= 0) {
    pending.assign(HydrateProblem(list.species[static_cast<std::size_t>(list.hydrateProblem)].formula));
    m_invalidCharacters = false;
  }
  if (!collector.anyCapital()) {
    pending.assign(kNoEquation);
    m_invalidCharacters = false;
    m_count = 0;
    return;
  }
  if (collector.full()) {
    m_count = kElementNameSlots;
    return;
  }
  int k = collector.last();
  if (collector.repeats(k)) {
    m_slots[static_cast<std::size_t>(k)].clear();
    --k;
  }
  m_count = k + 1;
  // A longer name's number kept only its last 8 bytes: it stands for no name.
  for (int i = 0; i < m_count; ++i) {
    if (m_slots[static_cast<std::size_t>(i)].size() > 8) m_keys[static_cast<std::size_t>(i)] = 0;
  }
}

std::optional<BoxPosition> FirstInvalidCharacter(const BoxTexts& boxes) {
  for (const bool reactant : {true, false}) {
    const auto& side = reactant ? boxes.reactants : boxes.products;
    for (std::size_t box = 0; box < side.size(); ++box) {
      const std::string& text = side[box];
      // The labels around the formula may hold any byte; a radical's dot stands in it.
      const std::string_view formula = CountedFormula(text);
      const auto from = static_cast<std::size_t>(formula.data() - text.data());
      for (std::size_t byte = from; byte < from + formula.size(); ++byte) {
        if (formula.substr(byte - from).starts_with(kRadicalDot)) {
          byte += kRadicalDot.size() - 1;
          continue;
        }
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

// A name of one part of a species as the one-pass count reads it.
struct PassName {
  int length;
  std::uint64_t key;
  std::int64_t count;    // subscript times the multipliers of its groups
  std::int64_t nonZero;  // those multipliers that are not 0, multiplied
};
constexpr std::size_t kMostNames = 32;

// The names of the part being read, and where its open groups begin.
struct PassPart {
  std::array<PassName, kMostNames> names;
  std::array<std::size_t, kMostNames> opens;  // names before each open "("
  std::size_t count = 0;
  std::size_t open = 0;
};

// The digit run of `text` at `at`, of at most `most` digits (else false): its
// value, 1 when empty; `at` moves past it.
inline bool ReadDigitRun(std::string_view text, std::size_t& at, std::size_t most, std::int64_t& value) {
  const std::size_t from = at;
  value = 0;
  while (at < text.size() && IsDigit(text[at])) {
    if (at - from == most) return false;
    value = value * 10 + (text[at++] - '0');
  }
  if (at == from) value = 1;
  return true;
}

// The name beginning with the capital at `i`, and its subscript; false where
// the one pass cannot count it. `nameEnd` is where a name without digits ended.
inline bool ReadPassName(std::string_view text, std::size_t& i, PassPart& part, std::size_t& nameEnd) {
  const std::size_t size = text.size();
  std::size_t k = i + 1;
  std::uint64_t key = static_cast<unsigned char>(text[i]);
  while (k < size && IsSmall(text[k])) key = key << 8 | static_cast<unsigned char>(text[k++]);
  const auto length = static_cast<int>(k - i);
  if (length > 8 || part.count == kMostNames) return false;
  if (nameEnd == i) {
    // Cutting a longer name's start from what follows a name without
    // digits can join a new occurrence of that longer start: "C" then
    // "Caa" leave "Ca".
    const PassName& before = part.names[part.count - 1];
    if (before.length < length && key >> (8 * (length - before.length)) == before.key) return false;
  }
  std::int64_t subscript = 0;
  i = k;
  if (!ReadDigitRun(text, i, 5, subscript)) return false;
  nameEnd = i == k ? k : std::string_view::npos;
  part.names[part.count++] = {length, key, subscript, 1};
  return true;
}

// The ")" just read and its multiplier at `i`: it closes the last open "(" of
// the part, or else everything before it.
inline bool CloseGroup(std::string_view text, std::size_t& i, PassPart& part) {
  std::int64_t multiplier = 0;
  if (!ReadDigitRun(text, i, 5, multiplier)) return false;
  const std::size_t from = part.open > 0 ? part.opens[--part.open] : 0;
  for (std::size_t n = from; n < part.count; ++n) {
    part.names[n].count *= multiplier;
    // The scanner multiplies from the innermost group out and stops at
    // a product past 32 bits, even when a 0 further out makes it 0.
    part.names[n].nonZero *= std::max<std::int64_t>(multiplier, 1);
    if (part.names[n].nonZero > kCountLimit) return false;
  }
  return true;
}

// The names of the part at `i`, which runs to its closing "*" or the end.
inline bool ReadPassPart(std::string_view text, std::size_t& i, PassPart& part) {
  part.count = 0;
  part.open = 0;
  std::size_t nameEnd = std::string_view::npos;  // where a name without digits ended
  while (i < text.size() && text[i] != '*') {
    const char c = text[i];
    if (IsCapital(c)) {
      if (!ReadPassName(text, i, part, nameEnd)) return false;
      continue;
    }
    nameEnd = std::string_view::npos;
    if (IsSmall(c)) return false;
    ++i;
    if (c == '(') {
      if (part.open == kMostNames) return false;
      part.opens[part.open++] = part.count;
    } else if (c == ')') {
      if (!CloseGroup(text, i, part)) return false;
    }
  }
  return true;
}

// The atoms of the part, each count within 32 bits; false past them.
inline bool PartSum(const PassPart& part, std::int64_t head, std::int64_t& sum) {
  sum = 0;
  for (std::size_t n = 0; n < part.count; ++n) {
    if (part.names[n].count > kCountLimit) return false;
    sum += part.names[n].count;
  }
  return sum <= kCountLimit && sum * head <= kCountLimit;
}

// True when some name occurs ten times in the part, which has a message of its own.
inline bool HasTenthName(const PassPart& part) {
  if (part.count < 10) return false;
  for (std::size_t x = 0; x < part.count; ++x) {
    int same = 0;
    for (std::size_t y = 0; y < part.count; ++y) same += part.names[y].key == part.names[x].key;
    if (same >= 10) return true;
  }
  return false;
}

// The atoms of every listed name of a species in one pass, added times
// `sign` to a[r][j] for the name keys[r], r = 1..E; for the texts where that
// gives what ExGetElementNum gives name by name: every small letter follows a
// letter; no name without a subscript runs straight into a longer name that
// begins with it ("CCa"); no digit run longer than 5 (its message), no
// tenth same name in a part, no count or leading number past 32 bits, no
// name over 8 bytes. False for any other text, which is then counted name by
// name; column j is then left part-way. `hydrate`: the text holds a "*".
bool CountInOnePass(std::string_view text, bool hydrate, const std::uint64_t* keys, int E, double sign,
                    std::array<double, kMatrixCapacity + 1>* a, int j) {
  // A hydrate part that cannot be counted has its message.
  if (hydrate && !HydrateProblem(text).empty()) return false;
  PassPart part;
  std::int64_t total = 0;
  std::size_t i = 0;
  for (bool firstPart = true;; firstPart = false) {
    // Each part after the first may begin with a leading number that
    // multiplies it; an empty last part counts nothing anyway.
    std::int64_t head = 1;
    if (!firstPart && !ReadDigitRun(text, i, 9, head)) return false;
    std::int64_t sum = 0;
    if (!ReadPassPart(text, i, part) || !PartSum(part, head, sum) || HasTenthName(part)) return false;
    total += sum * head;
    if (total > kCountLimit) return false;
    for (std::size_t n = 0; n < part.count; ++n) {
      for (int r = 1; r <= E; ++r) {
        if (keys[r] == part.names[n].key) {
          a[r][static_cast<std::size_t>(j)] += sign * static_cast<double>(part.names[n].count * head);
          break;
        }
      }
    }
    if (i >= text.size()) return true;
    ++i;  // the "*"
  }
}

// A species with a decimal hydrate part counted `scale` times over, in
// whole numbers: "CaSO4*0.5H2O" is "*2CaSO4*1H2O" with a scale of 2 (every
// part after a "*" is multiplied by its leading number).
std::string ScaledFormula(std::string_view formula, std::int64_t& scale) {
  scale = 1;
  for (std::size_t star = formula.find('*'); star != std::string_view::npos;
       star = formula.find('*', star + 1)) {
    const HydrateHead head = ReadHydrateHead(formula.substr(star + 1));
    if (head.over > 1) scale = std::lcm(scale, head.over / std::gcd(head.digits, head.over));
  }
  std::size_t star = formula.find('*');
  std::string scaled = "*" + std::to_string(scale);
  scaled.append(formula.substr(0, star));
  while (star != std::string_view::npos) {
    const std::size_t next = formula.find('*', star + 1);
    const std::string_view part =
        formula.substr(star + 1, next == std::string_view::npos ? std::string_view::npos : next - star - 1);
    scaled += '*';
    if (!part.empty()) {
      const HydrateHead head = ReadHydrateHead(part);
      scaled += std::to_string(head.length == 0 ? scale : head.digits * scale / head.over);
      scaled.append(part.substr(head.length));
    }
    star = next;
  }
  return scaled;
}

}  // namespace

void FillMatrix(const SpeciesList& list, const ElementNameList& names, Scanner& scanner,
                CompositionMatrix& m) {
  if (names.count() > kMaxElements) {
    throw AssertionFailure("more element names than the composition matrix holds");
  }
  const int E = names.count();
  // Rows 1..n, columns 1..S are all written below. Around them, up to the
  // larger of the old and the new n and S, the last solve may have left
  // values, and this solve takes the columns up to n.
  // The formula of column j, 1 <= j <= S.
  // A species with a decimal hydrate part is counted in whole numbers, scaled.
  std::vector<std::string> scaled;
  for (int j = 1; j <= list.count; ++j) {
    const std::string_view formula = list.species[static_cast<std::size_t>(j - 1)].formula;
    m.scale[static_cast<std::size_t>(j)] = 1;
    if (!list.species[static_cast<std::size_t>(j - 1)].hydrate || !HasDecimalHydrate(formula)) continue;
    if (scaled.empty()) scaled.resize(static_cast<std::size_t>(list.count) + 1);
    scaled[static_cast<std::size_t>(j)] = ScaledFormula(formula, m.scale[static_cast<std::size_t>(j)]);
  }
  const auto species = [&list, &scaled](int j) -> std::string_view {
    if (!scaled.empty() && !scaled[static_cast<std::size_t>(j)].empty())
      return scaled[static_cast<std::size_t>(j)];
    return list.species[static_cast<std::size_t>(j - 1)].formula;
  };
  const int reactants = list.reactants;
  const int S = list.count;
  const int n = E + 2;
  const int rows = std::min(std::max(m.n, n), kMatrixCapacity);
  const int columns = std::min(std::max({m.n, m.S, n, S}), kMatrixCapacity);
  // Column by column: a few cells each, not worth a memset per row.
  for (int c = S + 1; c <= columns; ++c) {
    for (int r = 1; r <= rows; ++r) m.a[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = 0.0;
  }
  for (int r = n + 1; r <= rows; ++r) {
    for (int c = 1; c <= S; ++c) m.a[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = 0.0;
  }
  for (int c = 1; c <= S; ++c) m.a[static_cast<std::size_t>(E) + 1][static_cast<std::size_t>(c)] = 0.0;
  m.n = n;
  m.S = S;

  // Columns counted in one pass first; they show no messages and record no
  // errors, so the others, counted name by name in row order, give the
  // messages in the order they always came.
  bool counted[2 * kBoxesPerSide + 1];
  std::uint64_t keys[kMaxElements + 1];
  // The name list's numbers for its names, 0 for one over 8 bytes, which no
  // name the one pass reads has.
  for (int r = 1; r <= E; ++r) keys[r] = names.key(r - 1);
  for (int j = 1; j <= S; ++j) {
    // A product's count is negated, a count of 0 included.
    const double sign = j <= reactants ? 1.0 : -1.0;
    for (int r = 1; r <= E; ++r) m.a[static_cast<std::size_t>(r)][static_cast<std::size_t>(j)] = sign * 0.0;
    counted[j] = CountInOnePass(species(j), list.species[static_cast<std::size_t>(j - 1)].hydrate, keys, E,
                                sign, m.a.data(), j);
  }
  const bool allCounted = std::all_of(counted + 1, counted + S + 1, [](bool b) { return b; });
  for (int r = 1; r <= E && !allCounted; ++r) {
    for (int j = 1; j <= S; ++j) {
      if (counted[j]) continue;
      const double value = scanner.ExGetElementNum(names.slot(r - 1), species(j));
      m.a[r][j] = j <= reactants ? value : -value;
    }
  }
  // A species without square brackets has no charge and nothing to report.
  for (int j = 1; j <= S; ++j) {
    const std::string_view text = species(j);
    double charge = 0;
    if (std::any_of(text.begin(), text.end(), [](char c) { return c == '[' || c == ']'; })) {
      charge = scanner.GetChargeNum(text) * static_cast<double>(m.scale[static_cast<std::size_t>(j)]);
    }
    m.a[m.n][j] = j <= reactants ? charge : -charge;
  }
}

}  // namespace quorvex::formula
