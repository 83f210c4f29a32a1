// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/searcherpage.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/printing.h"
#include "app/tform1.h"

namespace quorvex::app {
namespace {

constexpr Slot kBalance = &TForm1::Input_BalanceClick;
constexpr Slot kSearch = &TForm1::Button2Click;
constexpr const char* kLastHint = "Slect last equation in the result board.";
constexpr const char* kNextHint = "Slect next equation in the result board.";

// Each group of search boxes in two columns of three.
// The table keeps one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kRows[] = {
    {Kind::Page, "TapSheet1", "TabSheet2", "Searcher"},
    {Kind::Pages, "TabSheet2", "PageControl1", "", {0, 0, 521, 465}},
    {Kind::Page, "PageControl1", "TabSheet3", "Search in the library"},
    {Kind::Group, "TabSheet3", "GroupBox10", "Reactants", {9, 3, 245, 93}},
    {Kind::Group, "TabSheet3", "GroupBox8", "Products", {263, 3, 246, 93}},
    Input("GroupBox10", "SearchEdit1", 8, 16, kSearch, kClearsMessage),
    Input("GroupBox10", "SearchEdit2", 8, 40, kSearch, kClearsMessage),
    Input("GroupBox10", "SearchEdit3", 8, 64, kSearch, kClearsMessage),
    Input("GroupBox10", "SearchEdit4", 128, 16, kSearch, kClearsMessage),
    Input("GroupBox10", "SearchEdit5", 128, 40, kSearch, kClearsMessage),
    Input("GroupBox10", "SearchEdit6", 128, 64, kSearch, kClearsMessage),
    Input("GroupBox8", "SearchEdit7", 8, 16, kSearch, kClearsMessage),
    Input("GroupBox8", "SearchEdit8", 8, 40, kSearch, kClearsMessage),
    Input("GroupBox8", "SearchEdit9", 8, 64, kSearch, kClearsMessage),
    Input("GroupBox8", "SearchEdit10", 128, 16, kSearch, kClearsMessage),
    Input("GroupBox8", "SearchEdit11", 128, 40, kSearch, kClearsMessage),
    Input("GroupBox8", "SearchEdit12", 128, 64, kSearch, kClearsMessage),
    Text("TabSheet3", "Label19", "Found Equations List", 9, 101),
    Named({Kind::List, "TabSheet3", "m_SearchResultEdit", "", {8, 121, 499, 280}}, "Found equations"),
    Named(Button("TabSheet3", "BitBtn18", "&Reset", 7, 407, 75, "", &TForm1::BitBtn18Click),
          "Reset (search boxes)"),
    Named(Button("TabSheet3", "BitBtn14", "&Examples", 82, 407, 75, "", &TForm1::OnSearchExamples),
          "Examples (searching)"),
    Button("TabSheet3", "BitBtn13", "&Search", 156, 407, 75, "", kSearch),
    Named(Button("TabSheet3", "BitBtn19", "&Clear List", 359, 407, 75, "", &TForm1::OnClearSchList),
          "Clear List (found equations)"),
    Named(Button("TabSheet3", "BitBtn21", "&Print List", 434, 407, 75, "", &TForm1::printFoundList),
          "Print List (found equations)"),
    Button("TabSheet3", "BitBtn12", "Balance", 600, 407, 75, "", kBalance, kHidden),
    {Kind::Page, "PageControl1", "TabSheet5", "Libray Maintenance", {}, "", nullptr, 0, kNavy},
    Text("TabSheet5", "EquationNumberLabel", "There are total 217 equations in your library currently.",
         128, 8),
    Text("TabSheet5", "StaticText1", "Add a new balanced equation to the library:", 11, 46),
    {Kind::Group, "TabSheet5", "GroupBox14", "Select one in the Balanced Equations List in the balalancer",
     {8, 65, 505, 153}},
    Named({Kind::List, "GroupBox14", "AddToLibEdit", "", {8, 16, 489, 97}}, "Equation to add"),
    Named(Button("GroupBox14", "BitBtn22", "&Back", 8, 120, 90, kLastHint, &TForm1::OnSelEquationBack),
          "Back (balanced equations)"),
    Named(Button("GroupBox14", "BitBtn23", "&Next", 104, 120, 90, kNextHint, &TForm1::OnSelEquationNext),
          "Next (balanced equations)"),
    Button("GroupBox14", "BitBtn24", "&Add To Lib", 407, 120, 90,
           "Add current equation to your equation library.", &TForm1::OnAddTolib),
    Text("TabSheet5", "StaticText2", "Remove an equation from the library:", 8, 248),
    {Kind::Group, "TabSheet5", "GroupBox15", "Select one in the Found Equations List in the searcher",
     {8, 265, 505, 153}},
    Named({Kind::List, "GroupBox15", "RemoveEquationEdit", "", {8, 16, 489, 97}}, "Equation to remove"),
    Named(Button("GroupBox15", "BitBtn28", "Bac&k", 8, 120, 90, kLastHint, &TForm1::OnSchSelEquationBack),
          "Back (found equations)"),
    Named(Button("GroupBox15", "BitBtn29", "Ne&xt", 104, 120, 90, kNextHint, &TForm1::OnSchSelEquationNext),
          "Next (found equations)"),
    Button("GroupBox15", "BitBtn26", "&Del From Lib", 407, 120, 90,
           "Remove current equation from your equation library.", &TForm1::OnDelFromLib),
};
// clang-format on

}  // namespace

SearcherPage::SearcherPage(TForm1& window) : Page(window, kRows) {
  for (int i = 0; i < workspace::kSearchBoxes; ++i) {
    m_terms[i] = control<QLineEdit>("SearchEdit" + QString::number(i + 1));
  }
  m_found = control<QPlainTextEdit>("m_SearchResultEdit");
  m_count = control<QLabel>("EquationNumberLabel");
  m_addPick = control<QPlainTextEdit>("AddToLibEdit");
  m_deletePick = control<QPlainTextEdit>("RemoveEquationEdit");
  connect(qApp, &QApplication::focusChanged, this, &SearcherPage::onFocusChanged);
}

void SearcherPage::read(workspace::WindowTexts& texts) const {
  for (int i = 0; i < workspace::kSearchBoxes; ++i) texts.searchTerms[i] = ToBytes(m_terms[i]->text());
}

void SearcherPage::show(const workspace::WindowTexts& texts) {
  for (int i = 0; i < workspace::kSearchBoxes; ++i) ShowText(m_terms[i], FromBytes(texts.searchTerms[i]));
  ShowList(m_found, FromBytes(texts.foundText));
  ShowText(m_addPick, FromBytes(texts.addPick));
  ShowText(m_deletePick, FromBytes(texts.deletePick));
  if (m_count->text() != FromBytes(texts.libraryCount)) {
    m_count->setText(FromBytes(texts.libraryCount));
    m_count->adjustSize();
  }
}

void SearcherPage::printList() {
  const QString heading = "Found Equations List";
  PrintList(heading, NumberedEquations(m_window.workspace().searcher().found()), m_window.presenter(),
            [this, &heading] { return m_window.choosePdfPath(heading); });
}

void SearcherPage::onFocusChanged(QWidget* old, QWidget* now) {
  // Only moves inside the window count: focus that comes back from a message
  // box or another program enters nothing.
  const QWidget* window = m_found->window();
  if (!now || !old || now->window() != window || old->window() != window) return;
  if (now == m_addPick || now == m_deletePick) m_window.OnSelEquationEditEnter();
}

}  // namespace quorvex::app
