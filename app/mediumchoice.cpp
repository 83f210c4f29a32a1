// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mediumchoice.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace quorvex::app {
namespace {

struct MediumItem {
  const char* caption;
  balance::Medium medium;
};
constexpr MediumItem kMedia[] = {{"as typed", balance::Medium::AsTyped},
                                 {"acidic", balance::Medium::Acidic},
                                 {"basic", balance::Medium::Basic},
                                 {"neutral", balance::Medium::Neutral}};

constexpr const char* kMediumHint =
    "What Balance may add: H[+] and H2O in acidic, OH[-] and H2O in basic, H2O in neutral solution, "
    "each on the side the balance needs. \"as typed\" adds nothing.";
constexpr const char* kHalfHint = "Balance a half-reaction: electrons, written [-], may be added too.";

// The medium's box. Qt names a combo box by its current item for screen
// readers on Linux; this one is named "Medium" and has the item as its value.
class MediumBox final : public QComboBox {
  Q_OBJECT

 public:
  using QComboBox::QComboBox;
};

class MediumBoxAccessible final : public QAccessibleWidget {
 public:
  explicit MediumBoxAccessible(QWidget* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? box()->currentText() : QAccessibleWidget::text(t);
  }
  // The list of media, as Qt's own combo box has it.
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == box()->view() ? 0 : -1;
  }
  QStringList actionNames() const override { return {showMenuAction()}; }
  void doAction(const QString& name) override {
    if (name == showMenuAction()) box()->showPopup();
  }

 private:
  QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* MediumBoxInterface(const QString& className, QObject* object) {
  if (className != QLatin1String(MediumBox::staticMetaObject.className())) return nullptr;
  return new MediumBoxAccessible(static_cast<QWidget*>(object));
}

}  // namespace

void AddMediumChoice(QWidget* page) {
  auto* label = new QLabel("&Medium:", page);
  label->setObjectName("MediumLabel");
  label->setGeometry(248, 224, 52, 16);

  QAccessible::installFactory(MediumBoxInterface);  // once: Qt keeps a factory only once
  auto* medium = new MediumBox(page);
  medium->setObjectName("MediumBox");
  for (const MediumItem& item : kMedia) medium->addItem(item.caption, static_cast<int>(item.medium));
  medium->setGeometry(300, 221, 96, 20);
  medium->setToolTip(kMediumHint);
  medium->setAccessibleName("Medium");
  medium->setAccessibleDescription(kMediumHint);
  label->setBuddy(medium);

  auto* half = new QCheckBox("Hal&f-reaction", page);
  half->setObjectName("HalfReactionBox");
  half->setGeometry(408, 221, 104, 20);
  half->setToolTip(kHalfHint);
  half->setAccessibleName("Half-reaction");
  half->setAccessibleDescription(kHalfHint);

  if (auto* last = page->findChild<QLineEdit*>("Pr14")) {
    QWidget::setTabOrder(last, medium);
    QWidget::setTabOrder(medium, half);
  }
}

balance::CompletionChoice ReadMediumChoice(const QWidget* page) {
  balance::CompletionChoice choice;
  if (const auto* medium = page->findChild<const QComboBox*>("MediumBox")) {
    choice.medium = static_cast<balance::Medium>(medium->currentData().toInt());
  }
  if (const auto* half = page->findChild<const QCheckBox*>("HalfReactionBox")) {
    choice.halfReaction = half->isChecked();
  }
  return choice;
}

}  // namespace quorvex::app

#include "mediumchoice.moc"
