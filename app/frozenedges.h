// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTableView;
class QTableWidget;

namespace quorvex::app {

// Keeps row 0 and column 0 of a grid in view while it scrolls, as fixed rows
// and columns of a string grid stay: three views of the same model lie over
// the grid's edges, follow its scrolling and its viewport's size. Owned by the grid.
class FrozenEdges : public QObject {
 public:
  explicit FrozenEdges(QTableWidget* grid);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableView* overlay(const char* name, bool rowOnly, bool columnOnly);
  void place();

  QTableWidget* m_grid;
  QTableView* m_row = nullptr;
  QTableView* m_column = nullptr;
  QTableView* m_corner = nullptr;
};

}  // namespace quorvex::app
