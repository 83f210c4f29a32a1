// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "balance/balancer.h"
#include "balance/completion.h"
#include "calc/calctable.h"
#include "calc/elements.h"
#include "core/notifier.h"
#include "formula/composition.h"
#include "library/library.h"
#include "library/searchertab.h"
#include "library/texts.h"

namespace quorvex::workspace {

inline constexpr int kSearchBoxes = library::kSearchTerms;
inline constexpr int kElementFacts = 10;
// "Search" with every search box empty.
inline constexpr std::string_view kSearchWhatToType =
    "Type a reactant or a product into a box above, for example H2O (letter case matters), then click "
    "\"Search\".";
// A whole equation typed into one box has filled the boxes.
inline constexpr std::string_view kBoxesFilled =
    "The equation fills the boxes: one species in each. Click \"Balance\" to balance it.";
// A whole equation typed into one box has filled the boxes in place of what other boxes held.
inline constexpr std::string_view kBoxesReplaced =
    "The equation fills the boxes, in place of what the other boxes held. Click \"Balance\" to balance it.";
// The note beside a balance or check of such an equation.
inline constexpr std::string_view kOtherBoxesReplaced = "The equation replaced what the other boxes held.";
// The characters the Balancer page's one-line message box shows whole; a
// check's verdict longer than this is shown short, its full text in the box's hint.
inline constexpr std::size_t kMessageBoxChars = 75;
inline constexpr std::string_view kDesignCountLabel =
    "There are total 217 equations in your library currently.";

// The texts the main window shows, as bytes, named by what they show. The
// window copies the boxes and terms the user edits in before a command and
// shows every field after it; the calculation grid is read from the
// calculation table itself.
struct WindowTexts : library::ListTexts {
  formula::BoxTexts boxes;                          // reactant and product boxes 1..14
  std::string message = "Welcome to use Quorvex!";  // the Balancer page's message box
  balance::Rgb messageColour{89, 137, 202};
  std::string messageHint;                             // the message box's hint; empty for its usual one
  std::string calcCaption{calc::kInitialCalcCaption};  // the calculator's equation group
  std::string calcPick;  // the calculator's selection box: the pick of the source's picker
  std::array<std::string, kElementFacts> elementFacts;  // name, symbol, ... energy
  // After a balance whose pending text reports invalid characters: the first
  // of them, in the boxes as they now are; none otherwise.
  std::optional<formula::BoxPosition> invalidCharacter;
  WindowTexts() {
    boardText = "No Results avalible.";
    libraryCount = kDesignCountLabel;
    elementFacts.fill("N/A");
  }
};

// Everything one main window works on: the balancer with the pending message
// text (the Balancer page's own) and the result board, the equation library,
// the searcher with the found list and the two pickers, the element table, the calculation table and the
// guided examples. One per window; no globals. Commands that stop on an error
// throw it (ConvertError, FileError, FloatConvertError, ...) after leaving
// what they changed before; the window shows it.
class Workspace final {
 public:
  // `libraryFile` is the window's cbd.dat.
  Workspace(Notifier& notifier, std::filesystem::path libraryFile);

  WindowTexts& texts() { return m_texts; }
  const WindowTexts& texts() const { return m_texts; }
  const balance::Balancer& balancer() const { return m_balancer; }
  const library::Library& library() const { return m_library; }
  const library::SearcherTab& searcher() const { return m_searcher; }
  const calc::ElementTable& elements() const { return m_elements; }
  calc::CalcTable& calcTable() { return m_calc; }
  const calc::CalcTable& calcTable() const { return m_calc; }

  // Start-up: the library from its file (throws FileError) and the element data.
  void loadLibrary();
  // How library changes wait for a lock another program holds.
  void setLibraryLockWait(LockWait wait) { m_library.setLockWait(std::move(wait)); }
  void InitRealElement() { m_elements.InitRealElement(); }

  // Balancer page. "Balance": when any box holds a typed coefficient, the
  // coefficients are checked instead (balance::CheckEquation) and the message
  // gives the verdict; the correct balance goes to the board either way.
  void balance();
  // What "Balance" may add to the typed species: the medium and the half-reaction choice.
  void setCompletion(balance::CompletionChoice choice) { m_completion = choice; }
  balance::CompletionChoice completion() const { return m_completion; }
  enum class Spread { OneSpecies, Filled, Replaced, TooMany, Unreadable };
  // A whole equation or a species list typed into box `box` (0..13) of one
  // side fills the boxes (formula::ReadEquationText, a term that reads two
  // ways decided by the line as balance::DecideIonReadings decides it): an
  // equation replaces both sides from box 1 (Replaced when another box held a
  // species); a list puts its first species into that box and the rest into
  // the side's empty boxes in box order. The message says so, and how each
  // such term was read ("Read SO42- as SO4[2-]."). When the species do not
  // fit or the text cannot be read, nothing changes and the message says so.
  Spread spreadBox(bool product, int box);
  void UpdateMessageBox();
  void resetBoxes();
  // A click into an input box: the pending message text emptied and shown.
  void clearMessage();
  void nextBalanceExample();
  void clearResults();

  // Searcher page.
  void search();
  void resetSearch();
  void clearFound();
  void nextSearchExample();

  // Library maintenance and the pickers. A step refreshes the calculator as
  // well: a move empties the amounts and shows the pick in its box, and the
  // table is rebuilt from the picked equation.
  void nextBoardEquation();
  void previousBoardEquation();
  void nextFoundEquation();
  void previousFoundEquation();
  // What came of the change; none when no equation was picked or the box no longer shows it.
  std::optional<library::Library::Change> addToLibrary();
  std::optional<library::Library::Change> deleteFromLibrary();
  // Another page of the main tab: the count label, stale selection boxes, the table.
  void refreshAfterPageChange();
  // A selection box got the focus: the result board's text is shown again.
  void refillResults();

  // Calculator page.
  void previousCalcEquation();
  void nextCalcEquation();
  void switchSource();
  // The focus moved into the Calculator page: a first equation when none is picked.
  void enterCalculator();
  void useMoles();
  void useGrams();
  void useLowPrecision();
  void useHighPrecision();
  // "Clear All".
  void ClearAmout() { m_calc.ClearAmout(); }
  // `show` writes the numbers of its messages as the window shows numbers.
  calc::CalcOutcome calculate(const calc::ShowNumber& show = {});
  // What the user typed into cell (column, row) of the grid, 1..4 and 1..60,
  // with "." as its decimal separator.
  void setCalcCell(int column, int row, std::string_view text) { m_calc.setCell(column, row, text); }

  // Periodic Table page: the ten facts of the pressed element.
  void showElement(std::string_view symbol);

  // The equation text of the record the calculator source's picker selects; empty for none.
  std::string_view pickedEquation() const;

 private:
  // Rebuilds the calculation table from the picked equation of the calculator source.
  void UpdateCaculate();
  // The picked equation with each species' notation written as formulas, as it is weighed.
  std::string weighedEquation() const;
  // A picker step that moved: the amounts of the old equation go and the calculator's box shows the pick.
  void showMove(const library::Picker& picker);
  // A picker step on an empty list: the calculator's box says so, as the picker's own box does.
  void showEmptyList(library::PickStep step, std::string_view text);
  // The scanner that weighs the calculator's species: its input errors go into
  // the calculator's own text, never into the Balancer page's message; its
  // modal messages go to the window as they come.
  formula::Scanner makeScanner() { return formula::Scanner(m_calcInputError, m_notifier); }
  void showCalcCaption();
  // Checks the typed coefficients; the verdict is followed by a note when a
  // typed equation `replaced` other boxes, and by the hints for `line`.
  void check(const formula::BoxTexts& species, const formula::BoxTexts& coefficients, bool replaced,
             const std::string& line);
  void locateInvalidCharacter();
  // Shows `text` as the Balancer page's message.
  void showMessage(std::string_view text);

  Notifier& m_notifier;
  balance::Balancer m_balancer;
  library::Library m_library;
  library::SearcherTab m_searcher;
  calc::ElementTable m_elements;
  calc::CalcTable m_calc;
  WindowTexts m_texts;
  // The last input error of the calculator's weighing. The Calculator page has
  // no message box: what the user must see comes as a modal message.
  std::string m_calcInputError;
  balance::CompletionChoice m_completion;
  // " Read SO42- as SO4[2-]." for each ion the last box spread read by its
  // line; a balance that spread a box tells them after its outcome.
  std::string m_readings;
  int m_balanceExample = 1;
  int m_searchExample = 0;
};

}  // namespace quorvex::workspace
