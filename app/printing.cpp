#include "app/printing.h"

#include <QFileInfo>

#include <memory>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTextCursor>
#include <QTextDocument>

#include "app/messages.h"

namespace quorvex::app {
namespace {

bool Print(const QTextDocument& document, QPrinter& printer, const QString& what,
           MessagePresenter& presenter) {
  // Printing lays the document out again; a copy leaves the window's alone.
  std::unique_ptr<QTextDocument> clone(document.clone());
  clone->print(&printer);
  if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted) {
    presenter.error("Printing " + what + " failed.");
    return false;
  }
  return true;
}

}  // namespace

bool PrintDocument(const QTextDocument& document, const QString& title, MessagePresenter& presenter,
                   const std::function<QString()>& choosePdfPath) {
  const QPrinterInfo info = QPrinterInfo::defaultPrinter();
  if (!info.isNull()) {
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(title);
    return Print(document, printer, "\"" + title + "\"", presenter);
  }
  presenter.information("No printer is installed. Choose a file to save \"" + title +
                        "\" as a PDF document instead.");
  const QString path = choosePdfPath ? choosePdfPath() : QString();
  if (path.isEmpty()) return false;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName(title);
  if (!Print(document, printer, "to " + QFileInfo(path).fileName(), presenter)) return false;
  if (!QFileInfo::exists(path)) {
    presenter.error("The PDF file " + path + " could not be written.");
    return false;
  }
  return true;
}

void BuildListDocument(QTextDocument& document, const QString& heading, const QStringList& lines) {
  document.clear();
  QTextCursor cursor(&document);
  QTextCharFormat bold;
  bold.setFontWeight(QFont::Bold);
  cursor.insertText(heading, bold);
  QTextCharFormat plain;
  for (const QString& line : lines) {
    cursor.insertBlock();
    cursor.insertText(line, plain);
  }
}

}  // namespace quorvex::app
