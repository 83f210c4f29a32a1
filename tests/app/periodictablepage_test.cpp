// SPDX-License-Identifier: GPL-3.0-or-later
// The Periodic Table page: the element buttons and their facts.
#include "windowfixture.h"

class PeriodicTablePageTest : public WindowFixture {
  Q_OBJECT

 private slots:
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
};

QTEST_MAIN(PeriodicTablePageTest)
#include "periodictablepage_test.moc"
