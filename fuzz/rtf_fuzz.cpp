// SPDX-License-Identifier: GPL-3.0-or-later
// The RTF reader on arbitrary bytes. What it reads must also survive being written and
// read again with the same text, and what is written must be 7-bit ASCII.
#include <QByteArray>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // QTextDocument needs a GUI application for its fonts, but no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "rtf_fuzz";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  // Most mutations of a header would only exercise the refusal; keep the reader busy.
  if (!quorvex::rtf::LooksLikeRtf(input)) input.prepend("{\\rtf1 ");
  QTextDocument doc;
  if (!quorvex::rtf::ReadRtf(input, doc)) std::abort();
  const QByteArray rtf = quorvex::rtf::WriteRtf(doc);
  for (const char c : rtf)
    if (static_cast<unsigned char>(c) >= 0x80) std::abort();
  QTextDocument copy;
  if (!quorvex::rtf::ReadRtf(rtf, copy) || copy.toPlainText() != doc.toPlainText()) std::abort();
  return 0;
}
