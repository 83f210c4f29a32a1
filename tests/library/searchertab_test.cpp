// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/searchertab.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/boxes.h"
#include "support/tempfolder.h"

namespace quorvex::library {
namespace {

using quorvex::testing::MakeBoxes;
using quorvex::testing::ReadBytes;
using quorvex::testing::TempFolder;
using quorvex::testing::WriteBytes;
using Log = std::vector<std::string>;

// The modal messages and the texts each command writes, in one sequence:
// before each message and at the end, the fields written since (a field
// written with the text it held shows too, since every field holds a marker
// after take()).
class Recorder final : public Notifier {
 public:
  Recorder() { mark(); }
  ListTexts texts;
  void modal(std::string_view text) override { look("modal:" + std::string(text)); }
  Log take() {
    look("");
    mark();
    return std::exchange(m_log, {});
  }

 private:
  static constexpr const char* kMarker = "\x7f";
  void mark() {
    for (std::string* field : fields()) *field = kMarker;
  }
  void look(const std::string& event) {
    static constexpr const char* kNames[] = {"libraryCount", "boardText", "foundText", "addPick",
                                             "deletePick"};
    std::vector<std::string*> all = fields();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (*all[i] == kMarker) continue;
      const std::string name = i < std::size(kNames)
                                   ? std::string(kNames[i])
                                   : "searchTerm" + std::to_string(i - std::size(kNames) + 1);
      m_log.push_back(name + "=" + *all[i]);
      *all[i] = kMarker;
    }
    if (!event.empty()) m_log.push_back(event);
  }
  std::vector<std::string*> fields() {
    std::vector<std::string*> all = {&texts.libraryCount, &texts.boardText, &texts.foundText, &texts.addPick,
                                     &texts.deletePick};
    for (std::string& term : texts.searchTerms) all.push_back(&term);
    return all;
  }
  Log m_log;
};

const std::string kWater = "2H2+O2 = 2H2O";
const std::string kSodium = "2Na+2H2O = 2NaOH+H2";
const std::string kChlorate = "2KClO3 = 2KCl+3O2";
const std::string kWaterSel = "|1| " + kWater;

// Everything the Searcher tab works on, over a library file in a fresh folder.
struct World {
  TempFolder folder;
  Recorder r;
  balance::Balancer balancer{r};
  Library library{folder / "cbd.dat"};
  SearcherTab searcher{balancer, library, r};

  explicit World(const std::string& file = "", int boardEquations = 0) {
    WriteBytes(folder / "cbd.dat", file);
    library.load(r);
    const formula::BoxTexts boxes[] = {MakeBoxes({"H2", "O2"}, {"H2O"}),
                                       MakeBoxes({"Na", "H2O"}, {"NaOH", "H2"}),
                                       MakeBoxes({"KClO3"}, {"KCl", "O2"})};
    for (int i = 0; i < boardEquations; ++i) balancer.balance(boxes[i % 3]);
    r.take();
  }
  void Search(const std::string& product) {
    SearchTerms terms;
    terms.products[0] = product;
    searcher.search(terms, r.texts);
    r.take();
  }
  std::string file() const { return ReadBytes(folder / "cbd.dat"); }
};

const std::string kThreeLines = "#" + kWater + "#\r\n#" + kSodium + "#\r\n#" + kChlorate + "#\r\n";

TEST(Pickers, WalksNeverWrapAndBackNeverReturnsToNothing) {
  enum Step { Next, Back };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::vector<int> positions;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"next, next, back, back", {Next, Next, Back, Back}, {1, 2, 1, 1}},
      {"next four times", {Next, Next, Next, Next}, {1, 2, 3, 3}},
      {"back with nothing picked", {Back, Next}, {0, 1}},
  };
  // clang-format on
  for (const bool searcherList : {false, true}) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.name) + (searcherList ? " (found list)" : " (result board)"));
      World w(kThreeLines, 3);
      w.Search("H2O");
      w.Search("H2");
      w.Search("O2");
      ASSERT_EQ(w.searcher.found().count(), 3);
      for (std::size_t i = 0; i < c.steps.size(); ++i) {
        if (searcherList) {
          c.steps[i] == Next ? w.searcher.nextFoundEquation() : w.searcher.previousFoundEquation();
        } else {
          c.steps[i] == Next ? w.searcher.nextBoardEquation() : w.searcher.previousBoardEquation();
        }
        const Picker& p = searcherList ? w.searcher.searcherPicker() : w.searcher.balancerPicker();
        EXPECT_EQ(p.position(), c.positions[i]) << "step " << i + 1;
      }
    }
  }
}

TEST(Pickers, SelectionTextStopsAtItsLimit) {
  const std::string fits(kSelectionLimit - 4, 'A');
  EXPECT_EQ(SelectionText(1, fits), "|1| " + fits);
  EXPECT_EQ(SelectionText(1, fits + "B"), "|1| " + fits);
  EXPECT_EQ(SelectionText(1234, fits).size(), kSelectionLimit);
  EXPECT_EQ(SelectionText(3, "2H2+O2 = 2H2O"), "|3| 2H2+O2 = 2H2O");
}

// What each step did, and what the picker's own box then shows; a step itself
// writes no text. How the workspace refreshes the calculator around it is
// WorkspaceTest.PickerStepsRefreshTheCalculatorInOrder.
TEST(Pickers, StepsSayWhatTheyDidAndTheirBoxShowsIt) {
  const std::string boardEmpty = std::string(kBoardListEmpty);
  const std::string foundEmpty = std::string(kFoundListEmpty);
  struct Case {
    const char* name;
    int board;       // equations on the result board, also found by the search
    int stepsFirst;  // Next steps of both pickers before the command
    std::function<PickStep(World&)> command;
    bool foundList;  // the searcher picker's step, else the balancer picker's
    PickStep did;
    Log shown;
  };
  const auto next = [](World& w) { return w.searcher.nextBoardEquation(); };
  const auto back = [](World& w) { return w.searcher.previousBoardEquation(); };
  const auto schNext = [](World& w) { return w.searcher.nextFoundEquation(); };
  const auto schBack = [](World& w) { return w.searcher.previousFoundEquation(); };
  using P = PickStep;
  // clang-format off
  const std::vector<Case> cases = {
      {"Next moves", 1, 0, next, false, P::Moved, {"addPick=" + kWaterSel}},
      {"Next at the end", 1, 1, next, false, P::Unchanged, {"addPick=" + kWaterSel}},
      {"Next on an empty board", 0, 0, next, false, P::Empty, {"addPick=" + boardEmpty}},
      {"Back moves", 2, 2, back, false, P::Moved, {"addPick=" + kWaterSel}},
      {"Back at the first", 1, 1, back, false, P::Unchanged, {"addPick=" + kWaterSel}},
      {"Back on an empty board", 0, 0, back, false, P::Empty, {"addPick=" + boardEmpty}},
      {"searcher Next moves", 1, 0, schNext, true, P::Moved, {"deletePick=" + kWaterSel}},
      {"searcher Next at the end", 1, 1, schNext, true, P::Unchanged, {"deletePick=" + kWaterSel}},
      {"searcher Next on an empty list", 0, 0, schNext, true, P::Empty, {"deletePick=" + foundEmpty}},
      {"searcher Back moves", 2, 2, schBack, true, P::Moved, {"deletePick=" + kWaterSel}},
      {"searcher Back at the first", 1, 1, schBack, true, P::Unchanged, {"deletePick=" + kWaterSel}},
      {"searcher Back on an empty list", 0, 0, schBack, true, P::Empty, {"deletePick=" + foundEmpty}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The library holds the board's equations in board order, so both lists agree.
    World w(c.board >= 1 ? "#" + kWater + "#\r\n#" + kSodium + "#\r\n" : "", c.board);
    if (c.board >= 1) w.Search("H2O");
    if (c.board >= 2) w.Search("H2");
    ASSERT_EQ(w.searcher.found().count(), c.board);
    for (int i = 0; i < c.stepsFirst; ++i) {
      next(w);
      schNext(w);
    }
    w.r.take();
    EXPECT_EQ(c.command(w), c.did);
    EXPECT_EQ(w.r.take(), Log{});
    c.foundList ? w.searcher.showFoundPick(w.r.texts) : w.searcher.showBoardPick(w.r.texts);
    EXPECT_EQ(w.r.take(), c.shown);
  }
}

TEST(Maintenance, AddToLib) {
  World w;  // an empty library file
  EXPECT_EQ(w.searcher.addToLibrary(w.r.texts), std::nullopt);
  EXPECT_EQ(w.r.take(), Log{"modal:No equation selected."});

  w.balancer.balance(MakeBoxes({"H2", "O2"}, {"H2O"}));
  w.searcher.nextBoardEquation();
  w.r.take();
  EXPECT_EQ(w.searcher.addToLibrary(w.r.texts), Library::Change::Added);
  // The message comes once the file is written.
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 1 equations in your library "
                             "currently.",
                             "modal:Added to the equation library successfully!"}));
  EXPECT_EQ(w.file(), "#" + kWater + "#\r\n");

  // A second attempt finds it in the file; another program's line shows in the count.
  Library other(w.folder / "cbd.dat");
  other.add("#" + kSodium + "#");
  EXPECT_EQ(w.searcher.addToLibrary(w.r.texts), Library::Change::AlreadyIn);
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 2 equations in your library "
                             "currently.",
                             "modal:This equation has already been in the equation library"}));
  EXPECT_EQ(w.file(), "#" + kWater + "#\r\n#" + kSodium + "#\r\n");

  // After the result board's "Clear List" nothing is selected.
  w.searcher.clearResults(w.r.texts);
  EXPECT_EQ(w.r.take(), (Log{"boardText=", "addPick=", "deletePick="}));
  EXPECT_EQ(w.searcher.balancerPicker().position(), 0);
  EXPECT_EQ(w.searcher.balancerPicker().selectionText(), "");
  std::filesystem::remove(w.folder / "cbd.dat");
  w.searcher.addToLibrary(w.r.texts);
  EXPECT_EQ(w.r.take(), Log{"modal:No equation selected."});
  EXPECT_FALSE(std::filesystem::exists(w.folder / "cbd.dat"));
  // The next balance is number 1 again.
  w.balancer.balance(MakeBoxes({"Na", "H2O"}, {"NaOH", "H2"}));
  w.searcher.nextBoardEquation();
  EXPECT_EQ(w.searcher.balancerPicker().selectionText(), "|1| " + kSodium);
}

TEST(Maintenance, AddToAFullLibrary) {
  std::string lines;
  for (int i = 1; i <= kLibraryCapacity; ++i) lines += "#L" + std::to_string(i) + "#\r\n";
  World w(lines, 1);
  w.searcher.nextBoardEquation();
  w.r.take();
  w.searcher.addToLibrary(w.r.texts);
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 5000 equations in your library "
                             "currently.",
                             "modal:The library can only contain 5000 equations."}));
  EXPECT_EQ(w.file(), lines);
}

TEST(Maintenance, DelFromLib) {
  // Two equal lines: each deletion takes the first one left.
  World w("#" + kWater + "#\r\n#" + kSodium + "#\r\n#" + kWater + "#\r\n");
  EXPECT_EQ(w.searcher.deleteFromLibrary(w.r.texts), std::nullopt);
  EXPECT_EQ(w.r.take(), Log{"modal:No equation selected."});
  EXPECT_EQ(w.file(), "#" + kWater + "#\r\n#" + kSodium + "#\r\n#" + kWater + "#\r\n");

  w.Search("H2O");
  w.searcher.nextFoundEquation();
  w.r.take();
  EXPECT_EQ(w.searcher.deleteFromLibrary(w.r.texts), Library::Change::Deleted);
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 2 equations in your library "
                             "currently.",
                             "modal:Deleted from the library successfully!"}));
  EXPECT_EQ(w.file(), "#" + kSodium + "#\r\n#" + kWater + "#\r\n");
  w.searcher.deleteFromLibrary(w.r.texts);
  EXPECT_EQ(w.file(), "#" + kSodium + "#\r\n");
  w.r.take();
  EXPECT_EQ(w.searcher.deleteFromLibrary(w.r.texts), Library::Change::NotIn);
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 1 equations in your library "
                             "currently.",
                             "modal:This equation is not in the library."}));
  EXPECT_EQ(w.file(), "#" + kSodium + "#\r\n");

  // The deleted equation stays listed and selected; the balancer picker adds it back.
  EXPECT_EQ(w.searcher.found().count(), 2);
  EXPECT_EQ(w.searcher.searcherPicker().selectionText(), kWaterSel);
  w.balancer.balance(MakeBoxes({"H2", "O2"}, {"H2O"}));
  w.searcher.nextBoardEquation();
  w.searcher.addToLibrary(w.r.texts);
  EXPECT_EQ(w.file(), "#" + kSodium + "#\r\n#" + kWater + "#\r\n");
}

// A failed rewrite shows no success and leaves the table as the file is.
TEST(Maintenance, FailedRewriteShowsNoSuccess) {
  World w("#" + kSodium + "#\r\n", 1);
  std::filesystem::permissions(w.folder / "cbd.dat", std::filesystem::perms::owner_read);
  w.searcher.nextBoardEquation();
  w.r.take();
  EXPECT_THROW(w.searcher.addToLibrary(w.r.texts), FileError);
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 1 equations in your library "
                             "currently."}));
  EXPECT_EQ(w.library.count(), 1);
  EXPECT_EQ(w.file(), "#" + kSodium + "#\r\n");

  w.Search("NaOH");
  w.searcher.nextFoundEquation();
  w.r.take();
  EXPECT_THROW(w.searcher.deleteFromLibrary(w.r.texts), FileError);
  EXPECT_EQ(w.r.take(), (Log{"libraryCount= There are total 1 equations in your library "
                             "currently."}));
  EXPECT_EQ(w.file(), "#" + kSodium + "#\r\n");
}

// The calculator's box and table on a tab change are the workspace's
// (WorkspaceTest.TabChangeEmptiesStaleSelections).
TEST(Maintenance, TabChangeClearsStaleBoxes) {
  const std::string label = "libraryCount= There are total 1 equations in your library currently.";
  struct Case {
    const char* name;
    int board;
    bool found;
    Log shown;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"both lists hold equations", 1, true, {label}},
      {"board empty", 0, true, {label, "addPick=", "deletePick="}},
      {"only the found list empty", 1, false, {label, "addPick=", "deletePick="}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    World w("#" + kWater + "#\r\n", c.board);
    if (c.found) w.Search("H2O");
    w.searcher.nextBoardEquation();
    w.r.take();
    w.searcher.refreshAfterPageChange(w.r.texts);
    EXPECT_EQ(w.r.take(), c.shown);
    EXPECT_EQ(w.searcher.balancerPicker().position(), c.board);
  }
}

// An emptied box keeps its picker's pick, but the user sees no equation: Add
// To Lib and Del From Lib refuse it until a step shows it again.
TEST(Maintenance, AnEmptiedBoxIsNoPick) {
  const std::string water = "#" + kWater + "#\r\n";
  const auto pageChange = [](World& w) { w.searcher.refreshAfterPageChange(w.r.texts); };
  const auto clearBoard = [](World& w) { w.searcher.clearResults(w.r.texts); };
  struct Case {
    const char* name;
    int board;
    bool del;  // Del From Lib on the found list's pick, else Add To Lib on the board's
    std::function<void(World&)> empty;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"page change with the found list empty, Add To Lib", 1, false, pageChange},
      {"page change with the board empty, Del From Lib", 0, true, pageChange},
      {"the board's Clear List, Del From Lib", 1, true, clearBoard},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    World w(c.del ? water : "", c.board);
    if (c.del) {
      w.Search("H2O");
      w.searcher.nextFoundEquation();
    } else {
      w.searcher.nextBoardEquation();
    }
    c.empty(w);
    w.r.take();
    const auto change = [&] {
      return c.del ? w.searcher.deleteFromLibrary(w.r.texts) : w.searcher.addToLibrary(w.r.texts);
    };
    EXPECT_EQ(change(), std::nullopt);
    EXPECT_EQ(w.r.take(), Log{"modal:" + std::string(kPickFirst)});
    EXPECT_EQ(w.file(), c.del ? water : "");
    c.del ? w.searcher.showFoundPick(w.r.texts) : w.searcher.showBoardPick(w.r.texts);
    EXPECT_EQ(change(), c.del ? Library::Change::Deleted : Library::Change::Added);
    EXPECT_EQ(w.file(), c.del ? "" : water);
  }
}

TEST(Maintenance, FocusRefillsTheResultBox) {
  World w("", 2);
  w.searcher.refillResults(w.r.texts);
  EXPECT_EQ(w.r.take(), Log{"boardText=|1| " + kWater + "\n\n|2| " + kSodium + "\n\n"});
}

TEST(SearchPage, Commands) {
  World w(kThreeLines);
  SearchTerms none;
  EXPECT_EQ(w.searcher.search(none, w.r.texts), SearcherTab::SearchRun::NoTerms);
  EXPECT_EQ(w.r.take(), Log{});

  SearchTerms terms;
  terms.reactants[5] = "KClO3";
  terms.products[5] = "O2";
  EXPECT_EQ(w.searcher.search(terms, w.r.texts), SearcherTab::SearchRun::Searched);
  const std::string first = "\n...... Found 1 equation ......\n\n|1| " + kChlorate + "\n\n";
  EXPECT_EQ(w.r.take(), Log{"foundText=" + first});
  w.searcher.nextFoundEquation();
  w.r.take();

  // "Reset" empties the box and the search boxes; numbering goes on.
  w.searcher.resetSearch(w.r.texts);
  Log reset = {"foundText="};
  for (int i = 1; i <= 12; ++i) reset.push_back("searchTerm" + std::to_string(i) + "=");
  EXPECT_EQ(w.r.take(), reset);
  w.searcher.search(terms, w.r.texts);
  EXPECT_EQ(w.r.take(), Log{"foundText=\n...... Found 1 equation ......\n\n|2| " + kChlorate + "\n\n"});
  EXPECT_EQ(w.searcher.searcherPicker().position(), 1);

  // "Clear List" leaves RemoveEquationEdit alone.
  w.searcher.clearFound(w.r.texts);
  EXPECT_EQ(w.r.take(), Log{"foundText="});
  EXPECT_EQ(w.searcher.found().count(), 0);
  EXPECT_EQ(w.searcher.searcherPicker().position(), 0);
  EXPECT_EQ(w.searcher.searcherPicker().selectionText(), "");
  w.searcher.deleteFromLibrary(w.r.texts);
  EXPECT_EQ(w.r.take(), Log{"modal:No equation selected."});
}

TEST(SearchPage, RefusedAboveFifteenHundredBoardEquations) {
  World w(kThreeLines, balance::ResultBoard::kRefuseAbove + 1);
  SearchTerms terms;
  terms.products[0] = "O2";
  EXPECT_EQ(w.searcher.search(terms, w.r.texts), SearcherTab::SearchRun::Refused);
  EXPECT_EQ(w.r.take(), Log{"modal:Too many equations in the result board! "});
  EXPECT_EQ(w.searcher.found().count(), 0);
  EXPECT_EQ(w.searcher.found().displayText(), "");

  w.searcher.clearResults(w.r.texts);
  w.r.take();
  EXPECT_EQ(w.searcher.search(terms, w.r.texts), SearcherTab::SearchRun::Searched);
}

TEST(SearchPage, FullDisplayRefusesWithAMessage) {
  World w("#A=" + std::string(kFoundDisplayLimit - 100, 'B') + "#\r\n");
  SearchTerms terms;
  terms.reactants[0] = "A";
  EXPECT_EQ(w.searcher.search(terms, w.r.texts), SearcherTab::SearchRun::Searched);
  w.r.take();
  EXPECT_EQ(w.searcher.search(terms, w.r.texts), SearcherTab::SearchRun::ListFull);
  EXPECT_EQ(w.r.take(), Log{"modal:" + std::string(kFoundListFull)});
  EXPECT_EQ(w.searcher.found().count(), 1);
}

// A term reads as the Balancer's boxes read a species, and matches by its text
// or by that reading; a whole equation or list typed into one term is spread.
TEST(SearchPage, TermsReadAsTheBalancerReadsThem) {
  struct Case {
    const char* name;
    std::vector<std::string> reactants;
    std::vector<std::string> products;
    SearcherTab::SearchRun run;
    int found;  // equations found
    std::vector<std::string>
        shown;              // the terms afterwards, reactants then products; empty when left as typed
    std::string said = "";  // what the display begins with, when the case says
  };
  const std::string permanganate = "2MnO4[-]+5SO2+2H2O = 2Mn[2+]+5SO4[2-]+4H[+]";
  const std::string hydrate = "CuSO4+5H2O = CuSO4.5H2O";
  using Run = SearcherTab::SearchRun;
  // clang-format off
  const std::vector<Case> cases = {
      {"charge in brackets", {"MnO4[-]"}, {}, Run::Searched, 1, {}},
      {"charge written bare", {"MnO4-"}, {}, Run::Searched, 1, {}},
      {"caret charge", {"MnO4^-"}, {}, Run::Searched, 1, {}},
      {"subscript characters", {}, {"H\u2082O"}, Run::Searched, 1, {}},
      {"the text as stored still matches", {}, {"CuSO4.5H2O"}, Run::Searched, 1, {}},
      {"a species that reads two ways finds either, and says so", {}, {"Mn2+"}, Run::Searched, 1, {},
       "\n\"Mn2+\" reads two ways, Mn2[+] or Mn[2+]: the search lists what either finds.\n\n...... Found 1"},
      {"either reading, of each such term", {"2MnO4-"}, {"SO42-"}, Run::Searched, 1, {},
       "\n\"2MnO4-\" reads two ways, 2MnO4[-] or 2MnO[4-]: the search lists what either finds.\n"
       "\"SO42-\" reads two ways, SO42[-] or SO4[2-]: the search lists what either finds.\n"},
      {"an equation fills every term", {"O2", "", "H2 + O2 = H2O"}, {"SO2"}, Run::Searched, 1,
       {"H2", "O2", "", "", "", "", "H2O", "", "", "", "", ""}},
      {"a list fills its side's empty terms", {"", "MnO4^-, SO2"}, {}, Run::Searched, 1,
       {"SO2", "MnO4[-]", "", "", "", "", "", "", "", "", "", ""}},
      {"too many species", {"A + B + C + D + E + F + G = H"}, {}, Run::Unreadable, 0, {},
       "\nInput error - 7 reactants do not fit into the 6 search boxes for them; the text was left as it is.\n\n"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    World w("#" + permanganate + "#\r\n#" + kWater + "#\r\n#" + hydrate + "#\r\n");
    SearchTerms terms;
    std::copy(c.reactants.begin(), c.reactants.end(), terms.reactants.begin());
    std::copy(c.products.begin(), c.products.end(), terms.products.begin());
    std::copy(c.reactants.begin(), c.reactants.end(), w.r.texts.searchTerms.begin());
    std::copy(c.products.begin(), c.products.end(), w.r.texts.searchTerms.begin() + kTermsPerSide);
    const ListTexts before = w.r.texts;
    EXPECT_EQ(w.searcher.search(terms, w.r.texts), c.run);
    EXPECT_EQ(w.searcher.found().count(), c.found);
    const std::vector<std::string> shown(w.r.texts.searchTerms.begin(), w.r.texts.searchTerms.end());
    EXPECT_EQ(shown, c.shown.empty()
                         ? std::vector<std::string>(before.searchTerms.begin(), before.searchTerms.end())
                         : c.shown);
    EXPECT_EQ(w.r.texts.foundText.substr(0, c.said.size()), c.said);
  }
}

}  // namespace
}  // namespace quorvex::library
