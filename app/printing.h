#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class QTextDocument;
class QWidget;

namespace quorvex::app {

class MessagePresenter;

// Prints on the default printer as one job named `title`. With no printer
// installed, says so and offers to save the document as a PDF file instead:
// `choosePdfPath` asks for the file (an empty answer cancels). Every outcome
// that is not a finished job is reported through `presenter`. Returns true
// when a job or a PDF file was written.
bool PrintDocument(const QTextDocument& document, const QString& title, MessagePresenter& presenter,
                   const std::function<QString()>& choosePdfPath);

// A printable list: a heading, then one numbered line per equation.
void BuildListDocument(QTextDocument& document, const QString& heading, const QStringList& lines);

}  // namespace quorvex::app
