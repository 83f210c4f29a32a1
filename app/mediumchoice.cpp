// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/mediumchoice.h"

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

}  // namespace

void AddMediumChoice(QWidget* page) {
  auto* label = new QLabel("&Medium:", page);
  label->setObjectName("MediumLabel");
  label->setGeometry(248, 224, 52, 16);

  auto* medium = new QComboBox(page);
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
