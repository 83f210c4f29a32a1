#include <QLineEdit>
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
  QTemporaryDir m_dir;
  RecordingPresenter m_presenter;
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
    QVERIFY(m_dir.isValid());
    QFile library(m_dir.filePath("cbd.dat"));
    QVERIFY(library.open(QIODevice::WriteOnly));
    library.write("#2H2+O2 = 2H2O#\r\n#2KClO3 = 2KCl+3O2#\r\n");
    library.close();
    m_presenter.messages.clear();
    m_window = std::make_unique<TForm1>(m_presenter, TForm1::Options{QDir(m_dir.path()), 0, {}});
    m_window->show();
  }
  void cleanup() { m_window.reset(); }

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
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
