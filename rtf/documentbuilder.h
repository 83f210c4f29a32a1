// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the QTextDocument from what the RTF reader reads: runs of text, paragraphs, lists, tables.
#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "rtf/codepages.h"
#include "rtf/properties.h"
#include "rtf/rtfcommon.h"
#include "rtf/tablebuilder.h"

class QTextDocument;

namespace quorvex::rtf::detail {

// Owns the cursor into the document being read, with the document's fonts, colours and
// links that character formats refer to. Text gathers into runs of one format, and a
// paragraph mark is applied when the next paragraph starts, so that the final \par of a
// file makes no empty paragraph and a \par just before \cell joins the cells.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(QTextDocument& doc) : m_cursor(&doc) {}

  FontTable& fonts() { return m_fonts; }
  // Adds the open entry of the font table; false when the table is full and it is dropped.
  bool finishFontEntry();
  // \colortbl: the colour table starts over.
  void clearColors() { m_colors.clear(); }
  // The next entry of the colour table; nullopt for the automatic colour.
  void addColor(std::optional<QColor> color);
  // The link of a field with this instruction: the index CharProps::link names it by, or
  // -1 when the instruction is not a HYPERLINK.
  int addFieldLink(QStringView instruction);
  // {\listtext}: the marker the paragraph being read shows, which tells its list's style.
  void clearListText() { m_listText.clear(); }
  void appendListText(QStringView text) { m_listText += text; }

  // Body text in these formats: control characters are dropped, U+2029 ends a paragraph.
  void insertText(QStringView text, const CharProps& chr, const ParaProps& para);
  // \par: the paragraph ends with these properties.
  void endParagraph(const ParaProps& para, const CharProps& chr);
  // \cell: the cell's last paragraph ends (after "text\par" that is an empty one).
  void endCell(const ParaProps& para, const CharProps& chr);
  // \row; `rowsAhead` bounds the rows the table can still get.
  void endRow(int rowsAhead);
  // \trowd and \cellxN.
  void startRowDefinition() { m_table.startRowDefinition(); }
  void addCellEdge(int twips) { m_table.addCellEdge(twips); }
  // The end of the document, read with these properties last.
  void finish(const ParaProps& para, const CharProps& chr);

 private:
  void appendToRun(QStringView text, const CharProps& chr, bool inTable);
  void flushRun();
  void openPendingBlock(bool inTable);
  void finishBlock(const ParaProps& para, const CharProps& chr, const QString& listText);
  void keepBlockCharFormat(const CharProps& chr);
  void addToList(const ParaProps& para, int indent, const QString& listText);

  std::optional<QColor> color(int index) const;
  QTextCharFormat charFormat(const CharProps& c) const;

  QTextCursor m_cursor;
  FontTable m_fonts;
  std::vector<std::optional<QColor>> m_colors;
  std::vector<QString> m_links;

  std::vector<std::pair<CharProps, QTextCharFormat>> m_formats;  // most recent first
  QString m_run;
  CharProps m_runProps;
  bool m_blockHasText = false;
  bool m_breakPending = false;
  bool m_breakInCell = false;
  ParaProps m_pendingPara;
  CharProps m_pendingChar;
  QString m_pendingListText;
  QString m_listText;
  TableBuilder m_table{m_cursor};
  // A list is deleted with its last block (when that block leaves it), so the
  // pointers guard themselves.
  std::map<std::pair<int, int>, QPointer<QTextList>> m_lsLists;
  std::map<int, QPointer<QTextList>> m_pnLists;  // by level; a paragraph outside a list ends them
};

}  // namespace quorvex::rtf::detail
