// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "app/messages.h"

class QPrinter;
class QTextDocument;
class QWidget;

namespace quorvex::app {

// Prints on the default printer as one job named `title`. With no printer
// installed, says so and offers to save the document as a PDF file instead:
// `choosePdfPath` asks for the file (an empty answer cancels; ".pdf" is added
// to a name without it) and the saved file's path is reported. Every outcome
// that is not a finished job is reported through `presenter`. Returns true
// when a job or a PDF file was written.
bool PrintDocument(const QTextDocument& document, const QString& title, MessagePresenter& presenter,
                   const std::function<QString()>& choosePdfPath);

// Prints one copy of `document` on `printer`; text without a size of its own
// prints at 10 pt. A failure is reported as "Printing `what` failed.".
bool PrintTo(const QTextDocument& document, QPrinter& printer, const QString& what,
             MessagePresenter& presenter);

// Prints BuildListDocument's list of `lines` under `heading`, as PrintDocument prints.
void PrintList(const QString& heading, const QStringList& lines, MessagePresenter& presenter,
               const std::function<QString()>& choosePdfPath);

// "|n| equation" for each record of the result board or the found list.
template <class List>
QStringList NumberedEquations(const List& list) {
  QStringList lines;
  for (int i = 1; i <= list.count(); ++i) {
    lines << "|" + QString::number(i) + "| " + FromBytes(list.record(i).equation);
  }
  return lines;
}

// A printable list, at 11 pt under a 13 pt heading: a heading, then one numbered line per equation.
void BuildListDocument(QTextDocument& document, const QString& heading, const QStringList& lines);

}  // namespace quorvex::app
