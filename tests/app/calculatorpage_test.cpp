// SPDX-License-Identifier: GPL-3.0-or-later
// The Calculator page: its entry, its grid and the keys in it.
#include "windowfixture.h"

class CalculatorPageTest : public WindowFixture {
  Q_OBJECT

 private slots:
  // The controls run their commands, and the page shows the workspace's texts.
  void controlsRunTheirCommands_data() {
    addWiringColumns();
    QTest::newRow("Next") << QStringList{"BitBtn4"} << "SelEquationEdit"
                          << "|2| N2+3H2 = 2NH3";
    QTest::newRow("Prev") << QStringList{"BitBtn4", "BitBtn3"} << "SelEquationEdit"
                          << "|1| 2H2+O2 = 2H2O";
    QTest::newRow("Switch List") << QStringList{"BitBtn30"} << "SelEquationEdit"
                                 << "The Found Equations List in the searcher is empty.";
    QTest::newRow("high") << QStringList{"RadioButton2"} << "CalculateGrid 1 2" << local("2.0158");
    QTest::newRow("low") << QStringList{"RadioButton2", "RadioButton1"} << "CalculateGrid 1 2"
                         << "2";
    QTest::newRow("mass (gram)") << QStringList{"Unit_g"} << "CalculateGrid 0 4"
                                 << "    Mass (gram)";
    QTest::newRow("amount (mole)") << QStringList{"Unit_g", "Unit_mol"} << "CalculateGrid 0 4"
                                   << "   Amount (mole)";
  }
  void controlsRunTheirCommands() { checkWiringRow(); }

  void calculatorGridCellsAndTheirKeys() {
    calculatorWithWater();
    auto* grid = find<QTableWidget>("CalculateGrid");
    // A typed amount is read with the user's separator and shown with it.
    QTest::mouseClick(find<QRadioButton>("RadioButton2"), Qt::LeftButton);
    grid->item(1, 4)->setText("4");
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);
    QCOMPARE(grid->item(1, 4)->text(), local("8.0632"));
    QTest::mouseClick(find<QRadioButton>("Unit_mol"), Qt::LeftButton);
    QCOMPARE(grid->item(1, 4)->text(), QString("4"));
    QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
    for (int c = 1; c < grid->columnCount(); ++c) {
      QCOMPARE(bool(grid->item(1, c)->flags() & Qt::ItemIsEditable), c == 4);
    }
    for (int r = 0; r < grid->rowCount(); ++r) QCOMPARE(grid->rowHeight(r), r == 6 ? 15 : 16);
    const int widths[] = {80, 73, 85, 112, 96, 94, 91};
    for (int c = 0; c < grid->columnCount(); ++c) QCOMPARE(grid->columnWidth(c), c < 7 ? widths[c] : 80);
    // Keys typed at a typist's pace straight after a click into the selected
    // cell all arrive.
    const QPoint cell = grid->visualItemRect(grid->item(2, 4)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    QTest::keyClick(QApplication::focusWidget(), '3');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(grid->item(2, 4)->text(), QString("3"));
    QTest::qWait(QApplication::doubleClickInterval() + 100);  // a click, not a double click
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell);
    for (const char c : {'1', '5', '.', '8'}) {
      QTest::keyClick(QApplication::focusWidget(), c, Qt::NoModifier, 150);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(grid->item(2, 4)->text(), local("15.8"));
    click("BitBtn5");
    QCOMPARE(grid->item(1, 4)->text(), QString());
    // Row 0 and column 0 stay in view when the grid scrolls.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    auto* fixedRow = find<QTableView>("CalculateGridFixedRow");
    auto* fixedColumn = find<QTableView>("CalculateGridFixedColumn");
    QCOMPARE(fixedRow->indexAt(QPoint(2, 2)).row(), 0);
    QCOMPARE(fixedColumn->indexAt(QPoint(2, 2)).column(), 0);
    QCOMPARE(fixedColumn->indexAt(QPoint(2, 2)).row(), grid->rowAt(2));
    QVERIFY(grid->rowAt(2) > 1);
  }

  // Calculate's answers stand in grey italics; typing into a cell, even the
  // same text, makes its amount the user's.
  void computedAmountsLookApartAndTypingMakesThemTyped() {
    calculatorWithWater();
    auto* grid = find<QTableWidget>("CalculateGrid");
    const auto computed = [grid](int r) {
      const QTableWidgetItem* item = grid->item(r, 4);
      return item->font().italic() && item->foreground().color() == QColor(128, 128, 128);
    };
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);
    typeIntoCell(grid, 1, 4, "4");
    click("CalculateBt");
    QCOMPARE(grid->item(2, 4)->text(), QString("32"));
    QCOMPARE((QList<bool>{computed(1), computed(2), computed(3)}), (QList<bool>{false, true, true}));
    // Passing through a computed cell's open editor without typing leaves it computed.
    QTest::keyClick(openEditor(grid, 3, 4), Qt::Key_Return);
    QCoreApplication::processEvents();
    QVERIFY(computed(3));
    typeIntoCell(grid, 2, 4, "32");
    QVERIFY(!computed(2));
    // H2 cleared: Calculate answers from the O2 typed now.
    typeIntoCell(grid, 1, 4, "");
    m_presenter.messages.clear();
    click("CalculateBt");
    QCOMPARE(m_presenter.messages, QStringList());
    QCOMPARE(grid->item(1, 4)->text(), QString("4"));
    QCOMPARE((QList<bool>{computed(1), computed(2), computed(3)}), (QList<bool>{true, false, true}));
    // Closing the window in the middle of an edit loses that edit, and nothing else.
    QTest::keyClicks(openEditor(grid, 3, 4), "7");
    m_window.reset();
  }

  // A radio button's handler runs when it becomes selected, not when it is
  // deselected: each click refreshes the table once.
  void radioHandlersRunOnSelectionOnly() {
    m_window.reset();
    writeFile("cbd.dat", "#H123456 = H123456#\r\n");
    startWindow();
    box("SearchEdit1")->setText("H123456");
    click("BitBtn13");
    find<QTabWidget>("TapSheet1")->setCurrentIndex(2);
    click("BitBtn30");  // Switch List...: the found equation, weighed with its long subscripts
    m_presenter.messages.clear();
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);  // one refresh
    const qsizetype once = m_presenter.messages.size();
    QVERIFY(once > 0);
    for (const char* radio : {"RadioButton2", "RadioButton1", "Unit_mol"}) {
      m_presenter.messages.clear();
      QTest::mouseClick(find<QRadioButton>(radio), Qt::LeftButton);
      QCOMPARE(m_presenter.messages.size(), once);
    }
  }

  void enteringTheCalculatorWithBothListsEmpty() {
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    box("Sp1")->setFocus();
    find<QTabWidget>("TapSheet1")->setCurrentIndex(2);
    // The page change empties the box first, then the entry tries both lists.
    QTRY_COMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(),
                 QString("The Found Equations List in the searcher is empty."));
    QCOMPARE(find<QGroupBox>("GroupCalcEquation")->title(),
             QString("Select an equation from the Searcher result list (0)"));
    // Focus that comes back from another window enters nothing: an entry now
    // would pick the equation balanced meanwhile.
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    m_window->Input_BalanceClick();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::qWait(50);
    QCOMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(),
             QString("The Found Equations List in the searcher is empty."));
    // Entered again: the table is the one of the equation shown.
    find<QTabWidget>("TapSheet1")->setCurrentIndex(0);
    find<QTabWidget>("TapSheet1")->setCurrentIndex(2);
    QTRY_COMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(), QString("|1| 2H2+O2 = 2H2O"));
    QCOMPARE(find<QTableWidget>("CalculateGrid")->item(1, 0)->text(), QString("H2"));
  }

  // Tab walks the amounts of the species rows and leaves the grid past them;
  // Ctrl+Tab leaves it for the next page.
  void tabWalksTheAmountsAndLeavesTheGrid() {
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    balanceTwo();  // 2H2+O2 = 2H2O and N2+3H2 = 2NH3: three rows each
    find<QTabWidget>("TapSheet1")->setCurrentIndex(2);
    QTRY_COMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(), QString("|1| 2H2+O2 = 2H2O"));
    auto* grid = find<QTableWidget>("CalculateGrid");
    find<QWidget>("BitBtn4")->setFocus();
    struct Step {
      Qt::Key key;
      const char* typed;
      const char* focus;  // the control with the focus after the key; "": a grid cell
      int row;            // the grid's current row, in the amount column
    };
    // clang-format off
    const Step steps[] = {
        {Qt::Key_Tab, "", "", 1},     {Qt::Key_Tab, "4", "", 2},           {Qt::Key_Tab, "", "", 3},
        {Qt::Key_Tab, "", "Unit_mol", 3}, {Qt::Key_Backtab, "", "", 3}, {Qt::Key_Backtab, "", "", 2},
        {Qt::Key_Backtab, "", "", 1}, {Qt::Key_Backtab, "", "BitBtn4", 1},
    };
    // clang-format on
    for (const Step& step : steps) {
      QTest::keyClicks(QApplication::focusWidget(), step.typed);
      QTest::keyClick(QApplication::focusWidget(), step.key);
      const QString at = QString("after %1 (%2)").arg(QKeySequence(step.key).toString()).arg(step.row);
      QWidget* focused = QApplication::focusWidget();
      if (*step.focus) {
        QVERIFY2(focused && focused->objectName() == step.focus, qPrintable(at));
      } else {
        QVERIFY2(focused && (focused == grid || grid->isAncestorOf(focused)), qPrintable(at));
      }
      QCOMPARE(grid->currentIndex(), grid->model()->index(step.row, 4));
      // The current cell is marked.
      QVERIFY(grid->selectionModel()->isSelected(grid->currentIndex()));
    }
    QCOMPARE(grid->item(1, 4)->text(), QString("4"));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(find<QTabWidget>("TapSheet1")->currentIndex(), 3);
  }
};

QTEST_MAIN(CalculatorPageTest)
#include "calculatorpage_test.moc"
