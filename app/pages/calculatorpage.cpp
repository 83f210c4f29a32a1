// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/calculatorpage.h"

#include <QApplication>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTableWidget>

#include "app/tform1.h"

namespace quorvex::app {
namespace {

// The text colour of an amount Calculate worked out.
const QColor kComputedAmount(128, 128, 128);

// The table keeps one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kRows[] = {
    {Kind::Page, "TapSheet1", "CalculateSheet", "Calculator", {}, "Equation and Calculation Table."},
    {Kind::Group, "CalculateSheet", "GroupCalcEquation", "Select an equation from the Blancer result list",
     {8, 8, 505, 153}},
    Named({Kind::List, "GroupCalcEquation", "SelEquationEdit", "", {8, 16, 489, 97}}, "Selected equation"),
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
    Named({Kind::Grid, "GroupBox4", "CalculateGrid", "", {8, 16, 489, 225}}, "Calculation table"),
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
    Named(Button("GroupBox4", "BitBtn5", "Clea&r All", 420, 262, 75, "Clear the table.", &TForm1::BitBtn5Click),
          "Clear All (calculation table)"),
};
// clang-format on

}  // namespace

CalculatorPage::CalculatorPage(TForm1& window) : Page(window, kRows) {
  m_tabs = control<QTabWidget>("TapSheet1");
  m_page = control<QWidget>("CalculateSheet");
  m_caption = control<QGroupBox>("GroupCalcEquation");
  m_pick = control<QPlainTextEdit>("SelEquationEdit");
  m_grid = control<QTableWidget>("CalculateGrid");
  connect(m_grid, &QTableWidget::cellChanged, this, &CalculatorPage::onGridEdited);
  m_grid->setItemDelegateForColumn(
      calc::kAmountColumn,
      new AmountDelegate(m_grid, [this](int row, int column) { onGridEdited(row, column); }));
  // A page chosen from the keyboard leaves the focus on the tabs: the page is
  // entered all the same, as when the focus moves into it.
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
    if (m_tabs->currentWidget() == m_page) enterLater();
  });
  connect(qApp, &QApplication::focusChanged, this, &CalculatorPage::onFocusChanged);
}

CalculatorPage::~CalculatorPage() {
  // An amount that an open cell editor commits as the window goes reaches nobody.
  m_grid->setItemDelegateForColumn(calc::kAmountColumn, nullptr);
}

void CalculatorPage::show(const workspace::WindowTexts& texts) {
  ShowText(m_pick, FromBytes(texts.calcPick));
  m_caption->setTitle(FromBytes(texts.calcCaption));
  showGrid();
}

calc::ShowNumber CalculatorPage::showNumber() const {
  return [this](std::string_view number) { return ToBytes(m_numbers.shown(number)); };
}

void CalculatorPage::showGrid() {
  const calc::CalcTable& table = m_window.workspace().calcTable();
  m_showingGrid = true;
  for (int r = 0; r < calc::kGridRows; ++r) {
    for (int c = 0; c < calc::kTableColumns; ++c) {
      QTableWidgetItem* item = m_grid->item(r, c);
      const QString text = r > 0 && c >= 2 ? m_numbers.shown(table.cell(c, r)) : FromBytes(table.cell(c, r));
      if (item->text() != text) item->setText(text);
    }
    if (r == 0) continue;
    // What Calculate worked out stands apart from what the user typed.
    QTableWidgetItem* amount = m_grid->item(r, calc::kAmountColumn);
    const bool computed = table.amount(r) == calc::Amount::Computed;
    if (amount->font().italic() != computed) {
      QFont font = m_grid->font();
      font.setItalic(true);
      amount->setData(Qt::FontRole, computed ? QVariant(font) : QVariant());
      amount->setData(Qt::ForegroundRole, computed ? QVariant(kComputedAmount) : QVariant());
    }
  }
  nameGridCells();
  m_showingGrid = false;
}

void CalculatorPage::nameGridCells() {
  // A screen reader hears a cell as its row's formula, its column and its
  // text, and a column by its title: never by a number or the blanks that
  // centre a title in its cell.
  const calc::CalcTable& table = m_window.workspace().calcTable();
  for (int c = 0; c < m_grid->columnCount(); ++c) {
    const QString title = c < calc::kTableColumns ? FromBytes(table.cell(c, 0)).trimmed() : QString();
    QTableWidgetItem* header = m_grid->horizontalHeaderItem(c);
    if (!header) m_grid->setHorizontalHeaderItem(c, header = new QTableWidgetItem);
    if (header->text() != title) header->setText(title);
    QTableWidgetItem* cell = m_grid->item(0, c);
    if (cell->data(Qt::AccessibleTextRole).toString() != title) cell->setData(Qt::AccessibleTextRole, title);
  }
  for (int r = 1; r < calc::kGridRows; ++r) {
    const QString formula = FromBytes(table.cell(0, r));
    for (int c = 1; c < calc::kTableColumns; ++c) {
      QTableWidgetItem* item = m_grid->item(r, c);
      QString name;
      if (!formula.isEmpty()) {
        name = formula + ", " + FromBytes(table.cell(c, 0)).trimmed();
        if (!item->text().isEmpty()) name += ": " + item->text();
      }
      if (item->data(Qt::AccessibleTextRole).toString() != name) item->setData(Qt::AccessibleTextRole, name);
    }
  }
}

void CalculatorPage::onGridEdited(int row, int column) {
  if (m_showingGrid || row < 1 || column < 1 || column > calc::kAmountColumn) return;
  const std::string text = m_numbers.typed(m_grid->item(row, column)->text());
  workspace::Workspace& ws = m_window.workspace();
  m_window.run([&] { ws.setCalcCell(column, row, text); });
}

void CalculatorPage::onFocusChanged(QWidget* old, QWidget* now) {
  // Only moves inside the window count: focus that comes back from a message
  // box or another program enters nothing.
  const QWidget* window = m_page->window();
  if (!now || !old || now->window() != window || old->window() != window) return;
  if (now == m_pick) m_window.OnSelEquationEditEnter();
  // Entering the page: the focus moves into it from outside. Qt moves the
  // focus before it reports the page change, so the entry waits until the
  // page change has been handled.
  if (m_page->isAncestorOf(now) && !m_page->isAncestorOf(old)) enterLater();
}

void CalculatorPage::enterLater() {
  // A page change and the focus moving into the page are one entry.
  if (m_entryQueued) return;
  m_entryQueued = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        m_entryQueued = false;
        m_window.CalculateSheetEnter();
      },
      Qt::QueuedConnection);
}

}  // namespace quorvex::app
