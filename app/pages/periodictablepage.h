// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/localnumbers.h"
#include "app/pages/page.h"

class QLabel;

namespace quorvex::app {

// The Periodic Table page: a button per element, named for screen readers by
// the element's name and symbol, and the ten facts of the one pressed.
class PeriodicTablePage final : public Page {
 public:
  explicit PeriodicTablePage(TForm1& window);

  void show(const workspace::WindowTexts& texts) override;

  // The symbol of the element button `button`; empty for any other object.
  static std::string symbolOf(const QObject* button);

 private:
  std::array<QLabel*, workspace::kElementFacts> m_facts{};  // ETName .. ETEnergy
  LocalNumbers m_numbers;
};

}  // namespace quorvex::app
