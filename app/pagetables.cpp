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

namespace quorvex::app {
namespace {

// The tables keep one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kWindow[] = {
    {.kind = Kind::Picture, .parent = nullptr, .name = "Image1", .geometry = {0, -1, 543, 41},
     .picture = BannerPicture},
    {Kind::Pages, nullptr, "TapSheet1", "", {0, 34, 531, 497}},
};
// clang-format on

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

// The spoken name of a numbered box ("Reactant 7"); empty for any other control.
QString NumberedBoxName(const QString& objectName) {
  static const QRegularExpression numbered("^(Sp|Pr|SearchEdit)(\\d+)$");
  if (const QRegularExpressionMatch m = numbered.match(objectName); m.hasMatch()) {
    const int n = m.captured(2).toInt();
    if (m.captured(1) == "Sp") return QString("Reactant %1").arg(n);
    if (m.captured(1) == "Pr") return QString("Product %1").arg(n);
    // Six search boxes per side.
    return n <= 6 ? QString("Search reactant %1").arg(n) : QString("Search product %1").arg(n - 6);
  }
  return {};
}

}  // namespace

std::span<const Control> WindowRows() { return kWindow; }

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
    const QString spoken = row.spoken ? QString::fromUtf8(row.spoken) : NumberedBoxName(widget->objectName());
    if (!spoken.isEmpty()) {
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
