// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a fresh working folder for each test, and what its page tests share.
#pragma once

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

class WindowFixture : public QObject {
  Q_OBJECT

 protected:
  std::unique_ptr<QTemporaryDir> m_temp;  // a fresh working folder for each test
  QDir m_dir;
  RecordingPresenter m_presenter;
  QStringList m_urls;
  QString m_pdfName = "list.pdf";  // what the PDF file dialog answers
  std::unique_ptr<quorvex::app::TForm1> m_window;

  template <class W>
  W* find(const char* name) {
    W* w = m_window->findChild<W*>(name);
    if (!w) qFatal("no control named %s", name);
    return w;
  }
  QLineEdit* box(const char* name) { return find<QLineEdit>(name); }
  void click(const char* name) { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
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
    quorvex::app::TForm1::Options options;
    options.reportSaveAsPath = std::move(reportSaveAsPath);
    options.workingDirectory = QDir(m_dir.path());
    options.holdSeconds = 0;
    options.libraryLockMilliseconds = 300;
    options.pdfPath = [this] { return m_dir.filePath(m_pdfName); };
    options.openUrl = [this](const QString& url) {
      m_urls << url;
      return false;
    };
    m_window = std::make_unique<quorvex::app::TForm1>(m_presenter, options);
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
  // The text a control shows: a box, a list, a label, or a grid cell named "grid row column".
  QString shownText(const QString& name) {
    const QStringList cell = name.split(' ');
    if (cell.size() == 3)
      return find<QTableWidget>(qPrintable(cell[0]))->item(cell[1].toInt(), cell[2].toInt())->text();
    QWidget* w = find<QWidget>(qPrintable(name));
    if (const auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
    if (const auto* list = qobject_cast<const QPlainTextEdit*>(w)) return list->toPlainText();
    if (const auto* label = qobject_cast<const QLabel*>(w)) return label->text();
    qFatal("%s shows no text", qPrintable(name));
  }
  // Wiring rows: with two equations balanced, the search term O2 and the Calculator entered,
  // the clicks run their slots and the control then shows the workspace's text.
  static void addWiringColumns() {
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("shown");
  }
  void checkWiringRow() {
    QFETCH(QStringList, clicks);
    QFETCH(QString, control);
    QFETCH(QString, shown);
    balanceTwo();
    box("SearchEdit7")->setText("O2");
    m_window->CalculateSheetEnter();
    for (const QString& button : clicks) click(qPrintable(button));
    QCOMPARE(shownText(control), shown);
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
};
