// SPDX-License-Identifier: GPL-3.0-or-later
// Property tests over generated equations: the balance found is the one the
// equation was built around, and every success conserves atoms and charge.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "balance/balancer.h"
#include "balance/ionreading.h"
#include "balance/iontable.h"
#include "formula/equationtext.h"

namespace quorvex::balance {
namespace {

__extension__ typedef __int128 I128;

const std::vector<std::string> kElements = {"H", "C", "N",  "O",  "Na", "Cl", "Fe",
                                            "S", "K", "Mn", "Cu", "P",  "Ca", "Mg"};

// Counts per element of kElements, then the charge.
struct Species {
  std::vector<long long> counts;
  long long charge = 0;
};

class Writer {
 public:
  explicit Writer(std::mt19937& rng) : m_rng(rng) {}

  // A formula holding exactly `counts`, with groups and, where allowed, a
  // hydrate part; then the charge group.
  std::string write(const Species& s, bool allowHydrate) {
    std::vector<long long> rest = s.counts;
    std::string text;
    std::string hydrate;
    if (allowHydrate && roll(3) == 0) {
      const long long k = 2 + roll(4);
      std::vector<long long> part = takeShare(rest, k);
      if (any(part) && any(rest)) hydrate = "*" + std::to_string(k) + plain(part, 1);
      else add(rest, part, k);
    }
    text = plain(rest, 2) + hydrate;
    if (s.charge != 0) {
      const long long m = s.charge < 0 ? -s.charge : s.charge;
      text += "[" + (m == 1 ? std::string() : std::to_string(m)) + (s.charge < 0 ? "-]" : "+]");
    }
    return text;
  }

 private:
  long long roll(long long n) { return static_cast<long long>(m_rng() % n); }
  static bool any(const std::vector<long long>& v) {
    for (long long x : v)
      if (x != 0) return true;
    return false;
  }
  static void add(std::vector<long long>& to, const std::vector<long long>& part, long long k) {
    for (std::size_t e = 0; e < to.size(); ++e) to[e] += k * part[e];
  }
  // A random W with k*W <= rest, taken out of rest.
  std::vector<long long> takeShare(std::vector<long long>& rest, long long k) {
    std::vector<long long> part(rest.size(), 0);
    for (std::size_t e = 0; e < rest.size(); ++e) {
      if (rest[e] >= k && roll(2) == 0) {
        part[e] = 1 + roll(rest[e] / k);
        rest[e] -= k * part[e];
      }
    }
    return part;
  }
  // Elements in random order, some of them inside a "(...)g" group.
  std::string plain(std::vector<long long> counts, int depth) {
    std::string text;
    if (depth > 0 && roll(3) == 0) {
      const long long g = 2 + roll(2);
      std::vector<long long> inner = takeShare(counts, g);
      if (any(inner)) text += "(" + plain(inner, depth - 1) + ")" + std::to_string(g);
    }
    std::vector<std::size_t> order(counts.size());
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), m_rng);
    for (std::size_t e : order) {
      if (counts[e] == 0) continue;
      std::string unit = kElements[e] + (counts[e] == 1 ? "" : std::to_string(counts[e]));
      if (roll(2) == 0) text += unit;
      else text = unit + text;
    }
    return text;
  }

  std::mt19937& m_rng;
};

// Rank of an integer matrix, by fraction-free elimination in 128 bits.
int Rank(std::vector<std::vector<I128>> a) {
  const std::size_t rows = a.size();
  const std::size_t cols = rows ? a[0].size() : 0;
  int rank = 0;
  for (std::size_t c = 0; c < cols && static_cast<std::size_t>(rank) < rows; ++c) {
    std::size_t p = rank;
    while (p < rows && a[p][c] == 0) ++p;
    if (p == rows) continue;
    std::swap(a[p], a[rank]);
    for (std::size_t r = rank + 1; r < rows; ++r) {
      const I128 f = a[r][c];
      const I128 g = a[rank][c];
      I128 common = 0;
      for (std::size_t j = 0; j < cols; ++j) {
        a[r][j] = a[r][j] * g - a[rank][j] * f;
        long long v = static_cast<long long>(a[r][j] < 0 ? -a[r][j] : a[r][j]);
        common = std::gcd(static_cast<long long>(common), v);
      }
      if (common > 1)
        for (auto& v : a[r]) v /= common;
    }
    ++rank;
  }
  return rank;
}

struct Equation {
  std::vector<Species> reactants, products;
};

formula::BoxTexts Write(const Equation& eq, Writer& w) {
  formula::BoxTexts boxes;
  for (std::size_t i = 0; i < eq.reactants.size(); ++i) boxes.reactants[i] = w.write(eq.reactants[i], false);
  for (std::size_t i = 0; i < eq.products.size(); ++i) boxes.products[i] = w.write(eq.products[i], true);
  return boxes;
}

// Checks the coefficients of a success against the counts the equation was made of.
void ExpectConserved(const Equation& eq, const CoefficientVector& x) {
  const std::size_t S = eq.reactants.size() + eq.products.size();
  long long common = 0;
  for (std::size_t j = 1; j <= S; ++j) {
    ASSERT_GE(x[j], 1);
    ASSERT_EQ(x[j], static_cast<double>(static_cast<long long>(x[j])));
    common = std::gcd(common, static_cast<long long>(x[j]));
  }
  EXPECT_EQ(common, 1);
  for (std::size_t e = 0; e <= kElements.size(); ++e) {
    long long balance = 0;
    std::size_t j = 1;
    const auto value = [&](const Species& s) { return e < kElements.size() ? s.counts[e] : s.charge; };
    for (const Species& s : eq.reactants) balance += value(s) * static_cast<long long>(x[j++]);
    for (const Species& s : eq.products) balance -= value(s) * static_cast<long long>(x[j++]);
    EXPECT_EQ(balance, 0) << (e < kElements.size() ? kElements[e] : "charge");
  }
}

Species RandomSpecies(std::mt19937& rng, std::size_t elements) {
  Species s;
  s.counts.assign(kElements.size(), 0);
  for (std::size_t e = 0; e < elements; ++e) {
    if (rng() % 2) s.counts[e] = static_cast<long long>(1 + rng() % 4);
  }
  bool any = false;
  for (long long v : s.counts) any = any || v != 0;
  if (!any) s.counts[rng() % elements] = 1;
  if (rng() % 4 == 0) s.charge = static_cast<long long>(rng() % 5) - 2;
  return s;
}

// An equation built around the balance `c` (1..8 each), whose balances form
// a single line; false when the round makes none. With `electron`, its last
// product may be the electron.
bool BuildBalanced(std::mt19937& rng, Equation& eq, std::vector<long long>& c, bool electron = false) {
  const std::size_t E = 1 + rng() % 5;
  // Shuffle which elements are used, so "C" and "Ca" and the like meet.
  const std::size_t nR = 1 + rng() % 4;
  const std::size_t nP = 1 + rng() % 4;
  c.assign(nR + nP, 0);
  for (auto& v : c) v = 1 + static_cast<long long>(rng() % 8);
  eq = {};
  eq.reactants.resize(nR);
  for (std::size_t i = 1; i < nR; ++i) eq.reactants[i] = RandomSpecies(rng, E);
  for (std::size_t i = 0; i < nP; ++i) eq.products.push_back(RandomSpecies(rng, E));
  if (electron && rng() % 2 == 0) eq.products.back() = {std::vector<long long>(kElements.size(), 0), -1};
  // The first reactant makes up the difference, if it can.
  Species& first = eq.reactants[0];
  first.counts.assign(kElements.size(), 0);
  bool anyAtom = false;
  for (std::size_t e = 0; e <= kElements.size(); ++e) {
    long long need = 0;
    const auto value = [&](const Species& s) { return e < kElements.size() ? s.counts[e] : s.charge; };
    for (std::size_t i = 0; i < nP; ++i) need += c[nR + i] * value(eq.products[i]);
    for (std::size_t i = 1; i < nR; ++i) need -= c[i] * value(eq.reactants[i]);
    if (need % c[0] != 0) return false;
    if (e < kElements.size()) {
      if (need < 0) return false;
      first.counts[e] = need / c[0];
      anyAtom = anyAtom || need > 0;
    } else {
      first.charge = need / c[0];
    }
  }
  if (!anyAtom) return false;
  // Only equations whose balances form a single line have one answer.
  std::vector<std::vector<I128>> a(kElements.size() + 1, std::vector<I128>(nR + nP));
  for (std::size_t e = 0; e <= kElements.size(); ++e) {
    for (std::size_t j = 0; j < nR + nP; ++j) {
      const Species& s = j < nR ? eq.reactants[j] : eq.products[j - nR];
      const long long v = e < kElements.size() ? s.counts[e] : s.charge;
      a[e][j] = j < nR ? v : -v;
    }
  }
  return Rank(a) == static_cast<int>(nR + nP) - 1;
}

TEST(Property, BuiltBalancesAreFoundExactly) {
  std::mt19937 rng(2026);
  Writer writer(rng);
  SilentNotifier notifier;
  int checked = 0;
  Equation eq;
  std::vector<long long> c;
  for (int round = 0; round < 20000 && checked < 3000; ++round) {
    if (!BuildBalanced(rng, eq, c)) continue;

    long long common = 0;
    for (long long v : c) common = std::gcd(common, v);
    const formula::BoxTexts boxes = Write(eq, writer);
    Balancer b(notifier);
    b.balance(boxes);
    std::string shown;
    for (const auto& t : boxes.reactants) shown += t + " ";
    shown += "= ";
    for (const auto& t : boxes.products) shown += t + " ";
    SCOPED_TRACE(shown);
    ASSERT_EQ(b.pendingMessage(), "Balanced it successfully!");
    for (std::size_t j = 0; j < c.size(); ++j) {
      const auto whole = c[j] / common;  // common divides every c[j]
      ASSERT_EQ(b.coefficients()[j + 1], static_cast<double>(whole)) << "column " << j + 1;
    }
    ExpectConserved(eq, b.coefficients());
    ++checked;
  }
  EXPECT_GE(checked, 1000);
}

// The charge group of a species text glued to its formula as textbooks print
// it in ASCII: "Fe[3+]" as "Fe3+", "SO4[2-]" as "SO42-"; an electron "e-".
std::string Glued(const std::string& text) {
  if (text == "[-]") return "e-";
  const std::size_t open = text.rfind('[');
  if (open == std::string::npos) return text;
  return text.substr(0, open) + text.substr(open + 1, text.size() - open - 2);
}

// Random equations, their ions glued to the subscripts ("SO42-": SO4[2-] or
// SO42[-]), with or without their coefficients, electrons among them: each
// reads back as the species it was built from, or is refused; never as
// another species.
TEST(Property, IonsGluedToTheirSubscriptsReadAsBuiltOrAreRefused) {
  std::mt19937 rng(24);
  Writer writer(rng);
  Equation eq;
  std::vector<long long> c;
  int decided = 0;
  int refused = 0;
  for (int round = 0; round < 60000; ++round) {
    if (!BuildBalanced(rng, eq, c, true)) continue;
    // Glued, a charge has one digit: "Fe16+" is no way to write Fe[16+].
    const auto glueable = [](const Species& s) { return s.charge > -10 && s.charge < 10; };
    if (!std::all_of(eq.reactants.begin(), eq.reactants.end(), glueable) ||
        !std::all_of(eq.products.begin(), eq.products.end(), glueable))
      continue;
    const formula::BoxTexts boxes = Write(eq, writer);
    const bool coefficients = round % 2 == 0;
    std::string line;
    std::vector<std::string> built;
    std::size_t column = 0;
    for (const auto* side : {&boxes.reactants, &boxes.products}) {
      if (side == &boxes.products) line += " = ";
      for (const std::string& text : *side) {
        if (text.empty()) continue;
        if (!built.empty() && line.back() != ' ') line += " + ";
        if (coefficients) line += std::to_string(c[column]) + " ";
        line += Glued(text);
        built.push_back(text == "[-]" ? "e[-]" : text);
        ++column;
      }
    }
    SCOPED_TRACE(line);
    formula::WrittenEquation read = formula::ReadWrittenEquation(line);
    // A nonsense species written as a common ion is ("NO2-" for NO[2-] is
    // nitrite): the reading prefers the ion by design, so no round writes one.
    const auto asIon = [&](const formula::TwoWayTerm& t) {
      return std::any_of(t.readings.begin(), t.readings.end(), [&](const std::string& r) {
        return IsCommonIon(r) && std::find(built.begin(), built.end(), r) == built.end();
      });
    };
    if (std::any_of(read.twoWays.begin(), read.twoWays.end(), asIon)) continue;
    const IonDecision decision = DecideIonReadings(read);
    if (decision.kind == IonDecision::Kind::Refused) {
      ++refused;
      continue;
    }
    ASSERT_EQ(read.kind, formula::WrittenEquation::Kind::Equation) << read.error;
    std::vector<std::string> species;
    for (const auto* side : {&read.reactants, &read.products}) {
      for (const formula::WrittenTerm& term : *side) species.push_back(term.species);
    }
    EXPECT_EQ(species, built);
    decided += decision.kind == IonDecision::Kind::Decided ? 1 : 0;
  }
  EXPECT_GE(decided, 500);
  EXPECT_GE(refused, 100);
}

TEST(Property, EverySuccessOnRandomInputConserves) {
  std::mt19937 rng(7);
  Writer writer(rng);
  SilentNotifier notifier;
  int successes = 0;
  for (int round = 0; round < 30000; ++round) {
    const std::size_t E = 1 + rng() % 4;
    Equation eq;
    const std::size_t nR = 1 + rng() % 3;
    const std::size_t nP = 1 + rng() % 3;
    for (std::size_t i = 0; i < nR; ++i) eq.reactants.push_back(RandomSpecies(rng, E));
    for (std::size_t i = 0; i < nP; ++i) eq.products.push_back(RandomSpecies(rng, E));
    const formula::BoxTexts boxes = Write(eq, writer);
    Balancer b(notifier);
    b.balance(boxes);
    if (b.pendingMessage() != "Balanced it successfully!") continue;
    ++successes;
    SCOPED_TRACE(b.board().record(1).equation);
    ExpectConserved(eq, b.coefficients());
  }
  EXPECT_GE(successes, 100);
}

}  // namespace
}  // namespace quorvex::balance
