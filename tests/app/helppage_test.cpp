// SPDX-License-Identifier: GPL-3.0-or-later
// The Help page: its document and links.
#include "windowfixture.h"

class HelpPageTest : public WindowFixture {
  Q_OBJECT

 private slots:
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
};

QTEST_MAIN(HelpPageTest)
#include "helppage_test.moc"
