// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>
#include <QTableWidget>

namespace quorvex::app {

// Draws a cell, then its right and bottom grid line one device pixel wide
// at any scale factor (the view's own grid lines are 1.5 device pixels wide
// at 1.5 and fall on one or two pixels by turns).
class GridLineDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The calculation table's grid, drawing its lines with a GridLineDelegate.
// Tab and Shift+Tab walk the amount column of the species rows and leave the
// grid past its first or last row; entering by Tab or Shift+Tab lands on the
// first or last amount.
class CalculationGridView : public QTableWidget {
 public:
  CalculationGridView(int rows, int columns, QWidget* parent);

 protected:
  QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
  bool focusNextPrevChild(bool next) override;
  void focusInEvent(QFocusEvent* event) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

 private:
  // The last row holding a species (column 0 filled), 0 when none does.
  int lastSpeciesRow() const;
  // The amount cell Tab (next) or Shift+Tab moves to from the current cell;
  // invalid past the species rows.
  QModelIndex tabTarget(bool next) const;
};

}  // namespace quorvex::app
