// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pagetables.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

#include <algorithm>
#include <memory>
#include <utility>

#include "app/calcgrid.h"
#include "app/clickfilter.h"
#include "app/elementkeys.h"
#include "app/equationlist.h"
#include "app/frozenedges.h"
#include "app/narrowcellstyle.h"
#include "app/pictures.h"
#include "app/sharpframestyle.h"
#include "app/tform1.h"
#include "calc/calctable.h"
#include "formula/notation.h"

namespace quorvex::app {
namespace {

constexpr QRgb kNavy = qRgb(0, 0, 128);
constexpr QRgb kMetal = qRgb(0, 128, 0);
constexpr QRgb kMetalloid = qRgb(128, 0, 128);
constexpr QRgb kNonMetal = qRgb(255, 0, 0);

// The rows that recur: buttons 25 pixels high, input boxes 110 by 19, and
// captions sized to their text.
constexpr Control Button(const char* parent, const char* name, const char* caption, int left, int top,
                         int width, const char* hint, Slot slot, unsigned flags = 0) {
  return {Kind::Button, parent, name, caption, {left, top, width, 25}, hint, slot, flags};
}
constexpr Control Input(const char* parent, const char* name, int left, int top, Slot enter, unsigned flags,
                        const char* hint = "") {
  return {Kind::Edit, parent, name, "", {left, top, 110, 19}, hint, enter, flags};
}
constexpr Control Text(const char* parent, const char* name, const char* caption, int left, int top,
                       unsigned flags = 0) {
  return {Kind::Label, parent, name, caption, {left, top, 0, 0}, "", nullptr, flags};
}
constexpr Control Fact(const char* name, const char* caption, int left, int top) {
  return Text("GroupBox9", name, caption, left, top, kLabelsNext);
}
constexpr Control FactValue(const char* name, int left, int top) {
  return {Kind::Label, "GroupBox9", name, "N/A", {left, top, 120, 16}, "", nullptr, 0, kNavy};
}

constexpr unsigned kReactantBox = kClearsMessage | kNormalises;
constexpr Slot kBalance = &TForm1::Input_BalanceClick;
constexpr Slot kSearch = &TForm1::Button2Click;

// The tables keep one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kWindow[] = {
    {.kind = Kind::Picture, .parent = nullptr, .name = "Image1", .geometry = {0, -1, 543, 41},
     .picture = BannerPicture},
    {Kind::Pages, nullptr, "TapSheet1", "", {0, 34, 531, 497}},
};

// Sp1..Sp6 and Sp8 down the left column, Sp7 and Sp9..Sp14 down the right;
// Pr1..Pr7 down the left, Pr8..Pr14 down the right.
constexpr Control kBalancer[] = {
    {Kind::Page, "TapSheet1", "TabSheet1", "Balancer", {}, "Input Pannel"},
    {.kind = Kind::Picture, .parent = "TabSheet1", .name = "Image2", .geometry = {11, 5, 94, 22},
     .picture = PagePicture},
    {Kind::Edit, "TabSheet1", "MessageBox", "", {104, 6, 409, 19}, kMessageBoxHint, nullptr, kReadOnly},
    {Kind::Group, "TabSheet1", "GroupBox1", "Reactants", {9, 28, 250, 191}},
    {Kind::Group, "TabSheet1", "GroupBox2", "Products", {263, 28, 250, 191}},
    Input("GroupBox1", "Sp1", 8, 16, kBalance, kReactantBox, "Input reactant"),
    Input("GroupBox1", "Sp2", 8, 40, kBalance, kReactantBox),
    Input("GroupBox1", "Sp3", 8, 64, kBalance, kReactantBox),
    Input("GroupBox1", "Sp4", 8, 88, kBalance, kReactantBox),
    Input("GroupBox1", "Sp5", 8, 112, kBalance, kReactantBox),
    Input("GroupBox1", "Sp6", 8, 136, kBalance, kReactantBox),
    Input("GroupBox1", "Sp7", 128, 16, kBalance, kReactantBox),
    Input("GroupBox1", "Sp8", 8, 160, kBalance, kReactantBox),
    Input("GroupBox1", "Sp9", 128, 40, kBalance, kReactantBox),
    Input("GroupBox1", "Sp10", 128, 64, kBalance, kReactantBox),
    Input("GroupBox1", "Sp11", 128, 88, kBalance, kReactantBox),
    Input("GroupBox1", "Sp12", 128, 112, kBalance, kReactantBox),
    Input("GroupBox1", "Sp13", 128, 136, kBalance, kReactantBox),
    Input("GroupBox1", "Sp14", 128, 160, kBalance, kReactantBox),
    Input("GroupBox2", "Pr1", 8, 16, kBalance, kReactantBox),
    Input("GroupBox2", "Pr2", 8, 40, kBalance, kReactantBox),
    Input("GroupBox2", "Pr3", 8, 64, kBalance, kReactantBox),
    Input("GroupBox2", "Pr4", 8, 88, kBalance, kReactantBox),
    Input("GroupBox2", "Pr5", 8, 112, kBalance, kReactantBox),
    Input("GroupBox2", "Pr6", 8, 136, kBalance, kReactantBox),
    Input("GroupBox2", "Pr7", 8, 160, kBalance, kReactantBox),
    Input("GroupBox2", "Pr8", 128, 16, kBalance, kReactantBox),
    Input("GroupBox2", "Pr9", 128, 40, kBalance, kReactantBox),
    Input("GroupBox2", "Pr10", 128, 64, kBalance, kReactantBox),
    Input("GroupBox2", "Pr11", 128, 88, kBalance, kReactantBox),
    Input("GroupBox2", "Pr12", 128, 112, kBalance, kReactantBox),
    Input("GroupBox2", "Pr13", 128, 136, kBalance, kReactantBox),
    Input("GroupBox2", "Pr14", 128, 160, kBalance, kReactantBox),
    Text("TabSheet1", "Label9", "Balanced Equations List", 8, 224),
    // The caption strip over the list's top edge, behind the list.
    Text("TabSheet1", "Label7", "Balanced Equations List", 8, 257, kBanner),
    {Kind::List, "TabSheet1", "ResultEdit", "", {8, 243, 504, 185}, "", nullptr, kLargeText},
    Button("TabSheet1", "ClearBt", "&Reset", 8, 435, 75, "Reset reactants and products",
           &TForm1::ResetButtonClick),
    Button("TabSheet1", "ExampleBt", "&Examples", 81, 435, 75, "Click to show examples",
           &TForm1::ExampleBtClick),
    Button("TabSheet1", "BalanceBt", "&Balance", 155, 435, 75, "Balance the equation", kBalance),
    Button("TabSheet1", "BitBtn15", "&Clear List", 356, 435, 75, "Clear all balanced equations",
           &TForm1::OnResultClear),
    Button("TabSheet1", "BitBtn2", "&Print List", 431, 435, 75, "Print the balanced equations",
           &TForm1::printResultList),
    Button("TabSheet1", "SearchBt", "Search", 600, 435, 75, "", kSearch, kHidden),
};

constexpr const char* kLastHint = "Slect last equation in the result board.";
constexpr const char* kNextHint = "Slect next equation in the result board.";

// Each group of search boxes in two columns of three.
constexpr Control kSearcher[] = {
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
    {Kind::List, "TabSheet3", "m_SearchResultEdit", "", {8, 121, 499, 280}},
    Button("TabSheet3", "BitBtn18", "&Reset", 7, 407, 75, "", &TForm1::BitBtn18Click),
    Button("TabSheet3", "BitBtn14", "&Examples", 82, 407, 75, "", &TForm1::OnSearchExamples),
    Button("TabSheet3", "BitBtn13", "&Search", 156, 407, 75, "", kSearch),
    Button("TabSheet3", "BitBtn19", "&Clear List", 359, 407, 75, "", &TForm1::OnClearSchList),
    Button("TabSheet3", "BitBtn21", "&Print List", 434, 407, 75, "", &TForm1::printFoundList),
    Button("TabSheet3", "BitBtn12", "Balance", 600, 407, 75, "", kBalance, kHidden),
    {Kind::Page, "PageControl1", "TabSheet5", "Libray Maintenance", {}, "", nullptr, 0, kNavy},
    Text("TabSheet5", "EquationNumberLabel", "There are total 217 equations in your library currently.",
         128, 8),
    Text("TabSheet5", "StaticText1", "Add a new balanced equation to the library:", 11, 46),
    {Kind::Group, "TabSheet5", "GroupBox14", "Select one in the Balanced Equations List in the balalancer",
     {8, 65, 505, 153}},
    {Kind::List, "GroupBox14", "AddToLibEdit", "", {8, 16, 489, 97}},
    Button("GroupBox14", "BitBtn22", "&Back", 8, 120, 90, kLastHint, &TForm1::OnSelEquationBack),
    Button("GroupBox14", "BitBtn23", "&Next", 104, 120, 90, kNextHint, &TForm1::OnSelEquationNext),
    Button("GroupBox14", "BitBtn24", "&Add To Lib", 407, 120, 90,
           "Add current equation to your equation library.", &TForm1::OnAddTolib),
    Text("TabSheet5", "StaticText2", "Remove an equation from the library:", 8, 248),
    {Kind::Group, "TabSheet5", "GroupBox15", "Select one in the Found Equations List in the searcher",
     {8, 265, 505, 153}},
    {Kind::List, "GroupBox15", "RemoveEquationEdit", "", {8, 16, 489, 97}},
    Button("GroupBox15", "BitBtn28", "Bac&k", 8, 120, 90, kLastHint, &TForm1::OnSchSelEquationBack),
    Button("GroupBox15", "BitBtn29", "Ne&xt", 104, 120, 90, kNextHint, &TForm1::OnSchSelEquationNext),
    Button("GroupBox15", "BitBtn26", "&Del From Lib", 407, 120, 90,
           "Remove current equation from your equation library.", &TForm1::OnDelFromLib),
};

constexpr Control kCalculator[] = {
    {Kind::Page, "TapSheet1", "CalculateSheet", "Calculator", {}, "Equation and Calculation Table."},
    {Kind::Group, "CalculateSheet", "GroupCalcEquation", "Select an equation from the Blancer result list",
     {8, 8, 505, 153}},
    {Kind::List, "GroupCalcEquation", "SelEquationEdit", "", {8, 16, 489, 97}},
    Button("GroupCalcEquation", "BitBtn30", "&Switch List...", 8, 120, 90, "Switch equation lists",
           &TForm1::BitBtn30Click),
    Button("GroupCalcEquation", "BitBtn3", "&Prev", 320, 120, 85, "Select the previous equation",
           &TForm1::OnCalcBack),
    Button("GroupCalcEquation", "BitBtn4", "&Next", 409, 120, 85, "Select the next equation",
           &TForm1::OnCalcNext),
    Button("GroupCalcEquation", "BitBtn10", "Add To Lib", 600, 120, 75, "", &TForm1::OnAddTolib, kHidden),
    Button("GroupCalcEquation", "BitBtn11", "Del From Lib", 600, 120, 75, "", &TForm1::OnDelFromLib,
           kHidden),
    {Kind::Group, "CalculateSheet", "GroupBox4", "Calculation Table", {8, 160, 505, 305}},
    {Kind::Grid, "GroupBox4", "CalculateGrid", "", {8, 16, 489, 225}},
    {Kind::Group, "GroupBox4", "GroupBox13", "Calculating", {8, 246, 200, 50}},
    {Kind::Radio, "GroupBox13", "Unit_mol", "&amount (mole)", {6, 18, 100, 22}, "", &TForm1::Unit_molClick,
     kSelected},
    {Kind::Radio, "GroupBox13", "Unit_g", "&mass (gram)", {108, 18, 90, 22}, "", &TForm1::Unit_gClick},
    {Kind::Group, "GroupBox4", "GroupBox12", "Precision", {214, 246, 110, 50}},
    {Kind::Radio, "GroupBox12", "RadioButton1", "&low", {8, 18, 45, 22}, "", &TForm1::OnLowPrecisionClick,
     kSelected},
    {Kind::Radio, "GroupBox12", "RadioButton2", "&high", {56, 18, 50, 22}, "",
     &TForm1::OnHighPrecisionClick},
    Button("GroupBox4", "CalculateBt", "&Calculate", 336, 262, 75, "Solve selected equation.",
           &TForm1::OnSetAccurate),
    Button("GroupBox4", "BitBtn5", "Clea&r All", 420, 262, 75, "Clear the table.", &TForm1::BitBtn5Click),
};

constexpr Control kReport[] = {
    {Kind::Page, "TapSheet1", "TabSheet4", "Report"},
    {Kind::Group, "TabSheet4", "GroupBox5", "Report", {4, 2, 513, 456}, "Write your report here."},
    {Kind::RichText, "GroupBox5", "ReportEdit", "", {8, 16, 497, 401}},
    Button("GroupBox5", "BitBtn6", "&Print", 8, 424, 75, "", &TForm1::BitBtn6Click),
    Button("GroupBox5", "BitBtn17", "&Save", 90, 424, 75, "", &TForm1::BitBtn17Click),
    Button("GroupBox5", "BitBtn16", "&Calculator", 172, 424, 75, "", &TForm1::BitBtn16Click),
    // What the last Save did.
    Text("GroupBox5", "ReportStatus", "", 256, 429),
    Button("GroupBox5", "BitBtn1", "C&lear All", 430, 424, 75, "", &TForm1::BitBtn1Click),
};

// The facts stand in two columns of five, each caption followed by its value.
constexpr Control kPeriodicTable[] = {
    {Kind::Page, "TapSheet1", "TableTabSheet", "Periodic Table", {}, "Periodic Table"},
    {Kind::Group, "TableTabSheet", "GroupBox6", "", {16, 8, 489, 313}},
    {Kind::Elements, "GroupBox6", "", "", {}, "", &TForm1::OnElementClick},
    {Kind::Swatch, "GroupBox6", "LegendMetal", "", {19, 24, 12, 12}, "", nullptr, 0, kMetal},
    Text("GroupBox6", "LegendMetalLabel", "Metal", 36, 23),
    {Kind::Swatch, "GroupBox6", "LegendMetalloid", "", {119, 24, 12, 12}, "", nullptr, 0, kMetalloid},
    Text("GroupBox6", "LegendMetalloidLabel", "Metalloid", 136, 23),
    {Kind::Swatch, "GroupBox6", "LegendNonMetal", "", {239, 24, 12, 12}, "", nullptr, 0, kNonMetal},
    Text("GroupBox6", "LegendNonMetalLabel", "Non-Metal", 256, 23),
    {Kind::Group, "TableTabSheet", "GroupBox9", "", {16, 337, 489, 121}},
    Fact("CaptionETName", "Name", 10, 12),
    FactValue("ETName", 120, 12),
    Fact("CaptionETSymbol", "Symbol", 10, 33),
    FactValue("ETSymbol", 120, 33),
    Fact("CaptionETeType", "Type", 10, 54),
    FactValue("ETeType", 120, 54),
    Fact("CaptionETnumber", "Atomic Number", 10, 75),
    FactValue("ETnumber", 120, 75),
    Fact("CaptionETweight", "Atomic Weight", 10, 96),
    FactValue("ETweight", 120, 96),
    Fact("CaptionETstate", "Natural State", 250, 12),
    FactValue("ETstate", 360, 12),
    Fact("CaptionETMelt", "Melting Point", 250, 33),
    FactValue("ETMelt", 360, 33),
    Fact("CaptionETBoil", "Boiling Point", 250, 54),
    FactValue("ETBoil", 360, 54),
    Fact("CaptionETnag", "ElectroNagativity", 250, 75),
    FactValue("ETnag", 360, 75),
    Fact("CaptionETEnergy", "Lonization Energy", 250, 96),
    FactValue("ETEnergy", 360, 96),
};

constexpr Control kHelp[] = {
    {Kind::Page, "TapSheet1", "TabSheet7", "Help", {}, "Help Documents"},
    {Kind::Group, "TabSheet7", "GroupBox11", "", {4, 2, 513, 462}},
    {.kind = Kind::Picture, .parent = "GroupBox11", .name = "Image3", .geometry = {12, 20, 16, 16},
     .picture = HomeIcon},
    {Kind::Label, "GroupBox11", "Label2", "Home Page", {32, 21, 0, 0}, "", &TForm1::OnWeb, kLink, kNavy},
    {.kind = Kind::Picture, .parent = "GroupBox11", .name = "Image4", .geometry = {180, 20, 16, 16},
     .picture = MailIcon},
    {Kind::Label, "GroupBox11", "Label1", kSupportAddress, {200, 21, 0, 0}, "", &TForm1::Label1Click, kLink,
     kNavy},
    {Kind::RichText, "GroupBox11", "HelpRichEdit", "", {8, 48, 497, 409}, "", nullptr, kReadOnly},
};
// clang-format on

// Spoken names of the controls whose caption does not name them uniquely;
// the numbered boxes are named by AccessibleName itself.
struct Spoken {
  const char* name;
  const char* spoken;
};
constexpr Spoken kSpokenNames[] = {
    {"MessageBox", "Message"},
    {"ResultEdit", "Balanced equations"},
    {"m_SearchResultEdit", "Found equations"},
    {"AddToLibEdit", "Equation to add"},
    {"BitBtn22", "Back (balanced equations)"},
    {"BitBtn23", "Next (balanced equations)"},
    {"RemoveEquationEdit", "Equation to remove"},
    {"BitBtn28", "Back (found equations)"},
    {"BitBtn29", "Next (found equations)"},
    {"SelEquationEdit", "Selected equation"},
    {"CalculateGrid", "Calculation table"},
    {"ReportEdit", "Report text"},
    {"BitBtn16", "Calculator program"},
    {"HelpRichEdit", "Help text"},
};

constexpr std::span<const Control> kTables[] = {kWindow, kBalancer,      kSearcher, kCalculator,
                                                kReport, kPeriodicTable, kHelp};

// Typed or pasted notation is written as formulas at once, so the box shows
// what will be balanced. The text goes to the core as UTF-8 and comes back.
// A whole equation pasted (more than one character at once) fills the boxes;
// one typed waits until the box is left, so typing goes on undisturbed.
void NormaliseWhileTyping(QLineEdit* box, TForm1& window) {
  // The lengths before and after the last change.
  auto lengths = std::make_shared<std::pair<qsizetype, qsizetype>>(0, 0);
  QObject::connect(box, &QLineEdit::textChanged, box, [lengths](const QString& text) {
    *lengths = {lengths->second, text.size()};
  });
  QObject::connect(box, &QLineEdit::textEdited, box, [box, &window, lengths](const QString& text) {
    // The length before this change, whichever signal came first.
    const qsizetype before = lengths->second == text.size() ? lengths->first : lengths->second;
    if (text.size() - before > 1 && window.spreadEquation(box)) return;
    const std::string normal = formula::NormaliseSpecies(text.toUtf8().toStdString());
    const QString shown = QString::fromUtf8(normal.data(), static_cast<qsizetype>(normal.size()));
    if (shown == text) return;
    const int fromEnd = static_cast<int>(text.size()) - box->cursorPosition();
    box->setText(shown);
    box->setCursorPosition(std::max(0, static_cast<int>(shown.size()) - fromEnd));
  });
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

// The calculation table: 61 rows of 30 columns whose row 0 and column 0 are
// fixed, sky blue and not editable. Only the amounts are typed: the table and
// Calculate use nothing else typed into the grid.
QTableWidget* CalculationGrid(QWidget* parent, const QRect& geometry) {
  auto* grid = new CalculationGridView(61, 30, parent);
  // Placed before it is set up: its scroll bars take their sizes from here.
  grid->setGeometry(geometry);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  // One pixel of margin beside a cell's text, so that "Total Molecular Weight"
  // shows whole in its 112 pixels.
  grid->setStyle(new NarrowCellStyle);
  // The minimum first: a default below the minimum in force (which the font
  // sets) is raised to it.
  grid->horizontalHeader()->setMinimumSectionSize(10);
  grid->verticalHeader()->setMinimumSectionSize(10);
  grid->horizontalHeader()->setDefaultSectionSize(80);
  grid->verticalHeader()->setDefaultSectionSize(16);
  static constexpr int kWidths[7] = {80, 73, 85, 112, 96, 94, 91};
  for (int c = 0; c < 7; ++c) grid->setColumnWidth(c, kWidths[c]);
  grid->setRowHeight(6, 15);
  // No editing on a click into the selected cell: its editor would open after
  // a delay and lose the keys typed before it.
  grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::AnyKeyPressed | QAbstractItemView::CurrentChanged);
  grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  grid->setTabKeyNavigation(true);
  grid->setTextElideMode(Qt::ElideNone);
  grid->setWordWrap(false);
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      auto* item = new QTableWidgetItem;
      if (r == 0 || c == 0) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(QColor(166, 202, 240));
      } else if (c != calc::kAmountColumn) {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      }
      grid->setItem(r, c, item);
    }
  }
  return grid;
}

// Runs the row's slot on the window.
auto Runner(const Control& row, TForm1& window) {
  return [&window, slot = row.slot] { (window.*slot)(); };
}

QWidget* Page(const Control& row, QWidget* parent) {
  auto* page = new QWidget;
  auto* tabs = qobject_cast<QTabWidget*>(parent);
  const int index = tabs->addTab(page, QString::fromUtf8(row.caption));
  if (*row.hint) tabs->setTabToolTip(index, QString::fromUtf8(row.hint));
  if (row.colour != 0) {
    SetColour(page, QPalette::WindowText, QColor(row.colour));
    tabs->tabBar()->setTabTextColor(index, QColor(row.colour));
  }
  return page;
}

QLabel* Caption(const Control& row, QWidget* parent, TForm1& window) {
  auto* label = new QLabel(QString::fromUtf8(row.caption), parent);
  if (row.colour != 0) SetColour(label, QPalette::WindowText, QColor(row.colour));
  if (row.flags & kBanner) {
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    label->setAutoFillBackground(true);
    SetColour(label, QPalette::Window, QColor(113, 113, 255));
    SetColour(label, QPalette::WindowText, Qt::white);
    label->lower();
  }
  if (row.flags & kLink) {
    QFont underlined = label->font();
    underlined.setUnderline(true);
    label->setFont(underlined);
    label->setCursor(Qt::PointingHandCursor);
    label->installEventFilter(new ClickFilter(label, Runner(row, window)));
    new LinkKeys(label, Runner(row, window));
  }
  return label;
}

QLabel* Swatch(const Control& row, QWidget* parent) {
  auto* swatch = new QLabel(parent);
  swatch->setAutoFillBackground(true);
  SetColour(swatch, QPalette::Window, QColor(row.colour));
  return swatch;
}

// `boxClicks` is the table's filter of clicks into its boxes, made with its first box.
QLineEdit* Edit(const Control& row, QWidget* parent, TForm1& window, ClickFilter*& boxClicks) {
  auto* box = new QLineEdit(parent);
  box->setReadOnly((row.flags & kReadOnly) != 0);
  if (row.flags & kClearsMessage) {
    if (!boxClicks) boxClicks = new ClickFilter(&window, [&window] { window.OnInputBoxClick(); });
    box->installEventFilter(boxClicks);
  }
  if (row.slot) QObject::connect(box, &QLineEdit::returnPressed, &window, row.slot);
  if (row.flags & kNormalises) {
    NormaliseWhileTyping(box, window);
    QObject::connect(box, &QLineEdit::editingFinished, &window,
                     [&window, box] { window.spreadEquation(box); });
  }
  return box;
}

QPlainTextEdit* List(const Control& row, QWidget* parent) {
  auto* box = new EquationListEdit(parent);
  box->setReadOnly(true);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  if (row.flags & kLargeText) {
    QFont font = box->font();
    font.setPixelSize(12);
    box->setFont(font);
  }
  return box;
}

QTextEdit* RichText(const Control& row, QWidget* parent) {
  auto* box = new QTextEdit(parent);
  box->setReadOnly((row.flags & kReadOnly) != 0);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  return box;
}

QPushButton* PushButton(const Control& row, QWidget* parent, TForm1& window) {
  auto* button = new QPushButton(QString::fromUtf8(row.caption), parent);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, &window, row.slot);
  return button;
}

QRadioButton* Radio(const Control& row, QWidget* parent, TForm1& window) {
  auto* button = new QRadioButton(QString::fromUtf8(row.caption), parent);
  button->setChecked((row.flags & kSelected) != 0);
  QObject::connect(button, &QRadioButton::toggled, &window, [run = Runner(row, window)](bool selected) {
    if (selected) run();
  });
  return button;
}

void Elements(const Control& row, QWidget* parent, TForm1& window) {
  auto* keys = new ElementKeys(parent);
  for (const ElementButton& e : ElementButtons()) {
    auto* b = new QPushButton(e.symbol, parent);
    b->setObjectName("Element" + e.symbol);
    b->setGeometry(e.geometry);
    keys->add(b);
    b->setCursor(Qt::ArrowCursor);
    QFont bold = b->font();
    bold.setBold(true);
    b->setFont(bold);
    b->setStyleSheet(QString("QPushButton { color: %1; padding: 0px; }").arg(e.colour.name()));
    QObject::connect(b, &QPushButton::clicked, &window, row.slot);
  }
}

// The widget of one row, before its name, place and hint; null for the
// element buttons, which are placed already.
QWidget* Create(const Control& row, QWidget* parent, TForm1& window, ClickFilter*& boxClicks) {
  switch (row.kind) {
    case Kind::Pages: return new QTabWidget(parent);
    case Kind::Page: return Page(row, parent);
    case Kind::Group: {
      auto* group = new QGroupBox(parent);
      if (*row.caption) group->setTitle(QString::fromUtf8(row.caption));
      return group;
    }
    case Kind::Picture: {
      auto* picture = new QLabel(parent);
      picture->setPixmap(row.picture());
      return picture;
    }
    case Kind::Label: return Caption(row, parent, window);
    case Kind::Swatch: return Swatch(row, parent);
    case Kind::Edit: return Edit(row, parent, window, boxClicks);
    case Kind::List: return List(row, parent);
    case Kind::RichText: return RichText(row, parent);
    case Kind::Button: return PushButton(row, parent, window);
    case Kind::Radio: return Radio(row, parent, window);
    case Kind::Grid: return CalculationGrid(parent, row.geometry);
    case Kind::Elements: Elements(row, parent, window); return nullptr;
  }
  return nullptr;
}

}  // namespace

std::span<const std::span<const Control>> PageTables() { return kTables; }

QString AccessibleName(const QString& objectName) {
  static const QRegularExpression numbered("^(Sp|Pr|SearchEdit)(\\d+)$");
  if (const QRegularExpressionMatch m = numbered.match(objectName); m.hasMatch()) {
    const int n = m.captured(2).toInt();
    if (m.captured(1) == "Sp") return QString("Reactant %1").arg(n);
    if (m.captured(1) == "Pr") return QString("Product %1").arg(n);
    // Six search boxes per side.
    return n <= 6 ? QString("Search reactant %1").arg(n) : QString("Search product %1").arg(n - 6);
  }
  for (const Spoken& s : kSpokenNames) {
    if (objectName == QLatin1String(s.name)) return QString::fromUtf8(s.spoken);
  }
  return {};
}

std::vector<ElementButton> ElementButtons() {
  struct Row {
    int top;
    int firstColumn;
    const char* symbols;  // blank-separated, "." for an empty column
  };
  static const Row kRows[] = {
      {56, 1, "H . . . . . . . . . . . . . . . . He"},
      {81, 1, "Li Be . . . . . . . . . . B C N O F Ne"},
      {106, 1, "Na Mg . . . . . . . . . . Al Si P S Cl Ar"},
      {131, 1, "K Ca Sc Ti V Cr Mn Fe Co Ni Cu Zn Ga Ge As Se Br Kr"},
      {156, 1, "Rb Sr Y Zr Nb Mo Tc Ru Rh Pd Ag Cd In Sn Sb Te I Xe"},
      {181, 1, "Cs Ba La Hf Ta W Re Os Ir Pt Au Hg Tl Pb Bi Po At Rn"},
      {206, 1, "Fr Ra Ac Rf Db Sg Bh Hs Mt Uun Uuu Uub"},
      {238, 3, "Ce Pr Nd Pm Sm Eu Gd Tb Dy Ho Er Tm Yb Lu"},
      {263, 3, "Th Pa U Np Pu Am Cm Bk Cf Es Fm Md No Lr"},
  };
  static const QStringList kNonMetals = {"H",  "He", "C",  "N",  "O",  "F", "Ne", "P", "S",
                                         "Cl", "Ar", "Se", "Br", "Kr", "I", "Xe", "Rn"};
  static const QStringList kMetalloids = {"B", "Al", "Si", "Ge", "As", "Sb", "Te", "Po", "At"};
  std::vector<ElementButton> buttons;
  for (const Row& row : kRows) {
    const QStringList symbols = QString::fromLatin1(row.symbols).split(' ');
    for (int i = 0; i < symbols.size(); ++i) {
      if (symbols[i] == ".") continue;
      const int column = row.firstColumn + i;
      const int left = column <= 16 ? 19 + 25 * (column - 1) : (column == 17 ? 420 : 445);
      const QRgb colour = kNonMetals.contains(symbols[i])    ? kNonMetal
                          : kMetalloids.contains(symbols[i]) ? kMetalloid
                                                             : kMetal;
      buttons.push_back({symbols[i], QRect(left, row.top, column == 16 ? 26 : 25, 25), QColor(colour)});
    }
  }
  return buttons;
}

void BuildControls(std::span<const Control> table, TForm1& window) {
  QList<QTableWidget*> grids;
  ClickFilter* boxClicks = nullptr;
  QLabel* caption = nullptr;          // the caption naming this row's control
  SharpFrameStyle* frames = nullptr;  // the boxes' style, made with the table's first box
  for (const Control& row : table) {
    QWidget* parent = row.parent ? window.findChild<QWidget*>(QString::fromLatin1(row.parent)) : &window;
    if (!parent) qFatal("no parent %s for %s", row.parent, row.name);
    QWidget* widget = Create(row, parent, window, boxClicks);
    if (!widget) continue;
    widget->setObjectName(QString::fromLatin1(row.name));
    if (!row.geometry.isEmpty()) {
      widget->setGeometry(row.geometry);
    } else if (row.kind == Kind::Label) {
      widget->move(row.geometry.topLeft());
      widget->adjustSize();
    }
    if (*row.hint) {
      widget->setToolTip(QString::fromUtf8(row.hint));
      widget->setAccessibleDescription(QString::fromUtf8(row.hint));
    }
    if (const QString spoken = AccessibleName(widget->objectName()); !spoken.isEmpty()) {
      widget->setAccessibleName(spoken);
    }
    if (row.kind == Kind::List || row.kind == Kind::RichText) {
      if (!frames) frames = new SharpFrameStyle;
      widget->setStyle(frames);
    }
    if (caption) caption->setBuddy(widget);
    caption = (row.flags & kLabelsNext) ? static_cast<QLabel*>(widget) : nullptr;
    if (row.flags & kHidden) widget->hide();
    if (row.kind == Kind::Grid) grids << static_cast<QTableWidget*>(widget);
  }
  // A grid's fixed row and column stay in view while it scrolls; they take
  // their places from the grid's, once the page stands.
  for (QTableWidget* grid : grids) new FrozenEdges(grid);
}

}  // namespace quorvex::app
