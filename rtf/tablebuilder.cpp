// SPDX-License-Identifier: GPL-3.0-or-later
// A QTextTable grown row by row from the cell edges RTF gives.
#include "rtf/tablebuilder.h"

#include <QTextCursor>
#include <QTextTable>

#include <algorithm>

#include "rtf/rtfcommon.h"

namespace quorvex::rtf::detail {

void TableBuilder::startRowDefinition() { m_rowEdges.clear(); }

void TableBuilder::addCellEdge(int twips) {
  if (m_rowEdges.size() < static_cast<std::size_t>(kMaxTableColumns))
    m_rowEdges.push_back(std::clamp(twips, 0, kMaxTwips));
}

void TableBuilder::endCell() { m_cellDone = true; }

void TableBuilder::endRow(int rowsAhead) {
  if (m_table) {
    m_rowsAhead = rowsAhead;
    m_rowDone = true;
    m_cellDone = false;
  }
}

bool TableBuilder::isBetweenCells() const { return m_cellDone || m_rowDone; }

bool TableBuilder::needsNewContainer(bool inTable) const {
  if (!inTable) return m_table != nullptr;
  return m_table == nullptr || m_cellDone || m_rowDone;
}

void TableBuilder::leaveTable() {
  dropSpareRows();
  m_cursor.setPosition(m_table->lastPosition() + 1);
  m_table = nullptr;
  m_cellDone = m_rowDone = false;
}

void TableBuilder::enterCell() {
  if (!m_table) {
    const auto columns = static_cast<int>(std::max<std::size_t>(m_rowEdges.size(), 1));
    m_table = m_cursor.insertTable(1, columns);
    setTableEdges(m_rowEdges);
    m_tableRow = 0;
    m_tableRows = 1;
    m_rowCell = 0;
    m_nextColumn = 1;
    m_cellDone = m_rowDone = false;
    return;
  }
  if (m_rowDone) {
    nextRow();
    m_rowCell = 0;
    m_nextColumn = 0;
  } else {
    ++m_rowCell;
  }
  m_cellDone = m_rowDone = false;
  // An edge of this cell inside a column of the table splits that column.
  const auto cell = static_cast<std::size_t>(m_rowCell);
  if (cell > 0 && cell - 1 < m_rowEdges.size()) splitColumnAt(m_rowEdges[cell - 1]);
  if (cell < m_rowEdges.size()) splitColumnAt(m_rowEdges[cell]);
  auto [column, span] = cellColumns();
  column = std::min(column, kMaxTableColumns - 1);
  if (column >= m_table->columns()) widenTable(column);
  if (span > 1 && m_table->cellAt(m_tableRow, column).columnSpan() == 1)
    m_table->mergeCells(m_tableRow, column, 1, std::min(span, m_table->columns() - column));
  m_nextColumn = column + m_table->cellAt(m_tableRow, column).columnSpan();
  moveToCell(column);
}

// The column the row's current cell starts in and the columns it spans. A cell whose
// edges are columns of the table spans the columns between them; otherwise cells fill
// the columns in order, after those that the row's cells so far span.
std::pair<int, int> TableBuilder::cellColumns() const {
  const auto cell = static_cast<std::size_t>(m_rowCell);
  const auto columnOf = [this](int edge) {
    const auto it = std::find(m_tableEdges.begin(), m_tableEdges.end(), edge);
    return it == m_tableEdges.end() ? -1 : static_cast<int>(it - m_tableEdges.begin());
  };
  if (cell < m_rowEdges.size()) {
    const int first = cell == 0 ? 0 : columnOf(m_rowEdges[cell - 1]) + 1;
    const int last = columnOf(m_rowEdges[cell]);
    if (first >= 0 && last >= first && (cell == 0 || first > 0)) return {first, last - first + 1};
  }
  // Cells fill the columns in order, after those the cells before them span.
  return {m_nextColumn, 1};
}

// A row with more cells than the rows before: their last cells reach to its end.
void TableBuilder::widenTable(int column) {
  const int old = m_table->columns();
  m_table->appendColumns(column + 1 - old);
  for (int r = 0; r < m_tableRow; ++r) {
    const QTextTableCell last = m_table->cellAt(r, old - 1);
    m_table->mergeCells(last.row(), last.column(), last.rowSpan(), m_table->columns() - last.column());
  }
  setTableEdges(m_rowEdges.size() > m_tableEdges.size() ? m_rowEdges : m_tableEdges);
}

// A row with an edge inside a column of the rows before: the column is split there, and
// the cells of those rows keep their extent by spanning both halves.
void TableBuilder::splitColumnAt(int edge) {
  if (m_tableEdges.empty() || static_cast<int>(m_tableEdges.size()) != m_table->columns() ||
      m_table->columns() >= kMaxTableColumns || edge <= 0 || edge >= m_tableEdges.back())
    return;
  const auto right = std::upper_bound(m_tableEdges.begin(), m_tableEdges.end(), edge);
  if (right == m_tableEdges.end() || !std::is_sorted(m_tableEdges.begin(), m_tableEdges.end())) return;
  const int k = static_cast<int>(right - m_tableEdges.begin());
  if ((k > 0 && m_tableEdges[static_cast<std::size_t>(k) - 1] >= edge)) return;
  m_table->insertColumns(k + 1, 1);
  for (int r = 0; r <= m_tableRow; ++r) {
    if (r == m_tableRow && k >= m_nextColumn) break;  // this row's cells there are still to come
    const QTextTableCell covering = m_table->cellAt(r, k);
    if (covering.column() + covering.columnSpan() - 1 == k)
      m_table->mergeCells(covering.row(), covering.column(), covering.rowSpan(), covering.columnSpan() + 1);
  }
  if (k < m_nextColumn) ++m_nextColumn;
  m_tableEdges.insert(right, edge);
  setTableEdges(m_tableEdges);
}

// Column widths as shares of the table, so that it fits the page it is shown on.
void TableBuilder::setTableEdges(std::vector<int> edges) {
  m_tableEdges = std::move(edges);
  QTextTableFormat format = m_table->format();
  QList<QTextLength> widths;
  if (static_cast<int>(m_tableEdges.size()) == m_table->columns() && m_tableEdges.back() > 0) {
    int left = 0;
    for (const int edge : m_tableEdges) {
      widths << QTextLength(QTextLength::PercentageLength,
                            100.0 * std::max(edge - left, 0) / m_tableEdges.back());
      left = std::max(left, edge);
    }
  }
  format.setColumnWidthConstraints(widths);
  m_table->setFormat(format);
}

// Qt recounts a table's whole grid after every change of its rows, and removing a row
// costs as much again. Rows are added as many at a time as the table has (one recount per
// doubling, not one per row) but no more than the input can still fill.
void TableBuilder::nextRow() {
  if (++m_tableRow == m_tableRows) {
    const int more = std::clamp(m_rowsAhead + 1, 1, m_tableRows);
    m_table->appendRows(more);
    m_tableRows += more;
  }
}

void TableBuilder::dropSpareRows() {
  if (m_tableRows > m_tableRow + 1) m_table->removeRows(m_tableRow + 1, m_tableRows - m_tableRow - 1);
  m_tableRows = m_tableRow + 1;
}

void TableBuilder::finish() {
  if (m_table) dropSpareRows();
}

void TableBuilder::moveToCell(int column) {
  m_cursor.setPosition(m_table->cellAt(m_tableRow, column).firstPosition());
}

}  // namespace quorvex::rtf::detail
