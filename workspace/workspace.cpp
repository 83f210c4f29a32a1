// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/workspace.h"

#include <string>
#include <tuple>
#include <vector>

#include "balance/check.h"
#include "balance/hints.h"
#include "balance/ionreading.h"
#include "formula/equationtext.h"
#include "formula/notation.h"
#include "library/casehint.h"
#include "workspace/examples.h"

namespace quorvex::workspace {

Workspace::Workspace(Notifier& notifier, std::filesystem::path libraryFile)
    : m_notifier(notifier),
      m_balancer(notifier),
      m_library(std::move(libraryFile)),
      m_searcher(m_balancer, m_library, notifier) {}

void Workspace::loadLibrary() { m_library.load(m_notifier); }

// Balancer page.

namespace {

// The box text as it is balanced: a typed coefficient, then the species.
formula::Term FinishedBox(const std::string& text) { return formula::ReadTerm(text, formula::Written::Box); }

// The first hint for a slip in the boxes, or "".
std::string FirstSlipHint(const formula::BoxTexts& boxes) {
  for (const auto* side : {&boxes.reactants, &boxes.products}) {
    for (const std::string& text : *side) {
      std::string hint = formula::SlipHint(text);
      if (!hint.empty()) return hint;
    }
  }
  return {};
}

// The notes that follow an outcome: that a typed equation replaced the other
// boxes, and the hints for the slips of the line the boxes write.
std::string Notes(bool replaced, const std::string& line, bool failed) {
  std::string notes;
  if (replaced) notes.append(" ").append(kOtherBoxesReplaced);
  for (const balance::Hint& hint : balance::FindHints(line, failed)) notes.append(" ").append(hint.text);
  return notes;
}

// What the message box shows of a check: the verdict and its answer when
// they fit the box; otherwise the verdict alone and where the answer is.
std::string BriefVerdict(const balance::CheckOutcome& outcome, const std::string& full, bool listed) {
  if (full.size() <= kMessageBoxChars) return full;
  std::string head;
  std::string where;
  switch (outcome.verdict) {
    case balance::Verdict::NotLowest:
      head = "Balanced, but not in lowest terms.";
      where = " The lowest terms are on the list.";
      break;
    case balance::Verdict::Fractional:
      head = outcome.message;
      where = " The whole numbers are on the list.";
      break;
    case balance::Verdict::NotBalanced:
      head = outcome.message;
      where = outcome.answerBalances ? " The balance is on the list." : " It has no balance.";
      if (head.size() + where.size() > kMessageBoxChars) head = "Not balanced.";
      break;
    default: return full;
  }
  // A full board took nothing: the answer is in the hint only.
  const bool answerListed = outcome.verdict != balance::Verdict::NotBalanced || outcome.answerBalances;
  if (answerListed && !listed) where.clear();
  return head + where;
}

// " Read SO42- as SO4[2-]." for each term read one of its two ways.
std::string ReadingSentences(const std::vector<balance::IonReading>& readings) {
  std::string sentences;
  for (const balance::IonReading& reading : readings) {
    std::string note = balance::ReadingNote(reading);
    note[0] = 'R';
    sentences += ' ' + note + '.';
  }
  return sentences;
}

}  // namespace

void Workspace::balance() {
  // A box holding a whole equation first fills the boxes, and its ions read
  // by the line are told after the outcome.
  m_readings.clear();
  bool replaced = false;
  for (int i = 0; i < 2 * formula::kBoxesPerSide; ++i) {
    const Spread spread = spreadBox(i >= formula::kBoxesPerSide, i % formula::kBoxesPerSide);
    if (spread == Spread::TooMany || spread == Spread::Unreadable) return;
    replaced = replaced || spread == Spread::Replaced;
  }
  // The line the boxes write, as typed: what the hints look at.
  const std::string line = balance::BoxesLine(m_texts.boxes);
  // The boxes show what is balanced: the notation written as formulas.
  formula::BoxTexts species;
  formula::BoxTexts coefficients;
  bool typed = false;
  for (const auto& [box, bare, coefficient] :
       {std::tuple{&m_texts.boxes.reactants, &species.reactants, &coefficients.reactants},
        std::tuple{&m_texts.boxes.products, &species.products, &coefficients.products}}) {
    for (int i = 0; i < formula::kBoxesPerSide; ++i) {
      formula::Term term = FinishedBox((*box)[i]);
      typed = typed || !term.coefficient.empty();
      (*box)[i] = term.coefficient + term.species;
      (*bare)[i] = std::move(term.species);
      (*coefficient)[i] = std::move(term.coefficient);
    }
  }
  if (typed) {
    check(species, coefficients, replaced, line);
    return;
  }
  // Whatever ends the command, the invalid character the pending text reports is located.
  balance::Completion completion;
  try {
    completion = balance::CompleteAndBalance(m_balancer, m_texts.boxes, m_completion);
  } catch (...) {
    locateInvalidCharacter();
    throw;
  }
  locateInvalidCharacter();
  if (completion.run == balance::Balancer::Run::Refused) return;
  UpdateMessageBox();
  // Why it failed, as a sentence after the outcome, and what to write instead
  // of a common slip; in full as the box's hint.
  std::string more = m_balancer.failureReason().sentence;
  const bool balanced = m_balancer.outcome() == balance::BalanceOutcome::Balanced;
  if (balanced && !completion.added.empty()) {
    more = "Added: " + balance::AddedList(completion.added) + ".";
  }
  if (!balanced) {
    const std::string hint = FirstSlipHint(m_texts.boxes);
    if (!hint.empty()) more += (more.empty() ? "" : " ") + hint;
  }
  if (!m_readings.empty()) more += more.empty() ? m_readings.substr(1) : m_readings;
  const std::string notes = Notes(replaced, line, !balance::FoundBalance(m_balancer.outcome()));
  more += more.empty() && !notes.empty() ? notes.substr(1) : notes;
  if (!more.empty()) {
    m_texts.message += ' ';
    m_texts.message += more;
    m_texts.messageHint = m_texts.message;
  }
  m_texts.boardText = m_balancer.board().displayText();
}

void Workspace::check(const formula::BoxTexts& species, const formula::BoxTexts& coefficients, bool replaced,
                      const std::string& line) {
  balance::CheckOutcome outcome;
  const int listedBefore = m_balancer.board().count();
  try {
    outcome = balance::CheckEquation(species, coefficients, m_balancer, m_notifier);
  } catch (...) {
    locateInvalidCharacter();
    throw;
  }
  std::string message = outcome.message;
  if (outcome.verdict == balance::Verdict::NotLowest) {
    message += " In lowest terms: " + outcome.answer;
  } else if (outcome.verdict == balance::Verdict::Fractional) {
    message += " In whole numbers: " + outcome.answer;
  } else if (outcome.verdict == balance::Verdict::NotBalanced && !outcome.answer.empty()) {
    message += (outcome.answerBalances ? " The balance is " : " It has no balance: ") + outcome.answer;
  }
  // The check's message becomes the balancer's; an input error keeps its kind.
  balance::BalanceOutcome kind = balance::BalanceOutcome::None;
  if (outcome.verdict == balance::Verdict::InputError) {
    kind = outcome.invalidCharacters ? balance::BalanceOutcome::InvalidCharacters
                                     : balance::BalanceOutcome::InputError;
  }
  // The box shows a verdict it can show whole; its hint has the full text.
  const bool listed = m_balancer.board().count() > listedBefore;
  const std::string notes = m_readings + Notes(replaced, line, !balance::Balances(outcome.verdict));
  std::string full = message + notes;
  m_balancer.setPendingMessage(BriefVerdict(outcome, message, listed) + notes, kind);
  // The invalid character is found in the species and located in the box, after its coefficient.
  m_texts.invalidCharacter.reset();
  if (outcome.invalidCharacters) {
    m_texts.invalidCharacter = formula::FirstInvalidCharacter(species);
    if (m_texts.invalidCharacter) {
      const auto& typed = m_texts.invalidCharacter->product ? coefficients.products : coefficients.reactants;
      m_texts.invalidCharacter->byte += typed[static_cast<std::size_t>(m_texts.invalidCharacter->box)].size();
    }
  }
  UpdateMessageBox();
  m_texts.messageHint = std::move(full);
  m_texts.boardText = m_balancer.board().displayText();
}

Workspace::Spread Workspace::spreadBox(bool product, int box) {
  auto& side = product ? m_texts.boxes.products : m_texts.boxes.reactants;
  // A term that reads two ways is decided by the line, or the line is refused.
  balance::IonDecision decision;
  const std::optional<formula::EquationText> read =
      formula::EquationTextOf(balance::ReadInContext(side[box], decision));
  if (!read) return Spread::OneSpecies;
  if (!read->error.empty()) {
    showMessage(read->error + " The text was left as it is.");
    return Spread::Unreadable;
  }
  const auto tooMany = [&](std::size_t species, std::size_t boxes, std::string_view what) {
    showMessage("Input error - " + std::to_string(species) + " " + std::string(what) +
                " do not fit into the " + std::to_string(boxes) +
                " boxes for them; the text was left as it is.");
    return Spread::TooMany;
  };
  constexpr auto kSide = static_cast<std::size_t>(formula::kBoxesPerSide);
  bool replaced = false;
  if (read->bothSides) {
    if (read->reactants.size() > kSide) return tooMany(read->reactants.size(), kSide, "reactants");
    if (read->products.size() > kSide) return tooMany(read->products.size(), kSide, "products");
    for (std::size_t i = 0; i < kSide; ++i) {
      const auto other = [&](const std::string& text, bool onProducts) {
        return !text.empty() && (onProducts != product || i != static_cast<std::size_t>(box));
      };
      replaced =
          replaced || other(m_texts.boxes.reactants[i], false) || other(m_texts.boxes.products[i], true);
    }
    for (std::size_t i = 0; i < kSide; ++i) {
      m_texts.boxes.reactants[i] = i < read->reactants.size() ? read->reactants[i] : "";
      m_texts.boxes.products[i] = i < read->products.size() ? read->products[i] : "";
    }
  } else {
    std::vector<std::size_t> free{static_cast<std::size_t>(box)};
    for (std::size_t i = 0; i < kSide; ++i) {
      if (i != free[0] && side[i].empty()) free.push_back(i);
    }
    if (read->reactants.size() > free.size()) {
      return tooMany(read->reactants.size(), free.size(), product ? "products" : "reactants");
    }
    side[free[0]].clear();
    for (std::size_t k = 0; k < read->reactants.size(); ++k) side[free[k]] = read->reactants[k];
  }
  m_readings = ReadingSentences(decision.readings);
  showMessage(std::string(replaced ? kBoxesReplaced : kBoxesFilled) + m_readings);
  return replaced ? Spread::Replaced : Spread::Filled;
}

void Workspace::showMessage(std::string_view text) {
  m_balancer.setPendingMessage(text);
  UpdateMessageBox();
}

void Workspace::locateInvalidCharacter() {
  m_texts.invalidCharacter.reset();
  if (m_balancer.outcome() == balance::BalanceOutcome::InvalidCharacters) {
    m_texts.invalidCharacter = formula::FirstInvalidCharacter(m_texts.boxes);
  }
}

void Workspace::UpdateMessageBox() {
  const balance::MessageBoxView view = balance::UpdateMessageBox(m_balancer.pendingMessage());
  m_texts.message = view.text;
  m_texts.messageColour = view.colour;
  m_texts.messageHint.clear();
}

void Workspace::resetBoxes() {
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    m_texts.boxes.reactants[i].clear();
    m_texts.boxes.products[i].clear();
  }
  m_balancer.setPendingMessage("");
  UpdateMessageBox();
}

void Workspace::clearMessage() {
  m_balancer.setPendingMessage("");
  UpdateMessageBox();
}

void Workspace::nextBalanceExample() {
  resetBoxes();
  m_balancer.setPendingMessage(kBalanceGuidance);
  UpdateMessageBox();
  m_balanceExample = (m_balanceExample + 1) % kExampleCases;
  const BalanceExample& example = BalanceExampleCase(m_balanceExample + 1);
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    m_texts.boxes.reactants[i].assign(example.reactants[i]);
    m_texts.boxes.products[i].assign(example.products[i]);
  }
}

void Workspace::clearResults() {
  // Through the searcher, so that the balancer picker is reset with the board.
  m_searcher.clearResults(m_texts);
  m_texts.calcPick = m_searcher.balancerPicker().selectionText();
}

// Searcher page.

void Workspace::search() {
  library::SearchTerms terms;
  for (int k = 0; k < library::kTermsPerSide; ++k) {
    terms.reactants[k] = m_texts.searchTerms[k];
    terms.products[k] = m_texts.searchTerms[k + library::kTermsPerSide];
  }
  // The Balancer's boxes are not touched: the terms travel on their own.
  const int before = m_searcher.found().count();
  const library::SearcherTab::SearchRun run = m_searcher.search(terms, m_texts);
  if (run == library::SearcherTab::SearchRun::NoTerms) {
    UpdateMessageBox();
    m_notifier.modal(kSearchWhatToType);
  } else if (run == library::SearcherTab::SearchRun::Searched && m_searcher.found().count() == before &&
             library::OnlyLetterCaseDiffers(m_library, terms)) {
    std::string hint(library::kLetterCaseMatters);
    hint += "\n\n";
    if (m_searcher.found().appendDisplay(hint)) m_texts.foundText = m_searcher.found().displayText();
  }
}

void Workspace::resetSearch() { m_searcher.resetSearch(m_texts); }

void Workspace::clearFound() {
  m_searcher.clearFound(m_texts);
  m_texts.calcPick = m_searcher.searcherPicker().selectionText();
}

void Workspace::nextSearchExample() {
  for (std::string& term : m_texts.searchTerms) term.clear();
  clearFound();
  m_searchExample = (m_searchExample + 1) % kExampleCases;
  const SearchExample& example = SearchExampleCase(m_searchExample + 1);
  for (int k = 0; k < kSearchBoxes; ++k) m_texts.searchTerms[k].assign(example.terms[k]);
  std::string guidance(example.guidance);
  guidance += '\n';
  m_searcher.found().appendDisplay(guidance);
  m_texts.foundText = m_searcher.found().displayText();
}

// Library maintenance and the pickers.

// The order of the refreshes shows when the table's rebuild stops a step: the
// boxes written before it show the new pick, the ones after it the old one.

void Workspace::nextBoardEquation() {
  const library::PickStep step = m_searcher.nextBoardEquation();
  if (step == library::PickStep::Moved) {
    showMove(m_searcher.balancerPicker());
    UpdateCaculate();
  }
  m_searcher.showBoardPick(m_texts);
  showEmptyList(step, library::kBoardListEmpty);
}

// The two Back steps differ where the user can see it: the balancer's leaves
// its box alone at the first equation, and refreshes the table last.
void Workspace::previousBoardEquation() {
  const library::PickStep step = m_searcher.previousBoardEquation();
  if (step == library::PickStep::Moved) showMove(m_searcher.balancerPicker());
  if (step != library::PickStep::Unchanged) {
    m_searcher.showBoardPick(m_texts);
    showEmptyList(step, library::kBoardListEmpty);
  }
  UpdateCaculate();
}

void Workspace::nextFoundEquation() {
  const library::PickStep step = m_searcher.nextFoundEquation();
  if (step == library::PickStep::Moved) {
    showMove(m_searcher.searcherPicker());
    UpdateCaculate();
  }
  m_searcher.showFoundPick(m_texts);
  showEmptyList(step, library::kFoundListEmpty);
}

void Workspace::previousFoundEquation() {
  const library::PickStep step = m_searcher.previousFoundEquation();
  if (step == library::PickStep::Moved) showMove(m_searcher.searcherPicker());
  UpdateCaculate();
  m_searcher.showFoundPick(m_texts);
  showEmptyList(step, library::kFoundListEmpty);
}

void Workspace::showMove(const library::Picker& picker) {
  ClearAmout();
  m_texts.calcPick = picker.selectionText();
}

void Workspace::showEmptyList(library::PickStep step, std::string_view text) {
  if (step == library::PickStep::Empty) m_texts.calcPick = text;
}

std::optional<library::Library::Change> Workspace::addToLibrary() { return m_searcher.addToLibrary(m_texts); }
std::optional<library::Library::Change> Workspace::deleteFromLibrary() {
  return m_searcher.deleteFromLibrary(m_texts);
}
void Workspace::refreshAfterPageChange() {
  m_searcher.refreshAfterPageChange(m_texts);
  const int sourceCount = m_calc.source() == calc::CalculatorSource::FoundList ? m_searcher.found().count()
                                                                               : m_balancer.board().count();
  if (sourceCount == 0) m_texts.calcPick.clear();
  UpdateCaculate();
}
void Workspace::refillResults() { m_searcher.refillResults(m_texts); }

// Calculator page.

void Workspace::previousCalcEquation() {
  if (m_calc.source() == calc::CalculatorSource::FoundList) {
    previousFoundEquation();
  } else {
    previousBoardEquation();
  }
}

void Workspace::nextCalcEquation() {
  if (m_calc.source() == calc::CalculatorSource::FoundList) {
    nextFoundEquation();
  } else {
    nextBoardEquation();
  }
}

void Workspace::switchSource() {
  m_searcher.unselectPickers();
  m_texts.calcPick.clear();
  formula::Scanner scanner = makeScanner();
  const calc::CalculatorSource source = m_calc.switchSource(m_elements, scanner);
  showCalcCaption();
  if (source == calc::CalculatorSource::FoundList) {
    nextFoundEquation();
  } else {
    nextBoardEquation();
  }
}

void Workspace::enterCalculator() {
  if (m_searcher.balancerPicker().position() < 1 && m_searcher.searcherPicker().position() < 1) {
    nextBoardEquation();
    if (m_searcher.balancerPicker().position() >= 1) {
      if (m_calc.source() != calc::CalculatorSource::ResultBoard) {
        m_calc.setSource(calc::CalculatorSource::ResultBoard);
        // An earlier entry left the found list as the source, and the step
        // refreshed the table from it: show the board's equation instead.
        UpdateCaculate();
      }
    } else {
      nextFoundEquation();
      // The entry ends on the found list even when it is empty too, so that
      // the caption names the list the box speaks of.
      if (m_calc.source() != calc::CalculatorSource::FoundList) {
        m_calc.setSource(calc::CalculatorSource::FoundList);
        // The step refreshed the table from the old source's list; show the
        // equation it just picked instead of an empty table.
        if (m_searcher.searcherPicker().position() >= 1) UpdateCaculate();
      }
    }
  }
  showCalcCaption();
}

void Workspace::useMoles() {
  formula::Scanner scanner = makeScanner();
  m_calc.useMoles(weighedEquation(), m_elements, scanner);
}

void Workspace::useGrams() {
  formula::Scanner scanner = makeScanner();
  m_calc.useGrams(weighedEquation(), m_elements, scanner);
}

void Workspace::useLowPrecision() {
  formula::Scanner scanner = makeScanner();
  m_calc.useLowPrecision(weighedEquation(), m_elements, scanner);
}

void Workspace::useHighPrecision() {
  formula::Scanner scanner = makeScanner();
  m_calc.useHighPrecision(weighedEquation(), m_elements, scanner);
}

calc::CalcOutcome Workspace::calculate(const calc::ShowNumber& show) {
  return m_calc.calculate(m_notifier, show);
}

void Workspace::showElement(std::string_view symbol) {
  const calc::ElementRecord& r = m_elements.ShowRealElementInfo(symbol);
  m_texts.elementFacts = {r.name,  r.symbol, r.type, r.number,     r.weight,
                          r.state, r.melt,   r.boil, r.negativity, r.energy};
}

std::string_view Workspace::pickedEquation() const {
  if (m_calc.source() == calc::CalculatorSource::FoundList) {
    const int position = m_searcher.searcherPicker().position();
    if (position < 1 || position > library::kFoundCapacity) return {};
    return m_searcher.found().record(position).equation;
  }
  const int position = m_searcher.balancerPicker().position();
  if (position < 1 || position > balance::ResultBoard::kRecordTable) return {};
  return m_balancer.board().record(position).equation;
}

std::string Workspace::weighedEquation() const { return formula::WithSpeciesRewritten(pickedEquation()); }

void Workspace::UpdateCaculate() {
  formula::Scanner scanner = makeScanner();
  m_calc.UpdateCaculate(weighedEquation(), m_elements, scanner);
}

void Workspace::showCalcCaption() {
  const bool found = m_calc.source() == calc::CalculatorSource::FoundList;
  m_texts.calcCaption = calc::CalculatorCaption(
      m_calc.source(), found ? m_searcher.found().count() : m_balancer.board().count());
}

}  // namespace quorvex::workspace
