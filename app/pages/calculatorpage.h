// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/localnumbers.h"
#include "app/pages/page.h"

class QGroupBox;
class QPlainTextEdit;
class QTabWidget;
class QTableWidget;
class QWidget;

namespace quorvex::app {

// The Calculator page: the picked equation with its caption, and the
// calculation grid, whose cells it names for screen readers and whose typed
// amounts it hands to the workspace. The page is entered (the workspace's
// enterCalculator) however it is reached: a click, the page keys, the focus.
class CalculatorPage final : public Page {
 public:
  explicit CalculatorPage(TForm1& window);
  ~CalculatorPage() override;

  void show(const workspace::WindowTexts& texts) override;

  // Writes a number of Calculate's messages as the grid shows numbers.
  calc::ShowNumber showNumber() const;
  QPlainTextEdit* pickBox() const { return m_pick; }

 private:
  void showGrid();
  void nameGridCells();
  void onGridEdited(int row, int column);
  void onFocusChanged(QWidget* old, QWidget* now);
  // Runs the page's entry once the current events are handled.
  void enterLater();

  QTabWidget* m_tabs = nullptr;
  QWidget* m_page = nullptr;
  QGroupBox* m_caption = nullptr;
  QPlainTextEdit* m_pick = nullptr;
  QTableWidget* m_grid = nullptr;
  LocalNumbers m_numbers;
  bool m_showingGrid = false;
  bool m_entryQueued = false;
};

}  // namespace quorvex::app
