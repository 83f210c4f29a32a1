// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/file.h>
#include <unistd.h>

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include <array>
#include <clocale>
#include <memory>
#include <utility>

#include "app/fonts.h"
#include "app/pagetables.h"
#include "app/printing.h"
#include "app/tform1.h"
#include "recorder.h"

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

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> m_temp;  // a fresh working folder for each test
  QDir m_dir;
  RecordingPresenter m_presenter;
  QStringList m_urls;
  QString m_pdfName = "list.pdf";  // what the PDF file dialog answers
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
  // A number as the window shows it: with the user's decimal separator.
  static QString local(const char* number) { return QString(number).replace('.', QLocale().decimalPoint()); }
  // Balances H2 + O2 = H2O and enters the Calculator page as the focus does.
  void calculatorWithWater() {
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
  }
  // The editor of a cell: the one moving to it opens, else one opened for it.
  static QLineEdit* openEditor(QTableWidget* grid, int row, int column) {
    grid->setFocus();
    grid->setCurrentCell(row, column);
    for (int attempt = 0; attempt < 2; ++attempt) {
      QLineEdit* editor = nullptr;
      for (QLineEdit* open : grid->viewport()->findChildren<QLineEdit*>()) {
        if (open->isVisible()) editor = open;
      }
      if (editor) return editor;
      grid->editItem(grid->item(row, column));
    }
    return nullptr;
  }
  // Types `text` into a cell through its editor, as the keyboard does.
  void typeIntoCell(QTableWidget* grid, int row, int column, const QString& text) {
    QLineEdit* editor = openEditor(grid, row, column);
    QVERIFY(editor);
    editor->selectAll();
    if (text.isEmpty()) QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits on the next turn of the loop
  }

  // Opens the window on the test's working folder; `reportSaveAsPath` answers the report's Save As.
  void startWindow(std::function<QString()> reportSaveAsPath = {}) {
    TForm1::Options options;
    options.reportSaveAsPath = std::move(reportSaveAsPath);
    options.workingDirectory = QDir(m_dir.path());
    options.holdSeconds = 0;
    options.libraryLockMilliseconds = 300;
    options.pdfPath = [this] { return m_dir.filePath(m_pdfName); };
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
  // Balances 2H2+O2 = 2H2O and then N2+3H2 = 2NH3 onto the result board.
  void balanceTwo() {
    for (const auto& [sp1, sp2, pr1] : {std::array<const char*, 3>{"H2", "O2", "H2O"}, {"N2", "H2", "NH3"}}) {
      box("Sp1")->setText(sp1);
      box("Sp2")->setText(sp2);
      box("Pr1")->setText(pr1);
      click("BalanceBt");
    }
  }
  // Reads a PDF back with pdftotext: every word of `words` is there, and each
  // of them stands between `minHeight` and `maxHeight` points high.
  void checkPrintedWords(const QString& pdf, const QStringList& words, double minHeight, double maxHeight,
                         const QStringList& absent = {}) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
      QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess reader;
    reader.start("pdftotext", {"-bbox", pdf, "-"});
    QVERIFY(reader.waitForFinished(30000));
    const QString html = QString::fromUtf8(reader.readAllStandardOutput());
    static const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QMap<QString, double> heights;
    for (auto it = word.globalMatch(html); it.hasNext();) {
      const auto m = it.next();
      heights.insert(m.captured(5).replace("&amp;", "&"),
                     m.captured(4).toDouble() - m.captured(2).toDouble());
    }
    for (const QString& w : words) {
      QVERIFY2(heights.contains(w),
               qPrintable("\"" + w + "\" is not in the PDF: " + QStringList(heights.keys()).join(' ')));
      QVERIFY2(heights[w] >= minHeight && heights[w] <= maxHeight,
               qPrintable(QString("\"%1\" is %2 pt high").arg(w).arg(heights[w])));
    }
    for (const QString& w : absent) QVERIFY2(!heights.contains(w), qPrintable("\"" + w + "\" was printed"));
  }

 private slots:
  void initTestCase() {
    // The program's own font, set in pixels as the program sets it.
    quorvex::app::UseWindowFont();
    // A locale that is not generated leaves the C library in "C", and the
    // run would test nothing of it.
    const QByteArray wanted = qgetenv("LC_ALL");
    if (!wanted.isEmpty() && wanted != "C") {
      QVERIFY2(QByteArray(std::setlocale(LC_ALL, nullptr)) != "C",
               (wanted + " is not generated").constData());
    }
  }
  void init() {
    m_temp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_temp->isValid());
    m_dir = QDir(m_temp->path());
    writeFile("cbd.dat", "#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n");
    writeFile("help.rtf", "{\\rtf1\\ansi Quorvex help: balance with {\\b Balance}.\\par}");
    writeFile("report.rtf", "{\\rtf1\\ansi My report\\par}");
    m_presenter.messages.clear();
    m_urls.clear();
    m_pdfName = "list.pdf";
    startWindow();
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
    QTest::newRow("failure") << QStringList{"H2"} << QStringList{"O2"}
                             << "Failed to balance! H is found among the reactants only."
                             << QColor(100, 100, 255) << "";
    QTest::newRow("typed and pasted notation")
        << QStringList{"Ba^2+", "SO\u2084\u00B2\u207B", "H\u2082O"} << QStringList{"BaSO4.2H2O"}
        << "Balanced it successfully!" << QColor(100, 100, 255) << "|1| Ba[2+]+SO4[2-]+2H2O = BaSO4*2H2O\n\n";
    QTest::newRow("input error") << QStringList{"H2 O"} << QStringList{"H2O"}
                                 << "Input error-Invalid characters!" << QColor(255, 100, 100) << "";
    QTest::newRow("two reactions in one")
        << QStringList{"KMnO4", "H2O2", "H2SO4"} << QStringList{"K2SO4", "MnSO4", "O2", "H2O"}
        << "Failed to balance! It combines 2 independent reactions; split it into equations that balance on their own."
        << QColor(100, 100, 255) << "";
    QTest::newRow("whole equation pasted into a product box")
        << QStringList{} << QStringList{"", "2 H\u2082 + O\u2082 \u2192 2 H\u2082O"} << "Balanced."
        << QColor(100, 100, 255) << "|1| 2H2+O2 = 2H2O\n\n";
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
    if (message.size() > 60) QCOMPARE(box("MessageBox")->toolTip(), message);
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
    const QString failed("Failed to balance! H is found among the reactants only.");
    QCOMPARE(box("MessageBox")->text(), failed);
    QCOMPARE(box("MessageBox")->toolTip(), failed);
    QTest::mouseClick(box("Pr14"), Qt::LeftButton);
    QCOMPARE(box("MessageBox")->text(), QString());
    QVERIFY(box("MessageBox")->toolTip().startsWith("This box will tell you"));
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
    QCOMPARE(box("MessageBox")->text(), QString("Balanced it successfully! Added: 8H[+], 5[-], 4H2O."));
    QCOMPARE(find<QPlainTextEdit>("ResultEdit")->toPlainText(),
             QString("|1| MnO4[-]+8H[+]+5[-] = Mn[2+]+4H2O\n\n"));
  }

  void searchExamplesStartAtCaseTwo() {
    click("BitBtn14");
    QCOMPARE(box("SearchEdit7")->text(), QString("O2"));
    QVERIFY(find<QPlainTextEdit>("m_SearchResultEdit")
                ->toPlainText()
                .startsWith(
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

  void calculatorTableInBothPrecisionsAndUnits() {
    calculatorWithWater();
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
    QCOMPARE(row(1), QStringList({"H2", "2", local("2.0158"), local("4.0316")}));
    QCOMPARE(row(3), QStringList({"H2O", "2", local("18.0148"), local("36.0296")}));
    grid->item(1, 4)->setText("4");
    QTest::mouseClick(find<QRadioButton>("Unit_g"), Qt::LeftButton);
    QCOMPARE(grid->item(0, 4)->text(), QString("    Mass (gram)"));
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
    QCOMPARE(find<QGroupBox>("GroupCalcEquation")->title(),
             QString("Select an equation from the Balancer result list (1)"));
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

  void elementButtons() {
    find<QPushButton>("ElementFe")->click();
    const char* const labels[] = {"ETName",  "ETSymbol", "ETeType", "ETnumber", "ETweight",
                                  "ETstate", "ETMelt",   "ETBoil",  "ETnag",    "ETEnergy"};
    const QStringList iron = {"Iron",  "Fe",   "Metal", "26",         local("55.847"),
                              "Solid", "1535", "2750",  local("1.8"), "759"};
    for (int i = 0; i < 10; ++i) QCOMPARE(find<QLabel>(labels[i])->text(), iron[i]);
    find<QPushButton>("ElementHe")->click();
    QCOMPARE(find<QLabel>("ETnag")->text(), QString("N/A"));  // one spelling for every missing fact
    find<QPushButton>("ElementUun")->click();
    for (const char* label : labels) QCOMPARE(find<QLabel>(label)->text(), QString());
    // From the keyboard: one Tab stop for the table, the arrow keys in it, Space presses.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto* tabs = find<QTabWidget>("TapSheet1");
    tabs->setCurrentIndex(4);
    tabs->tabBar()->setFocus();
    const std::pair<Qt::Key, const char*> steps[] = {
        {Qt::Key_Tab, "ElementH"},    {Qt::Key_Down, "ElementLi"}, {Qt::Key_Right, "ElementBe"},
        {Qt::Key_Space, "ElementBe"}, {Qt::Key_Tab, "TapSheet1"},  {Qt::Key_Backtab, "ElementBe"}};
    for (const auto& [key, focused] : steps) {
      QTest::keyClick(QApplication::focusWidget(), key);
      QWidget* now = QApplication::focusWidget();
      QVERIFY2(
          now && (now->objectName() == focused || now->parentWidget()->objectName() == focused),
          qPrintable(QKeySequence(key).toString() + " went to " + (now ? now->objectName() : "nothing")));
    }
    QCOMPARE(find<QLabel>("ETName")->text(), QString("Beryllium"));
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

  void helpLinks() {
    QVERIFY(find<QTextEdit>("HelpRichEdit")->toPlainText().startsWith("Quorvex help"));
    QTest::mouseClick(find<QLabel>("Label2"), Qt::LeftButton);
    QTest::mouseClick(find<QLabel>("Label1"), Qt::LeftButton);
    QCOMPARE(m_urls, QStringList({"https://www.quorvex.example/chemical/index.htm",
                                  "mailto:support@quorvex.example"}));
    QCOMPARE(m_presenter.messages.size(), 2);  // nothing could open them here
    // From the keyboard: each link is a Tab stop that Enter or Space follows.
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    auto* tabs = find<QTabWidget>("TapSheet1");
    tabs->setCurrentIndex(5);
    tabs->tabBar()->setFocus();
    QTest::keyClick(tabs->tabBar(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    QCOMPARE(m_urls.mid(2), m_urls.mid(0, 2));
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
