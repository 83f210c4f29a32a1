// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frozenedges.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

namespace quorvex::app {

FrozenEdges::FrozenEdges(QTableWidget* grid) : QObject(grid), m_grid(grid) {
  grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  grid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  m_row = overlay("CalculateGridFixedRow", true, false);
  m_column = overlay("CalculateGridFixedColumn", false, true);
  m_corner = overlay("CalculateGridFixedCorner", true, true);
  connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, m_row->horizontalScrollBar(),
          &QScrollBar::setValue);
  connect(grid->verticalScrollBar(), &QScrollBar::valueChanged, m_column->verticalScrollBar(),
          &QScrollBar::setValue);
  grid->viewport()->installEventFilter(this);
  place();
}

bool FrozenEdges::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize || event->type() == QEvent::Move) place();
  return QObject::eventFilter(watched, event);
}

QTableView* FrozenEdges::overlay(const char* name, bool rowOnly, bool columnOnly) {
  auto* view = new QTableView(m_grid);
  view->setObjectName(QString::fromLatin1(name));
  view->setStyle(m_grid->style());  // cells drawn as the grid draws them
  view->setModel(m_grid->model());
  view->setShowGrid(m_grid->showGrid());
  view->setItemDelegate(m_grid->itemDelegate());
  view->setFocusPolicy(Qt::NoFocus);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionMode(QAbstractItemView::NoSelection);
  view->horizontalHeader()->hide();
  view->verticalHeader()->hide();
  view->horizontalHeader()->setMinimumSectionSize(10);
  view->verticalHeader()->setMinimumSectionSize(10);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setFrameShape(QFrame::NoFrame);
  view->setWordWrap(false);
  view->setTextElideMode(Qt::ElideNone);
  // Pixel scrolling on both sides keeps the scroll values the same positions.
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  for (int c = 0; c < m_grid->columnCount(); ++c) {
    view->setColumnWidth(c, m_grid->columnWidth(c));
    if (columnOnly && c > 0) view->setColumnHidden(c, true);
  }
  for (int r = 0; r < m_grid->rowCount(); ++r) {
    view->setRowHeight(r, m_grid->rowHeight(r));
    if (rowOnly && r > 0) view->setRowHidden(r, true);
  }
  return view;
}

void FrozenEdges::place() {
  const QRect area = m_grid->viewport()->geometry();
  const int columnWidth = m_grid->columnWidth(0) + (m_grid->showGrid() ? 1 : 0);
  const int rowHeight = m_grid->rowHeight(0) + (m_grid->showGrid() ? 1 : 0);
  m_row->setGeometry(area.left(), area.top(), area.width(), rowHeight);
  m_column->setGeometry(area.left(), area.top(), columnWidth, area.height());
  m_corner->setGeometry(area.left(), area.top(), columnWidth, rowHeight);
  m_row->horizontalScrollBar()->setValue(m_grid->horizontalScrollBar()->value());
  m_column->verticalScrollBar()->setValue(m_grid->verticalScrollBar()->value());
  for (QTableView* view : {m_row, m_column, m_corner}) view->raise();
}

}  // namespace quorvex::app
