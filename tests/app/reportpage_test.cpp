// SPDX-License-Identifier: GPL-3.0-or-later
// The Report page: its file, Save, Undo, the close question and Record.
#include "windowfixture.h"

class ReportPageTest : public WindowFixture {
  Q_OBJECT

 private slots:
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

  // Clear All is undone by Ctrl+Z; Save says so; closing with changes asks first.
  void reportUndoSaveAndClose() {
    QVERIFY(m_window->close());  // nothing changed: nothing asked
    QVERIFY(m_presenter.messages.isEmpty());
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    find<QTabWidget>("TapSheet1")->setCurrentIndex(3);
    auto* report = find<QTextEdit>("ReportEdit");
    click("BitBtn1");
    QCOMPARE(report->toPlainText(), QString());
    // Clicked with the mouse, Clear All hands the focus to the text, where Ctrl+Z undoes it.
    QCOMPARE(QApplication::focusWidget(), report);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(report->toPlainText(), QString("My report"));
    click("BitBtn1");
    using Choice = quorvex::app::MessagePresenter::SaveChoice;
    for (const auto& [choice, closes] : {std::pair{Choice::Cancel, false}, std::pair{Choice::Save, true}}) {
      m_presenter.saveChoice = choice;
      QCOMPARE(m_window->close(), closes);
      QCOMPARE(m_presenter.messages.takeLast(),
               QString("ask: The report has changes that are not saved. Save them before closing?"));
    }
    QVERIFY(!readFile("report.rtf").contains("My report"));
    QCOMPARE(find<QLabel>("ReportStatus")->text(), QString("Saved report.rtf"));
    // Discarded changes stay out of the file.
    m_window.reset();
    startWindow();
    find<QTextEdit>("ReportEdit")->setPlainText("draft");
    m_presenter.saveChoice = Choice::Discard;
    QVERIFY(m_window->close());
    QVERIFY(!readFile("report.rtf").contains("draft"));
  }

  // A failed Save, by its button or at the question before closing, keeps the
  // file, the text and the window.
  void aFailedSaveKeepsFileAndText_data() {
    QTest::addColumn<bool>("closing");
    QTest::newRow("Save") << false;
    QTest::newRow("Save at the close question") << true;
  }
  void aFailedSaveKeepsFileAndText() {
    QFETCH(bool, closing);
    // A folder in place of the file makes the write fail, even as root.
    QVERIFY(QFile::remove(m_dir.filePath("report.rtf")));
    QVERIFY(QDir(m_dir.path()).mkdir("report.rtf"));
    auto* report = find<QTextEdit>("ReportEdit");
    report->setPlainText("new");
    report->moveCursor(QTextCursor::End);
    QTest::keyClicks(report, " text");  // typed: a change to save
    if (closing) {
      m_presenter.saveChoice = quorvex::app::MessagePresenter::SaveChoice::Save;
      QVERIFY(!m_window->close());
      QVERIFY(m_window->isVisible());
      QVERIFY(m_presenter.messages.takeFirst().startsWith("ask: "));
    } else {
      click("BitBtn17");
    }
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
    QTest::addColumn<QString>("saveAs");  // what Save As answers first
    QTest::newRow("plain text") << QByteArray("my notes\n") << qint64{0} << "it was not read at start-up"
                                << "other.rtf";
    QTest::newRow("over the size limit")
        << QByteArray("{\\rtf1 big}") << qint64{1024} * 1024 + 1 << "larger than 1 MiB"
        << "other.rtf";
    // Each letter takes a byte in the file and four ("\\'e9") once saved.
    QTest::newRow("over the size limit once saved")
        << "{\\rtf1\\ansi " + QByteArray(300000, '\xe9') + "}" << qint64{0}
        << "Saved again, the report would be larger than 1 MiB"
        << "other.rtf";
    QTest::newRow("pictures and objects")
        << QByteArray("{\\rtf1 a{\\*\\shppict{\\pict\\pngblip 8950}}{\\object{\\*\\objdata 01}}b\\par}")
        << qint64{0} << "it holds pictures, objects, which the report does not show"
        << "other.rtf";
    QTest::newRow("unknown destination")
        << QByteArray("{\\rtf1 a{\\*\\newthing b}\\par}") << qint64{0} << "parts of unknown kind"
        << "other.rtf";
    QTest::newRow("notes after the end")
        << QByteArrayLiteral("{\\rtf1 a\\par}\0\nmy notes\n") << qint64{0}
        << "it holds text after the document's end, which the report does not show"
        << "other.rtf";
    QTest::newRow("Save As onto the report itself")
        << QByteArray("my notes\n") << qint64{0} << "it was not read at start-up"
        << "report.rtf";
  }
  void saveKeepsAReportNotReadInFull() {
    QFETCH(QByteArray, old);
    QFETCH(qint64, size);
    QFETCH(QString, reason);
    QFETCH(QString, saveAs);
    m_window.reset();
    writeFile("report.rtf", old);
    if (size > 0) QVERIFY(QFile::resize(m_dir.filePath("report.rtf"), size));
    const QByteArray before = readFile("report.rtf");
    QStringList asked;
    startWindow([&] {
      asked << "Save As";
      return asked.size() == 1 ? m_dir.filePath(saveAs) : QString();
    });
    m_presenter.messages.clear();
    find<QTextEdit>("ReportEdit")->setPlainText("new text");
    click("BitBtn17");
    QCOMPARE(asked.size(), 1);
    const bool itself = saveAs == "report.rtf";
    QCOMPARE(m_presenter.messages.size(), itself ? 2 : 1);
    QVERIFY2(m_presenter.messages[0].startsWith("error: 'report.rtf' was not overwritten: ") &&
                 m_presenter.messages[0].contains(reason) &&
                 m_presenter.messages[0].endsWith("Use Save As\u2026 to save the report under another name."),
             qPrintable(m_presenter.messages[0]));
    QCOMPARE(readFile("report.rtf"), before);
    if (itself) return;
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

  // The limit is on the report as Save writes it: a report over it is written
  // nowhere (the file and the text stay as they are); one within it opens again.
  void saveWithinTheLimitOnly_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("saved");
    QTest::newRow("words over the limit") << QStringLiteral("word ").repeated(210000) << false;
    // Each letter takes four bytes once saved ("\\'e9").
    QTest::newRow("accented letters within the limit") << QString(260000, QChar(0xe9)) << true;
    QTest::newRow("accented letters over the limit") << QString(263000, QChar(0xe9)) << false;
  }
  void saveWithinTheLimitOnly() {
    QFETCH(QString, text);
    QFETCH(bool, saved);
    const QByteArray before = readFile("report.rtf");
    find<QTextEdit>("ReportEdit")->setPlainText(text);
    m_presenter.messages.clear();
    click("BitBtn17");
    if (!saved) {
      QCOMPARE(
          m_presenter.messages,
          QStringList{"error: The report was not saved: it is larger than 1 MiB, the most the Report page "
                      "opens. Shorten it, or copy it into a word processor."});
      QCOMPARE(readFile("report.rtf"), before);
      QCOMPARE(find<QTextEdit>("ReportEdit")->toPlainText(), text);
      return;
    }
    QCOMPARE(m_presenter.messages, QStringList());
    m_window.reset();
    startWindow();
    QCOMPARE(m_presenter.messages, QStringList());
    QCOMPARE(find<QTextEdit>("ReportEdit")->toPlainText(), text);
  }

  // Copy and Record act on the list box they are used in; Record puts the
  // selection into the report as a body paragraph of its own.
  void copyAndRecordFromEachList_data() {
    QTest::addColumn<QString>("list");
    for (const char* list :
         {"ResultEdit", "m_SearchResultEdit", "AddToLibEdit", "RemoveEquationEdit", "SelEquationEdit"}) {
      QTest::newRow(list) << list;
    }
  }
  void copyAndRecordFromEachList() {
    QFETCH(QString, list);
    m_window.reset();
    writeFile("report.rtf", "{\\rtf1\\ansi\\fs36{\\b My Chemistry Report}\\par\\fs18 Body\\par}");
    startWindow();
    auto* box = find<QPlainTextEdit>(qPrintable(list));
    auto* report = find<QTextEdit>("ReportEdit");
    box->setPlainText("|1| 2H2+O2 = 2H2O\n\n|2| N2+3H2 = 2NH3");
    // Nothing selected: nothing is recorded, Record says what to select, and
    // the clipboard keeps its text.
    QApplication::clipboard()->setText("unrelated");
    QTest::keyClick(box, Qt::Key_R, Qt::ControlModifier);
    QCOMPARE(m_presenter.messages.size(), 1);
    QVERIFY(m_presenter.messages.takeLast().startsWith("Nothing is selected. Select the equation to record"));
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("unrelated"));
    QCOMPARE(report->toPlainText(), QString("My Chemistry Report\nBody"));
    for (const auto& [from, to] : {std::pair{4, 17}, std::pair{23, 36}}) {
      QTextCursor selection(box->document());
      selection.setPosition(from);
      selection.setPosition(to, QTextCursor::KeepAnchor);
      box->setTextCursor(selection);
      QTest::keyClick(box, Qt::Key_R, Qt::ControlModifier);
    }
    QCOMPARE(QApplication::clipboard()->text(), QString("N2+3H2 = 2NH3"));
    QCOMPARE(report->toPlainText(), QString("My Chemistry Report\nBody\n2H2+O2 = 2H2O\nN2+3H2 = 2NH3"));
    const QTextBlock last = report->document()->lastBlock();
    QCOMPARE(last.charFormat().fontPointSize(), 9.0);
    QCOMPARE(last.begin().fragment().charFormat().fontWeight(), int(QFont::Normal));
    QCOMPARE(report->document()->firstBlock().text(), QString("My Chemistry Report"));
    box->selectAll();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("|1| 2H2+O2 = 2H2O\n\n|2| N2+3H2 = 2NH3"));
    // After "Clear All", typing is body text, not the heading's.
    click("BitBtn1");
    QTest::keyClicks(report, "Notes");
    QCOMPARE(report->document()->firstBlock().begin().fragment().charFormat().fontPointSize(), 9.0);
    QVERIFY(!report->document()->firstBlock().begin().fragment().charFormat().font().bold());
  }

  // The report's menu and its Print and Calculator buttons run their slots;
  // here no calculator program is found, and no printer where none is installed.
  void menuPrintAndCalculatorRunTheirSlots() {
    auto* report = find<QTextEdit>("ReportEdit");
    report->selectAll();
    find<QAction>("Copy2")->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QString("My report"));
    QApplication::clipboard()->setText(" pasted");
    report->moveCursor(QTextCursor::End);
    find<QAction>("Paste1")->trigger();
    QCOMPARE(report->toPlainText(), QString("My report pasted"));
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(m_dir.path()));  // a folder without a calculator program
    click("BitBtn16");
    qputenv("PATH", path);
    QCOMPARE(m_presenter.messages.takeFirst(),
             QString("No calculator program was found on this computer. Install one, for example "
                     "gnome-calculator, and press \"Calculator\" again."));
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a printer is installed here");
    click("BitBtn6");
    QCOMPARE(m_presenter.messages.size(), 2);
    QCOMPARE(m_presenter.messages[1], "\"report.rtf\" was saved as " + m_dir.filePath("list.pdf") + ".");
  }

  void recordAtACaretInsideAParagraph() {
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    click("BalanceBt");
    auto* result = find<QPlainTextEdit>("ResultEdit");
    QTextCursor selection(result->document());
    selection.setPosition(4);
    selection.setPosition(17, QTextCursor::KeepAnchor);
    result->setTextCursor(selection);
    auto* report = find<QTextEdit>("ReportEdit");
    QTextCursor caret(report->document());
    caret.setPosition(3);  // "My |report"
    report->setTextCursor(caret);
    find<QAction>("CopytoReport1")->trigger();
    QCOMPARE(report->toPlainText(), QString("My \n2H2+O2 = 2H2O\nreport"));
    caret.setPosition(0);  // "|My"
    report->setTextCursor(caret);
    find<QAction>("CopytoReport1")->trigger();
    QCOMPARE(report->toPlainText(), QString("2H2+O2 = 2H2O\nMy \n2H2+O2 = 2H2O\nreport"));
  }
};

QTEST_MAIN(ReportPageTest)
#include "reportpage_test.moc"
