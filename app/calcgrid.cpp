// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calcgrid.h"

#include <QFocusEvent>

#include "calc/calctable.h"

namespace quorvex::app {

CalculationGridView::CalculationGridView(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {}

int CalculationGridView::lastSpeciesRow() const {
  int last = 0;
  while (last + 1 < rowCount() && item(last + 1, 0) && !item(last + 1, 0)->text().isEmpty()) ++last;
  return last;
}

QModelIndex CalculationGridView::tabTarget(bool next) const {
  const QModelIndex current = currentIndex();
  int row = current.isValid() ? current.row() : 0;
  // From another column of a row, Tab and Shift+Tab both go to the row's amount first.
  if (!current.isValid() || current.column() == calc::kAmountColumn || row == 0) row += next ? 1 : -1;
  if (row < 1 || row > lastSpeciesRow()) return {};
  return model()->index(row, calc::kAmountColumn);
}

QModelIndex CalculationGridView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
  if (action == MoveNext || action == MovePrevious) return tabTarget(action == MoveNext);
  return QTableWidget::moveCursor(action, modifiers);
}

bool CalculationGridView::focusNextPrevChild(bool next) {
  const QModelIndex target = tabTarget(next);
  if (!target.isValid()) return QWidget::focusNextPrevChild(next);
  setCurrentIndex(target);
  return true;
}

void CalculationGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Tab in an open cell past the last species (or Shift+Tab before the first)
  // leaves the grid instead of staying in it.
  const bool tab = hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  const bool leave = tab && !tabTarget(next).isValid();
  QTableWidget::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
  if (leave) QWidget::focusNextPrevChild(next);
}

void CalculationGridView::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  if (event->reason() != Qt::TabFocusReason && event->reason() != Qt::BacktabFocusReason) return;
  const bool forward = event->reason() == Qt::TabFocusReason;
  const int row = forward ? 1 : std::max(1, lastSpeciesRow());
  setCurrentIndex(model()->index(row, calc::kAmountColumn));
}

}  // namespace quorvex::app
