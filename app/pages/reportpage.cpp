// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/pages/reportpage.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>

#include "app/menukeys.h"
#include "app/printing.h"
#include "app/recording.h"
#include "app/tform1.h"

namespace quorvex::app {
namespace {

// Record with nothing selected in the list.
constexpr const char* kRecordWhat =
    "Nothing is selected. Select the equation to record (drag over it, or hold Shift and press the arrow "
    "keys), then choose Record again.";

// The table keeps one control a row; the formatter would break the rows apart.
// clang-format off
constexpr Control kRows[] = {
    {Kind::Page, "TapSheet1", "TabSheet4", "Report"},
    {Kind::Group, "TabSheet4", "GroupBox5", "Report", {4, 2, 513, 456}, "Write your report here."},
    Named({Kind::RichText, "GroupBox5", "ReportEdit", "", {8, 16, 497, 401}}, "Report text"),
    Button("GroupBox5", "BitBtn6", "&Print", 8, 424, 75, "", &TForm1::BitBtn6Click),
    Button("GroupBox5", "BitBtn17", "&Save", 90, 424, 75, "", &TForm1::BitBtn17Click),
    Named(Button("GroupBox5", "BitBtn16", "&Calculator", 172, 424, 75, "", &TForm1::BitBtn16Click),
          "Calculator program"),
    // What the last Save did.
    Text("GroupBox5", "ReportStatus", "", 256, 429),
    Named(Button("GroupBox5", "BitBtn1", "C&lear All", 430, 424, 75, "", &TForm1::BitBtn1Click),
          "Clear All (report)"),
};
// clang-format on

}  // namespace

ReportPage::ReportPage(TForm1& window) : Page(window, kRows) {
  m_edit = control<QTextEdit>("ReportEdit");
  m_status = control<QLabel>("ReportStatus");
  // "Saved ..." stands until the report changes again.
  connect(m_edit->document(), &QTextDocument::modificationChanged, this, [this](bool changed) {
    if (!changed) return;
    m_status->clear();
    m_status->setToolTip(QString());
  });
  createMenu();
}

void ReportPage::createMenu() {
  auto* menu = new QMenu(&m_window);
  menu->setObjectName("PopupMenu1");
  QAction* copy = menu->addAction("Copy", &m_window, &TForm1::ReportCopy);
  copy->setObjectName("Copy2");
  copy->setShortcut(QKeySequence("Ctrl+C"));
  QAction* paste = menu->addAction("Paste", &m_window, &TForm1::Paste1Click);
  paste->setObjectName("Paste1");
  paste->setShortcut(QKeySequence("Ctrl+P"));
  m_edit->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_edit, &QWidget::customContextMenuRequested, this,
          [this, menu](const QPoint& at) { menu->exec(m_edit->viewport()->mapToGlobal(at)); });
  m_edit->installEventFilter(new MenuKeys(m_edit, [this](QObject*, int key) {
    // Ctrl+C is the box's own copy; Ctrl+P pastes.
    if (key == -Qt::Key_P) return true;
    if (key == Qt::Key_P) {
      m_window.Paste1Click();
      return true;
    }
    return false;
  }));
}

void ReportPage::load() {
  const QString path = m_window.options().workingDirectory.absoluteFilePath("report.rtf");
  if (const QString error = m_file.load(path, *m_edit->document()); !error.isEmpty()) {
    m_window.presenter().error(error);
  }
  // The report's caret waits at its end, where Record adds equations. The
  // report as read is the one that holds no changes, and Undo stops there.
  m_edit->moveCursor(QTextCursor::End);
  m_edit->document()->clearUndoRedoStacks();
  m_edit->document()->setModified(false);
}

void ReportPage::clearAll() {
  // One step that Undo takes back.
  QTextCursor caret(m_edit->document());
  caret.beginEditBlock();
  caret.select(QTextCursor::Document);
  caret.removeSelectedText();
  caret.setBlockFormat(BodyBlockFormat());
  caret.setBlockCharFormat(BodyCharFormat());
  caret.endEditBlock();
  m_edit->setTextCursor(caret);
  m_edit->setCurrentCharFormat(BodyCharFormat());
  // A click leaves the focus on the button, where Ctrl+Z would undo nothing.
  m_edit->setFocus();
}

bool ReportPage::save() {
  // A failure leaves the file and the text in the box as they were; a file that
  // was not read in full is kept, and the report can go to another file.
  QString other;
  m_status->clear();
  m_status->setToolTip(QString());
  const TForm1::Options& options = m_window.options();
  const bool saved = m_file.save(*m_edit->document(), m_window.presenter(), [this, &options, &other] {
    other = options.reportSaveAsPath
                ? options.reportSaveAsPath()
                : QFileDialog::getSaveFileName(&m_window, "Save As\u2026", options.workingDirectory.path(),
                                               "Rich text documents (*.rtf)");
    return other;
  });
  if (saved) {
    m_edit->document()->setModified(false);
    // Between "Calculator" and "Clear All"; a long name is shortened there and whole in the tool tip.
    const QString text = "Saved " + (other.isEmpty() ? QString("report.rtf") : QFileInfo(other).fileName());
    m_status->setText(m_status->fontMetrics().elidedText(text, Qt::ElideMiddle, 168));
    m_status->setToolTip(text);
  }
  m_status->adjustSize();
  return saved;
}

bool ReportPage::mayClose() {
  if (!m_edit->document()->isModified()) return true;
  switch (m_window.presenter().askToSave(
      "The report has changes that are not saved. Save them before closing?")) {
    case MessagePresenter::SaveChoice::Save: return save();
    case MessagePresenter::SaveChoice::Discard: return true;
    case MessagePresenter::SaveChoice::Cancel: return false;
  }
  return false;
}

void ReportPage::print() {
  PrintDocument(*m_edit->document(), "report.rtf", m_window.presenter(),
                [this] { return m_window.choosePdfPath("report"); });
}

void ReportPage::startCalculator() {
  for (const char* program :
       {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
  m_window.presenter().information(
      "No calculator program was found on this computer. Install one, for example "
      "gnome-calculator, and press \"Calculator\" again.");
}

void ReportPage::record(const QString& text) {
  if (text.isEmpty()) {
    m_window.presenter().information(kRecordWhat);
    return;
  }
  QApplication::clipboard()->setText(text);
  QTextCursor caret = m_edit->textCursor();
  InsertParagraphs(caret, text);
  m_edit->setTextCursor(caret);
}

void ReportPage::copy() { m_edit->copy(); }

void ReportPage::paste() { m_edit->paste(); }

}  // namespace quorvex::app
