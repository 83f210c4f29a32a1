// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/printing.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextCursor>
#include <QTextDocument>

#include <memory>

#include "app/messages.h"

namespace quorvex::app {
namespace {

// Text without a size of its own prints at this size. The window's font is set
// in pixels, and a pixel on a printer is a printer dot: 11 px at 1200 dpi would
// be 0.66 pt.
constexpr qreal kPrintPointSize = 10;

}  // namespace

bool PrintTo(const QTextDocument& document, QPrinter& printer, const QString& what,
             MessagePresenter& presenter) {
  // Printing lays the document out again; a copy leaves the window's alone.
  std::unique_ptr<QTextDocument> clone(document.clone());
  QFont font = clone->defaultFont();
  if (font.pixelSize() > 0) {
    font.setPointSizeF(kPrintPointSize);
    clone->setDefaultFont(font);
  }
  clone->print(&printer);
  if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
    presenter.error("Printing " + what + " failed.");
    return false;
  }
  return true;
}

bool PrintDocument(const QTextDocument& document, const QString& title, MessagePresenter& presenter,
                   const std::function<QString()>& choosePdfPath) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    return PrintTo(document, printer, "\"" + title + "\"", presenter);
  }
  presenter.information("No printer is installed. Choose a file to save \"" + title +
                        "\" as a PDF document instead.");
  QString path = choosePdfPath ? choosePdfPath() : QString();
  if (path.isEmpty()) return false;
  if (!path.endsWith(".pdf", Qt::CaseInsensitive)) path += ".pdf";
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName(title);
  if (!PrintTo(document, printer, "to " + QFileInfo(path).fileName(), presenter)) return false;
  if (!QFileInfo::exists(path)) {
    presenter.error("The PDF file " + path + " could not be written.");
    return false;
  }
  presenter.information("\"" + title + "\" was saved as " + QDir::toNativeSeparators(path) + ".");
  return true;
}

void BuildListDocument(QTextDocument& document, const QString& heading, const QStringList& lines) {
  document.clear();
  QFont font = document.defaultFont();
  font.setPointSize(11);
  document.setDefaultFont(font);
  QTextCursor cursor(&document);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  bold.setFontPointSize(13);
  cursor.insertText(heading, bold);
  QTextCharFormat plain;
  for (const QString& line : lines) {
    cursor.insertBlock();
    cursor.insertText(line, plain);
  }
}

void PrintList(const QString& heading, const QStringList& lines, MessagePresenter& presenter,
               const std::function<QString()>& choosePdfPath) {
  QTextDocument document;
  BuildListDocument(document, heading, lines);
  PrintDocument(document, heading, presenter, choosePdfPath);
}

}  // namespace quorvex::app
