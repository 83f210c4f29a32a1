// SPDX-License-Identifier: GPL-3.0-or-later
// The Balancer page: its controls' wiring, the message box, typing into the boxes.
#include "windowfixture.h"

class BalancerPageTest : public WindowFixture {
  Q_OBJECT

 private slots:
  void balanceShowsTheOutcomeInItsColour_data() {
    QTest::addColumn<QStringList>("reactants");
    QTest::addColumn<QStringList>("products");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("board");
    QTest::newRow("case 2") << QStringList{"CS2", "MnO4[-]", "H[+]"}
                            << QStringList{"Mn[2+]", "S", "CO2", "H2O"} << "Balanced it successfully!"
                            << QColor(100, 100, 255)
                            << "|1| 5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S+5CO2+6H2O\n\n";
    QTest::newRow("typed and pasted notation")
        << QStringList{"Ba^2+", "SO\u2084\u00B2\u207B", "H\u2082O"} << QStringList{"BaSO4.2H2O"}
        << "Balanced it successfully!" << QColor(100, 100, 255) << "|1| Ba[2+]+SO4[2-]+2H2O = BaSO4*2H2O\n\n";
    QTest::newRow("input error")
        << QStringList{"H2 O"} << QStringList{"H2O"}
        << "Input error-Invalid characters! Letters stand apart: remove the blanks inside "
           "formulas."
        << QColor(255, 100, 100) << "";
    QTest::newRow("two reactions in one")
        << QStringList{"KMnO4", "H2O2", "H2SO4"} << QStringList{"K2SO4", "MnSO4", "O2", "H2O"}
        << "Failed to balance! It combines 2 independent reactions; split it into equations that balance on their own."
        << QColor(100, 100, 255) << "";
    QTest::newRow("whole equation pasted into a product box")
        << QStringList{} << QStringList{"", "2 H\u2082 + O\u2082 \u2192 2 H\u2082O"} << "Balanced."
        << QColor(100, 100, 255) << "|1| 2H2+O2 = 2H2O\n\n";
    QTest::newRow("check verdict shown short")
        << QStringList{"2Cu", "8HNO3"} << QStringList{"3Cu(NO3)2", "2NO", "4H2O"}
        << "Not balanced: Cu: left 2, right 3. The balance is on the list." << QColor(100, 100, 255)
        << "|1| 3Cu+8HNO3 = 3Cu(NO3)2+2NO+4H2O\n\n";
  }
  void balanceShowsTheOutcomeInItsColour() {
    QFETCH(QStringList, reactants);
    QFETCH(QStringList, products);
    QFETCH(QString, message);
    QFETCH(QColor, colour);
    QFETCH(QString, board);
    // Typed key by key; text beyond ASCII is pasted.
    const auto enter = [](QLineEdit* edit, const QString& text) {
      bool ascii = true;
      for (const QChar c : text) ascii = ascii && c.unicode() < 0x80;
      if (ascii) {
        QTest::keyClicks(edit, text);
      } else {
        edit->insert(text);
      }
    };
    for (int i = 0; i < reactants.size(); ++i)
      enter(box(qPrintable(QString("Sp%1").arg(i + 1))), reactants[i]);
    for (int i = 0; i < products.size(); ++i) enter(box(qPrintable(QString("Pr%1").arg(i + 1))), products[i]);
    if (QTest::currentDataTag() == QByteArray("typed and pasted notation")) {
      QCOMPARE(box("Sp2")->text(), QString("SO4[2-]"));  // shown at once, before Balance
    }
    if (QTest::currentDataTag() == QByteArray("whole equation pasted into a product box")) {
      // Filled at once, each species in its box, the coefficients kept.
      QCOMPARE(box("Sp1")->text() + box("Sp2")->text() + box("Pr1")->text() + box("Pr2")->text(),
               QString("2H2O22H2O"));
      QCOMPARE(
          box("MessageBox")->text(),
          QString("The equation fills the boxes: one species in each. Click \"Balance\" to balance it."));
    }
    click("BalanceBt");
    QCOMPARE(box("MessageBox")->text(), message);
    // Read from its first word; whole in the tool tip when it is longer than the box.
    QCOMPARE(box("MessageBox")->cursorPosition(), 0);
    if (QTest::currentDataTag() == QByteArray("check verdict shown short")) {
      // The full text is the tool tip and what a screen reader speaks.
      const QString full("Not balanced: Cu: left 2, right 3. The balance is 3Cu+8HNO3 = 3Cu(NO3)2+2NO+4H2O");
      QCOMPARE(box("MessageBox")->toolTip(), full);
      QCOMPARE(box("MessageBox")->accessibleDescription(), full);
    } else if (message.size() > 60) {
      QCOMPARE(box("MessageBox")->toolTip(), message);
    }
    QCOMPARE(messageColour(), colour);
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(), board);
    QVERIFY(m_presenter.messages.isEmpty());
  }

  // Reset's wiring row, over every box the page shows.
  void resetEmptiesAll28Boxes() {
    for (int i = 1; i <= 14; ++i) {
      box(qPrintable(QString("Sp%1").arg(i)))->setText("H2");
      box(qPrintable(QString("Pr%1").arg(i)))->setText("O2");
    }
    click("ClearBt");
    for (int i = 1; i <= 14; ++i) {
      QCOMPARE(box(qPrintable(QString("Sp%1").arg(i)))->text(), QString());
      QCOMPARE(box(qPrintable(QString("Pr%1").arg(i)))->text(), QString());
    }
  }

  void clickIntoABoxEmptiesTheMessage() {
    box("Sp1")->setText("H2");
    box("Pr1")->setText("O2");
    click("BalanceBt");
    const QString failed("Failed to balance! H is found among the reactants only.");
    QCOMPARE(box("MessageBox")->text(), failed);
    QCOMPARE(box("MessageBox")->toolTip(), failed);
    QTest::mouseClick(box("Pr14"), Qt::LeftButton);
    QCOMPARE(box("MessageBox")->text(), QString());
    QVERIFY(box("MessageBox")->toolTip().startsWith("This box will tell you"));
    QCOMPARE(box("Sp1")->text(), QString("H2"));
  }

  // The buttons run their commands, and the page shows the workspace's texts.
  void buttonsRunTheirCommands_data() {
    addWiringColumns();
    QTest::newRow("Examples") << QStringList{"ExampleBt"} << "Sp1"
                              << "P4";
    QTest::newRow("Clear List") << QStringList{"BitBtn15"} << "ResultEdit"
                                << "";
  }
  void buttonsRunTheirCommands() { checkWiringRow(); }

  void longEquationsBreakBetweenTerms() {
    for (int i = 0; i < 4; ++i) click("ExampleBt");  // case 1, into the boxes' second column
    click("BalanceBt");
    // A long equation breaks between its terms, never inside one, and copies without the breaks.
    find<QTabWidget>("TapSheet1")->setCurrentIndex(2);
    m_window->CalculateSheetEnter();
    for (const char* list : {"ResultEdit", "SelEquationEdit"}) {
      auto* edit = find<QPlainTextEdit>(list);
      const QTextBlock block = edit->document()->firstBlock();
      edit->document()->documentLayout()->blockBoundingRect(block);  // laid out on a page not shown
      const QString text = block.text();
      QVERIFY2(block.layout()->lineCount() > 1, qPrintable(QString(list) + ": " + text));
      for (int i = 1; i < block.layout()->lineCount(); ++i) {
        const int start = block.layout()->lineAt(i).textStart();
        QVERIFY2(
            text[start - 1] == QChar(0x200B) || text[start - 1] == ' ',
            qPrintable(QString("%1 breaks at \"%2|%3\"").arg(list, text.left(start), text.mid(start, 6))));
      }
      edit->selectAll();
      QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
      QVERIFY(QApplication::clipboard()->text().startsWith("|1| 119H2+18Ca(CN)2"));
      QVERIFY(!QApplication::clipboard()->text().contains(QChar(0x200B)));
    }
  }

  // What is typed key by key is never lost: only a text that is one species is
  // rewritten as it is typed; an equation or a list is spread over the boxes
  // by the key that finishes it (Enter also balances).
  void typedEquationsFillTheBoxesWhenFinished_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");  // in the box before the finishing key
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("reactants");
    QTest::addColumn<QStringList>("products");
    QTest::newRow("equation, Enter") << "KMnO4 + HCl = KCl + MnCl2 + H2O + Cl2"
                                     << "KMnO4 + HCl = KCl + MnCl2 + H2O + Cl2" << int(Qt::Key_Return)
                                     << QStringList{"KMnO4", "HCl"}
                                     << QStringList{"KCl", "MnCl2", "H2O", "Cl2"};
    QTest::newRow("list with a final blank")
        << "H2O + H^+ "
        << "H2O + H^+ " << int(Qt::Key_Tab) << QStringList{"H2O", "H[+]"} << QStringList{};
    QTest::newRow("ions in caret notation")
        << "Cr2O7^2- + Fe^2+ + H^+ = Cr^3+ + Fe^3+ + H2O"
        << "Cr2O7[2-] + Fe^2+ + H^+ = Cr^3+ + Fe^3+ + H2O" << int(Qt::Key_Tab)
        << QStringList{"Cr2O7[2-]", "Fe[2+]", "H[+]"} << QStringList{"Cr[3+]", "Fe[3+]", "H2O"};
    QTest::newRow("half-reaction with an arrow")
        << "MnO4^- + H^+ + e^- \u2192 Mn^2+ + H2O"
        << "MnO4[-] + H^+ + e^- \u2192 Mn^2+ + H2O" << int(Qt::Key_Tab)
        << QStringList{"MnO4[-]", "H[+]", "[-]"} << QStringList{"Mn[2+]", "H2O"};
  }
  void typedEquationsFillTheBoxesWhenFinished() {
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, key);
    QFETCH(QStringList, reactants);
    QFETCH(QStringList, products);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QLineEdit* first = box("Sp1");
    first->setFocus();
    for (const QChar c : typed) {
      if (c.unicode() < 0x80) {
        QTest::keyClick(first, c.toLatin1());
      } else {
        QTest::sendKeyEvent(QTest::Press, first, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, first, Qt::Key_unknown, QString(c), Qt::NoModifier);
      }
    }
    QCOMPARE(first->text(), shown);
    QTest::keyClick(first, Qt::Key(key));
    for (int i = 0; i < 14; ++i) {
      QCOMPARE(box(qPrintable(QString("Sp%1").arg(i + 1)))->text(), reactants.value(i));
      QCOMPARE(box(qPrintable(QString("Pr%1").arg(i + 1)))->text(), products.value(i));
    }
    if (key == Qt::Key_Return) {
      QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(),
               QString("|1| 2KMnO4+16HCl = 2KCl+2MnCl2+8H2O+5Cl2\n\n"));
    }
  }

  // The medium and the half-reaction choice are reached from the keyboard and complete the equation.
  void mediumAndHalfReactionFromTheKeyboard() {
    auto* medium = find<QComboBox>("MediumBox");
    auto* half = find<QCheckBox>("HalfReactionBox");
    QCOMPARE(medium->accessibleName(), QString("Medium"));
    QCOMPARE(half->accessibleName(), QString("Half-reaction"));
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    QTest::keyClick(m_window.get(), Qt::Key_M, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), medium);
    QTest::keyClick(medium, Qt::Key_Down);
    QCOMPARE(medium->currentText(), QString("acidic"));
    QTest::keyClick(m_window.get(), Qt::Key_F, Qt::AltModifier);
    QTRY_VERIFY(half->isChecked());  // a mnemonic clicks after a short show of the press
    QTest::keyClicks(box("Sp1"), "MnO4[-]");
    QTest::keyClicks(box("Pr1"), "Mn[2+]");
    QTest::keyClick(box("Pr1"), Qt::Key_Return);
    QCOMPARE(box("MessageBox")->text(), QString("Balanced it successfully! Added: 8H[+], 5e[-], 4H2O."));
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(),
             QString("|1| MnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O\n\n"));
  }

  void anInvalidCharacterIsSelected() {
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    box("Sp1")->setText("H2");
    box("Sp3")->setText("Na\u00e9Cl");
    box("Pr1")->setText("H2 O");  // product boxes are not checked
    click("BalanceBt");
    QCOMPARE(
        box("MessageBox")->text(),
        QString("Input error-Invalid characters! Letters stand apart: remove the blanks inside formulas."));
    QTRY_VERIFY(box("Sp3")->hasFocus());
    QCOMPARE(box("Sp3")->selectionStart(), 2);
    QCOMPARE(box("Sp3")->selectedText(), QString("\u00e9"));
  }
  void printingWithoutAPrinterOffersAPdf() {
    if (!QPrinterInfo::defaultPrinter().isNull()) QSKIP("a printer is installed here");
    balanceTwo();
    m_pdfName = "list";  // typed without ".pdf"
    click("BitBtn2");
    QCOMPARE(m_presenter.messages.size(), 2);
    QVERIFY(m_presenter.messages[0].startsWith("No printer is installed."));
    QCOMPARE(m_presenter.messages[1],
             "\"Balanced Equations List\" was saved as " + m_dir.filePath("list.pdf") + ".");
    checkPrintedWords(m_dir.filePath("list.pdf"), {"|1|", "2H2+O2", "=", "2H2O", "|2|", "N2+3H2", "2NH3"}, 9,
                      16);
    // The found list prints its equations, not its "Found" lines.
    box("SearchEdit7")->setText("H2O");
    click("BitBtn13");
    m_pdfName = "found.pdf";
    click("BitBtn21");
    checkPrintedWords(m_dir.filePath("found.pdf"), {"|1|", "2H2+O2"}, 9, 16,
                      {"......", "equations", "equation"});
  }
};

QTEST_MAIN(BalancerPageTest)
#include "balancerpage_test.moc"
