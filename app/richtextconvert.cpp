// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-richtext IN.html OUT.rtf: writes an HTML document as RTF with the
// program's own writer. The delivered help.rtf and report.rtf are made this
// way from data/help.html and data/report.html.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

#include "rtf/durablefile.h"
#include "rtf/rtfwriter.h"

int main(int argc, char** argv) {
  // A tool for builds and scripts: it needs fonts, never a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: quorvex-richtext IN.html OUT.rtf\n");
    return 2;
  }
  QFile in(QString::fromLocal8Bit(argv[1]));
  if (!in.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "quorvex-richtext: cannot read %s: %s\n", argv[1], qPrintable(in.errorString()));
    return 2;
  }
  QTextDocument document;
  // The window's own font, so the document reads as the rest of the window.
  QFont font("Tahoma");
  font.setPointSize(9);
  document.setDefaultFont(font);
  document.setHtml(QString::fromUtf8(in.readAll()));
  const QByteArray rtf = quorvex::rtf::WriteRtf(document);
  QString error;
  if (!quorvex::rtf::ReplaceFileDurably(QString::fromLocal8Bit(argv[2]), rtf, &error)) {
    std::fprintf(stderr, "quorvex-richtext: cannot write %s: %s\n", argv[2], qPrintable(error));
    return 2;
  }
  return 0;
}
