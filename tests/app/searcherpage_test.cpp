// SPDX-License-Identifier: GPL-3.0-or-later
// The Searcher page: search, its examples, the pickers and the library on disk.
#include "windowfixture.h"

class SearcherPageTest : public WindowFixture {
  Q_OBJECT

 private slots:
  // The buttons run their commands, and the pages show the workspace's texts.
  void buttonsRunTheirCommands_data() {
    addWiringColumns();
    const QString count(" There are total %1 equations in your library currently.");
    QTest::newRow("Search") << QStringList{"BitBtn13"} << "m_SearchResultEdit"
                            << "\n...... Found 1 equation ......\n\n|1| 2KClO3 = 2KCl+3O2\n\n";
    QTest::newRow("Reset") << QStringList{"BitBtn18"} << "SearchEdit7"
                           << "";
    QTest::newRow("Examples") << QStringList{"BitBtn18", "BitBtn14"} << "SearchEdit7"
                              << "O2";
    QTest::newRow("Clear List") << QStringList{"BitBtn13", "BitBtn19"} << "m_SearchResultEdit"
                                << "";
    // The Calculator's entry picked the first equation.
    QTest::newRow("Next (balanced equations)") << QStringList{"BitBtn23"} << "AddToLibEdit"
                                               << "|2| N2+3H2 = 2NH3";
    QTest::newRow("Back (balanced equations)")
        << QStringList{"BitBtn23", "BitBtn23", "BitBtn22"} << "AddToLibEdit"
        << "|1| 2H2+O2 = 2H2O";
    QTest::newRow("Next (found equations)") << QStringList{"BitBtn13", "BitBtn29"} << "RemoveEquationEdit"
                                            << "|1| 2KClO3 = 2KCl+3O2";
    QTest::newRow("Back (found equations)")  // the same equation found twice
        << QStringList{"BitBtn13", "BitBtn13", "BitBtn29", "BitBtn29", "BitBtn28"} << "RemoveEquationEdit"
        << "|1| 2KClO3 = 2KCl+3O2";
    QTest::newRow("Add To Lib") << QStringList{"BitBtn23", "BitBtn23", "BitBtn24"} << "EquationNumberLabel"
                                << count.arg(3);
    QTest::newRow("Del From Lib") << QStringList{"BitBtn13", "BitBtn29", "BitBtn26"} << "EquationNumberLabel"
                                  << count.arg(1);
  }
  void buttonsRunTheirCommands() { checkWiringRow(); }

  // A message the library opens shows over the texts of that moment: the new
  // count, and the change is in the working folder's library.
  void aLibraryMessageShowsOverTheNewCount() {
    balanceTwo();
    click("BitBtn23");
    click("BitBtn23");
    QString labelWhileOpen;
    m_presenter.whileOpen = [&] { labelWhileOpen = find<QLabel>("EquationNumberLabel")->text(); };
    click("BitBtn24");
    m_presenter.whileOpen = nullptr;
    QCOMPARE(m_presenter.messages, QStringList{"Added to the equation library successfully!"});
    QCOMPARE(labelWhileOpen, QString(" There are total 3 equations in your library currently."));
    QVERIFY(readFile("cbd.dat").endsWith("#N2+3H2 = 2NH3#\r\n"));
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
