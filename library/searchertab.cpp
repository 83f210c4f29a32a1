// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/searchertab.h"

#include <array>
#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

#include "formula/equationtext.h"
#include "formula/notation.h"

namespace quorvex::library {
namespace {

// One step of `picker` over `list` when the bounds allow it: the position
// moves and the selection text is rebuilt.
template <class List>
PickStep Step(Picker& picker, const List& list, int delta) {
  const bool can = delta > 0 ? picker.position() < list.count() : picker.position() > 1;
  if (!can) return list.count() == 0 ? PickStep::Empty : PickStep::Unchanged;
  picker.step(delta);
  picker.rebuild(EntryText(list.record(picker.position())));
  return PickStep::Moved;
}

// The pick in its own box, or the empty list's text there.
template <class List>
void ShowPick(Picker& picker, const List& list, std::string& box, std::string_view emptyText) {
  box = list.count() == 0 ? std::string(emptyText) : picker.selectionText();
  picker.show();
}

// The position `picker` picks in a list of `count` records when its box shows
// it; otherwise 0, after the modal message that says why.
int ShownPosition(const Picker& picker, int count, Notifier& notifier) {
  switch (picker.pick(count)) {
    case Pick::Shown: return picker.position();
    case Pick::Hidden: notifier.modal(kPickFirst); return 0;
    case Pick::None: break;
  }
  notifier.modal(kNoEquationSelected);
  return 0;
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

namespace {

// The species of a written side, as its line reads them, without coefficients.
std::vector<std::string> SpeciesOf(const std::vector<formula::WrittenTerm>& terms) {
  std::vector<std::string> species;
  species.reserve(terms.size());
  for (const formula::WrittenTerm& term : terms) species.push_back(term.species);
  return species;
}

std::string TooManyTerms(std::size_t species, std::size_t terms, const char* what) {
  return "Input error - " + std::to_string(species) + " " + what + " do not fit into the " +
         std::to_string(terms) + " search boxes for them; the text was left as it is.";
}

constexpr auto kSide = static_cast<std::size_t>(kTermsPerSide);

// An equation's species into every term, reactants then products; the error when a side does not fit.
std::string SpreadEquation(const formula::WrittenEquation& read, SearchTerms& terms) {
  const std::vector<std::string> reactants = SpeciesOf(read.reactants);
  const std::vector<std::string> products = SpeciesOf(read.products);
  if (reactants.size() > kSide) return TooManyTerms(reactants.size(), kSide, "reactants");
  if (products.size() > kSide) return TooManyTerms(products.size(), kSide, "products");
  for (std::size_t i = 0; i < kSide; ++i) {
    terms.reactants[i] = i < reactants.size() ? reactants[i] : "";
    terms.products[i] = i < products.size() ? products[i] : "";
  }
  return {};
}

// A list's first species into term `k` of `side`, the rest into its empty
// terms in order; the error when they do not fit.
std::string SpreadList(const formula::WrittenEquation& read, std::array<std::string, kTermsPerSide>& side,
                       std::size_t k, const char* what) {
  const std::vector<std::string> species = SpeciesOf(read.reactants);
  std::vector<std::size_t> free{k};
  for (std::size_t i = 0; i < kSide; ++i) {
    if (i != k && side[i].empty()) free.push_back(i);
  }
  if (species.size() > free.size()) return TooManyTerms(species.size(), free.size(), what);
  side[k].clear();
  for (std::size_t i = 0; i < species.size(); ++i) side[free[i]] = species[i];
  return {};
}

// Spreads the first term that holds more than one species over `terms`;
// false with `error` when it cannot be read or does not fit.
bool SpreadTerms(SearchTerms& terms, SearchReading& reading) {
  for (const bool product : {false, true}) {
    auto& side = product ? terms.products : terms.reactants;
    for (std::size_t k = 0; k < kSide; ++k) {
      if (formula::HoldsOneSpecies(side[k])) continue;
      const formula::WrittenEquation read = formula::ReadWrittenEquation(side[k]);
      if (read.kind == formula::WrittenEquation::Kind::Error) {
        reading.error = read.error + " The text was left as it is.";
      } else if (read.kind == formula::WrittenEquation::Kind::Equation) {
        reading.error = SpreadEquation(read, terms);
      } else {
        reading.error = SpreadList(read, side, k, product ? "products" : "reactants");
      }
      reading.spread = reading.error.empty();
      return reading.spread;
    }
  }
  return true;
}

}  // namespace

SearchReading ReadSearchTerms(const SearchTerms& typed) {
  SearchReading reading;
  reading.typed = typed;
  if (!SpreadTerms(reading.typed, reading)) {
    reading.typed = typed;
    reading.spread = false;
    return reading;
  }
  for (const auto& [from, to, other] :
       {std::tuple{&reading.typed.reactants, &reading.read.reactants, &reading.other.reactants},
        std::tuple{&reading.typed.products, &reading.read.products, &reading.other.products}}) {
    for (std::size_t k = 0; k < from->size(); ++k) {
      if ((*from)[k].empty()) continue;
      const formula::Term term = formula::ReadTerm((*from)[k], formula::Written::Line);
      if (term.error.empty()) {
        (*to)[k] = term.coefficient + term.species;
        continue;
      }
      // Digits before one sign ending the species: a search lists what
      // either reading finds. The subscript reading is the one a line that
      // writes its charges as databases do gives; the charge reading is the
      // last digit and the sign written in square brackets.
      (*to)[k] =
          term.coefficient + formula::ReadTerm((*from)[k], formula::Written::Line, {true, true}).species;
      const std::string& core = term.species;
      const std::string charged = core.substr(0, core.size() - 2) + "[" + core.substr(core.size() - 2) + "]";
      (*other)[k] = term.coefficient + formula::ReadTerm(charged, formula::Written::Line).species;
    }
  }
  return reading;
}

std::string TwoWaysNotes(const SearchReading& reading) {
  std::string notes;
  for (const auto& [typed, read, other] :
       {std::tuple{&reading.typed.reactants, &reading.read.reactants, &reading.other.reactants},
        std::tuple{&reading.typed.products, &reading.read.products, &reading.other.products}}) {
    for (std::size_t k = 0; k < typed->size(); ++k) {
      if ((*other)[k].empty()) continue;
      notes += "\"" + (*typed)[k] + "\" reads two ways, " + (*read)[k] + " or " + (*other)[k] +
               ": the search lists what either finds.\n";
    }
  }
  return notes;
}

std::array<formula::BoxTexts, 3> SearchedReadings(const SearchReading& reading) {
  return {CopySearchEditToInputEdit(reading.typed), CopySearchEditToInputEdit(reading.read),
          CopySearchEditToInputEdit(reading.other)};
}

SearcherTab::SearchRun SearcherTab::search(const SearchTerms& terms, ListTexts& texts) {
  if (m_balancer.board().isFull()) {
    m_notifier.modal(balance::kBoardFull);
    return SearchRun::Refused;
  }
  const SearchReading reading = ReadSearchTerms(terms);
  const formula::BoxTexts boxes = CopySearchEditToInputEdit(reading.typed);
  if (formula::GetSpecieNum(boxes) == 0) return SearchRun::NoTerms;
  if (reading.spread) {
    for (std::size_t k = 0; k < static_cast<std::size_t>(kTermsPerSide); ++k) {
      texts.searchTerms[k] = reading.typed.reactants[k];
      texts.searchTerms[k + static_cast<std::size_t>(kTermsPerSide)] = reading.typed.products[k];
    }
  }
  if (!reading.error.empty()) {
    m_found.appendDisplay("\n" + reading.error + "\n\n");
    texts.foundText = m_found.displayText();
    return SearchRun::Unreadable;
  }
  const std::string notes = TwoWaysNotes(reading);
  if (!notes.empty()) m_found.appendDisplay("\n" + notes);
  if (m_found.Search(m_library, SearchedReadings(reading)).refused) {
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
}

void SearcherTab::clearResults(ListTexts& texts) {
  m_balancer.clearResults();
  m_balancerPicker.reset();
  // The searcher's box is emptied with the board's; its pick stays.
  m_searcherPicker.hide();
  const std::string& display = m_balancer.board().displayText();
  texts.boardText = display;
  texts.addPick = display;
  texts.deletePick = display;
}

PickStep SearcherTab::nextBoardEquation() { return Step(m_balancerPicker, m_balancer.board(), +1); }

PickStep SearcherTab::previousBoardEquation() { return Step(m_balancerPicker, m_balancer.board(), -1); }

PickStep SearcherTab::nextFoundEquation() { return Step(m_searcherPicker, m_found, +1); }

PickStep SearcherTab::previousFoundEquation() { return Step(m_searcherPicker, m_found, -1); }

void SearcherTab::showBoardPick(ListTexts& texts) {
  ShowPick(m_balancerPicker, m_balancer.board(), texts.addPick, kBoardListEmpty);
}

void SearcherTab::showFoundPick(ListTexts& texts) {
  ShowPick(m_searcherPicker, m_found, texts.deletePick, kFoundListEmpty);
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
    case Library::Change::TooLarge: return kLibraryTooLarge;
  }
  return {};
}

std::optional<Library::Change> SearcherTab::addToLibrary(ListTexts& texts) {
  const balance::ResultBoard& board = m_balancer.board();
  const int position = ShownPosition(m_balancerPicker, board.count(), m_notifier);
  if (position == 0) return std::nullopt;
  const std::string line = LibraryLine(board.record(position).equation);
  const Library::Change change = ChangeFile(m_library, texts, [&] { return m_library.add(line); });
  m_notifier.modal(ChangeMessage(change));
  return change;
}

std::optional<Library::Change> SearcherTab::deleteFromLibrary(ListTexts& texts) {
  const int position = ShownPosition(m_searcherPicker, m_found.count(), m_notifier);
  if (position == 0) return std::nullopt;
  const std::string line = LibraryLine(m_found.record(position).equation);
  const Library::Change change = ChangeFile(m_library, texts, [&] { return m_library.remove(line); });
  m_notifier.modal(ChangeMessage(change));
  return change;
}

void SearcherTab::refreshAfterPageChange(ListTexts& texts) {
  texts.libraryCount = m_library.countLabel();
  if (m_balancer.board().count() == 0 || m_found.count() == 0) {
    texts.addPick.clear();
    texts.deletePick.clear();
    m_balancerPicker.hide();
    m_searcherPicker.hide();
  }
}

void SearcherTab::refillResults(ListTexts& texts) { texts.boardText = m_balancer.board().displayText(); }

}  // namespace quorvex::library
