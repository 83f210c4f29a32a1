// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "balance/failurereason.h"
#include "balance/outcome.h"
#include "balance/resultboard.h"
#include "balance/solver.h"
#include "core/notifier.h"
#include "formula/composition.h"

namespace quorvex::balance {

inline constexpr std::string_view kBoardFull = "Too many equations in the result board! ";

struct Rgb {
  int red;
  int green;
  int blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
inline constexpr Rgb kErrorColour{255, 100, 100};
inline constexpr Rgb kNormalColour{100, 100, 255};

// What the message box shows for a pending message text.
struct MessageBoxView {
  std::string text;
  Rgb colour;
};
// Red for a text containing "error" (case-sensitive), blue otherwise.
MessageBoxView UpdateMessageBox(std::string_view pending);

// Coefficient terms joined by "+", " = " between the sides; a coefficient of
// 1 is left out. Coefficients are taken in column order over both sides.
std::string BalancedEquationText(const formula::BoxTexts& boxes, const CoefficientVector& x);

// The input error for the first species of `list` that counts no element
// and no charge in `m` (a bare number, "1"), which any coefficient would
// balance; "" when every one counts something. An electron counts its charge.
std::string NoElementError(const formula::SpeciesList& list, const formula::CompositionMatrix& m);

// The balance command and what it leaves behind: the pending message text,
// the element-name list and the result board.
class Balancer {
 public:
  explicit Balancer(Notifier& notifier) : m_notifier(notifier) {}

  enum class Run { Refused, Done };
  // "Balance". Refused (after a modal message) when the board holds more than
  // 1500 equations; otherwise outcome() and the pending message text hold the
  // outcome and a success is on the board. Scanner exceptions (ConvertError,
  // AssertionFailure) propagate; what changed before them stays changed.
  Run balance(const formula::BoxTexts& boxes);
  // Matrix fill, solve and output step, on `species` read from `boxes`.
  void findroot(const formula::BoxTexts& boxes, const formula::SpeciesList& species);
  // "Clear List" of the result board.
  void clearResults() { m_board.clear(); }
  // Ends a balance decided without the solver as Failed, `reason` saying why:
  // no coefficients and nothing on the board.
  void decideFailed(FailureReason reason);
  // The same for an input error, `text` being its message.
  void decideInputError(std::string_view text);

  // The guidance of the examples, a check's verdict, or "" for Reset and a
  // click into an input box; `outcome` says what the text reports.
  void setPendingMessage(std::string_view text, BalanceOutcome outcome = BalanceOutcome::None) {
    m_pending.assign(text);
    m_outcome = outcome;
  }
  const std::string& pendingMessage() const { return m_pending; }
  // What the pending message reports.
  BalanceOutcome outcome() const { return m_outcome; }
  // Where the balance's modal messages go.
  Notifier& notifier() { return m_notifier; }
  ResultBoard& board() { return m_board; }
  const ResultBoard& board() const { return m_board; }
  // Why the last balance failed after its matrix was built; an empty code
  // otherwise (success, input errors, more element names than rows).
  const FailureReason& failureReason() const { return m_reason; }
  // The coefficients of the last solve, in column order from index 1.
  const CoefficientVector& coefficients() const { return m_x; }

 private:
  // Sets the outcome and its text (by default its OutcomeMessage); no reason, no coefficients.
  void decide(BalanceOutcome outcome, std::string_view text = {});

  Notifier& m_notifier;
  std::string m_pending;
  BalanceOutcome m_outcome = BalanceOutcome::None;
  formula::ElementNameList m_names;
  ResultBoard m_board;
  CoefficientVector m_x{};
  FailureReason m_reason;
  formula::CompositionMatrix m_matrix;
  formula::CompositionMatrix m_original;
  formula::SpeciesList m_species;  // the boxes' species of the last balance, reused
  std::string m_equation;          // the text of the last success, its room kept
};

}  // namespace quorvex::balance
