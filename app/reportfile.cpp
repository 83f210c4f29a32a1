// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/reportfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QTextDocument>

#include "rtf/durablefile.h"
#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

namespace quorvex::app {
namespace {

QString QuotedName(const QString& path) { return "'" + QFileInfo(path).fileName() + "'"; }

bool WriteReport(const QByteArray& rtf, const QString& path, MessagePresenter& presenter) {
  QString error;
  if (rtf::ReplaceFileDurably(path, rtf, &error)) return true;
  presenter.error("Cannot save " + QuotedName(path) + ": " + error);
  return false;
}

}  // namespace

QString ReportFile::load(const QString& path, QTextDocument& doc) {
  m_path = path;
  m_keep.clear();
  QString error;
  QStringList lost;
  // A report opens only when Save could write it back within the limit, so
  // that one that opened can be saved unless it grew.
  bool read = rtf::ReadRtfFile(path, doc, &error, &lost, kReportLimitBytes);
  if (read && rtf::WriteRtf(doc).size() > kReportLimitBytes) {
    read = false;
    doc.clear();
    error = QStringLiteral(
                "Saved again, the report would be larger than %1 MiB, the most the Report page "
                "opens and saves.")
                .arg(kReportLimitBytes / (qint64{1024} * 1024));
  }
  if (!read) {
    m_keep = "it was not read at start-up (" + error + ")";
    // At start-up the file is named with its full path: the user may not know the folder.
    return "Cannot read '" + QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()) + "': " + error;
  }
  if (!lost.isEmpty()) {
    m_keep = "it holds " + lost.join(", ") + ", which the report does not show and Save would lose";
  }
  return {};
}

QString ReportFile::keepReason() const { return m_keep; }

bool ReportFile::save(const QTextDocument& doc, MessagePresenter& presenter,
                      const std::function<QString()>& chooseOther) {
  // Every character takes at least a byte of RTF: a longer text is not written out at all.
  QByteArray rtf;
  if (doc.characterCount() <= kReportLimitBytes) rtf = rtf::WriteRtf(doc);
  if (rtf.isEmpty() || rtf.size() > kReportLimitBytes) {
    presenter.error(QStringLiteral("The report was not saved: it is larger than %1 MiB, the most the "
                                   "Report page opens. Shorten it, or copy it into a word processor.")
                        .arg(kReportLimitBytes / (qint64{1024} * 1024)));
    return false;
  }
  // A file that is gone since start-up holds nothing to lose.
  if (m_keep.isEmpty() || !QFileInfo::exists(m_path)) {
    if (!WriteReport(rtf, m_path, presenter)) return false;
    m_keep.clear();
    return true;
  }
  const QString refusal = QuotedName(m_path) + " was not overwritten: " + m_keep + ".";
  presenter.error(refusal + " Use Save As\u2026 to save the report under another name.");
  const QString other = chooseOther();
  if (other.isEmpty()) return false;
  if (QFileInfo(other) == QFileInfo(m_path)) {
    presenter.error(refusal);
    return false;
  }
  return WriteReport(rtf, other, presenter);
}

}  // namespace quorvex::app
