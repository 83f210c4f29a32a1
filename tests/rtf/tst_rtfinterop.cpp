// SPDX-License-Identifier: GPL-3.0-or-later
// RTF made by other programs read by ours, and ours read by other programs.
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"
#include "tests/rtf/rtftestsupport.h"

using namespace quorvex::rtf;

namespace {

constexpr int kToolTimeoutMs = 180000;

// ASCII only: pandoc 2.17 drops a character after each \uN fallback.
const char* const kReportHtml =
    "<h1 align=center>Lab report 7</h1>"
    "<p>Methane burns: CH<sub>4</sub> + 2O<sub>2</sub> = CO<sub>2</sub> + 2H<sub>2</sub>O, with dH = -890 kJ/mol.</p>"
    "<p><b>Bold</b>, <i>italic</i>, <u>underlined</u>, <s>struck</s>, <span style='color:#c00000'>red</span> and "
    "<span style='background:#ffff00'>marked</span> words; {braces} and back\\slash.</p>"
    "<p align=right style='margin-left:40px'>Right aligned and indented</p>"
    "<ul><li>first bullet</li><li>second bullet</li></ul>"
    "<ol><li>Weigh the sample</li><li>Dissolve it</li></ol>"
    "<table><tr><td>Water</td><td>H<sub>2</sub>O</td></tr><tr><td>Carbon dioxide</td><td>CO<sub>2</sub></td></tr></table>";

const char* const kFormatsHtml =
    "<p>plain <b>bold</b> <i>italic</i> <u>under</u> <s>struck</s> CO<sub>2</sub> m<sup>3</sup> "
    "<span style='color:#c00000'>red</span> <span style='background:#ffff00'>marked</span> "
    "<a href='https://example.org/x'>link</a></p>";

void BuildReport(QTextDocument& doc) {
  doc.setHtml(QString::fromLatin1(kReportHtml));
  QTextCursor cursor(&doc);
  cursor.movePosition(QTextCursor::End);
  cursor.insertBlock();
  cursor.insertText(QStringLiteral("tab:\tthere") + QChar(QChar::LineSeparator) + QStringLiteral("line two"));
}

// The text a reader shows, numbers of numbered lists included.
QString ShownText(const QTextDocument& doc) {
  QStringList lines;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    const QTextList* list = block.textList();
    const bool numbered = list && list->format().style() <= QTextListFormat::ListDecimal;
    lines << (numbered ? list->itemText(block) + u' ' : QString()) + block.text();
  }
  return lines.join(u'\n');
}

// The text as LibreOffice exports it: a line per paragraph, line break and table cell;
// a list item as four spaces, its marker and a space.
QString ExportedText(const QTextDocument& doc) {
  QStringList lines;
  for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
    QString line = block.text();
    if (const QTextList* list = block.textList()) {
      const bool numbered = list->format().style() <= QTextListFormat::ListDecimal;
      line = QStringLiteral("    ") + (numbered ? list->itemText(block) : QStringLiteral("\u2022")) + u' ' +
             line;
    }
    lines << line.replace(QChar(QChar::LineSeparator), u'\n');
  }
  return lines.join(u'\n');
}

// The comparison's only normalisation, as the fixtures' README says: no byte order
// mark, no spaces or tabs at line ends, no empty lines at the end.
QStringList StrictLines(QString text) {
  text.remove(QChar(0xFEFF));
  QStringList lines = text.split(u'\n');
  for (QString& line : lines) {
    while (line.endsWith(u' ') || line.endsWith(u'\t')) line.chop(1);
  }
  while (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

// Runs `program` with `arguments`; skips the test when the program is not installed.
bool Run(const QString& program, const QStringList& arguments, QString& output) {
  const QString path = QStandardPaths::findExecutable(program);
  if (path.isEmpty()) return false;
  QProcess process;
  process.start(path, arguments);
  if (!process.waitForFinished(kToolTimeoutMs) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    QTest::qFail(qPrintable(program + QStringLiteral(" failed: ") +
                            QString::fromLocal8Bit(process.readAllStandardError())),
                 __FILE__, __LINE__);
    return true;
  }
  output = QString::fromUtf8(process.readAllStandardOutput());
  return true;
}

QString WriteTemporary(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
  QFile file(dir.filePath(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
  return file.fileName();
}

// What an external reader gives for our RTF of `doc`, as text; empty output when it is missing.
bool ExternalText(const QString& tool, const QTextDocument& doc, QString& text) {
  QTemporaryDir dir;
  const QString file = WriteTemporary(dir, QStringLiteral("doc.rtf"), WriteRtf(doc));
  if (tool == QStringLiteral("unrtf")) {
    if (!Run(tool, {QStringLiteral("--text"), file}, text)) return false;
    text.remove(QRegularExpression(QStringLiteral("^###.*$"), QRegularExpression::MultilineOption));
    return true;
  }
  // pandoc's plain text writes subscripts as Unicode digits; its HTML keeps the digits.
  if (!Run(tool,
           {QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-t"), QStringLiteral("html"), file},
           text))
    return false;
  text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
  return true;
}

}  // namespace

class RtfInteropTest : public QObject {
  Q_OBJECT

 private slots:
  void corpus_data();
  void corpus();
  void externalText_data();
  void externalText();
  void externalFormatting_data();
  void externalFormatting();
  void libreOfficeReadsGeneratedDocuments();
};

void RtfInteropTest::corpus_data() {
  QTest::addColumn<QString>("path");
  const QString folder = qEnvironmentVariableIsSet("QUORVEX_RTF_CORPUS")
                             ? qEnvironmentVariable("QUORVEX_RTF_CORPUS")
                             : QStringLiteral(QUORVEX_RTF_FIXTURES);
  const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.rtf")}, QDir::Files, QDir::Name);
  if (files.isEmpty()) QTest::newRow("no files") << folder;
  for (const QFileInfo& file : files) QTest::newRow(qPrintable(file.fileName())) << file.absoluteFilePath();
}

void RtfInteropTest::corpus() {
  QFETCH(QString, path);
  if (!path.endsWith(QStringLiteral(".rtf"))) QFAIL(qPrintable(QStringLiteral("No .rtf files in ") + path));
  QFile rtf(path);
  QFile txt(path.chopped(4) + QStringLiteral(".txt"));
  QVERIFY2(rtf.open(QIODevice::ReadOnly), qPrintable(rtf.errorString()));
  QVERIFY2(txt.open(QIODevice::ReadOnly),
           qPrintable(txt.fileName() + QStringLiteral(": ") + txt.errorString()));
  QTextDocument doc;
  QString error;
  QVERIFY2(ReadRtf(rtf.readAll(), doc, &error), qPrintable(error));
  QCOMPARE(StrictLines(ExportedText(doc)), StrictLines(QString::fromUtf8(txt.readAll())));
}

void RtfInteropTest::externalText_data() {
  QTest::addColumn<QString>("tool");
  QTest::newRow("unrtf") << QStringLiteral("unrtf");
  QTest::newRow("pandoc") << QStringLiteral("pandoc");
}

void RtfInteropTest::externalText() {
  QFETCH(QString, tool);
  QTextDocument doc;
  BuildReport(doc);
  QString text;
  if (!ExternalText(tool, doc, text))
    QSKIP(qPrintable(tool + QStringLiteral(" is not installed (Debian package ") + tool + u')'));
  QCOMPARE(test::AsciiWords(text), test::AsciiWords(ShownText(doc)));
}

void RtfInteropTest::externalFormatting_data() {
  QTest::addColumn<QString>("tool");
  QTest::addColumn<QString>("expected");
  const QStringList pandoc{R"(Strong [ Str "bold" ])",
                           R"(Emph [ Str "italic" ])",
                           R"(Underline [ Str "under" ])",
                           R"(Strikeout [ Str "struck" ])",
                           R"(Subscript [ Str "2" ])",
                           R"(Superscript [ Str "3" ])",
                           R"([ Str "link" ] ( "https://example.org/x" , "" ))"};
  const QStringList unrtf{"<b>bold</b>",
                          "<i>italic</i>",
                          "<u>under</u>",
                          "<s>struck</s>",
                          "<sub>2</sub>",
                          "<sup>3</sup>",
                          R"(<font color="#c00000">red</font>)",
                          R"(<span style="background:#ffff00">marked</span>)"};
  for (const QString& expected : pandoc)
    QTest::newRow(qPrintable(QStringLiteral("pandoc ") + expected)) << "pandoc" << expected;
  for (const QString& expected : unrtf)
    QTest::newRow(qPrintable(QStringLiteral("unrtf ") + expected)) << "unrtf" << expected;
}

void RtfInteropTest::externalFormatting() {
  QFETCH(QString, tool);
  QFETCH(QString, expected);
  QTextDocument doc;
  doc.setHtml(QString::fromLatin1(kFormatsHtml));
  QTemporaryDir dir;
  const QString file = WriteTemporary(dir, QStringLiteral("formats.rtf"), WriteRtf(doc));
  const QStringList arguments = tool == QStringLiteral("pandoc")
                                    ? QStringList{"-f", "rtf", "-t", "native", "--wrap=none", file}
                                    : QStringList{"--html", file};
  QString output;
  if (!Run(tool, arguments, output))
    QSKIP(qPrintable(tool + QStringLiteral(" is not installed (Debian package ") + tool + u')'));
  output.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
  QVERIFY2(output.contains(expected), qPrintable(output));
}

// LibreOffice is heavy; the test runs where it is installed and checks Unicode text too.
void RtfInteropTest::libreOfficeReadsGeneratedDocuments() {
  if (QStandardPaths::findExecutable(QStringLiteral("soffice")).isEmpty())
    QSKIP("LibreOffice is not installed (Debian package libreoffice-writer-nogui)");
  QTemporaryDir dir;
  QStringList arguments{QStringLiteral("-env:UserInstallation=") +
                            QUrl::fromLocalFile(dir.filePath(QStringLiteral("profile"))).toString(),
                        QStringLiteral("--headless"),
                        QStringLiteral("--convert-to"),
                        QStringLiteral("txt:Text (encoded):UTF8"),
                        QStringLiteral("--outdir"),
                        dir.filePath(QStringLiteral("out"))};
  QStringList expected;
  constexpr unsigned kDocuments = 12;
  for (unsigned seed = 1; seed <= kDocuments; ++seed) {
    QTextDocument doc;
    test::BuildRandomDocument(doc, seed);
    arguments << WriteTemporary(dir, QStringLiteral("doc%1.rtf").arg(seed), WriteRtf(doc));
    expected << doc.toPlainText();
  }
  QString ignored;
  QVERIFY(Run(QStringLiteral("soffice"), arguments, ignored));
  for (unsigned seed = 1; seed <= kDocuments; ++seed) {
    QFile txt(dir.filePath(QStringLiteral("out/doc%1.txt").arg(seed)));
    QVERIFY2(txt.open(QIODevice::ReadOnly), qPrintable(txt.fileName()));
    const QStringList lines = test::NormalizedLines(QString::fromUtf8(txt.readAll()));
    QCOMPARE(lines, test::NormalizedLines(expected[static_cast<qsizetype>(seed - 1)]));
  }
}

QTEST_MAIN(RtfInteropTest)
#include "tst_rtfinterop.moc"
