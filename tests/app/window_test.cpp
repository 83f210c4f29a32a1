#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QTextEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include "app/tform1.h"
#include "recorder.h"

using quorvex::app::TForm1;

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> m_temp;  // a fresh working folder for each test
  QDir m_dir;
  RecordingPresenter m_presenter;
  QStringList m_urls;
  std::unique_ptr<TForm1> m_window;

  template <class W>
  W* find(const char* name) {
    W* w = m_window->findChild<W*>(name);
    if (!w) qFatal("no control named %s", name);
    return w;
  }
  QLineEdit* box(const char* name) { return find<QLineEdit>(name); }
  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  QColor messageColour() { return box("MessageBox")->palette().color(QPalette::Text); }

 private slots:
  void init() {
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = QDir(m_temp->path());
    writeFile("cbd.dat", "#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n");
    writeFile("help.rtf", "{\\rtf1\\ansi Quorvex help: balance with {\\b Balance}.\\par}");
    writeFile("report.rtf", "{\\rtf1\\ansi My report\\par}");
    m_presenter.messages.clear();
    m_urls.clear();
    startWindow();
  }
  void startWindow(std::function<QString()> reportSaveAsPath = {}) {
    TForm1::Options options;
    options.reportSaveAsPath = std::move(reportSaveAsPath);
    options.workingDirectory = QDir(m_dir.path());
    options.holdSeconds = 0;
    options.pdfPath = [this] { return m_dir.filePath("list.pdf"); };
    options.openUrl = [this](const QString& url) {
      m_urls << url;
      return false;
    };
    m_window = std::make_unique<TForm1>(m_presenter, options);
    m_window->show();
  }
  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile file(m_dir.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  QByteArray readFile(const QString& name) {
    QFile file(m_dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void cleanup() {
    m_window.reset();
    m_temp.reset();
  }

  void startsOnTheBalancerPage() {
    QCOMPARE(m_window->size(), QSize(529, 529));
    QCOMPARE(m_window->windowTitle(), QString("Quorvex v2.11"));
    QCOMPARE(find<QTabWidget>("TapSheet1")->currentIndex(), 0);
    QCOMPARE(box("MessageBox")->text(), QString("Welcome to use Quorvex!"));
    QCOMPARE(messageColour(), QColor(89, 137, 202));
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(), QString("No Results avalible."));
    QCOMPARE(box("MessageBox")->toolTip(),
             QString("This box will tell you the general result.For detail, you must see the "
                     "result board."));
  }

  void balanceShowsTheOutcomeInItsColour_data() {
    QTest::addColumn<QStringList>("reactants");
    QTest::addColumn<QStringList>("products");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("board");
    QTest::newRow("case 2") << QStringList{"CS2", "MnO4[-]", "H[+]"}
                            << QStringList{"Mn[2+]", "S", "CO2", "H2O"}
                            << "Balanced it successfully!" << QColor(100, 100, 255)
                            << "|1| 5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S+5CO2+6H2O\n\n";
    QTest::newRow("failure") << QStringList{"H2"} << QStringList{"O2"} << "Failed to balance!"
                             << QColor(100, 100, 255) << "";
    QTest::newRow("input error") << QStringList{"H2 O"} << QStringList{"H2O"}
                                 << "Input error-Invalid characters!" << QColor(255, 100, 100)
                                 << "";
  }
  void balanceShowsTheOutcomeInItsColour() {
    QFETCH(QStringList, reactants);
    QFETCH(QStringList, products);
    QFETCH(QString, message);
    QFETCH(QColor, colour);
    QFETCH(QString, board);
    for (int i = 0; i < reactants.size(); ++i) {
      QTest::keyClicks(box(qPrintable(QString("Sp%1").arg(i + 1))), reactants[i]);
    }
    for (int i = 0; i < products.size(); ++i) {
      QTest::keyClicks(box(qPrintable(QString("Pr%1").arg(i + 1))), products[i]);
    }
    click("BalanceBt");
    QCOMPARE(box("MessageBox")->text(), message);
    QCOMPARE(messageColour(), colour);
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(), board);
    QVERIFY(m_presenter.messages.isEmpty());
  }

  void resetEmptiesAll28Boxes() {
    for (int i = 1; i <= 14; ++i) {
      box(qPrintable(QString("Sp%1").arg(i)))->setText("H2");
      box(qPrintable(QString("Pr%1").arg(i)))->setText("O2");
    }
    click("BalanceBt");
    click("ClearBt");
    for (int i = 1; i <= 14; ++i) {
      QCOMPARE(box(qPrintable(QString("Sp%1").arg(i)))->text(), QString());
      QCOMPARE(box(qPrintable(QString("Pr%1").arg(i)))->text(), QString());
    }
    QCOMPARE(box("MessageBox")->text(), QString());
  }

  void clickIntoABoxEmptiesTheMessage() {
    box("Sp1")->setText("H2");
    box("Pr1")->setText("O2");
    click("BalanceBt");
    QCOMPARE(box("MessageBox")->text(), QString("Failed to balance!"));
    QTest::mouseClick(box("Pr14"), Qt::LeftButton);
    QCOMPARE(box("MessageBox")->text(), QString());
    QCOMPARE(box("Sp1")->text(), QString("H2"));
  }

  void examplesCycleFromCaseThree() {
    click("ExampleBt");
    QCOMPARE(box("Sp1")->text(), QString("P4"));
    QCOMPARE(box("Sp2")->text(), QString("P2I4"));
    QCOMPARE(box("Sp3")->text(), QString("H2O"));
    QCOMPARE(box("Pr1")->text(), QString("H3PO4"));
    QCOMPARE(box("Pr2")->text(), QString("PH4I"));
    QCOMPARE(box("Sp4")->text(), QString());
    QCOMPARE(box("MessageBox")->text(),
             QString("Good! Now click \"Balance\" to balance, or click \"Examples\" again for next."));
    QCOMPARE(messageColour(), QColor(100, 100, 255));
    const QStringList firstReactant = {"CrI3", "Cu(NH3)4[2+]", "H2", "CS2", "P4"};
    for (const QString& expected : firstReactant) {
      click("ExampleBt");
      QCOMPARE(box("Sp1")->text(), expected);
    }
    // Case 1 again reaches into the second column.
    click("ExampleBt");
    click("ExampleBt");
    click("ExampleBt");
    QCOMPARE(box("Sp11")->text(), QString("SO2"));
    QCOMPARE(box("Pr9")->text(), QString("H2O"));
    click("BalanceBt");
    QVERIFY(find<QPlainTextEdit>("ResultEdit")->toPlainText().startsWith("|1| 119H2+18Ca(CN)2"));
  }

  void anErrorThatEndsACommandIsShownAndTheWindowGoesOn() {
    click("ExampleBt");
    click("BalanceBt");
    const QString board = find<QPlainTextEdit>("ResultEdit")->toPlainText();
    box("Sp1")->setText("H99999999999");
    click("BalanceBt");
    QCOMPARE(m_presenter.messages,
             QStringList({"Input error 2-Number too great!",
                          "error: '99999999999' is not a valid integer value"}));
    QCOMPARE(box("MessageBox")->text(), QString("Balanced it successfully!"));
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(), board);
  }

  void clearListEmptiesTheBoard() {
    click("ExampleBt");
    click("BalanceBt");
    click("BalanceBt");
    click("BitBtn15");
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(), QString());
    click("BalanceBt");
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(),
             QString("|1| 13P4+10P2I4+128H2O = 32H3PO4+40PH4I\n\n"));
  }
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

  void searchExamplesStartAtCaseTwo() {
    click("BitBtn14");
    QCOMPARE(box("SearchEdit7")->text(), QString("O2"));
    QVERIFY(find<QPlainTextEdit>("m_SearchResultEdit")->toPlainText().startsWith(
        "In this example, you will search for the equations which have \"O2\" as a product."));
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
    click("BitBtn26");
    QCOMPARE(m_presenter.messages.takeLast(), QString("Deleted from the library successfully!"));
    click("BitBtn26");
    QCOMPARE(m_presenter.messages.takeLast(), QString("This equation is not in the library."));
    QCOMPARE(readFile("cbd.dat"), QByteArray("#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n"));
    QVERIFY(m_presenter.messages.isEmpty());
  }

  void calculatorTableInBothPrecisionsAndUnits() {
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    click("BalanceBt");
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    box("Sp1")->setFocus();
    // Changing the page moves the focus into it: the page entry picks the equation.
    find<QTabWidget>("TapSheet1")->setCurrentIndex(2);
    QTRY_COMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(), QString("|1| 2H2+O2 = 2H2O"));
    auto* grid = find<QTableWidget>("CalculateGrid");
    const auto row = [grid](int r) {
      QStringList cells;
      for (int c = 0; c < 4; ++c) cells << grid->item(r, c)->text();
      return cells;
    };
    QCOMPARE(row(0), QStringList({"Chemical", "Coefficient", "Molecular Weight", "Total Molecular Weight"}));
    QCOMPARE(grid->item(0, 4)->text(), QString("   Amount (mole)"));
    QCOMPARE(row(3), QStringList({"H2O", "2", "18", "36"}));
    QTest::mouseClick(find<QRadioButton>("RadioButton2"), Qt::LeftButton);
    QCOMPARE(row(1), QStringList({"H2", "2", "2.0158", "4.0316"}));
    QCOMPARE(row(3), QStringList({"H2O", "2", "18.0148", "36.0296"}));
    grid->item(1, 4)->setText("4");
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);
    QCOMPARE(grid->item(0, 4)->text(), QString("    Mass (gram)"));
    QCOMPARE(grid->item(1, 4)->text(), QString("8.0632"));
    QTest::mouseClick(find<QRadioButton>("Unit_mol"), Qt::LeftButton);
    QCOMPARE(grid->item(1, 4)->text(), QString("4"));
    QVERIFY(!(grid->item(0, 1)->flags() & Qt::ItemIsEditable));
    QVERIFY(grid->item(1, 4)->flags() & Qt::ItemIsEditable);
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
    QCOMPARE(find<QGroupBox>("GroupCalcEquation")->title(),
             QString("Select an equation from the Balancer result list (1)"));
  }

  void elementButtons() {
    find<QPushButton>("ElementFe")->click();
    const char* const labels[] = {"ETName", "ETSymbol", "ETeType", "ETnumber", "ETweight",
                                  "ETstate", "ETMelt", "ETBoil", "ETnag", "ETEnergy"};
    const QStringList iron = {"Iron", "Fe", "Metal", "26", "55.847", "Solid", "1535", "2750", "1.8", "759"};
    for (int i = 0; i < 10; ++i) QCOMPARE(find<QLabel>(labels[i])->text(), iron[i]);
    find<QPushButton>("ElementUun")->click();
    for (const char* label : labels) QCOMPARE(find<QLabel>(label)->text(), QString());
  }

  void startUpWithAFileMissing_data() {
    QTest::addColumn<QString>("missing");
    QTest::newRow("help") << "help.rtf";
    QTest::newRow("report") << "report.rtf";
    QTest::newRow("library") << "cbd.dat";
  }
  void startUpWithAFileMissing() {
    QFETCH(QString, missing);
    m_window.reset();
    QVERIFY(QFile::remove(m_dir.filePath(missing)));
    startWindow();
    QCOMPARE(m_presenter.messages.size(), 1);
    QVERIFY2(m_presenter.messages[0].startsWith("error: Cannot read") &&
                 m_presenter.messages[0].contains(missing),
             qPrintable(m_presenter.messages[0]));
    // The other files and the element data are loaded all the same.
    find<QTabWidget>("TapSheet1")->setCurrentIndex(1);
    const int count = missing == "cbd.dat" ? 0 : 2;
    QCOMPARE(find<QLabel>("EquationNumberLabel")->text(),
             QString(" There are total %1 equations in your library currently.").arg(count));
    QCOMPARE(find<QTextEdit>("ReportEdit")->toPlainText(),
             missing == "report.rtf" ? QString() : QString("My report"));
    find<QPushButton>("ElementH")->click();
    QCOMPARE(find<QLabel>("ETName")->text(), QString("Hydrogen"));
  }

  void reportSaveClearAndRestart() {
    auto* report = find<QTextEdit>("ReportEdit");
    QCOMPARE(report->toPlainText(), QString("My report"));
    click("BitBtn1");  // Clear All, not saved
    QCOMPARE(report->toPlainText(), QString());
    m_window.reset();
    startWindow();
    report = find<QTextEdit>("ReportEdit");
    QCOMPARE(report->toPlainText(), QString("My report"));
    report->setPlainText("CO2 and H\u2082O, \u03b1 particles");
    click("BitBtn17");
    QVERIFY(m_presenter.messages.isEmpty());
    m_window.reset();
    startWindow();
    QCOMPARE(find<QTextEdit>("ReportEdit")->toPlainText(), QString("CO2 and H\u2082O, \u03b1 particles"));
  }

  void aFailedSaveKeepsFileAndText() {
    // A folder in place of the file makes the write fail, even as root.
    QVERIFY(QFile::remove(m_dir.filePath("report.rtf")));
    QVERIFY(QDir(m_dir.path()).mkdir("report.rtf"));
    auto* report = find<QTextEdit>("ReportEdit");
    report->setPlainText("new text");
    click("BitBtn17");
    QCOMPARE(m_presenter.messages.size(), 1);
    QVERIFY2(m_presenter.messages[0].startsWith("error: Cannot save 'report.rtf': "),
             qPrintable(m_presenter.messages[0]));
    QCOMPARE(report->toPlainText(), QString("new text"));
    QVERIFY(QFileInfo(m_dir.filePath("report.rtf")).isDir());
  }

  // Save never writes over a report it did not read in full: it says why and
  // offers another file.
  void saveKeepsAReportNotReadInFull_data() {
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<qint64>("size");  // the file's size, grown with zeros
    QTest::addColumn<QString>("reason");
    QTest::newRow("plain text") << QByteArray("my notes\n") << qint64{0} << "it was not read at start-up";
    QTest::newRow("over the size limit") << QByteArray("{\\rtf1 big}") << qint64{65} * 1024 * 1024 + 1
                                         << "larger than 64 MiB";
    QTest::newRow("pictures and objects")
        << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict\\pngblip 8950}}{\\object{\\*\\objdata 01}}b\\par}")
        << qint64{0} << "it holds pictures, objects, which the report does not show";
    QTest::newRow("unknown destination") << QByteArray("{\\rtf1 a{\\*\\newthing b}\\par}") << qint64{0}
                                         << "parts of unknown kind";
  }
  void saveKeepsAReportNotReadInFull() {
    QFETCH(QByteArray, old);
    QFETCH(qint64, size);
    QFETCH(QString, reason);
    m_window.reset();
    writeFile("report.rtf", old);
    if (size > 0) QVERIFY(QFile::resize(m_dir.filePath("report.rtf"), size));
    const QByteArray before = readFile("report.rtf");
    QStringList asked;
    startWindow([&] {
      asked << "Save As";
      return asked.size() == 1 ? m_dir.filePath("other.rtf") : QString();
    });
    m_presenter.messages.clear();
    find<QTextEdit>("ReportEdit")->setPlainText("new text");
    click("BitBtn17");
    QCOMPARE(asked.size(), 1);
    QCOMPARE(m_presenter.messages.size(), 1);
    QVERIFY2(m_presenter.messages[0].startsWith("error: 'report.rtf' was not overwritten: ") &&
                 m_presenter.messages[0].contains(reason) && m_presenter.messages[0].endsWith("Use Save As\u2026 to save the report under another name."),
             qPrintable(m_presenter.messages[0]));
    QVERIFY(readFile("other.rtf").contains("new text"));
    click("BitBtn17");  // cancelled the second time
    QCOMPARE(asked.size(), 2);
    QCOMPARE(readFile("report.rtf"), before);
    // Once the user has moved the file away, Save writes a new one.
    QVERIFY(QFile::remove(m_dir.filePath("report.rtf")));
    click("BitBtn17");
    QCOMPARE(asked.size(), 2);
    QVERIFY(readFile("report.rtf").contains("new text"));
  }

  void recordPutsTheSelectionAtTheCaret() {
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    click("BalanceBt");
    auto* result = find<QPlainTextEdit>("ResultEdit");
    QTextCursor selection(result->document());
    selection.setPosition(4);
    selection.setPosition(13, QTextCursor::KeepAnchor);  // "2H2+O2 = "
    result->setTextCursor(selection);
    auto* report = find<QTextEdit>("ReportEdit");
    QTextCursor caret(report->document());
    caret.setPosition(3);  // "My |report"
    report->setTextCursor(caret);
    find<QAction>("CopytoReport1")->trigger();
    QCOMPARE(report->toPlainText(), QString("My 2H2+O2 = report"));
    QCOMPARE(QApplication::clipboard()->text(), QString("2H2+O2 = "));
    // "Copy" opened from the found-list box still takes the result board's selection.
    QApplication::clipboard()->setText("unchanged");
    auto* found = find<QPlainTextEdit>("m_SearchResultEdit");
    found->setPlainText("other text");
    found->selectAll();
    find<QAction>("Copy1")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("2H2+O2 = "));
  }

  void printingWithoutAPrinterOffersAPdf() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a printer is installed here");
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    click("BalanceBt");
    click("BitBtn2");
    QCOMPARE(m_presenter.messages.size(), 1);
    QVERIFY(m_presenter.messages[0].startsWith("No printer is installed."));
    QVERIFY(readFile("list.pdf").startsWith("%PDF-"));
  }

  void helpLinks() {
    QVERIFY(find<QTextEdit>("HelpRichEdit")->toPlainText().startsWith("Quorvex help"));
    QTest::mouseClick(find<QLabel>("Label2"), Qt::LeftButton);
    QTest::mouseClick(find<QLabel>("Label1"), Qt::LeftButton);
    QCOMPARE(m_urls, QStringList({"https://www.quorvex.example/chemical/index.htm",
                                  "mailto:support@quorvex.example"}));
    QCOMPARE(m_presenter.messages.size(), 2);  // nothing could open them here
  }
  void enterRunsBalanceAndSearch() {
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    QTest::keyClick(box("Sp2"), Qt::Key_Return);
    QCOMPARE(box("MessageBox")->text(), QString("Balanced it successfully!"));
    box("SearchEdit1")->setText("KClO3");
    QTest::keyClick(box("SearchEdit1"), Qt::Key_Enter);
    QVERIFY(find<QPlainTextEdit>("m_SearchResultEdit")->toPlainText().contains("|1| 2KClO3 = 2KCl+3O2"));
  }

  void anInvalidCharacterIsSelected() {
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    box("Sp1")->setText("H2");
    box("Sp3")->setText("Na\u00e9Cl");
    box("Pr1")->setText("H2 O");  // product boxes are not checked
    click("BalanceBt");
    QCOMPARE(box("MessageBox")->text(), QString("Input error-Invalid characters!"));
    QTRY_VERIFY(box("Sp3")->hasFocus());
    QCOMPARE(box("Sp3")->selectionStart(), 2);
    QCOMPARE(box("Sp3")->selectedText(), QString("\u00e9"));
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
             QString("Select an equation from the Balancer result list (0)"));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
