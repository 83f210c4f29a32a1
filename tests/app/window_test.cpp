// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a whole: its layout, start-up, page keys, mnemonics, captions,
// painting and the names a screen reader speaks.
#include "windowfixture.h"

using quorvex::app::TForm1;

namespace {

// The window's controls as its layout places them: left, top, width, height, caption,
// hint and visibility. kAny marks what the layout leaves open (a caption's size, a place
// off the page); a null caption is not checked. Typed here, apart from the table that
// builds the window, so that a wrong value in that table shows.
constexpr int kAny = -1;
struct Place {
  int left = kAny, top = kAny, width = kAny, height = kAny;
};
struct Placed {
  const char* name;
  Place place;
  const char* caption = nullptr;
  const char* hint = "";
  bool hidden = false;
};
constexpr const char* kLastHint = "Slect last equation in the result board.";
constexpr const char* kNextHint = "Slect next equation in the result board.";
// clang-format off
constexpr Placed kLayout[] = {
    {"Image1", {0, -1, 543, 41}},
    {"TapSheet1", {0, 34, 531, 497}},
    {"TabSheet1", {}, "Balancer", "Input Pannel"},
    {"TabSheet2", {}, "Searcher"},
    {"CalculateSheet", {}, "Calculator", "Equation and Calculation Table."},
    {"TabSheet4", {}, "Report"},
    {"TableTabSheet", {}, "Periodic Table", "Periodic Table"},
    {"TabSheet7", {}, "Help", "Help Documents"},
    {"Image2", {11, 5, 94, 22}},
    {"MessageBox", {104, 6, 409, 19}, nullptr,
     "This box will tell you the general result.For detail, you must see the result board."},
    {"GroupBox1", {9, 28, 250, 191}, "Reactants"},
    {"GroupBox2", {263, 28, 250, 191}, "Products"},
    {"Label9", {8, 224}, "Balanced Equations List"},
    {"Label7", {8, 257}, "Balanced Equations List"},
    {"ResultEdit", {8, 243, 504, 185}},
    {"ClearBt", {8, 435, 75, 25}, "Reset", "Reset reactants and products"},
    {"ExampleBt", {81, 435, 75, 25}, "Examples", "Click to show examples"},
    {"BalanceBt", {155, 435, 75, 25}, "Balance", "Balance the equation"},
    {"BitBtn15", {356, 435, 75, 25}, "Clear List", "Clear all balanced equations"},
    {"BitBtn2", {431, 435, 75, 25}, "Print List", "Print the balanced equations"},
    {"SearchBt", {}, "Search", "", true},
    {"PageControl1", {0, 0, 521, 465}},
    {"TabSheet3", {}, "Search in the library"},
    {"GroupBox10", {9, 3, 245, 93}, "Reactants"},
    {"GroupBox8", {263, 3, 246, 93}, "Products"},
    {"Label19", {9, 101}, "Found Equations List"},
    {"m_SearchResultEdit", {8, 121, 499, 280}},
    {"BitBtn18", {7, 407}, "Reset"},
    {"BitBtn14", {82, 407}, "Examples"},
    {"BitBtn13", {156, 407}, "Search"},
    {"BitBtn19", {359, 407}, "Clear List"},
    {"BitBtn21", {434, 407}, "Print List"},
    {"BitBtn12", {}, "Balance", "", true},
    {"TabSheet5", {}, "Libray Maintenance"},
    {"EquationNumberLabel", {128, 8}},  // shows the library's count from the start
    {"StaticText1", {11, 46}, "Add a new balanced equation to the library:"},
    {"GroupBox14", {8, 65, 505, 153}, "Select one in the Balanced Equations List in the balalancer"},
    {"AddToLibEdit", {8, 16, 489, 97}},
    {"BitBtn22", {kAny, 120, 90, 25}, "Back", kLastHint},
    {"BitBtn23", {kAny, 120, 90, 25}, "Next", kNextHint},
    {"BitBtn24", {kAny, 120, 90, 25}, "Add To Lib", "Add current equation to your equation library."},
    {"StaticText2", {8, 248}, "Remove an equation from the library:"},
    {"GroupBox15", {8, 265, 505, 153}, "Select one in the Found Equations List in the searcher"},
    {"RemoveEquationEdit", {}},
    {"BitBtn28", {kAny, 120, 90, 25}, "Back", kLastHint},
    {"BitBtn29", {kAny, 120, 90, 25}, "Next", kNextHint},
    {"BitBtn26", {kAny, 120, 90, 25}, "Del From Lib", "Remove current equation from your equation library."},
    {"GroupCalcEquation", {8, 8, 505, 153}, "Select an equation from the Blancer result list"},
    {"SelEquationEdit", {8, 16, 489, 97}},
    {"BitBtn30", {8, 120}, "Switch List...", "Switch equation lists"},
    {"BitBtn3", {320, 120}, "Prev", "Select the previous equation"},
    {"BitBtn4", {409, 120}, "Next", "Select the next equation"},
    {"BitBtn10", {}, "Add To Lib", "", true},
    {"BitBtn11", {}, "Del From Lib", "", true},
    {"GroupBox4", {8, 160, 505, 305}, "Calculation Table"},
    {"CalculateGrid", {8, 16, 489, 225}},
    {"GroupBox13", {}, "Calculating"},
    {"Unit_mol", {}, "amount (mole)"},
    {"Unit_g", {}, "mass (gram)"},
    {"GroupBox12", {}, "Precision"},
    {"RadioButton1", {}, "low"},
    {"RadioButton2", {}, "high"},
    {"CalculateBt", {}, "Calculate", "Solve selected equation."},
    {"BitBtn5", {}, "Clear All", "Clear the table."},
    {"GroupBox5", {}, "Report", "Write your report here."},
    {"ReportEdit", {8, 16, 497, 401}},
    {"BitBtn6", {kAny, 424}, "Print"},
    {"BitBtn17", {kAny, 424}, "Save"},
    {"BitBtn16", {kAny, 424}, "Calculator"},
    {"BitBtn1", {kAny, 424}, "Clear All"},
    {"GroupBox6", {16, 8, 489, 313}},
    {"GroupBox9", {16, 337, 489, 121}},
    {"GroupBox11", {}},
    {"Label2", {}, "Home Page"},
    {"HelpRichEdit", {8, 48, 497, 409}},
};
// clang-format on

}  // namespace

class WindowTest : public WindowFixture {
  Q_OBJECT

 private slots:
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

  // Each control stands where the window's layout places it (kLayout), and so do the
  // numbered boxes: two columns of seven (of three for searching), at left 8 and 128.
  void controlsStandWhereTheLayoutPlacesThem_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("place");  // left, top, width, height
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("hidden");
    const auto add = [](const QString& name, Place p, const char* caption, const char* hint, bool hidden) {
      QTest::newRow(qPrintable(name)) << name << QList<int>{p.left, p.top, p.width, p.height}
                                      << (caption ? QString(caption) : QString()) << QString(hint) << hidden;
    };
    for (const Placed& c : kLayout) add(c.name, c.place, c.caption, c.hint, c.hidden);
    const auto boxes = [&add](const char* prefix, std::initializer_list<int> left,
                              std::initializer_list<int> right, bool sized) {
      for (const auto& [x, numbers] : {std::pair{8, left}, std::pair{128, right}}) {
        int top = 16;
        for (const int n : numbers) {
          const QString name = prefix + QString::number(n);
          add(name, {x, top, sized ? 110 : kAny, sized ? 19 : kAny}, nullptr,
              name == "Sp1" ? "Input reactant" : "", false);
          top += 24;
        }
      }
    };
    boxes("Sp", {1, 2, 3, 4, 5, 6, 8}, {7, 9, 10, 11, 12, 13, 14}, true);
    boxes("Pr", {1, 2, 3, 4, 5, 6, 7}, {8, 9, 10, 11, 12, 13, 14}, true);
    boxes("SearchEdit", {1, 2, 3}, {4, 5, 6}, false);
    boxes("SearchEdit", {7, 8, 9}, {10, 11, 12}, false);
    for (const char* fact : {"ETName", "ETSymbol", "ETeType", "ETnumber", "ETweight", "ETstate", "ETMelt",
                             "ETBoil", "ETnag", "ETEnergy"}) {
      add(fact, {}, "N/A", "", false);
    }
  }
  void controlsStandWhereTheLayoutPlacesThem() {
    QFETCH(QString, name);
    QFETCH(QList<int>, place);
    QFETCH(QString, caption);
    QFETCH(QString, hint);
    QFETCH(bool, hidden);
    const QList<QWidget*> named = m_window->findChildren<QWidget*>(name);
    QCOMPARE(named.size(), 1);
    const QWidget* w = named[0];
    QCOMPARE(w->toolTip(), hint);
    const auto* tabs = qobject_cast<const QTabWidget*>(w->parentWidget()->parentWidget());
    if (tabs && tabs->indexOf(w) >= 0) {
      QCOMPARE(tabs->tabText(tabs->indexOf(w)).remove('&'), caption);
      QCOMPARE(tabs->tabToolTip(tabs->indexOf(w)), hint);
      return;
    }
    QCOMPARE(w->isHidden(), hidden);
    const QRect g = w->geometry();
    const int shown[] = {g.left(), g.top(), g.width(), g.height()};
    for (int i = 0; i < 4; ++i) {
      if (place[i] != kAny) QCOMPARE(shown[i], place[i]);
    }
    if (caption.isNull()) return;
    // Mnemonics are the window's keyboard path, not part of the caption.
    if (const auto* b = qobject_cast<const QAbstractButton*>(w)) QCOMPARE(b->text().remove('&'), caption);
    if (const auto* l = qobject_cast<const QLabel*>(w)) QCOMPARE(l->text(), caption);
    if (const auto* g2 = qobject_cast<const QGroupBox*>(w)) QCOMPARE(g2->title(), caption);
  }

  void startUpHoldEndsAfterOneToTwoSeconds() {
    // The window as the program builds it: the default hold, no test option.
    TForm1::Options options;
    options.workingDirectory = QDir(m_dir.path());
    QElapsedTimer clock;
    clock.start();
    TForm1 held(m_presenter, options);
    const qint64 ms = clock.elapsed();
    QVERIFY2(ms >= 1000 && ms < 3000, qPrintable(QString("the hold took %1 ms").arg(ms)));
  }

  // Every caption, header and label shows whole in the window's font.
  void captionsFitTheirControls() {
    QStringList clipped;
    const auto check = [&](const QWidget* w, const QString& text, int needed, int room) {
      if (needed > room)
        clipped << QString("%1 \"%2\": %3 px in %4").arg(w->objectName(), text).arg(needed).arg(room);
    };
    for (const QLabel* l : m_window->findChildren<QLabel*>()) {
      if (!l->text().isEmpty()) check(l, l->text(), l->sizeHint().width(), l->width());
    }
    for (const QAbstractButton* b : m_window->findChildren<QAbstractButton*>()) {
      if (b->text().isEmpty() || !qobject_cast<const QPushButton*>(b)) continue;
      // The "&" before the Alt+letter is not shown.
      const QString shown = QString(b->text()).remove('&');
      check(b, shown, b->fontMetrics().horizontalAdvance(shown) + 2, b->width());  // inside the border
    }
    for (const QRadioButton* b : m_window->findChildren<QRadioButton*>()) {
      check(b, b->text(), b->sizeHint().width(), b->width());
    }
    for (const QGroupBox* g : m_window->findChildren<QGroupBox*>()) {
      check(g, g->title(), g->fontMetrics().horizontalAdvance(g->title()) + 16, g->width());
    }
    for (const QTabWidget* t : m_window->findChildren<QTabWidget*>()) {
      check(t, "tabs", t->tabBar()->sizeHint().width(), t->width());
    }
    auto* grid = find<QTableWidget>("CalculateGrid");
    find<QRadioButton>("Unit_g")->setChecked(true);
    m_window->CalculateSheetEnter();
    // Row 0 shows in the view that keeps it in place.
    const QTableView* fixedRow = find<QTableView>("CalculateGridFixedRow");
    for (int c = 0; c < grid->columnCount(); ++c) {
      const QString text = grid->item(0, c)->text();
      const int margin =
          2 * (fixedRow->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, fixedRow) + 1);
      check(grid, text, grid->fontMetrics().horizontalAdvance(text) + margin, grid->columnWidth(c));
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join("; ")));
  }

  void startUpWithAFileMissing_data() {
    QTest::addColumn<QString>("missing");
    QTest::addColumn<qint64>("size");  // grown with zeros to this size instead of removed
    QTest::newRow("help") << "help.rtf" << qint64{0};
    QTest::newRow("report") << "report.rtf" << qint64{0};
    QTest::newRow("library") << "cbd.dat" << qint64{0};
    QTest::newRow("help over the size limit") << "help.rtf" << qint64{1024} * 1024 + 1;
  }
  void startUpWithAFileMissing() {
    QFETCH(QString, missing);
    QFETCH(qint64, size);
    m_window.reset();
    QVERIFY(size > 0 ? QFile::resize(m_dir.filePath(missing), size) : QFile::remove(m_dir.filePath(missing)));
    startWindow();
    QCOMPARE(m_presenter.messages.size(), 1);
    // The message names the file with its full path.
    QVERIFY2(m_presenter.messages[0].startsWith("error: Cannot read") &&
                 m_presenter.messages[0].contains("'" + QDir(m_dir.path()).absoluteFilePath(missing) + "'"),
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

  void anErrorThatEndsACommandIsShownAndTheWindowGoesOn() {
    click("ExampleBt");
    click("BalanceBt");
    const QString board = find<QPlainTextEdit>("ResultEdit")->toPlainText();
    box("Sp1")->setText("H99999999999");
    click("BalanceBt");
    QCOMPARE(m_presenter.messages, QStringList({"Input error 2-Number too great!",
                                                "error: '99999999999' is not a valid integer value"}));
    QCOMPARE(box("MessageBox")->text(), QString("Balanced it successfully!"));
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(), board);
  }

  // A list longer than its box is scrolled to its newest equation, on its page or not.
  void listsShowTheirNewestEquation() {
    box("Sp1")->setText("H2");
    box("Sp2")->setText("O2");
    box("Pr1")->setText("H2O");
    box("SearchEdit7")->setText("O2");
    for (int i = 0; i < 30; ++i) click(i % 2 ? "BitBtn13" : "BalanceBt");
    for (const char* name : {"ResultEdit", "m_SearchResultEdit"}) {
      auto* list = find<QPlainTextEdit>(name);
      for (QWidget* page = list; page->parentWidget(); page = page->parentWidget()) {
        if (auto* pages = qobject_cast<QStackedWidget*>(page->parentWidget())) pages->setCurrentWidget(page);
      }
      QApplication::processEvents();
      const QScrollBar* bar = list->verticalScrollBar();
      QVERIFY2(bar->maximum() > 0 && bar->value() == bar->maximum(), name);
      QTextBlock newest = list->document()->lastBlock();
      while (newest.isValid() && newest.text().isEmpty()) newest = newest.previous();
      QVERIFY2(newest.text().startsWith(name == QString("ResultEdit") ? "|15| 2H2+O2 = 2H2O" : "|15| 2KClO3"),
               name);
      QVERIFY2(list->viewport()->rect().contains(list->cursorRect(QTextCursor(newest)).center()), name);
    }
  }

  // Every number the window shows carries the user's separator, once: the
  // table, the limiting-reagent summary and the element facts.
  void numbersShowOneSeparatorOnEveryPage() {
    const QString point = QLocale().decimalPoint();
    static const QRegularExpression inText("\\d[\\d.,]*\\d|\\d");
    const QRegularExpression number("^-?\\d+(" + QRegularExpression::escape(point) + "\\d+)?(E-?\\d+)?$");
    bool anyFraction = false;
    const auto check = [&](const QString& where, const QString& text) {
      QVERIFY2(number.match(text).hasMatch(), qPrintable(where + " shows \"" + text + "\""));
      anyFraction = anyFraction || text.contains(point);
    };
    calculatorWithWater();
    auto* grid = find<QTableWidget>("CalculateGrid");
    QTest::mouseClick(find<QRadioButton>("RadioButton2"), Qt::LeftButton);
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);
    typeIntoCell(grid, 1, 4, local("4.5"));
    click("CalculateBt");
    // Both unit changes read back what the table wrote.
    QTest::mouseClick(find<QRadioButton>("Unit_mol"), Qt::LeftButton);
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);
    typeIntoCell(grid, 2, 4, "40");
    m_presenter.messages.clear();
    click("CalculateBt");
    for (int r = 1; r <= 3; ++r) {
      for (int c = 2; c <= 4; ++c) check(QString("cell %1, %2").arg(r).arg(c), grid->item(r, c)->text());
    }
    QCOMPARE(m_presenter.messages.size(), 1);
    const QString summary = m_presenter.messages[0];
    QVERIFY2(summary.startsWith("The limiting reagent is H2. Left over: "), qPrintable(summary));
    for (auto it = inText.globalMatch(summary); it.hasNext();) check(summary, it.next().captured());
    for (const auto& e : quorvex::app::ElementButtons()) {
      find<QPushButton>(qPrintable("Element" + e.symbol))->click();
      for (const char* fact : {"ETnumber", "ETweight", "ETMelt", "ETBoil", "ETnag", "ETEnergy"}) {
        const QString text = find<QLabel>(fact)->text();
        if (text.isEmpty() || text.contains("N/A") || text.contains("N / A")) continue;
        check(e.symbol + " " + fact, text);
      }
    }
    QVERIFY(anyFraction);
    QVERIFY(m_presenter.messages.filter("error").isEmpty());
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

  // However the Calculator is reached, its entry picks the first equation and
  // the caption counts the board. Key 0: the page is chosen as a click does.
  void everyWayIntoTheCalculatorEntersIt_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<QString>("focus");  // empty: the page tabs
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::newRow("click after the Periodic Table") << 4 << "" << 0 << 0 << 1;
    QTest::newRow("arrow keys on the tabs") << 0 << "" << int(Qt::Key_Right) << 0 << 2;
    QTest::newRow("Ctrl+Tab from the Searcher's list")
        << 1 << "m_SearchResultEdit" << int(Qt::Key_Tab) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Ctrl+PageDown from a reactant box")
        << 0 << "Sp3" << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 2;
    QTest::newRow("Ctrl+PageUp from the report")
        << 3 << "ReportEdit" << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << 1;
    QTest::newRow("Ctrl+PageDown round from the help")
        << 5 << "HelpRichEdit" << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << 3;
    QTest::newRow("Ctrl+Shift+Tab from the help")
        << 5 << "HelpRichEdit" << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << 3;
    QTest::newRow("Ctrl+Shift+Tab round from the Balancer")
        << 0 << "Sp3" << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << 4;
  }
  void everyWayIntoTheCalculatorEntersIt() {
    QFETCH(int, from);
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    balanceTwo();
    auto* tabs = find<QTabWidget>("TapSheet1");
    tabs->setCurrentIndex(from);
    QWidget* start =
        focus.isEmpty() ? static_cast<QWidget*>(tabs->tabBar()) : find<QWidget>(qPrintable(focus));
    start->setFocus();
    QTRY_VERIFY(start->hasFocus());
    for (int i = 0; i < presses; ++i) {
      if (key == 0) tabs->setCurrentIndex(2);
      else QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    }
    QCOMPARE(tabs->currentIndex(), 2);
    QTRY_COMPARE(find<QPlainTextEdit>("SelEquationEdit")->toPlainText(), QString("|1| 2H2+O2 = 2H2O"));
    QCOMPARE(find<QGroupBox>("GroupCalcEquation")->title(),
             QString("Select an equation from the Balancer result list (2)"));
    QCOMPARE(find<QTableWidget>("CalculateGrid")->item(1, 0)->text(), QString("H2"));
  }

  // Each page's buttons have an Alt+letter of their own; Alt+letter presses the button.
  void mnemonicsAreUniqueOnEachPage_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("pressed");  // the button Alt+its letter is tried on
    QTest::newRow("Balancer") << "TabSheet1" << 0 << "BalanceBt";
    QTest::newRow("Search in the library") << "TabSheet3" << 1 << "BitBtn13";
    QTest::newRow("Libray Maintenance") << "TabSheet5" << 1 << "BitBtn29";
    QTest::newRow("Calculator") << "CalculateSheet" << 2 << "Unit_g";
    QTest::newRow("Report") << "TabSheet4" << 3 << "BitBtn1";
  }
  void mnemonicsAreUniqueOnEachPage() {
    QFETCH(QString, page);
    QFETCH(int, index);
    QFETCH(QString, pressed);
    QMap<QChar, QString> letters;
    for (const QAbstractButton* b : find<QWidget>(qPrintable(page))->findChildren<QAbstractButton*>()) {
      if (b->isHidden()) continue;
      const QString text = b->text();
      const qsizetype amp = text.indexOf('&');
      QVERIFY2(amp >= 0 && amp + 1 < text.size() && text.count('&') == 1, qPrintable(b->objectName()));
      const QChar letter = text[amp + 1].toLower();
      QVERIFY2(!letters.contains(letter), qPrintable(b->objectName() + " and " + letters[letter]));
      letters[letter] = b->objectName();
      QVERIFY2(b->accessibleName().isEmpty() || !b->accessibleName().contains('&'),
               qPrintable(b->objectName()));
    }
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    find<QTabWidget>("TapSheet1")->setCurrentIndex(index);
    if (page == "TabSheet5") find<QTabWidget>("PageControl1")->setCurrentIndex(1);
    auto* button = find<QAbstractButton>(qPrintable(pressed));
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    const QString text = button->text();
    QTest::keyClick(m_window.get(), text[text.indexOf('&') + 1].toLower().toLatin1(), Qt::AltModifier);
    QTRY_COMPARE(clicks.count(), 1);  // a shortcut's click is animated
  }

  // Every list and the report print at a reading size at every resolution.
  void printsAtAReadableSize_data() {
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("dpi");
    for (const char* what : {"result list", "found list", "report"}) {
      for (int dpi : {300, 1200})
        QTest::newRow(qPrintable(QString("%1 %2").arg(what).arg(dpi))) << what << dpi;
    }
  }
  void printsAtAReadableSize() {
    QFETCH(QString, what);
    QFETCH(int, dpi);
    balanceTwo();
    box("SearchEdit7")->setText("H2O");
    click("BitBtn13");
    QTextDocument list;
    QStringList lines;
    QString source =
        find<QPlainTextEdit>(what == "found list" ? "m_SearchResultEdit" : "ResultEdit")->toPlainText();
    for (const QString& line : source.split('\n')) {
      if (line.startsWith('|')) lines << line;
    }
    quorvex::app::BuildListDocument(list, what, lines);
    const QTextDocument& document = what == "report" ? *find<QTextEdit>("ReportEdit")->document() : list;
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(dpi);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_dir.filePath("printed.pdf"));
    QVERIFY(quorvex::app::PrintTo(document, printer, what, m_presenter));
    if (what == "report") {
      checkPrintedWords(printer.outputFileName(), {"My", "report"}, 9, 16);
    } else if (what == "found list") {
      checkPrintedWords(printer.outputFileName(), {"|1|", "2H2+O2", "=", "2H2O"}, 9, 16);
    } else {
      checkPrintedWords(printer.outputFileName(), {"|1|", "2H2+O2", "|2|", "N2+3H2", "2NH3"}, 9, 16);
    }
  }

  // Every box's frame shows whole on the screen, at the scale factors 1.5
  // and 2 too (see CMakeLists.txt): each device pixel of its left and top edge
  // is frame grey, not the page or the caption strip behind it; the grid's
  // lines are all equally thick.
  void framesAndGridLinesShowWhole() {
    balanceTwo();
    auto* tabs = find<QTabWidget>("TapSheet1");
    const auto grey = [](QRgb p) { return qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) < 0xe8; };
    QStringList broken;
    for (int page = 0; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      if (page == 2) m_window->CalculateSheetEnter();
      QCoreApplication::processEvents();
      const QImage shot = m_window->grab().toImage();
      const double scale = shot.devicePixelRatio();
      for (const QAbstractScrollArea* box : tabs->widget(page)->findChildren<QAbstractScrollArea*>()) {
        if (!box->isVisible() || box->frameWidth() == 0) continue;
        const QRect at(box->mapTo(m_window.get(), QPoint(0, 0)), box->size());
        // The device pixels the edge's first logical pixel falls on.
        const int top = int(std::ceil(at.top() * scale)), topEnd = int(std::ceil((at.top() + 1) * scale));
        const int left = int(std::ceil(at.left() * scale)), leftEnd = int(std::ceil((at.left() + 1) * scale));
        for (int y = top; y < topEnd; ++y) {
          if (!grey(shot.pixel(int((at.center().x()) * scale), y))) broken << box->objectName() + " top";
        }
        for (int x = left; x < leftEnd; ++x) {
          for (int y = int((at.top() + 10) * scale); y < int((at.top() + 30) * scale); ++y) {
            if (!grey(shot.pixel(x, y))) {
              broken << box->objectName() + " left";
              break;
            }
          }
        }
      }
      if (page != 2) continue;
      // Down column 5, always empty: the runs of line pixels between the rows.
      auto* grid = find<QTableWidget>("CalculateGrid");
      const QPoint origin = grid->viewport()->mapTo(m_window.get(), QPoint(0, 0));
      const int x = int((origin.x() + grid->columnViewportPosition(5) + 10) * scale);
      QList<int> runs;
      int run = 0;
      for (int y = int((origin.y() + 20) * scale);
           y < int((origin.y() + grid->viewport()->height() - 2) * scale); ++y) {
        if (shot.pixel(x, y) != qRgb(255, 255, 255)) {
          ++run;
        } else if (run > 0) {
          runs << run;
          run = 0;
        }
      }
      QVERIFY(runs.size() > 8);
      if (std::count(runs.begin(), runs.end(), runs[0]) != runs.size()) {
        QStringList r;
        for (int n : runs) r << QString::number(n);
        broken << "grid lines " + r.join(',');
      }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join("; ")));
  }

  // Grid cells are spoken as their row's formula and their column; the element
  // facts are labelled by their captions.
  void screenReadersHearCellsAndFactsByName() {
    balanceTwo();
    m_window->CalculateSheetEnter();
    auto* grid = find<QTableWidget>("CalculateGrid");
    QCOMPARE(grid->item(2, 2)->data(Qt::AccessibleTextRole).toString(), QString("O2, Molecular Weight: 32"));
    QCOMPARE(grid->item(3, 4)->data(Qt::AccessibleTextRole).toString(), QString("H2O, Amount (mole)"));
    QCOMPARE(find<QLabel>("CaptionETMelt")->buddy(), find<QWidget>("ETMelt"));
    // Column titles, never numbers or the blanks that centre a title.
    QCOMPARE(grid->model()->headerData(4, Qt::Horizontal).toString(), QString("Amount (mole)"));
    QCOMPARE(grid->model()->headerData(6, Qt::Horizontal).toString(), QString());
    QCOMPARE(grid->item(0, 4)->data(Qt::AccessibleTextRole).toString(), QString("Amount (mole)"));
    // A combo box is named by its name, not its value.
    QAccessibleInterface* medium = QAccessible::queryAccessibleInterface(find<QWidget>("MediumBox"));
    QCOMPARE(medium->text(QAccessible::Name), QString("Medium"));
    QCOMPARE(medium->text(QAccessible::Value), QString("as typed"));
    const std::pair<const char*, const char*> names[] = {
        {"Sp7", "Reactant 7"},
        {"SearchEdit9", "Search product 3"},
        {"ElementFe", "Iron, Fe"},
        {"ClearBt", "Reset (reactants and products)"},
        {"BitBtn18", "Reset (search boxes)"},
        {"ExampleBt", "Examples (balancing)"},
        {"BitBtn14", "Examples (searching)"},
        {"BitBtn15", "Clear List (balanced equations)"},
        {"BitBtn19", "Clear List (found equations)"},
        {"BitBtn2", "Print List (balanced equations)"},
        {"BitBtn21", "Print List (found equations)"},
        {"BitBtn5", "Clear All (calculation table)"},
        {"BitBtn1", "Clear All (report)"},
    };
    for (const auto& [name, spoken] : names) QCOMPARE(find<QWidget>(name)->accessibleName(), QString(spoken));
    QCOMPARE(find<QPushButton>("BalanceBt")->accessibleDescription(), QString("Balance the equation"));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
