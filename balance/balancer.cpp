// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/balancer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/numbertext.h"

namespace quorvex::balance {

MessageBoxView UpdateMessageBox(std::string_view pending) {
  const bool error = pending.find("error") != std::string_view::npos;
  return {std::string(pending), error ? kErrorColour : kNormalColour};
}

bool IsShow(std::string_view text) {
  return text.find("error") == std::string_view::npos &&
         text.find("Failed") == std::string_view::npos;
}

namespace {

// Appends the coefficient unless it is 1: the NumberText of it, which for the
// whole ones below 10^15 (all a success gives) is its digits.
void AppendCoefficient(std::string& text, double x) {
  if (x >= 0 && x < 1e15 && x == std::floor(x)) {
    if (x == 1) return;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(x)).ptr;
    text.append(digits, end);
    return;
  }
  const std::string coefficient = NumberText(x);
  if (coefficient != "1") text += coefficient;
}

}  // namespace

std::string BalancedEquationText(const formula::BoxTexts& boxes, const CoefficientVector& x) {
  std::string text;
  std::size_t size = 3;
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& species : *side) size += species.empty() ? 0 : species.size() + 16;
  }
  text.reserve(size);
  std::size_t column = 1;
  const auto side = [&](const auto& texts) {
    bool any = false;
    for (const std::string& species : texts) {
      if (species.empty()) continue;
      AppendCoefficient(text, x[column++]);
      text += species;
      text += '+';
      any = true;
    }
    // The last "+" goes; a side without species loses the character before it.
    if (any || !text.empty()) text.pop_back();
  };
  side(boxes.reactants);
  text += " = ";
  side(boxes.products);
  return text;
}

Balancer::Run Balancer::balance(const formula::BoxTexts& boxes) {
  if (m_board.isFull()) {
    m_notifier.modal(kBoardFull);
    return Run::Refused;
  }
  m_pending.clear();
  m_names.GetTotalElement(boxes, m_pending);
  findroot(boxes);
  return Run::Done;
}

void Balancer::findroot(const formula::BoxTexts& boxes) {
  m_x.fill(0.0);
  m_reason = {};
  const auto hasError = [&] { return m_pending.find("error") != std::string::npos; };
  // More names than rows: refused before anything would leave the matrix.
  if (m_names.count() > formula::kMaxElements) {
    if (!hasError()) m_pending.assign(kFailed);
    return;
  }
  // One message window for each message text in a balance.
  DistinctNotifier notifier(m_notifier);
  formula::Scanner scanner(m_pending, notifier);
  formula::FillMatrix(boxes, m_names, scanner, m_matrix);
  if (hasError()) return;

  // The exact check needs the counts the elimination overwrites: rows 1..n,
  // columns 1..S.
  m_original.n = m_matrix.n;
  m_original.S = m_matrix.S;
  for (int r = 1; r <= m_matrix.n; ++r) {
    std::copy_n(m_matrix.a[r].begin() + 1, m_matrix.S, m_original.a[r].begin() + 1);
  }
  LazyExactSolution exact(m_original);
  m_pending.assign(Solve(m_matrix, notifier, m_x, &exact));
  // A success must conserve every element and the charge exactly; the
  // tolerance of the multiplier search could otherwise pass a near miss.
  if (m_pending == kBalanced && !ConservesEveryRow(m_original, m_x)) m_pending.assign(kFailed);
  if (m_pending == kFailed) m_reason = ExplainFailure(boxes, m_names, exact);

  // Output step.
  if (!IsShow(m_pending)) return;
  const std::string equation = BalancedEquationText(boxes, m_x);
  if (!m_board.append(equation)) m_pending.assign(kDisplayFull);
}

}  // namespace quorvex::balance
