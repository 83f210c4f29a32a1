// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/searchertab.h"

namespace quorvex::library {
namespace {

// A picker with the list it walks and the box that shows its pick.
template <class List>
struct Side {
  Picker& picker;
  const List& list;
  std::string& pickText;
  std::string_view emptyText;  // shown in its box and the calculator's when the list is empty
};
template <class List>
Side(Picker&, const List&, std::string&, std::string_view) -> Side<List>;

// One step of the picker when the bounds allow it: the position moves, the
// amounts are cleared, the selection text is rebuilt and shown.
template <class List>
bool Move(Side<List>& side, int delta, ListTexts& texts, CalculatorHooks& hooks) {
  Picker& picker = side.picker;
  const bool can = delta > 0 ? picker.position() < side.list.count() : picker.position() > 1;
  if (!can) return false;
  picker.step(delta);
  hooks.ClearAmout();
  picker.rebuild(EntryText(side.list.record(picker.position())));
  texts.calcPick = picker.selectionText();
  return true;
}

// The pick in its own box, or the empty list's text there and in the calculator's.
template <class List>
void ShowPick(const Side<List>& side, ListTexts& texts) {
  side.pickText = side.picker.selectionText();
  if (side.list.count() == 0) {
    side.pickText = side.emptyText;
    texts.calcPick = side.emptyText;
  }
}

template <class List>
void Next(Side<List> side, ListTexts& texts, CalculatorHooks& hooks) {
  if (Move(side, +1, texts, hooks)) hooks.UpdateCaculate();
  ShowPick(side, texts);
}

}  // namespace

formula::BoxTexts CopySearchEditToInputEdit(const SearchTerms& terms) {
  formula::BoxTexts boxes;
  for (std::size_t k = 0; k < static_cast<std::size_t>(kTermsPerSide); ++k) {
    boxes.reactants[k] = terms.reactants[k];
    boxes.products[k] = terms.products[k];
  }
  return boxes;
}

SearcherTab::SearchRun SearcherTab::search(const SearchTerms& terms, ListTexts& texts) {
  const formula::BoxTexts boxes = CopySearchEditToInputEdit(terms);
  if (m_balancer.board().isFull()) {
    m_notifier.modal(balance::kBoardFull);
    return SearchRun::Refused;
  }
  if (formula::GetSpecieNum(boxes) == 0) return SearchRun::NoTerms;
  if (m_found.Search(m_library, boxes).refused) {
    m_notifier.modal(kFoundListFull);
    return SearchRun::ListFull;
  }
  texts.foundText = m_found.displayText();
  return SearchRun::Searched;
}

void SearcherTab::resetSearch(ListTexts& texts) {
  m_found.clearDisplay();
  texts.foundText = m_found.displayText();
  for (std::string& term : texts.searchTerms) term.clear();
}

void SearcherTab::clearFound(ListTexts& texts) {
  m_found.clear();
  m_searcherPicker.reset();
  texts.foundText = m_found.displayText();
  texts.calcPick = m_searcherPicker.selectionText();
}

void SearcherTab::clearResults(ListTexts& texts) {
  m_balancer.clearResults();
  m_balancerPicker.reset();
  const std::string& display = m_balancer.board().displayText();
  texts.boardText = display;
  texts.addPick = display;
  texts.deletePick = display;
  texts.calcPick = m_balancerPicker.selectionText();
}

void SearcherTab::nextBoardEquation(ListTexts& texts, CalculatorHooks& hooks) {
  Next(Side{m_balancerPicker, m_balancer.board(), texts.addPick, kBoardListEmpty}, texts, hooks);
}

void SearcherTab::nextFoundEquation(ListTexts& texts, CalculatorHooks& hooks) {
  Next(Side{m_searcherPicker, m_found, texts.deletePick, kFoundListEmpty}, texts, hooks);
}

// The two Back steps differ where the user can see it: the balancer's leaves
// its box alone at the first equation, and refreshes the table last.
void SearcherTab::previousBoardEquation(ListTexts& texts, CalculatorHooks& hooks) {
  Side side{m_balancerPicker, m_balancer.board(), texts.addPick, kBoardListEmpty};
  if (Move(side, -1, texts, hooks) || side.list.count() == 0) ShowPick(side, texts);
  hooks.UpdateCaculate();
}

void SearcherTab::previousFoundEquation(ListTexts& texts, CalculatorHooks& hooks) {
  Side side{m_searcherPicker, m_found, texts.deletePick, kFoundListEmpty};
  Move(side, -1, texts, hooks);
  hooks.UpdateCaculate();
  ShowPick(side, texts);
}

void SearcherTab::unselectPickers() {
  m_balancerPicker.unselect();
  m_searcherPicker.unselect();
}

namespace {

// The library's change of its file, with the count label shown after it
// whether or not it succeeded: the table is the file's content either way.
template <class Run>
Library::Change ChangeFile(Library& library, ListTexts& texts, Run run) {
  try {
    const Library::Change change = run();
    texts.libraryCount = library.countLabel();
    return change;
  } catch (const FileError&) {
    texts.libraryCount = library.countLabel();
    throw;
  }
}

}  // namespace

std::string_view ChangeMessage(Library::Change change) {
  switch (change) {
    case Library::Change::Added: return kAdded;
    case Library::Change::AlreadyIn: return kAlreadyInLibrary;
    case Library::Change::Full: return kLibraryFull;
    case Library::Change::Unstorable: return kUnstorableLine;
    case Library::Change::Deleted: return kDeleted;
    case Library::Change::NotIn: return kNotInLibrary;
  }
  return {};
}

void SearcherTab::addToLibrary(ListTexts& texts) {
  const balance::ResultBoard& board = m_balancer.board();
  const int position = m_balancerPicker.position();
  // A position past the count would name a record of before the last "Clear List".
  if (m_balancerPicker.selectionText().empty() || position == 0 || position > board.count()) {
    m_notifier.modal(kNoEquationSelected);
    return;
  }
  const std::string line = LibraryLine(board.record(position).equation);
  const Library::Change change = ChangeFile(m_library, texts, [&] { return m_library.add(line); });
  m_notifier.modal(ChangeMessage(change));
}

void SearcherTab::deleteFromLibrary(ListTexts& texts) {
  const int position = m_searcherPicker.position();
  if (m_searcherPicker.selectionText().empty() || position == 0 || position > m_found.count()) {
    m_notifier.modal(kNoEquationSelected);
    return;
  }
  const std::string line = LibraryLine(m_found.record(position).equation);
  const Library::Change change = ChangeFile(m_library, texts, [&] { return m_library.remove(line); });
  m_notifier.modal(ChangeMessage(change));
}

void SearcherTab::refreshAfterPageChange(CalculatorSource source, ListTexts& texts, CalculatorHooks& hooks) {
  texts.libraryCount = m_library.countLabel();
  const bool boardEmpty = m_balancer.board().count() == 0;
  const bool foundEmpty = m_found.count() == 0;
  if (boardEmpty || foundEmpty) {
    texts.addPick.clear();
    texts.deletePick.clear();
    if ((source == CalculatorSource::ResultBoard && boardEmpty) ||
        (source == CalculatorSource::FoundList && foundEmpty)) {
      texts.calcPick.clear();
    }
  }
  hooks.UpdateCaculate();
}

void SearcherTab::refillResults(ListTexts& texts) {
  texts.boardText = m_balancer.board().displayText();
}

}  // namespace quorvex::library
