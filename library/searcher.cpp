#include "library/searcher.h"

namespace quorvex::library {
namespace {

// One step of `picker` over `list` when the bounds allow it: the position
// moves, the amounts are cleared, the selection text is rebuilt and shown.
template <class List>
bool Move(Picker& picker, const List& list, int delta, ListTexts& texts, CalculatorHooks& hooks) {
  const bool can = delta > 0 ? picker.position() < list.count() : picker.position() > 1;
  if (!can) return false;
  picker.step(delta);
  hooks.ClearAmout();
  picker.rebuild(EntryText(list.record(picker.position())));
  texts.calcPick = picker.selectionText();
  return true;
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

Searcher::SearchRun Searcher::search(const SearchTerms& terms, ListTexts& texts) {
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

void Searcher::resetSearch(ListTexts& texts) {
  m_found.clearDisplay();
  texts.foundText = m_found.displayText();
  for (std::string& term : texts.searchTerms) term.clear();
}

void Searcher::clearFound(ListTexts& texts) {
  m_found.clear();
  m_searcherPicker.reset();
  texts.foundText = m_found.displayText();
  texts.calcPick = m_searcherPicker.selectionText();
}

void Searcher::clearResults(ListTexts& texts) {
  m_balancer.clearResults();
  m_balancerPicker.reset();
  const std::string& display = m_balancer.board().displayText();
  texts.boardText = display;
  texts.addPick = display;
  texts.deletePick = display;
  texts.calcPick = m_balancerPicker.selectionText();
}

void Searcher::nextBoardEquation(ListTexts& texts, CalculatorHooks& hooks) {
  const balance::ResultBoard& board = m_balancer.board();
  if (Move(m_balancerPicker, board, +1, texts, hooks)) hooks.UpdateCaculate();
  texts.addPick = m_balancerPicker.selectionText();
  if (board.count() == 0) {
    texts.addPick = kBoardListEmpty;
    texts.calcPick = kBoardListEmpty;
  }
}

void Searcher::previousBoardEquation(ListTexts& texts, CalculatorHooks& hooks) {
  const balance::ResultBoard& board = m_balancer.board();
  if (Move(m_balancerPicker, board, -1, texts, hooks)) {
    texts.addPick = m_balancerPicker.selectionText();
  }
  if (board.count() == 0) {
    texts.addPick = kBoardListEmpty;
    texts.calcPick = kBoardListEmpty;
  }
  hooks.UpdateCaculate();
}

void Searcher::nextFoundEquation(ListTexts& texts, CalculatorHooks& hooks) {
  if (Move(m_searcherPicker, m_found, +1, texts, hooks)) hooks.UpdateCaculate();
  texts.deletePick = m_searcherPicker.selectionText();
  if (m_found.count() == 0) {
    texts.deletePick = kFoundListEmpty;
    texts.calcPick = kFoundListEmpty;
  }
}

void Searcher::previousFoundEquation(ListTexts& texts, CalculatorHooks& hooks) {
  Move(m_searcherPicker, m_found, -1, texts, hooks);
  hooks.UpdateCaculate();
  texts.deletePick = m_searcherPicker.selectionText();
  if (m_found.count() == 0) {
    texts.deletePick = kFoundListEmpty;
    texts.calcPick = kFoundListEmpty;
  }
}

void Searcher::unselectPickers() {
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

void Searcher::addToLibrary(ListTexts& texts) {
  const balance::ResultBoard& board = m_balancer.board();
  const int position = m_balancerPicker.position();
  // A position past the count would name a record of before the last "Clear List".
  if (m_balancerPicker.selectionText().empty() || position == 0 || position > board.count()) {
    m_notifier.modal(kNoSelection);
    return;
  }
  const std::string line = LibraryLine(board.record(position).equation);
  const Library::Change change = ChangeFile(m_library, texts, [&] { return m_library.add(line); });
  m_notifier.modal(ChangeMessage(change));
}

void Searcher::deleteFromLibrary(ListTexts& texts) {
  const int position = m_searcherPicker.position();
  if (m_searcherPicker.selectionText().empty() || position == 0 || position > m_found.count()) {
    m_notifier.modal(kNoSelection);
    return;
  }
  const std::string line = LibraryLine(m_found.record(position).equation);
  const Library::Change change = ChangeFile(m_library, texts, [&] { return m_library.remove(line); });
  m_notifier.modal(ChangeMessage(change));
}

void Searcher::refreshAfterPageChange(CalculatorSource source, ListTexts& texts, CalculatorHooks& hooks) {
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

void Searcher::refillResults(ListTexts& texts) {
  texts.boardText = m_balancer.board().displayText();
}

}  // namespace quorvex::library
