// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/pages/page.h"

class QLineEdit;
class QPlainTextEdit;

namespace quorvex::app {

// The Balancer page: the 28 reactant and product boxes, the message box, the
// medium choice and the result board.
class BalancerPage final : public Page {
 public:
  explicit BalancerPage(TForm1& window);

  void read(workspace::WindowTexts& texts) const override;
  void show(const workspace::WindowTexts& texts) override;

  // "Balance" with the medium chosen; an invalid character is selected in its box.
  void balance();
  // Prints the result board's equations.
  void printList();
  QPlainTextEdit* resultList() const { return m_results; }
  QLineEdit* firstBox() const { return m_sp[0]; }

 private:
  // A whole equation or a species list in `box` fills the boxes; false when
  // the box holds one species or none.
  bool spreadEquation(QLineEdit* box);
  // What the user types into `box` is kept: only a text that is one species
  // is rewritten in the formula syntax as it is typed. A whole equation is
  // spread over the boxes when it is pasted or finished (Enter, Tab, leaving the box).
  void cleanUpWhileTyping(QLineEdit* box);
  void showInvalidCharacter();

  QLineEdit* m_message = nullptr;
  std::array<QLineEdit*, formula::kBoxesPerSide> m_sp{};
  std::array<QLineEdit*, formula::kBoxesPerSide> m_pr{};
  QPlainTextEdit* m_results = nullptr;
};

}  // namespace quorvex::app
