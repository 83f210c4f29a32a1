// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/ionreading.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <numeric>
#include <optional>
#include <utility>

#include "balance/exact.h"
#include "balance/iontable.h"
#include "core/notifier.h"
#include "formula/charset.h"
#include "formula/composition.h"
#include "formula/notation.h"
#include "formula/scanner.h"

namespace quorvex::balance {

bool IsCommonIon(std::string_view formula) {
  const std::span<const CommonIon> ions = CommonIons();
  const auto at = std::lower_bound(ions.begin(), ions.end(), formula,
                                   [](const CommonIon& ion, std::string_view f) { return ion.formula < f; });
  return at != ions.end() && at->formula == formula;
}

std::string ReadingNote(const IonReading& reading) {
  return "read " + reading.written + " as " + reading.reading;
}

namespace {

using formula::TwoWayTerm;
using formula::WrittenEquation;

// Sums of counts times coefficients: a count fits 32 bits and a scaled
// coefficient 62, so a line's sum of a few dozen terms fits 128.
__extension__ typedef __int128 Wide;
// One reading of every term that reads two ways: bit t set when term t reads
// its second way (readings[1]).
using Combination = std::uint32_t;

bool SecondWay(Combination c, std::size_t term) { return ((c >> term) & 1U) != 0; }

// Readings a common-ion table cannot tell apart: both are real species, or the
// one that is not a common ion is what a student meant as often.
constexpr std::array<std::array<std::string_view, 2>, 8> kTraps = {{
    {"N3[-]", "N[3-]"},      // azide or nitride
    {"O2[-]", "O[2-]"},      // superoxide or oxide
    {"S2[-]", "S[2-]"},      // disulfide or sulfide
    {"O22[-]", "O2[2-]"},    // peroxide
    {"C22[-]", "C2[2-]"},    // acetylide
    {"I3[-]", "I[3-]"},      // triiodide
    {"Hg22[+]", "Hg2[2+]"},  // mercury(I)
    {"Hg2[+]", "Hg[2+]"},    // mercury(I) or mercury(II)
}};

bool IsTrap(const TwoWayTerm& term) {
  const auto& r = term.readings;
  for (const auto& trap : kTraps) {
    if ((r[0] == trap[0] && r[1] == trap[1]) || (r[0] == trap[1] && r[1] == trap[0])) return true;
  }
  return IsCommonIon(r[0]) && IsCommonIon(r[1]);
}

// The place in `twoWays` of each term of the line that reads two ways, by side
// and place on it; -1 for the others.
struct WayIndex {
  std::array<std::vector<int>, 2> of;
  explicit WayIndex(const WrittenEquation& read) {
    of[0].assign(read.reactants.size(), -1);
    of[1].assign(read.products.size(), -1);
    for (std::size_t t = 0; t < read.twoWays.size(); ++t) {
      of[read.twoWays[t].side][read.twoWays[t].index] = static_cast<int>(t);
    }
  }
};

// The species of term `i` of side `s` under the combination `c`.
std::string_view SpeciesUnder(const WrittenEquation& read, const WayIndex& ways, std::size_t s, std::size_t i,
                              Combination c, std::string& scratch) {
  const int t = ways.of[s][i];
  if (t < 0) return (s == 0 ? read.reactants : read.products)[i].species;
  const TwoWayTerm& term = read.twoWays[static_cast<std::size_t>(t)];
  scratch = term.species(SecondWay(c, static_cast<std::size_t>(t)) ? 1 : 0);
  return scratch;
}

// A written coefficient as a fraction in lowest terms; false for one that is
// not a number greater than 0 or has more digits than 18.
bool ReadFraction(std::string_view text, std::int64_t& numerator, std::int64_t& denominator) {
  numerator = 1;
  denominator = 1;
  if (text.empty()) return true;
  std::int64_t whole = 0;
  std::int64_t below = 1;  // the denominator of a decimal's digits read so far
  bool point = false;
  bool slash = false;
  std::int64_t over = 0;
  int digits = 0;
  for (const char c : text) {
    if (c == '.' && !point && !slash) {
      point = true;
    } else if (c == '/' && !point && !slash) {
      slash = true;
    } else if (formula::IsDigit(c) && ++digits <= 18) {
      std::int64_t& into = slash ? over : whole;
      into = into * 10 + (c - '0');
      if (point) below *= 10;
    } else {
      return false;
    }
  }
  denominator = slash ? over : below;
  numerator = whole;
  if (numerator == 0 || denominator == 0) return false;
  const std::int64_t common = std::gcd(numerator, denominator);
  numerator /= common;
  denominator /= common;
  return true;
}

}  // namespace

// The counting of the balance: atoms and charges of species, and whether an
// equation has exactly one balance. Its storage is kept from line to line.
class ReadingCounter {
 public:
  // Atoms of an element, or the charge (row 0), of a species; row r > 0 is
  // the element of the r-th name counted since forgetRows.
  struct Count {
    std::size_t species;
    std::size_t row;
    std::int64_t value;
  };
  // Each line counts with rows of its own.
  void forgetRows() { m_rowNames.clear(); }
  // The counts of each species of `species` that are not 0; false when the
  // balance cannot read one of them.
  bool count(const std::vector<std::string_view>& species);
  const std::vector<Count>& counts() const { return m_counts; }
  std::size_t rows() const { return m_rowNames.size() + 1; }
  // True when the species of `boxes` have exactly one balance, every
  // coefficient of it positive.
  bool hasOneBalance(const formula::BoxTexts& boxes);
  formula::BoxTexts& boxes() { return m_boxes; }

  // The ledger's lists, kept with their room from line to line.
  struct Scratch {
    std::vector<std::pair<std::int64_t, std::int64_t>> fractions;  // numerator, denominator
    std::vector<std::string_view> species;
    std::vector<std::pair<std::size_t, Wide>> blocks;  // per species of `species`
    std::vector<Wide> sums;
  };
  Scratch& scratch() { return m_scratch; }

 private:
  // Names and matrix of `list` as the balance builds them; false on an input error.
  bool fill(const formula::SpeciesList& list);
  std::size_t rowOf(const std::string& name);
  // Counts the species of m_batch, each in a product box; false as count.
  bool countBatch(const std::vector<std::string_view>& species);

  std::vector<std::string> m_rowNames;
  std::vector<Count> m_counts;
  std::vector<std::size_t> m_batch;
  formula::BoxTexts m_boxes;
  formula::ElementNameList m_names;
  formula::CompositionMatrix m_matrix;
  SilentNotifier m_silent;
  Scratch m_scratch;
};

bool ReadingCounter::fill(const formula::SpeciesList& list) {
  std::string pending;
  m_names.GetTotalElement(list, pending);
  if (!pending.empty() || m_names.count() > formula::kMaxElements) return false;
  formula::Scanner scanner(pending, m_silent);
  try {
    formula::FillMatrix(list, m_names, scanner, m_matrix);
  } catch (const std::exception&) {
    return false;
  }
  return pending.empty();
}

std::size_t ReadingCounter::rowOf(const std::string& name) {
  const auto at = std::find(m_rowNames.begin(), m_rowNames.end(), name);
  if (at != m_rowNames.end()) return static_cast<std::size_t>(at - m_rowNames.begin()) + 1;
  m_rowNames.push_back(name);
  return m_rowNames.size();
}

bool ReadingCounter::countBatch(const std::vector<std::string_view>& species) {
  for (std::size_t b = 0; b < m_boxes.products.size(); ++b) {
    if (b < m_batch.size()) {
      m_boxes.products[b].assign(species[m_batch[b]]);
    } else {
      m_boxes.products[b].clear();
    }
  }
  for (std::string& box : m_boxes.reactants) box.clear();
  const formula::SpeciesList list = formula::ReadSpecies(m_boxes);
  if (!fill(list)) return false;
  const int E = m_names.count();
  for (std::size_t b = 0; b < m_batch.size(); ++b) {
    const std::size_t j = b + 1;
    // A decimal hydrate's column counts it several times over, no exact count of one.
    if (m_matrix.scale[j] != 1) return false;
    // Product columns are negated.
    const auto charge = -static_cast<std::int64_t>(m_matrix.a[static_cast<std::size_t>(m_matrix.n)][j]);
    if (charge != 0) m_counts.push_back({m_batch[b], 0, charge});
    for (int r = 1; r <= E; ++r) {
      const auto atoms = -static_cast<std::int64_t>(m_matrix.a[static_cast<std::size_t>(r)][j]);
      if (atoms != 0) m_counts.push_back({m_batch[b], rowOf(m_names.slot(r - 1)), atoms});
    }
  }
  m_batch.clear();
  return true;
}

bool ReadingCounter::count(const std::vector<std::string_view>& species) {
  m_counts.clear();
  m_batch.clear();
  // Species with an element are counted as product boxes (which take any
  // printable byte), a box's worth at a time; an electron has no element
  // name, which the name list would refuse, and only its charge is read.
  std::string pending;
  formula::Scanner scanner(pending, m_silent);
  for (std::size_t i = 0; i < species.size(); ++i) {
    if (std::any_of(species[i].begin(), species[i].end(), formula::IsCapital)) {
      m_batch.push_back(i);
      if (m_batch.size() == formula::kBoxesPerSide && !countBatch(species)) return false;
      continue;
    }
    try {
      const std::string_view bare = formula::WithoutStateSymbol(species[i]);
      if (bare.find('[') != std::string_view::npos) m_counts.push_back({i, 0, scanner.GetChargeNum(bare)});
    } catch (const std::exception&) {
      return false;
    }
    if (!pending.empty()) return false;
  }
  return m_batch.empty() || countBatch(species);
}

bool ReadingCounter::hasOneBalance(const formula::BoxTexts& boxes) {
  const formula::SpeciesList list = formula::ReadSpecies(boxes);
  if (!fill(list)) return false;
  const ExactSolution solution = SolveExactly(m_matrix);
  return solution.nullity == 1 && std::all_of(solution.balance.begin(), solution.balance.end(),
                                              [](const mpz_class& x) { return x > 0; });
}

namespace {

// Test 1: every element and the charge, reactants less products, each term
// times its written coefficient; what each term that reads two ways adds
// either way apart.
class Ledger {
 public:
  // False when a coefficient or a species cannot be counted exactly: the test
  // then keeps every combination.
  bool fill(const WrittenEquation& read, const WayIndex& ways, ReadingCounter& counter);
  bool conserves(Combination c) const;

 private:
  // Row sums: the terms read one way in block 0, term t read way w in block 1 + 2t + w
  // (the counter's room).
  const std::vector<Wide>* m_sums = nullptr;
  std::size_t m_rows = 0;
  std::size_t m_terms = 0;
};

bool Ledger::fill(const WrittenEquation& read, const WayIndex& ways, ReadingCounter& counter) {
  ReadingCounter::Scratch& room = counter.scratch();
  // The coefficients, and their common denominator.
  auto& fractions = room.fractions;
  fractions.clear();
  std::int64_t common = 1;
  for (const auto* side : {&read.reactants, &read.products}) {
    for (const formula::WrittenTerm& term : *side) {
      std::int64_t n = 0;
      std::int64_t d = 0;
      if (!ReadFraction(term.coefficient, n, d)) return false;
      const Wide lcm = static_cast<Wide>(common / std::gcd(common, d)) * d;
      if (lcm > (Wide{1} << 62)) return false;
      common = static_cast<std::int64_t>(lcm);
      fractions.emplace_back(n, d);
    }
  }
  // Every species once, with its block and its term's scale: the terms read
  // one way, then both readings of the others.
  auto& species = room.species;
  auto& blocks = room.blocks;
  species.clear();
  blocks.clear();
  std::size_t column = 0;
  for (std::size_t s = 0; s < 2; ++s) {
    const auto& side = s == 0 ? read.reactants : read.products;
    for (std::size_t i = 0; i < side.size(); ++i, ++column) {
      const Wide scaled = static_cast<Wide>(fractions[column].first) * (common / fractions[column].second);
      if (scaled > (Wide{1} << 62)) return false;
      const Wide factor = s == 0 ? scaled : -scaled;
      const int t = ways.of[s][i];
      if (t < 0) {
        species.push_back(side[i].species);
        blocks.emplace_back(0, factor);
        continue;
      }
      const TwoWayTerm& term = read.twoWays[static_cast<std::size_t>(t)];
      for (std::size_t way = 0; way < 2; ++way) {
        species.emplace_back(term.readings[way]);
        blocks.emplace_back(1 + 2 * static_cast<std::size_t>(t) + way, factor);
      }
    }
  }
  if (!counter.count(species)) return false;
  m_rows = counter.rows();
  m_terms = read.twoWays.size();
  room.sums.assign(m_rows * (1 + 2 * m_terms), 0);
  for (const ReadingCounter::Count& count : counter.counts()) {
    const auto& [block, factor] = blocks[count.species];
    room.sums[block * m_rows + count.row] += factor * count.value;
  }
  m_sums = &room.sums;
  return true;
}

bool Ledger::conserves(Combination c) const {
  for (std::size_t row = 0; row < m_rows; ++row) {
    Wide sum = (*m_sums)[row];
    for (std::size_t t = 0; t < m_terms; ++t)
      sum += (*m_sums)[(1 + 2 * t + (SecondWay(c, t) ? 1 : 0)) * m_rows + row];
    if (sum != 0) return false;
  }
  return true;
}

// The combinations still possible, and the test that settled each term.
class Candidates {
 public:
  explicit Candidates(std::size_t terms) : m_settled(terms) {
    m_left.resize(std::size_t{1} << terms);
    std::iota(m_left.begin(), m_left.end(), Combination{0});
  }
  // Keeps the combinations `keep` accepts, unless it accepts none; a term
  // they then all read one way is settled `by` this test.
  template <class Keep>
  void narrow(Keep&& keep, SettledBy by) {
    std::vector<Combination> kept;
    for (const Combination c : m_left) {
      if (keep(c)) kept.push_back(c);
    }
    if (kept.empty()) return;
    m_left = std::move(kept);
    for (std::size_t t = 0; t < m_settled.size(); ++t) {
      if (m_settled[t]) continue;
      const bool way = SecondWay(m_left.front(), t);
      if (std::all_of(m_left.begin(), m_left.end(), [&](Combination c) { return SecondWay(c, t) == way; }))
        m_settled[t] = by;
    }
  }
  const std::vector<Combination>& left() const { return m_left; }
  SettledBy settled(std::size_t term) const { return m_settled[term].value_or(SettledBy::Balance); }

 private:
  std::vector<Combination> m_left;
  std::vector<std::optional<SettledBy>> m_settled;
};

// True when a term read one way is an electron.
bool HoldsElectron(const WrittenEquation& read) {
  for (const auto* side : {&read.reactants, &read.products}) {
    for (const formula::WrittenTerm& term : *side) {
      if (term.species.starts_with("e[")) return true;
    }
  }
  return false;
}

// The boxes of the equation under `c`; false when a side has more terms than boxes.
bool BoxesUnder(const WrittenEquation& read, const WayIndex& ways, Combination c, formula::BoxTexts& boxes) {
  if (read.reactants.size() > formula::kBoxesPerSide || read.products.size() > formula::kBoxesPerSide)
    return false;
  std::string scratch;
  for (std::size_t s = 0; s < 2; ++s) {
    auto& into = s == 0 ? boxes.reactants : boxes.products;
    const std::size_t terms = (s == 0 ? read.reactants : read.products).size();
    for (std::size_t i = 0; i < into.size(); ++i) {
      if (i < terms) {
        into[i].assign(SpeciesUnder(read, ways, s, i, c, scratch));
      } else {
        into[i].clear();
      }
    }
  }
  return true;
}

}  // namespace

IonReader::IonReader() = default;
IonReader::IonReader(IonReader&&) noexcept = default;
IonReader& IonReader::operator=(IonReader&&) noexcept = default;
IonReader::~IonReader() = default;

IonDecision IonReader::decide(WrittenEquation& read) {
  IonDecision decision;
  if (read.twoWays.empty()) return decision;
  decision.kind = IonDecision::Kind::Refused;
  const std::size_t terms = read.twoWays.size();
  if (terms > kMostTwoWayTerms) return decision;
  const bool equation = read.decidedKind == WrittenEquation::Kind::Equation;
  const WayIndex ways(read);
  Candidates candidates(terms);
  // The matrix and names are large: made for the first line that needs them.
  if (equation && !m_counter) m_counter = std::make_unique<ReadingCounter>();
  ReadingCounter* const counter = m_counter.get();
  if (equation) {
    counter->forgetRows();
    Ledger ledger;
    if (ledger.fill(read, ways, *counter)) {
      candidates.narrow([&](Combination c) { return ledger.conserves(c); }, SettledBy::Coefficients);
    }
  }
  for (std::size_t t = 0; t < terms; ++t) {
    const TwoWayTerm& term = read.twoWays[t];
    const bool first = IsCommonIon(term.readings[0]);
    if (first == IsCommonIon(term.readings[1]) || IsTrap(term)) continue;
    candidates.narrow([&](Combination c) { return SecondWay(c, t) != first; }, SettledBy::Table);
  }
  // Electrons take up any charge, so with them a balance alone decides nothing.
  if (equation && candidates.left().size() > 1 && !HoldsElectron(read)) {
    formula::BoxTexts& boxes = counter->boxes();
    // Two combinations with one balance each already leave the line refused:
    // the rest are not solved.
    int found = 0;
    candidates.narrow(
        [&](Combination c) {
          const bool one = found < 2 && BoxesUnder(read, ways, c, boxes) && counter->hasOneBalance(boxes);
          found += one ? 1 : 0;
          return one;
        },
        SettledBy::Balance);
  }
  if (candidates.left().size() != 1) return decision;

  const Combination chosen = candidates.left().front();
  for (std::size_t t = 0; t < terms; ++t) {
    const TwoWayTerm& term = read.twoWays[t];
    const std::size_t way = SecondWay(chosen, t) ? 1 : 0;
    (term.side == 0 ? read.reactants : read.products)[term.index].species = term.species(way);
    IonReading reading{term.written, term.readings[way], candidates.settled(t)};
    const bool again = std::any_of(
        decision.readings.begin(), decision.readings.end(),
        [&](const IonReading& r) { return r.written == reading.written && r.reading == reading.reading; });
    if (!again) decision.readings.push_back(std::move(reading));
  }
  decision.kind = IonDecision::Kind::Decided;
  read.kind = read.decidedKind;
  read.decidedKind = WrittenEquation::Kind::Error;
  read.error.clear();
  read.twoWays.clear();
  return decision;
}

WrittenEquation IonReader::read(std::string_view line, IonDecision& decision) {
  WrittenEquation read = formula::ReadWrittenEquation(line);
  decision = decide(read);
  return read;
}

IonDecision DecideIonReadings(WrittenEquation& read) { return IonReader().decide(read); }

WrittenEquation ReadInContext(std::string_view line, IonDecision& decision) {
  return IonReader().read(line, decision);
}

}  // namespace quorvex::balance
