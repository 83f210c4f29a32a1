// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/calcgrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QPainter>

#include <algorithm>

#include "calc/calctable.h"

namespace quorvex::app {

void GridLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  const QWidget* view = option.widget;
  const QStyle* style = view ? view->style() : QApplication::style();
  const auto colour = static_cast<QRgb>(style->styleHint(QStyle::SH_Table_GridLineColor, &option, view));
  painter->save();
  painter->setPen(QPen(QColor::fromRgba(colour), 0));  // cosmetic: one device pixel
  // Through the middle of the cell's last pixel column and row.
  const QRectF r = QRectF(option.rect).adjusted(0, 0, -0.5, -0.5);
  painter->drawLine(QPointF(r.right(), r.top()), QPointF(r.right(), r.bottom()));
  painter->drawLine(QPointF(r.left(), r.bottom()), QPointF(r.right(), r.bottom()));
  painter->restore();
}

CalculationGridView::CalculationGridView(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
  setShowGrid(false);
  setItemDelegate(new GridLineDelegate(this));
}

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
  // Past the last species the focus leaves the grid: QWidget's step, not the view's,
  // which would move on to the next cell.
  if (!target.isValid()) return QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call)
  setCurrentIndex(target);
  return true;
}

void CalculationGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  // Tab in an open cell past the last species (or Shift+Tab before the first)
  // leaves the grid instead of staying in it.
  const bool next = hint == QAbstractItemDelegate::EditNextItem;
  const bool tab = next || hint == QAbstractItemDelegate::EditPreviousItem;
  const bool leave = tab && !tabTarget(next).isValid();
  QTableWidget::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
  if (leave) QWidget::focusNextPrevChild(next);  // NOLINT(bugprone-parent-virtual-call): as above
}

void CalculationGridView::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  if (event->reason() != Qt::TabFocusReason && event->reason() != Qt::BacktabFocusReason) return;
  const bool forward = event->reason() == Qt::TabFocusReason;
  const int row = forward ? 1 : std::max(1, lastSpeciesRow());
  setCurrentIndex(model()->index(row, calc::kAmountColumn));
}

}  // namespace quorvex::app
