// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/pages/page.h"
#include "app/reportfile.h"

class QLabel;
class QMenu;
class QTextEdit;

namespace quorvex::app {

// The Report page: the report's text and file (read at start-up, written by
// Save), Undo of its changes, the question before its changes are lost,
// printing, and the equations recorded from the lists.
class ReportPage final : public Page {
 public:
  explicit ReportPage(TForm1& window);

  void show(const workspace::WindowTexts& /*texts*/) override {}

  // Reads report.rtf from the working folder; a file that cannot be read is reported.
  void load();
  // "Clear All": one step that Ctrl+Z takes back, with the focus in the text.
  void clearAll();
  // "Save": true when the report was written; the page says where.
  bool save();
  // Whether the window may close: unsaved changes are saved first, or given up, as the user answers.
  bool mayClose();
  void print();
  // Starts the desktop's calculator program; says so when there is none.
  void startCalculator();
  // Puts `text` (lines of equations) into the report at its caret; with no text, says what to select.
  void record(const QString& text);
  void copy();
  void paste();

 private:
  void createMenu();

  QTextEdit* m_edit = nullptr;
  QLabel* m_status = nullptr;  // what the last Save did
  ReportFile m_file;
};

}  // namespace quorvex::app
