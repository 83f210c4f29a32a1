// SPDX-License-Identifier: GPL-3.0-or-later
// Builds a QTextTable from RTF rows, which give only each cell's right edge: spans, split columns, widths.
#pragma once

#include <utility>
#include <vector>

class QTextCursor;
class QTextTable;

namespace quorvex::rtf::detail {

// Columns a table read from RTF may have; cells past the last column join it.
inline constexpr int kMaxTableColumns = 64;

// The table being read, and where its next content goes: \cell moves on to the next
// cell and \row to a new row, once content for them arrives.
class TableBuilder {
 public:
  // Tables are inserted at `cursor`, which is moved into the cell that content goes to.
  explicit TableBuilder(QTextCursor& cursor) : m_cursor(cursor) {}

  // \trowd: the definition of a row starts, with no cells.
  void startRowDefinition();
  // \cellxN: the right edge of the next cell of the row being defined, in twips.
  void addCellEdge(int twips);
  // \cell: the next content goes into the next cell.
  void endCell();
  // \row: the next content goes into a new row; nothing when no table is open. `rowsAhead`
  // bounds the rows the table can still get after that one: rows are made ahead of need
  // up to it.
  void endRow(int rowsAhead);

  // Whether content of a paragraph in (or out of) a table goes elsewhere than the cursor's
  // block: into the next cell, a new row or table, or after the table.
  bool needsNewContainer(bool inTable) const;
  // Whether \cell or \row ended the last cell and no content has opened the next one yet.
  bool isBetweenCells() const;
  // Moves the cursor into the next cell, a new row or a new table, as the row's edges say.
  void enterCell();
  // Ends the table; the cursor moves to the block after it.
  void leaveTable();
  // The document ends: a table still open loses the rows made ahead of need.
  void finish();

 private:
  std::pair<int, int> cellColumns() const;
  void widenTable(int column);
  void splitColumnAt(int edge);
  void moveToCell(int column);
  void setTableEdges(std::vector<int> edges);
  void nextRow();
  void dropSpareRows();

  QTextCursor& m_cursor;
  QTextTable* m_table = nullptr;
  int m_tableRow = 0;
  int m_tableRows = 0;  // rows the table has, those made ahead of need included
  int m_rowsAhead = 0;
  int m_rowCell = 0;
  int m_nextColumn = 0;  // the first column after the row's cells so far
  bool m_cellDone = false;
  bool m_rowDone = false;
  std::vector<int> m_rowEdges;    // \cellxN of the row being defined, in twips
  std::vector<int> m_tableEdges;  // right edges of the table's columns
};

}  // namespace quorvex::rtf::detail
