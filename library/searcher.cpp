#include "library/searcher.h"

namespace quorvex::library {
namespace {

constexpr Box kSearchEdits[] = {Box::SearchEdit1,  Box::SearchEdit2,  Box::SearchEdit3,
                                Box::SearchEdit4,  Box::SearchEdit5,  Box::SearchEdit6,
                                Box::SearchEdit7,  Box::SearchEdit8,  Box::SearchEdit9,
                                Box::SearchEdit10, Box::SearchEdit11, Box::SearchEdit12};

// One step of `picker` over `list` when the bounds allow it: the position
// moves, the amounts are cleared, the selection text is rebuilt and shown.
template <class List>
bool Move(Picker& picker, const List& list, int delta, View& view, CalculatorHooks& hooks) {
  const bool can = delta > 0 ? picker.position() < list.count() : picker.position() > 1;
  if (!can) return false;
  picker.step(delta);
  hooks.ClearAmout();
  picker.rebuild(EntryText(list.record(picker.position())));
  view.show(Box::SelEquationEdit, picker.selectionText());
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

Searcher::SearchRun Searcher::search(const SearchTerms& terms, View& view) {
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
  view.show(Box::m_SearchResultEdit, m_found.displayText());
  return SearchRun::Searched;
}

void Searcher::resetSearch(View& view) {
  m_found.clearDisplay();
  view.show(Box::m_SearchResultEdit, m_found.displayText());
  for (const Box box : kSearchEdits) view.show(box, "");
}

void Searcher::clearFound(View& view) {
  m_found.clear();
  m_searcherPicker.reset();
  view.show(Box::m_SearchResultEdit, m_found.displayText());
  view.show(Box::SelEquationEdit, m_searcherPicker.selectionText());
}

void Searcher::clearResults(View& view) {
  m_balancer.clearResults();
  m_balancerPicker.reset();
  const std::string& display = m_balancer.board().displayText();
  view.show(Box::ResultEdit, display);
  view.show(Box::AddToLibEdit, display);
  view.show(Box::RemoveEquationEdit, display);
  view.show(Box::SelEquationEdit, m_balancerPicker.selectionText());
}

void Searcher::nextBoardEquation(View& view, CalculatorHooks& hooks) {
  const balance::ResultBoard& board = m_balancer.board();
  if (Move(m_balancerPicker, board, +1, view, hooks)) hooks.UpdateCaculate();
  view.show(Box::AddToLibEdit, m_balancerPicker.selectionText());
  if (board.count() == 0) {
    view.show(Box::AddToLibEdit, kBoardListEmpty);
    view.show(Box::SelEquationEdit, kBoardListEmpty);
  }
}

void Searcher::previousBoardEquation(View& view, CalculatorHooks& hooks) {
  const balance::ResultBoard& board = m_balancer.board();
  if (Move(m_balancerPicker, board, -1, view, hooks)) {
    view.show(Box::AddToLibEdit, m_balancerPicker.selectionText());
  }
  if (board.count() == 0) {
    view.show(Box::AddToLibEdit, kBoardListEmpty);
    view.show(Box::SelEquationEdit, kBoardListEmpty);
  }
  hooks.UpdateCaculate();
}

void Searcher::nextFoundEquation(View& view, CalculatorHooks& hooks) {
  if (Move(m_searcherPicker, m_found, +1, view, hooks)) hooks.UpdateCaculate();
  view.show(Box::RemoveEquationEdit, m_searcherPicker.selectionText());
  if (m_found.count() == 0) {
    view.show(Box::RemoveEquationEdit, kFoundListEmpty);
    view.show(Box::SelEquationEdit, kFoundListEmpty);
  }
}

void Searcher::previousFoundEquation(View& view, CalculatorHooks& hooks) {
  Move(m_searcherPicker, m_found, -1, view, hooks);
  hooks.UpdateCaculate();
  view.show(Box::RemoveEquationEdit, m_searcherPicker.selectionText());
  if (m_found.count() == 0) {
    view.show(Box::RemoveEquationEdit, kFoundListEmpty);
    view.show(Box::SelEquationEdit, kFoundListEmpty);
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
Library::Change ChangeFile(Library& library, View& view, Run run) {
  try {
    const Library::Change change = run();
    view.show(Box::EquationNumberLabel, library.countLabel());
    return change;
  } catch (const FileError&) {
    view.show(Box::EquationNumberLabel, library.countLabel());
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

void Searcher::addToLibrary(View& view) {
  const balance::ResultBoard& board = m_balancer.board();
  const int position = m_balancerPicker.position();
  // A position past the count would name a record of before the last "Clear List".
  if (m_balancerPicker.selectionText().empty() || position == 0 || position > board.count()) {
    m_notifier.modal(kNoSelection);
    return;
  }
  const std::string line = LibraryLine(board.record(position).equation);
  const Library::Change change = ChangeFile(m_library, view, [&] { return m_library.add(line); });
  m_notifier.modal(ChangeMessage(change));
}

void Searcher::deleteFromLibrary(View& view) {
  const int position = m_searcherPicker.position();
  if (m_searcherPicker.selectionText().empty() || position == 0 || position > m_found.count()) {
    m_notifier.modal(kNoSelection);
    return;
  }
  const std::string line = LibraryLine(m_found.record(position).equation);
  const Library::Change change = ChangeFile(m_library, view, [&] { return m_library.remove(line); });
  m_notifier.modal(ChangeMessage(change));
}

void Searcher::refreshAfterPageChange(CalculatorSource source, View& view, CalculatorHooks& hooks) {
  view.show(Box::EquationNumberLabel, m_library.countLabel());
  const bool boardEmpty = m_balancer.board().count() == 0;
  const bool foundEmpty = m_found.count() == 0;
  if (boardEmpty || foundEmpty) {
    view.show(Box::AddToLibEdit, "");
    view.show(Box::RemoveEquationEdit, "");
    if ((source == CalculatorSource::ResultBoard && boardEmpty) ||
        (source == CalculatorSource::FoundList && foundEmpty)) {
      view.show(Box::SelEquationEdit, "");
    }
  }
  hooks.UpdateCaculate();
}

void Searcher::refillResults(View& view) {
  view.show(Box::ResultEdit, m_balancer.board().displayText());
}

}  // namespace quorvex::library
