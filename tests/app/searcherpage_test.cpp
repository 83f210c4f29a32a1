// SPDX-License-Identifier: GPL-3.0-or-later
// The Searcher page: search, its examples, the pickers and the library on disk.
#include "windowfixture.h"

using quorvex::app::TForm1;

class SearcherPageTest : public WindowFixture {
  Q_OBJECT

 private slots:
  void searchHandsTheBalancerBoxesBack() {
    box("Sp1")->setText("KClO3");
    box("Sp9")->setText("x y");
    box("Pr14")->setText("O2");
    box("SearchEdit7")->setText("O2");
    click("BitBtn13");
    QCOMPARE(find<QPlainTextEdit>("m_SearchResultEdit")->toPlainText(),
             QString("\n...... Found 1 equation ......\n\n|1| 2KClO3 = 2KCl+3O2\n\n"));
    QCOMPARE(box("Sp1")->text(), QString("KClO3"));
    QCOMPARE(box("Sp9")->text(), QString("x y"));
    QCOMPARE(box("Pr14")->text(), QString("O2"));
    click("BitBtn18");  // Reset
    QCOMPARE(box("SearchEdit7")->text(), QString());
    QCOMPARE(find<QPlainTextEdit>("m_SearchResultEdit")->toPlainText(), QString());
  }

  // "Search" with every box empty says what to type; one that finds nothing only
  // because of letter case says that it matters.
  void searchSaysWhatToTypeAndThatLetterCaseMatters() {
    click("BitBtn13");
    QCOMPARE(m_presenter.messages.size(), 1);
    QVERIFY(m_presenter.messages[0].startsWith("Type a reactant or a product into a box above"));
    for (const auto& [term, hinted] : {std::pair{"h2o", true}, std::pair{"NaCl", false}}) {
      box("SearchEdit7")->setText(term);
      click("BitBtn13");
      QCOMPARE(
          find<QPlainTextEdit>("m_SearchResultEdit")
              ->toPlainText()
              .endsWith(
                  "Letter case matters: write each element with a capital first letter, as in H2O or NaCl.\n\n"),
          hinted);
    }
  }

  void searchExamplesStartAtCaseTwo() {
    click("BitBtn14");
    QCOMPARE(box("SearchEdit7")->text(), QString("O2"));
    QVERIFY(find<QPlainTextEdit>("m_SearchResultEdit")
                ->toPlainText()
                .startsWith(
                    "In this example, you will search for the equations which have \"O2\" as a product."));
  }

  // The picker buttons run their steps: the clicks, then the box the last step shows.
  void pickerButtonsStepTheirList_data() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Calculator Next") << QStringList{"BitBtn4"} << "SelEquationEdit"
                                     << "|2| N2+3H2 = 2NH3";
    QTest::newRow("Calculator Prev") << QStringList{"BitBtn4", "BitBtn3"} << "SelEquationEdit"
                                     << "|1| 2H2+O2 = 2H2O";
    QTest::newRow("Switch List") << QStringList{"BitBtn30"} << "SelEquationEdit"
                                 << "The Found Equations List in the searcher is empty.";
    QTest::newRow("Back (balanced equations)")
        << QStringList{"BitBtn23", "BitBtn23", "BitBtn22"} << "AddToLibEdit"
        << "|1| 2H2+O2 = 2H2O";
    QTest::newRow("Back (found equations)")  // the same equation found twice
        << QStringList{"BitBtn13", "BitBtn13", "BitBtn29", "BitBtn29", "BitBtn28"} << "RemoveEquationEdit"
        << "|1| 2KClO3 = 2KCl+3O2";
  }
  void pickerButtonsStepTheirList() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, list);
    QFETCH(QString, shown);
    balanceTwo();
    box("SearchEdit7")->setText("O2");
    m_window->CalculateSheetEnter();
    for (const QString& button : clicks) click(qPrintable(button));
    QCOMPARE(find<QPlainTextEdit>(qPrintable(list))->toPlainText(), shown);
  }

  void pickerAddAndDeleteWithTheFileOnDisk() {
    box("Sp1")->setText("N2");
    box("Sp2")->setText("H2");
    box("Pr1")->setText("NH3");
    click("BalanceBt");
    click("BitBtn24");
    QCOMPARE(m_presenter.messages.takeLast(), QString("No equation selected."));
    click("BitBtn23");
    QCOMPARE(find<QPlainTextEdit>("AddToLibEdit")->toPlainText(), QString("|1| N2+3H2 = 2NH3"));
    QCOMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(), QString("|1| N2+3H2 = 2NH3"));
    click("BitBtn24");
    QCOMPARE(m_presenter.messages.takeLast(), QString("Added to the equation library successfully!"));
    QCOMPARE(readFile("cbd.dat"),
             QByteArray("#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n#N2+3H2 = 2NH3#\r\n"));
    QCOMPARE(find<QLabel>("EquationNumberLabel")->text(),
             QString(" There are total 3 equations in your library currently."));
    click("BitBtn24");
    QCOMPARE(m_presenter.messages.takeLast(),
             QString("This equation has already been in the equation library"));

    box("SearchEdit1")->setText("N2");
    click("BitBtn13");
    click("BitBtn29");
    QCOMPARE(find<QPlainTextEdit>("RemoveEquationEdit")->toPlainText(), QString("|1| N2+3H2 = 2NH3"));
    // While the message is open, the window already shows the new count.
    QString labelWhileOpen;
    m_presenter.whileOpen = [&] { labelWhileOpen = find<QLabel>("EquationNumberLabel")->text(); };
    click("BitBtn26");
    m_presenter.whileOpen = nullptr;
    QCOMPARE(m_presenter.messages.takeLast(), QString("Deleted from the library successfully!"));
    QCOMPARE(labelWhileOpen, QString(" There are total 2 equations in your library currently."));
    click("BitBtn26");
    QCOMPARE(m_presenter.messages.takeLast(), QString("This equation is not in the library."));
    QCOMPARE(readFile("cbd.dat"), QByteArray("#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n"));
    QVERIFY(m_presenter.messages.isEmpty());
  }

  // Another program holds the library: the window keeps painting while Add To
  // Lib waits, then says so and changes nothing.
  void aHeldLibraryLockTimesOutWhileTheWindowPaints() {
    balanceTwo();
    click("BitBtn23");
    QFile held(m_dir.filePath("cbd.dat"));
    QVERIFY(held.open(QIODevice::ReadOnly));
    QCOMPARE(::flock(held.handle(), LOCK_EX), 0);
    struct PaintCounter : QObject {
      int paints = 0;
      bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
      }
    } counter;
    QWidget* shown = m_window.get();
    shown->installEventFilter(&counter);
    int fired = 0;
    QTimer::singleShot(100, shown, [shown, &fired] {
      ++fired;
      shown->update();
    });
    click("BitBtn24");
    QCOMPARE(fired, 1);
    shown->removeEventFilter(&counter);
    QVERIFY(counter.paints > 0);
    QCOMPARE(m_presenter.messages.takeLast(), "error: The library is in use by another program (process " +
                                                  QString::number(::getpid()) + "); try again");
    QCOMPARE(readFile("cbd.dat"), QByteArray("#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n"));
  }

  // "Reset" empties the box, not the found list: the list still prints whole.
  void printingTheFoundListAfterReset() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a printer is installed here");
    box("SearchEdit7")->setText("H2O");
    click("BitBtn13");
    click("BitBtn18");
    box("SearchEdit7")->setText("O2");
    click("BitBtn13");
    click("BitBtn21");
    checkPrintedWords(m_dir.filePath("list.pdf"), {"|1|", "2H2+O2", "|2|", "2KClO3", "2KCl+3O2"}, 9, 16);
  }
};

QTEST_MAIN(SearcherPageTest)
#include "searcherpage_test.moc"
