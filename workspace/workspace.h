#pragma once

#include <array>
#include <string>

#include "balance/balancer.h"
#include "formula/composition.h"
#include "formula/notifier.h"

namespace quorvex::workspace {

inline constexpr int kSearchBoxes = 12;

// The texts the main window shows, as bytes. The window copies the boxes the
// user edits in before a command and shows every field after it.
struct WindowTexts {
  formula::BoxTexts boxes;                             // Sp1..Sp14, Pr1..Pr14
  std::array<std::string, kSearchBoxes> searchTerms;   // SearchEdit1..SearchEdit12
  std::string messageBox = "Welcome to use Quorvex!";
  balance::Rgb messageColour{89, 137, 202};
  std::string resultEdit;                              // ResultEdit
};

// Everything one main window works on: the balancer with its pending message
// text and result board, and the guided examples. One per window; no globals.
class Workspace {
 public:
  explicit Workspace(Notifier& notifier);

  WindowTexts& texts() { return m_texts; }
  const WindowTexts& texts() const { return m_texts; }
  balance::Balancer& balancer() { return m_balancer; }
  const balance::Balancer& balancer() const { return m_balancer; }

  // "Balance": runs the balance command on the boxes; the message box and
  // ResultEdit follow unless the board refused it. Scanner exceptions propagate.
  void Input_BalanceClick();
  // Shows the pending message text in the message box with its colour.
  void UpdateMessageBox();
  // "Reset" of the Balancer page: empties the 28 boxes and the message.
  void ResetButtonClick();
  // A click into any input or search box: empties the message.
  void OnInputBoxClick();
  // "Examples" of the Balancer page: the next of the five balance examples.
  void ExampleBtClick();
  // "Clear List" of the Balancer page.
  void OnResultClear();

  int balanceExampleCounter() const { return m_balanceExample; }

 private:
  Notifier& m_notifier;
  balance::Balancer m_balancer;
  WindowTexts m_texts;
  int m_balanceExample = 1;
};

}  // namespace quorvex::workspace
