// SPDX-License-Identifier: GPL-3.0-or-later
// The report's file: read at start-up, written by "Save". A file that was not read in
// full and without loss is never written over.
#pragma once

#include <QString>

#include <functional>

#include "app/messages.h"

class QTextDocument;

namespace quorvex::app {

// The largest report file the Report page opens and saves: larger ones would hold
// up the window for seconds while they load or save. A file opens only when the
// report it holds is saved within the limit too.
inline constexpr qint64 kReportLimitBytes = qint64{1} * 1024 * 1024;

class ReportFile {
 public:
  // Reads the file at `path` into `doc`; the error to show, empty when it was read.
  // A file that could not be read, or that holds what the document cannot show
  // (pictures, objects, footnotes...), is from then on kept as it is.
  QString load(const QString& path, QTextDocument& doc);

  // Why Save must not write over the file; empty when it may.
  QString keepReason() const;

  // Writes `doc` over the file, durably. A report larger than kReportLimitBytes is not
  // written anywhere. A file that must be kept is not touched: an
  // error says why and `chooseOther` is asked for another file (empty cancels). Every
  // failure is shown through `presenter`; true when the report was written somewhere.
  bool save(const QTextDocument& doc, MessagePresenter& presenter,
            const std::function<QString()>& chooseOther);

 private:
  QString m_path;
  QString m_keep;  // why the file must be kept; empty when it may be written
};

}  // namespace quorvex::app
