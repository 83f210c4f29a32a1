// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

#include "app/pages/page.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace quorvex::app {

// The Searcher page: the search boxes and the found list on its first inner
// page; the library's count, Add To Lib and Del From Lib on its second.
class SearcherPage final : public Page {
 public:
  explicit SearcherPage(TForm1& window);

  void read(workspace::WindowTexts& texts) const override;
  void show(const workspace::WindowTexts& texts) override;

  // Prints the found list's equations.
  void printList();
  // The found list and the two selection boxes, in this order.
  std::array<QPlainTextEdit*, 3> lists() const { return {m_found, m_addPick, m_deletePick}; }

 private:
  void onFocusChanged(QWidget* old, QWidget* now);

  std::array<QLineEdit*, workspace::kSearchBoxes> m_terms{};
  QPlainTextEdit* m_found = nullptr;
  QLabel* m_count = nullptr;
  QPlainTextEdit* m_addPick = nullptr;
  QPlainTextEdit* m_deletePick = nullptr;
};

}  // namespace quorvex::app
