// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/balancer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <utility>

#include "balance/exact.h"
#include "core/numbertext.h"

namespace quorvex::balance {

MessageBoxView UpdateMessageBox(std::string_view pending) {
  const bool error = pending.find("error") != std::string_view::npos;
  return {std::string(pending), error ? kErrorColour : kNormalColour};
}

namespace {

// Writes the coefficient at `out` unless it is 1, and returns the end: the
// NumberText of it, which for the whole ones below 10^15 (all a success
// gives) is its digits, at most 15.
char* WriteCoefficient(char* out, double x) {
  // Below 10^15 a whole x is its truncation (NaN fails the first test).
  if (x >= 0 && x < 1e15 && static_cast<double>(static_cast<long long>(x)) == x) {
    if (x == 1) return out;
    return std::to_chars(out, out + 40, static_cast<long long>(x)).ptr;
  }
  const std::string coefficient = NumberText(x);
  if (coefficient == "1") return out;
  return std::copy(coefficient.begin(), coefficient.end(), out);
}

// The balanced text of the species texts `texts` (the reactants first, `reactants` of them)
// into `text`, whose capacity is kept from one balance to the next.
template <typename Texts>
void WriteBalancedText(std::string& text, const Texts& texts, std::size_t count, std::size_t reactants,
                       const CoefficientVector& x) {
  // Room for " = " and, per species, its text, a "+" and a coefficient (a
  // NumberText has at most 24 bytes).
  std::size_t room = 3;
  for (std::size_t i = 0; i < count; ++i) room += texts[i].size() + 1 + 40;
  text.resize(room);
  char* const begin = text.data();
  char* out = begin;
  const auto side = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) {
      out = WriteCoefficient(out, x[i + 1]);
      out = std::copy(texts[i].begin(), texts[i].end(), out);
      *out++ = '+';
    }
    // The last "+" goes; a side without species loses the character before it.
    if (from < to || out != begin) --out;
  };
  side(0, reactants);
  out = std::copy_n(" = ", 3, out);
  side(reactants, count);
  text.resize(static_cast<std::size_t>(out - begin));
}

// BalancedEquationText into `text`.
void WriteBalancedEquationText(std::string& text, const formula::BoxTexts& boxes,
                               const CoefficientVector& x) {
  std::array<std::string_view, std::size_t{2} * formula::kBoxesPerSide> texts;
  std::size_t count = 0;
  std::size_t reactants = 0;
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& species : *side) {
      if (!species.empty()) texts[count++] = species;
    }
    if (side == &boxes.reactants) reactants = count;
  }
  WriteBalancedText(text, texts, count, reactants, x);
}

// The same from the species a balance read: their texts, in the boxes' order.
struct SpeciesTexts {
  const formula::SpeciesList& list;
  std::string_view operator[](std::size_t i) const { return list.species[i].text; }
};

}  // namespace

std::string NoElementError(const formula::SpeciesList& list, const formula::CompositionMatrix& m) {
  for (int j = 1; j <= m.S; ++j) {
    bool counted = false;
    for (int r = 1; r <= m.n && !counted; ++r) counted = m.a[r][j] != 0.0;
    if (counted) continue;
    const std::string_view text = list.species[static_cast<std::size_t>(j - 1)].text;
    // Digits alone are a coefficient without its species, a decimal comma or a locant.
    if (!text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      return "Input error - \"" + std::string(text) +
             "\" is a number alone, not a species. Write decimals with a point (1.5 O2), and no locants "
             "(1,2-) in names.";
    }
    return "Input error - \"" + std::string(text) + "\" holds no element.";
  }
  return {};
}

std::string BalancedEquationText(const formula::BoxTexts& boxes, const CoefficientVector& x) {
  std::string text;
  WriteBalancedEquationText(text, boxes, x);
  return text;
}

Balancer::Run Balancer::balance(const formula::BoxTexts& boxes) {
  if (m_board.isFull()) {
    m_notifier.modal(kBoardFull);
    return Run::Refused;
  }
  m_pending.clear();
  formula::ReadSpecies(boxes, m_species);
  const formula::SpeciesList& species = m_species;
  m_names.GetTotalElement(species, m_pending);
  // The name list writes nothing but input errors.
  m_outcome = m_pending.empty()             ? BalanceOutcome::None
              : m_names.invalidCharacters() ? BalanceOutcome::InvalidCharacters
                                            : BalanceOutcome::InputError;
  findroot(boxes, species);
  return Run::Done;
}

void Balancer::decideFailed(FailureReason reason) {
  decide(BalanceOutcome::Failed);
  m_reason = std::move(reason);
}

void Balancer::decideInputError(std::string_view text) { decide(BalanceOutcome::InputError, text); }

void Balancer::decide(BalanceOutcome outcome, std::string_view text) {
  m_outcome = outcome;
  m_pending.assign(text.empty() ? OutcomeMessage(outcome) : text);
  m_reason = {};
  m_x.fill(0.0);
}

void Balancer::findroot(const formula::BoxTexts& boxes, const formula::SpeciesList& species) {
  m_x.fill(0.0);
  m_reason = {};
  const auto inputError = [&] {
    return m_outcome == BalanceOutcome::InputError || m_outcome == BalanceOutcome::InvalidCharacters;
  };
  // More names than rows: refused before anything would leave the matrix.
  if (m_names.count() > formula::kMaxElements) {
    if (!inputError()) decide(BalanceOutcome::Failed);
    return;
  }
  // One message window for each message text in a balance. The scanner
  // records only input errors, each replacing the one before.
  DistinctNotifier notifier(m_notifier);
  std::string scanned;
  formula::Scanner scanner(scanned, notifier);
  const auto takeScanned = [&] {
    if (scanned.empty()) return;
    m_pending.swap(scanned);
    m_outcome = BalanceOutcome::InputError;
  };
  try {
    formula::FillMatrix(species, m_names, scanner, m_matrix);
  } catch (...) {
    takeScanned();
    throw;
  }
  takeScanned();
  if (inputError()) return;
  if (std::string empty = NoElementError(species, m_matrix); !empty.empty()) {
    decide(BalanceOutcome::InputError, empty);
    return;
  }

  // The exact check needs the counts the elimination overwrites: rows 1..n,
  // columns 1..S.
  m_original.n = m_matrix.n;
  m_original.S = m_matrix.S;
  // Column by column: a few cells a row, not worth a memmove each.
  for (int j = 1; j <= m_matrix.S; ++j) {
    for (int r = 1; r <= m_matrix.n; ++r) m_original.a[r][j] = m_matrix.a[r][j];
  }
  LazyExactSolution exact(m_original);
  BalanceOutcome solved = Solve(m_matrix, notifier, m_x);
  // A success must conserve every element and the charge exactly; the
  // tolerance of the multiplier search could otherwise pass a near miss.
  if (solved == BalanceOutcome::Balanced && !ConservesEveryRow(m_original, m_x))
    solved = BalanceOutcome::Failed;
  if (solved == BalanceOutcome::Failed) m_reason = ExplainFailure(boxes, m_names, exact);

  // Output step.
  if (solved == BalanceOutcome::Balanced) {
    WriteBalancedText(m_equation, SpeciesTexts{species}, static_cast<std::size_t>(species.count),
                      static_cast<std::size_t>(species.reactants), m_x);
    if (!m_board.append(m_equation)) solved = BalanceOutcome::DisplayFull;
  }
  m_outcome = solved;
  m_pending.assign(OutcomeMessage(solved));
}

}  // namespace quorvex::balance
