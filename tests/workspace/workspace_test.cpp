// SPDX-License-Identifier: GPL-3.0-or-later
// The window's commands end to end on one workspace: how the pages meet.
#include "workspace/workspace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "library/casehint.h"
#include "support/recordingnotifier.h"
#include "support/tempfolder.h"
#include "workspace/examples.h"

namespace quorvex::workspace {
namespace {

namespace fs = std::filesystem;

class WorkspaceTest : public ::testing::Test {
 protected:
  fs::path libraryFile() const { return m_folder / "cbd.dat"; }
  void writeLibrary(const std::string& bytes) { testing::WriteBytes(libraryFile(), bytes); }
  std::string readLibrary() const { return testing::ReadBytes(libraryFile()); }
  // A workspace started as the window starts it.
  Workspace& start() {
    m_ws = std::make_unique<Workspace>(m_notifier, libraryFile());
    try {
      m_ws->loadLibrary();
    } catch (const std::exception& e) {
      m_startError = e.what();
    }
    m_ws->InitRealElement();
    return *m_ws;
  }
  void balance(Workspace& ws, std::vector<std::string> reactants, std::vector<std::string> products) {
    ws.resetBoxes();
    for (std::size_t i = 0; i < reactants.size(); ++i) ws.texts().boxes.reactants[i] = reactants[i];
    for (std::size_t i = 0; i < products.size(); ++i) ws.texts().boxes.products[i] = products[i];
    ws.balance();
  }
  void search(Workspace& ws, std::vector<std::string> terms) {
    for (auto& t : ws.texts().searchTerms) t.clear();
    for (std::size_t i = 0; i < terms.size(); ++i) ws.texts().searchTerms[i] = terms[i];
    ws.search();
  }
  std::vector<std::string> row(const Workspace& ws, int r) const {
    std::vector<std::string> cells;
    cells.reserve(4);
    for (int c = 0; c < 4; ++c) cells.push_back(ws.calcTable().cell(c, r));
    return cells;
  }

  testing::TempFolder m_folder;
  RecordingNotifier m_notifier;
  std::unique_ptr<Workspace> m_ws;
  std::string m_startError;
};

const char* const kLibrary =
    "#2H2+O2 = 2H2O#\r\n#2H2O = 2H2+O2#\r\n#2KClO3 = 2KCl+3O2#\r\n#2H2O2 = 2H2O+O2#\r\n";

TEST_F(WorkspaceTest, StartUpTexts) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  EXPECT_EQ(m_startError, "");
  EXPECT_EQ(ws.texts().message, "Welcome to use Quorvex!");
  EXPECT_EQ(ws.texts().boardText, "No Results avalible.");
  EXPECT_EQ(ws.texts().calcCaption, "Select an equation from the Blancer result list");
  EXPECT_EQ(ws.texts().elementFacts[0], "N/A");
  EXPECT_EQ(ws.library().count(), 4);
  ws.refreshAfterPageChange();
  EXPECT_EQ(ws.texts().libraryCount, " There are total 4 equations in your library currently.");
}

TEST_F(WorkspaceTest, AMissingLibraryIsReportedAndTheFirstAddCreatesIt) {
  Workspace& ws = start();
  EXPECT_EQ(m_startError.rfind("Cannot read the library file '", 0), 0u) << m_startError;
  EXPECT_NE(m_startError.find("cbd.dat': File not found"), std::string::npos) << m_startError;
  EXPECT_EQ(ws.elements().slot(26).name, "Iron");  // the element data loads all the same
  balance(ws, {"H2", "O2"}, {"H2O"});
  ws.nextBoardEquation();
  ws.addToLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "Added to the equation library successfully!");
  EXPECT_EQ(readLibrary(), "#2H2+O2 = 2H2O#\r\n");
}

TEST_F(WorkspaceTest, SearchExamplesCycleFromCaseTwoAndDiscardTheList) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  search(ws, {"", "", "", "", "", "", "O2"});
  ASSERT_GT(ws.searcher().found().count(), 0);
  ws.nextSearchExample();
  EXPECT_EQ(ws.searcher().found().count(), 0);
  EXPECT_EQ(ws.texts().searchTerms[6], "O2");
  for (int k = 0; k < kSearchBoxes; ++k) {
    if (k != 6) {
      EXPECT_EQ(ws.texts().searchTerms[k], "") << k;
    }
  }
  EXPECT_EQ(ws.texts().foundText, std::string(SearchExampleCase(2).guidance) + "\n");
  const int expectedCases[] = {3, 4, 5, 1, 2};
  for (int c : expectedCases) {
    ws.nextSearchExample();
    EXPECT_EQ(ws.texts().foundText, std::string(SearchExampleCase(c).guidance) + "\n");
  }
  // Case 4 then finds the equations with both reactants.
  ws.nextSearchExample();
  ws.nextSearchExample();
  EXPECT_EQ(ws.texts().searchTerms[0], "KClO3");
  ws.search();
  EXPECT_EQ(ws.searcher().found().count(), 0);
}

TEST_F(WorkspaceTest, SearchWithoutTermsRefreshesTheMessageBoxOnly) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  balance(ws, {"H2"}, {"O2"});
  ws.texts().message = "stale";
  search(ws, {});
  EXPECT_EQ(ws.texts().message, "Failed to balance!");
  EXPECT_EQ(ws.texts().foundText, "");
  EXPECT_EQ(m_notifier.messages().back(), kSearchWhatToType);

  // The calculator's input errors are its own: a refresh that meets one leaves
  // the Balancer page's message as the balance left it.
  writeLibrary(std::string(kLibrary) + "#O2 = (H2)1073741824#\r\n");
  Workspace& again = start();
  balance(again, {"H2"}, {"O2"});
  search(again, {"O2"});
  again.switchSource();
  again.nextCalcEquation();
  ASSERT_EQ(again.pickedEquation(), "O2 = (H2)1073741824");
  search(again, {});
  EXPECT_EQ(again.texts().message, "Failed to balance!");
}

// The terms travel on their own: a search leaves the Balancer's boxes as typed.
TEST_F(WorkspaceTest, SearchLeavesTheBalancerBoxesAsTyped) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  ws.texts().boxes.reactants[0] = "KClO3";
  ws.texts().boxes.reactants[8] = "x y";
  ws.texts().boxes.products[13] = "O2";
  const formula::BoxTexts typed = ws.texts().boxes;
  search(ws, {"", "", "", "", "", "", "O2"});
  ASSERT_EQ(ws.searcher().found().count(), 3);
  EXPECT_EQ(ws.texts().boxes.reactants, typed.reactants);
  EXPECT_EQ(ws.texts().boxes.products, typed.products);
}

TEST_F(WorkspaceTest, BalanceShowsTheFormulasAndWhyItFailed) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  balance(ws, {"CuSO4.5H2O"}, {"CuSO4", "H\u2082O"});
  EXPECT_EQ(ws.texts().boxes.reactants[0], "CuSO4*5H2O");
  EXPECT_EQ(ws.texts().boxes.products[1], "H2O");
  EXPECT_EQ(ws.texts().message, "Balanced it successfully!");
  EXPECT_EQ(ws.texts().messageHint, "");
  balance(ws, {"H2"}, {"O2"});
  EXPECT_EQ(ws.texts().message, "Failed to balance! H is found among the reactants only.");
  EXPECT_EQ(ws.texts().messageHint, ws.texts().message);
  ws.clearMessage();
  EXPECT_EQ(ws.texts().messageHint, "");
}

// A whole equation or a list typed into one box fills the boxes; the
// outcome message then reads as a sentence, with a hint for a common slip.
TEST_F(WorkspaceTest, TypedEquationsFillTheBoxesAndSlipsGetHints) {
  struct Case {
    const char* name;
    std::vector<std::string> reactants;  // typed into Sp1.., then Pr1..
    std::vector<std::string> products;
    std::vector<std::string> spReactants;  // the boxes after Balance
    std::vector<std::string> spProducts;
    std::string message;
  };
  const std::string many = "A + B + C + D + E + F + G + H + I + J + K + L + M + N + O = P";
  // clang-format off
  const std::vector<Case> cases = {
      {"equation in a product box replaces both sides", {"Na"}, {"KMnO4 + HCl = KCl + MnCl2 + H2O + Cl2"},
       {"KMnO4", "HCl"}, {"KCl", "MnCl2", "H2O", "Cl2"},
       "Balanced it successfully! The equation replaced what the other boxes held."},
      {"equation in box 1 replaces nothing else", {"H2 + O2 = H2O"}, {}, {"H2", "O2"}, {"H2O"},
       "Balanced it successfully!"},
      {"list into the empty boxes of its side", {"H2", "", "N2 + O2"}, {"H2O", "NO"}, {"H2", "O2", "N2"},
       {"H2O", "NO"},
       "Failed to balance! It combines 2 independent reactions; split it into equations that balance on their own."},
      {"too many species", {many}, {}, {many}, {},
       "Input error - 15 reactants do not fit into the 14 boxes for them; the text was left as it is."},
      {"electron typed as e", {"Fe[3+]", "e"}, {"Fe[2+]"}, {"Fe[3+]", "[-]"}, {"Fe[2+]"}, "Balanced it successfully!"},
      {"charge written sign first", {"Fe[+3]", "Cl2"}, {"FeCl3"}, {"Fe[+3]", "Cl2"}, {"FeCl3"},
       "Input error-charge error! Fe[+3]: write the charge as [3+]."},
      {"a line that reads two ways is left as typed", {"Hg2+ + e- = Hg"}, {}, {"Hg2+ + e- = Hg"}, {},
       "Input error - \"Hg2+\" reads two ways: Hg2[+] or Hg[2+]. Write its charge in square brackets. The text "
       "was left as it is."},
      {"ions read by the line, told after the outcome", {"Fe3+ + e- = Fe2+"}, {}, {"Fe[3+]", "[-]"}, {"Fe[2+]"},
       "Balanced it successfully! Read Fe3+ as Fe[3+]. Read Fe2+ as Fe[2+]."},
      // Typed coefficients are checked; the correct balance goes to the board.
      {"balanced as typed", {"2 H\u2082 + O\u2082 \u2192 2 H\u2082O"}, {}, {"2H2", "O2"}, {"2H2O"}, "Balanced."},
      {"not in lowest terms: too long for the box, the answer is on the list", {"4H2", "2O2"}, {"4H2O"},
       {"4H2", "2O2"}, {"4H2O"}, "Balanced, but not in lowest terms. The lowest terms are on the list."},
      {"fractions in the order typed", {"1/2 O2 + H2 = H2O"}, {}, {"1/2O2", "H2"}, {"H2O"},
       "Balanced, with fractions. In whole numbers: O2+2H2 = 2H2O"},
      {"a long verdict names the list", {"2Cu", "8HNO3"}, {"3Cu(NO3)2", "2NO", "4H2O"}, {"2Cu", "8HNO3"},
       {"3Cu(NO3)2", "2NO", "4H2O"}, "Not balanced: Cu: left 2, right 3. The balance is on the list."},
      // Hints for the slips students make, beside a success too.
      {"a zero for O", {"NaOH"}, {"Na", "O2", "H20"}, {"NaOH"}, {"Na", "O2", "H20"},
       "Balanced it successfully! H20: did you mean H2O (a letter O, not a zero)?"},
      {"a zero for O beside a check", {"20 NaOH"}, {"20 Na", "10 O2", "H20"}, {"20NaOH"}, {"20Na", "10O2", "H20"},
       "Balanced. H20: did you mean H2O (a letter O, not a zero)?"},
      {"letter case", {"Kcl"}, {"K", "Cl2"}, {"Kcl"}, {"K", "Cl2"},
       "Failed to balance! Kcl is found among the reactants only. Kcl: an element symbol is one capital letter, or "
       "a capital and a small letter: KCl?"},
      {"blanks inside a formula", {"Z n S O 4"}, {"Zn", "SO4"}, {"Z n S O 4"}, {"Zn", "SO4"},
       "Input error-Invalid characters! Letters stand apart: remove the blanks inside formulas."},
      {"no arrow", {"Fe + S FeS"}, {}, {"Fe", "S FeS"}, {},
       "Input error-Invalid characters! There is no = or arrow between the sides."},
      {"not balanced", {"H2", "O2"}, {"1H2O"}, {"H2", "O2"}, {"1H2O"},
       "Not balanced: O: left 2, right 1. The balance is 2H2+O2 = 2H2O"},
  };
  // clang-format on
  writeLibrary(kLibrary);
  Workspace& ws = start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    balance(ws, c.reactants, c.products);
    for (std::size_t i = 0; i < formula::kBoxesPerSide; ++i) {
      EXPECT_EQ(ws.texts().boxes.reactants[i], i < c.spReactants.size() ? c.spReactants[i] : "");
      EXPECT_EQ(ws.texts().boxes.products[i], i < c.spProducts.size() ? c.spProducts[i] : "");
    }
    EXPECT_EQ(ws.texts().message, c.message);
  }
  EXPECT_NE(ws.texts().boardText.find("2H2+O2 = 2H2O\n\n|"), std::string::npos);
  // A verdict shown short is whole in the box's hint.
  balance(ws, {"2Cu", "8HNO3"}, {"3Cu(NO3)2", "2NO", "4H2O"});
  EXPECT_EQ(ws.texts().messageHint,
            "Not balanced: Cu: left 2, right 3. The balance is 3Cu+8HNO3 = 3Cu(NO3)2+2NO+4H2O");
  // A checked box's invalid character is located after its coefficient.
  balance(ws, {"1/2O2", "H2 O"}, {"H2O"});
  EXPECT_EQ(ws.texts().message,
            "Input error-Invalid characters! Letters stand apart: remove the blanks inside formulas.");
  EXPECT_EQ(ws.texts().invalidCharacter, (formula::BoxPosition{false, 1, 2}));
  EXPECT_EQ(ws.balancer().outcome(), balance::BalanceOutcome::InvalidCharacters);
  // Pasting fills at once, with a message that says what happened.
  ws.resetBoxes();
  ws.texts().boxes.products[3] = "H2O, CO2";
  EXPECT_EQ(ws.spreadBox(true, 3), Workspace::Spread::Filled);
  EXPECT_EQ(ws.texts().boxes.products[3], "H2O");
  EXPECT_EQ(ws.texts().boxes.products[0], "CO2");
  EXPECT_EQ(ws.texts().message, kBoxesFilled);
  EXPECT_EQ(ws.spreadBox(false, 0), Workspace::Spread::OneSpecies);
  ws.texts().boxes.reactants[0] = "NH4+, NO3-";
  EXPECT_EQ(ws.spreadBox(false, 0), Workspace::Spread::Filled);
  EXPECT_EQ(ws.texts().boxes.reactants[1], "NO3[-]");
  EXPECT_EQ(ws.texts().message, std::string(kBoxesFilled) + " Read NH4+ as NH4[+]. Read NO3- as NO3[-].");
  EXPECT_EQ(ws.texts().messageColour, balance::kNormalColour);
  // An equation in place of species other boxes held says so.
  ws.texts().boxes.reactants[1] = "H2 + O2 = H2O";
  EXPECT_EQ(ws.spreadBox(false, 1), Workspace::Spread::Replaced);
  EXPECT_EQ(ws.texts().boxes.products[0], "H2O");
  EXPECT_EQ(ws.texts().message, kBoxesReplaced);
}

TEST_F(WorkspaceTest, PickersDriveTheCalculationTable) {
  writeLibrary(std::string(kLibrary) + "#CuSO4+5H2O = CuSO4.5H2O#\r\n");
  Workspace& ws = start();
  balance(ws, {"H2", "O2"}, {"H2O"});
  balance(ws, {"CS2", "MnO4[-]", "H[+]"}, {"Mn[2+]", "S", "CO2", "H2O"});
  ws.enterCalculator();
  EXPECT_EQ(ws.texts().calcPick, "|1| 2H2+O2 = 2H2O");
  EXPECT_EQ(ws.texts().calcCaption, "Select an equation from the Balancer result list (2)");
  EXPECT_EQ(row(ws, 1), (std::vector<std::string>{"H2", "2", "2", "4"}));
  EXPECT_EQ(row(ws, 3), (std::vector<std::string>{"H2O", "2", "18", "36"}));
  ws.setCalcCell(4, 1, "4");
  ws.useHighPrecision();
  EXPECT_EQ(row(ws, 2), (std::vector<std::string>{"O2", "1", "31.998", "31.998"}));
  ws.useGrams();
  EXPECT_EQ(ws.calcTable().cell(4, 1), "8.0632");
  ws.useMoles();
  EXPECT_EQ(ws.calcTable().cell(4, 1), "4");
  // Next moves to the second equation and clears the amounts.
  ws.nextCalcEquation();
  EXPECT_EQ(ws.texts().calcPick, "|2| 5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S+5CO2+6H2O");
  EXPECT_EQ(ws.calcTable().cell(4, 1), "");
  EXPECT_EQ(ws.calcTable().rowCount(), 7);
  ws.nextCalcEquation();
  EXPECT_EQ(ws.searcher().balancerPicker().position(), 2);
  ws.previousCalcEquation();
  EXPECT_EQ(ws.texts().calcPick, "|1| 2H2+O2 = 2H2O");
  // A stored line's notation is weighed as the balance reads it.
  search(ws, {"CuSO4"});
  ws.switchSource();
  ASSERT_EQ(ws.pickedEquation(), "CuSO4+5H2O = CuSO4.5H2O");
  EXPECT_EQ(row(ws, 3), (std::vector<std::string>{"CuSO4*5H2O", "1", "249.682", "249.682"}));
}

TEST_F(WorkspaceTest, SwitchListToAnEmptyFoundList) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  balance(ws, {"H2", "O2"}, {"H2O"});
  ws.enterCalculator();
  ASSERT_EQ(ws.calcTable().rowCount(), 3);
  ws.switchSource();
  EXPECT_EQ(ws.texts().calcPick, "The Found Equations List in the searcher is empty.");
  EXPECT_EQ(ws.texts().calcCaption, "Select an equation from the Searcher result list (0)");
  EXPECT_EQ(ws.calcTable().cell(0, 1), "");
  EXPECT_EQ(ws.searcher().balancerPicker().position(), 0);
  // And back: the balancer picker starts again from its first equation.
  ws.switchSource();
  EXPECT_EQ(ws.texts().calcPick, "|1| 2H2+O2 = 2H2O");
  EXPECT_EQ(ws.texts().calcCaption, "Select an equation from the Balancer result list (1)");
  EXPECT_EQ(ws.calcTable().cell(0, 1), "H2");
}

TEST_F(WorkspaceTest, PageEntryPicksTheFirstFoundEquationWhenTheBoardIsEmpty) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  search(ws, {"", "", "", "", "", "", "O2"});
  ASSERT_EQ(ws.searcher().found().count(), 3);
  ws.enterCalculator();
  EXPECT_EQ(ws.calcTable().source(), calc::CalculatorSource::FoundList);
  EXPECT_EQ(ws.texts().calcPick, "|1| 2H2O = 2H2+O2");
  EXPECT_EQ(ws.texts().calcCaption, "Select an equation from the Searcher result list (3)");
  EXPECT_EQ(ws.calcTable().cell(0, 1), "H2O");
  // A second entry with a picked equation changes nothing but the caption.
  ws.enterCalculator();
  EXPECT_EQ(ws.searcher().searcherPicker().position(), 1);
}

TEST_F(WorkspaceTest, AddAndDeleteRewriteTheFile) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  balance(ws, {"N2", "H2"}, {"NH3"});
  ws.addToLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "No equation selected.");
  ws.nextBoardEquation();
  EXPECT_EQ(ws.texts().addPick, "|1| N2+3H2 = 2NH3");
  ws.addToLibrary();
  ws.addToLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "This equation has already been in the equation library");
  EXPECT_EQ(readLibrary(), std::string(kLibrary) + "#N2+3H2 = 2NH3#\r\n");
  EXPECT_EQ(ws.texts().libraryCount, " There are total 5 equations in your library currently.");

  search(ws, {"N2"});
  ws.nextFoundEquation();
  EXPECT_EQ(ws.texts().deletePick, "|1| N2+3H2 = 2NH3");
  ws.deleteFromLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "Deleted from the library successfully!");
  ws.deleteFromLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "This equation is not in the library.");
  EXPECT_EQ(readLibrary(), kLibrary);

  // "Clear List" of the board resets the balancer picker.
  ws.clearResults();
  ws.addToLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "No equation selected.");
}

TEST_F(WorkspaceTest, TabChangeEmptiesStaleSelections) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  balance(ws, {"N2", "H2"}, {"NH3"});
  ws.nextBoardEquation();
  ASSERT_EQ(ws.texts().addPick, "|1| N2+3H2 = 2NH3");
  ws.refreshAfterPageChange();  // the found list is empty
  EXPECT_EQ(ws.texts().addPick, "");
  EXPECT_EQ(ws.texts().calcPick, "|1| N2+3H2 = 2NH3");
  // The pick stays, but the page shows nothing: the file is not changed.
  ws.addToLibrary();
  EXPECT_EQ(m_notifier.messages().back(), library::kPickFirst);
  EXPECT_EQ(readLibrary(), kLibrary);
  ws.nextBoardEquation();  // shows it again
  ASSERT_EQ(ws.texts().addPick, "|1| N2+3H2 = 2NH3");
  ws.addToLibrary();
  EXPECT_EQ(m_notifier.messages().back(), "Added to the equation library successfully!");

  ws.clearResults();
  search(ws, {"H2"});
  ws.nextFoundEquation();
  ASSERT_NE(ws.texts().deletePick, "");
  ws.refreshAfterPageChange();  // the board is empty
  ASSERT_EQ(ws.texts().deletePick, "");
  ws.deleteFromLibrary();
  EXPECT_EQ(m_notifier.messages().back(), library::kPickFirst);
  EXPECT_NE(readLibrary().find("N2+3H2 = 2NH3"), std::string::npos);
}

// The calculator's box on a tab change: emptied when the calculator's source list is empty.
TEST_F(WorkspaceTest, TabChangeEmptiesTheCalculatorBoxOfAnEmptySource) {
  using S = calc::CalculatorSource;
  struct Case {
    const char* name;
    int board;
    bool found;
    S source;
    bool emptied;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"both lists hold equations", 1, true, S::ResultBoard, false},
      {"board empty, calculator on the board", 0, true, S::ResultBoard, true},
      {"board empty, calculator on the found list", 0, true, S::FoundList, false},
      {"only the found list empty, calculator on the board", 1, false, S::ResultBoard, false},
      {"found list empty, calculator on it", 1, false, S::FoundList, true},
  };
  // clang-format on
  writeLibrary("#2H2+O2 = 2H2O#\r\n");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace& ws = start();
    if (c.board == 1) balance(ws, {"H2", "O2"}, {"H2O"});
    if (c.found) search(ws, {"H2"});
    ws.calcTable().setSource(c.source);
    ws.texts().calcPick = "shown";
    ws.refreshAfterPageChange();
    EXPECT_EQ(ws.texts().calcPick, c.emptied ? "" : "shown");
  }
}

// Records each modal message after the texts a command wrote before it, and
// whether the amounts were emptied by then: the order of a step's refreshes.
// The calculator's weighing of a picked equation with a 6-digit subscript
// says "Number too great" once, so each rebuild of the table shows.
class OrderNotifier final : public Notifier {
 public:
  Workspace* ws = nullptr;
  void modal(std::string_view text) override { look("modal:" + std::string(text)); }
  // The log since the last call; then every box holds a marker and amount 1 is typed.
  std::vector<std::string> take() {
    look("");
    for (std::string* box : boxes()) *box = kMarker;
    ws->setCalcCell(4, 1, "1");
    return std::exchange(m_log, {});
  }

 private:
  static constexpr const char* kMarker = "\x7f";
  std::vector<std::string*> boxes() {
    return {&ws->texts().addPick, &ws->texts().deletePick, &ws->texts().calcPick};
  }
  void look(const std::string& event) {
    if (ws == nullptr) return;
    if (ws->calcTable().cell(4, 1).empty()) {
      m_log.emplace_back("amounts emptied");
      ws->setCalcCell(4, 1, "1");
    }
    static constexpr const char* kNames[] = {"addPick", "deletePick", "calcPick"};
    const std::vector<std::string*> all = boxes();
    for (std::size_t i = 0; i < all.size(); ++i) {
      if (*all[i] == kMarker) continue;
      m_log.push_back(std::string(kNames[i]) + "=" + *all[i]);
      *all[i] = kMarker;
    }
    if (!event.empty()) m_log.push_back(event);
  }
  std::vector<std::string> m_log;
};

TEST_F(WorkspaceTest, PickerStepsRefreshTheCalculatorInOrder) {
  const std::string first = "H200000 = 100000H2";
  const std::string sel = "|1| " + first;
  const std::string rebuilt = "modal:" + std::string(formula::kNumberTooGreat);
  const std::string boardEmpty(library::kBoardListEmpty);
  const std::string foundEmpty(library::kFoundListEmpty);
  using Log = std::vector<std::string>;
  struct Case {
    const char* name;
    int lists;       // equations on the result board, also found by the search
    int stepsFirst;  // Next steps of both pickers before the command
    void (Workspace::*command)();
    Log shown;
    bool onFoundList = false;  // the calculator's source before the command, for an entry
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"Next moves", 1, 0, &Workspace::nextBoardEquation,
       {"amounts emptied", "calcPick=" + sel, rebuilt, "addPick=" + sel}},
      {"Next at the end", 1, 1, &Workspace::nextBoardEquation, {"addPick=" + sel}},
      {"Next on an empty board", 0, 0, &Workspace::nextBoardEquation,
       {"addPick=" + boardEmpty, "calcPick=" + boardEmpty}},
      {"Back moves", 2, 2, &Workspace::previousBoardEquation,
       {"amounts emptied", "addPick=" + sel, "calcPick=" + sel, rebuilt}},
      {"Back at the first", 1, 1, &Workspace::previousBoardEquation, {rebuilt}},
      {"Back on an empty board", 0, 0, &Workspace::previousBoardEquation,
       {"addPick=" + boardEmpty, "calcPick=" + boardEmpty}},
      {"searcher Next moves", 1, 0, &Workspace::nextFoundEquation,
       {"amounts emptied", "calcPick=" + sel, rebuilt, "deletePick=" + sel}},
      {"searcher Next at the end", 1, 1, &Workspace::nextFoundEquation, {"deletePick=" + sel}},
      {"searcher Next on an empty list", 0, 0, &Workspace::nextFoundEquation,
       {"deletePick=" + foundEmpty, "calcPick=" + foundEmpty}},
      {"searcher Back moves", 2, 2, &Workspace::previousFoundEquation,
       {"amounts emptied", "calcPick=" + sel, rebuilt, "deletePick=" + sel}},
      {"searcher Back at the first", 1, 1, &Workspace::previousFoundEquation,
       {rebuilt, "deletePick=" + sel}},
      {"searcher Back on an empty list", 0, 0, &Workspace::previousFoundEquation,
       {"deletePick=" + foundEmpty, "calcPick=" + foundEmpty}},
      // An entry with both lists empty left the found list as the source.
      {"entry after an entry that found both lists empty", 1, 0, &Workspace::enterCalculator,
       {"amounts emptied", "addPick=" + sel, "calcPick=" + sel, rebuilt}, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // The library holds the board's equations in board order, so both lists agree.
    writeLibrary(c.lists >= 1 ? "#" + first + "#\r\n#O200000 = 100000O2#\r\n" : "");
    OrderNotifier notifier;
    Workspace ws(notifier, libraryFile());
    ws.loadLibrary();
    ws.InitRealElement();
    const std::vector<std::string> reactants[] = {{"H200000"}, {"O200000"}};
    const std::vector<std::string> products[] = {{"H2"}, {"O2"}};
    for (int i = 0; i < c.lists; ++i) {
      balance(ws, reactants[i], products[i]);
      search(ws, {"", "", "", "", "", "", products[i][0]});
    }
    ASSERT_EQ(ws.searcher().found().count(), c.lists);
    for (int i = 0; i < c.stepsFirst; ++i) {
      ws.nextBoardEquation();
      ws.nextFoundEquation();
    }
    // Each picker's steps rebuild the table from the equation it picks.
    const bool foundStep =
        c.command == &Workspace::nextFoundEquation || c.command == &Workspace::previousFoundEquation;
    ws.calcTable().setSource(foundStep || c.onFoundList ? calc::CalculatorSource::FoundList
                                                        : calc::CalculatorSource::ResultBoard);
    notifier.ws = &ws;
    notifier.take();
    (ws.*c.command)();
    EXPECT_EQ(notifier.take(), c.shown);
  }
}

// "Clear List" of either list empties the calculator's box with its picker.
TEST_F(WorkspaceTest, ClearListEmptiesTheCalculatorBox) {
  writeLibrary(kLibrary);
  Workspace& ws = start();
  balance(ws, {"H2", "O2"}, {"H2O"});
  search(ws, {"", "", "", "", "", "", "O2"});
  ws.nextFoundEquation();
  ASSERT_NE(ws.texts().calcPick, "");
  ws.clearFound();
  EXPECT_EQ(ws.texts().calcPick, "");
  EXPECT_EQ(ws.texts().foundText, "");
  ws.nextBoardEquation();
  ASSERT_NE(ws.texts().calcPick, "");
  ws.clearResults();
  EXPECT_EQ(ws.texts().calcPick, "");
  EXPECT_EQ(ws.texts().boardText, "");
  ws.nextBoardEquation();
  ws.nextSearchExample();
  EXPECT_EQ(ws.texts().calcPick, "");
}

TEST_F(WorkspaceTest, PeriodicTableFacts) {
  Workspace& ws = start();
  ws.showElement("Fe");
  EXPECT_EQ(ws.texts().elementFacts, (std::array<std::string, 10>{"Iron", "Fe", "Metal", "26", "55.847",
                                                                  "Solid", "1535", "2750", "1.8", "759"}));
  ws.showElement("Uun");
  for (const std::string& fact : ws.texts().elementFacts) EXPECT_EQ(fact, "");
  ws.showElement("He");
  EXPECT_EQ(ws.texts().elementFacts[8], " N / A");
}

TEST_F(WorkspaceTest, BalanceExamplesCycleFromCaseThree) {
  Workspace& ws = start();
  ws.texts().boxes.reactants[3] = "typed";
  const char* const firstReactants[] = {"P4", "CrI3", "Cu(NH3)4[2+]", "H2", "CS2", "P4"};
  for (const char* expected : firstReactants) {
    ws.nextBalanceExample();
    EXPECT_EQ(ws.texts().boxes.reactants[0], expected);
  }
  EXPECT_EQ(ws.texts().message,
            "Good! Now click \"Balance\" to balance, or click \"Examples\" again for next.");
  EXPECT_EQ(ws.texts().messageColour, balance::kNormalColour);
  // Case 3 fills its boxes and empties the others.
  EXPECT_EQ(ws.texts().boxes.reactants[1], "P2I4");
  EXPECT_EQ(ws.texts().boxes.reactants[2], "H2O");
  EXPECT_EQ(ws.texts().boxes.reactants[3], "");
  EXPECT_EQ(ws.texts().boxes.products[0], "H3PO4");
  EXPECT_EQ(ws.texts().boxes.products[1], "PH4I");
  // Case 1 reaches into the second column of both sides.
  for (int i = 0; i < 3; ++i) ws.nextBalanceExample();
  EXPECT_EQ(ws.texts().boxes.reactants[10], "SO2");
  EXPECT_EQ(ws.texts().boxes.products[8], "H2O");
}

TEST_F(WorkspaceTest, ResetEmptiesEveryBoxAndTheMessage) {
  Workspace& ws = start();
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    ws.texts().boxes.reactants[i] = "H2";
    ws.texts().boxes.products[i] = "O2";
  }
  ws.balance();
  ASSERT_NE(ws.texts().message, "");
  ws.resetBoxes();
  for (int i = 0; i < formula::kBoxesPerSide; ++i) {
    EXPECT_EQ(ws.texts().boxes.reactants[i], "") << i;
    EXPECT_EQ(ws.texts().boxes.products[i], "") << i;
  }
  EXPECT_EQ(ws.texts().message, "");
}

// A search that finds nothing only because of letter case says that it matters.
TEST_F(WorkspaceTest, SearchSaysWhenOnlyLetterCaseDiffers) {
  struct Case {
    const char* name;
    std::string product;  // the first product term
    bool hinted;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"lower case finds nothing", "h2o", true},
      {"found as typed", "H2O", false},
      {"not in the library in any case", "NaCl", false},
  };
  // clang-format on
  writeLibrary(kLibrary);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Workspace& ws = start();
    search(ws, {"", "", "", "", "", "", c.product});
    const std::string hint = std::string(library::kLetterCaseMatters) + "\n\n";
    const std::string& found = ws.texts().foundText;
    EXPECT_EQ(
        found.size() >= hint.size() && found.compare(found.size() - hint.size(), hint.size(), hint) == 0,
        c.hinted)
        << found;
  }
}

}  // namespace
}  // namespace quorvex::workspace
