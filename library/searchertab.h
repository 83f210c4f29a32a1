// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "balance/balancer.h"
#include "core/notifier.h"
#include "core/selection.h"
#include "library/foundlist.h"
#include "library/library.h"
#include "library/picker.h"
#include "library/texts.h"

namespace quorvex::library {

inline constexpr std::string_view kAlreadyInLibrary =
    "This equation has already been in the equation library";
inline constexpr std::string_view kAdded = "Added to the equation library successfully!";
inline constexpr std::string_view kDeleted = "Deleted from the library successfully!";
inline constexpr std::string_view kNotInLibrary = "This equation is not in the library.";
inline constexpr std::string_view kBoardListEmpty = "The Balanced Equation List in the balancer is empty.";
inline constexpr std::string_view kFoundListEmpty = "The Found Equations List in the searcher is empty.";
// Add To Lib or Del From Lib while the picker's box was emptied and shows no equation.
inline constexpr std::string_view kPickFirst =
    "No equation selected. Pick one with \"Back\" or \"Next\" first.";

// The message of a library change: "Added to the equation library successfully!" and the rest.
std::string_view ChangeMessage(Library::Change change);

// The reactant terms into reactant boxes 1..6, the product terms into product boxes 1..6; boxes 7..14 empty.
formula::BoxTexts CopySearchEditToInputEdit(const SearchTerms& terms);

// The search terms as the Balancer's boxes read them.
struct SearchReading {
  // The terms as typed, after a whole equation or a list typed into one term
  // was spread over the terms: an equation's species (as its line reads them,
  // without coefficients) replace every term, reactants then products; a
  // list's first species stays in its term and the rest fill that side's
  // empty terms in box order.
  SearchTerms typed;
  // Each term of `typed` as a term of a written line reads it
  // (formula::ReadTerm): "MnO4^-" and "MnO4[-]" read "MnO4[-]", "H₂O" reads
  // "H2O". A term that reads two ways ("Mn2+": Mn2[+] or Mn[2+]) has its
  // subscript reading here and its charge reading in `other`; otherwise
  // `other` is empty. A term matches by its text or by either reading.
  SearchTerms read;
  SearchTerms other;
  bool spread = false;  // a term held an equation or a list and `typed` differs from what was typed
  // Not empty when an equation or list typed into a term cannot be read or
  // does not fit the terms; it contains "error", and nothing is searched.
  std::string error;
};
SearchReading ReadSearchTerms(const SearchTerms& typed);
// The note on each term of `reading` that reads two ways, a line each ("" for none).
std::string TwoWaysNotes(const SearchReading& reading);
// What a search looks for: the terms as typed, as read, and their other readings.
std::array<formula::BoxTexts, 3> SearchedReadings(const SearchReading& reading);

// The commands of the Searcher tab's two pages: the search with its found
// list, the library maintenance, and the two pickers that the Calculator tab
// shares (what a step means for the calculator is the caller's). Commands
// write the texts they change into `texts`, and modal messages go to the
// Notifier once the texts they follow are written. Library file errors are
// thrown as FileError after everything the command changed and showed before them.
class SearcherTab {
 public:
  SearcherTab(balance::Balancer& balancer, Library& library, Notifier& notifier)
      : m_balancer(balancer), m_library(library), m_notifier(notifier) {}

  const FoundList& found() const { return m_found; }
  // For the guided search examples, which append their text to the display.
  FoundList& found() { return m_found; }
  const Picker& balancerPicker() const { return m_balancerPicker; }
  const Picker& searcherPicker() const { return m_searcherPicker; }
  const Library& library() const { return m_library; }

  enum class SearchRun {
    Refused,     // the result board holds more than 1500 equations
    NoTerms,     // every term empty: the caller shows the pending message (UpdateMessageBox)
    ListFull,    // the found display had no room even for the found-count line
    Unreadable,  // a typed equation cannot be read or does not fit: the display says why
    Searched,
  };
  // "Search": the terms read as the Balancer reads them (ReadSearchTerms); a
  // spread equation is shown in the terms of `texts`, and each term that
  // reads two ways is named on the display before what either reading found.
  SearchRun search(const SearchTerms& terms, ListTexts& texts);
  // "Reset" of the search page: the search boxes and the found display text.
  void resetSearch(ListTexts& texts);
  // "Clear List" of the search page: the found list and the searcher picker.
  void clearFound(ListTexts& texts);
  // "Clear List" of the Balancer page: the result board and the balancer
  // picker; both maintenance boxes are emptied.
  void clearResults(ListTexts& texts);

  // Balancer picker one step forward / back over the result board; a move
  // rebuilds its selection text. The boxes that show it are the caller's to
  // refresh (showBoardPick), in the order the command needs.
  PickStep nextBoardEquation();
  PickStep previousBoardEquation();
  // Searcher picker one step forward / back over the found list, as above.
  PickStep nextFoundEquation();
  PickStep previousFoundEquation();
  // AddToLibEdit: the balancer selection text, or kBoardListEmpty while the board is empty.
  void showBoardPick(ListTexts& texts);
  // RemoveEquationEdit: the searcher selection text, or kFoundListEmpty while the found list is empty.
  void showFoundPick(ListTexts& texts);
  // Both positions 0, the selection texts kept ("Switch List...").
  void unselectPickers();

  // "Add To Lib": the balancer picker's equation added to the library file
  // as it is now; the table and the count label then show the file, and the
  // message says what came of it. Throws FileError, with the table as the
  // file is and no message, when the file cannot be read or written.
  // Returns what came of it; none, after a message, when no equation was
  // picked or its box no longer shows it (a page change emptied it).
  std::optional<Library::Change> addToLibrary(ListTexts& texts);
  // "Del From Lib": the searcher picker's equation removed from the file, as
  // "Add To Lib" does.
  std::optional<Library::Change> deleteFromLibrary(ListTexts& texts);
  // A change of the main tab: the count label and the stale selection boxes of
  // this tab. An emptied box keeps its picker's pick, but no change acts on it
  // until a step shows it again.
  void refreshAfterPageChange(ListTexts& texts);
  // A selection box got the focus: the result board's text is shown again.
  void refillResults(ListTexts& texts);

 private:
  balance::Balancer& m_balancer;
  Library& m_library;
  Notifier& m_notifier;
  FoundList m_found;
  Picker m_balancerPicker;
  Picker m_searcherPicker;
};

}  // namespace quorvex::library
