// SPDX-License-Identifier: GPL-3.0-or-later
// Loading RTF into a laid-out document, as start-up loads the report: many runs in one
// paragraph, a font table with a font for every run, a table of many rows.
#include <QAbstractTextDocumentLayout>
#include <QByteArray>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>
#include <QTextTable>
#include <benchmark/benchmark.h>

#include "rtf/rtfreader.h"
#include "rtf/rtfwriter.h"

namespace {

// One paragraph of `runs` runs, 10 bytes each, switching between two fonts: a word
// per run, or one word that never ends.
QByteArray ManyRuns(int runs, bool words) {
  QByteArray rtf = R"({\rtf1\ansi\deff0{\fonttbl{\f0 Arial;}{\f1 Times;}{\f2 Courier;}}\pard )";
  rtf.reserve(rtf.size() + qsizetype{10} * runs + 8);
  for (int i = 0; i < runs; ++i) rtf += i % 2 ? "\\f1 abcde" : "\\f2 ghijk", rtf += words ? ' ' : 'x';
  rtf += "\\par}";
  return rtf;
}

// A font table of `fonts` fonts, each used once in the text.
QByteArray FontTable(int fonts) {
  QByteArray rtf = R"({\rtf1\ansi\deff0{\fonttbl)";
  for (int i = 0; i < fonts; ++i)
    rtf += "{\\f" + QByteArray::number(i) + "\\fswiss\\fcharset0 Font " + QByteArray::number(i) + ";}";
  rtf += "}\\pard ";
  for (int i = 0; i < fonts; ++i) rtf += "\\f" + QByteArray::number(i) + " x";
  rtf += "\\par}";
  return rtf;
}

// A report of a heading and a table of `rows` rows of three cells, as Save writes it:
// every row gives its cell edges again. 5,000 rows make about 1 MB. With `spans`, every
// other row's first cell spans two columns.
QByteArray Table(int rows, bool spans) {
  QTextDocument doc;
  QTextCursor cursor(&doc);
  cursor.insertText(QStringLiteral("Measurements"));
  QTextTable* table = cursor.insertTable(rows, 3);
  for (int r = 0; r < rows; ++r) {
    if (spans && r % 2 == 1) {
      table->mergeCells(r, 0, 1, 2);
      table->cellAt(r, 0).firstCursorPosition().insertText(QStringLiteral("Sample ") + QString::number(r) +
                                                           QStringLiteral(": 2H2+O2 = 2H2O"));
      table->cellAt(r, 2).firstCursorPosition().insertText(QStringLiteral("18.0148 g/mol"));
      continue;
    }
    const QString n = QString::number(r);
    table->cellAt(r, 0).firstCursorPosition().insertText(QStringLiteral("Sample ") + n);
    table->cellAt(r, 1).firstCursorPosition().insertText(QStringLiteral("2H2+O2 = 2H2O, ") + n +
                                                         QStringLiteral(" g"));
    table->cellAt(r, 2).firstCursorPosition().insertText(QStringLiteral("18.0148 g/mol"));
  }
  return quorvex::rtf::WriteRtf(doc);
}

void Load(benchmark::State& state, const QByteArray& rtf) {
  for (auto _ : state) {
    QTextDocument doc;
    doc.setTextWidth(480);  // the report box's width and wrapping
    QTextOption option = doc.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(option);
    doc.documentLayout();
    quorvex::rtf::ReadRtf(rtf, doc);
    benchmark::DoNotOptimize(doc.documentLayout()->documentSize());  // the whole document laid out
  }
  state.SetBytesProcessed(state.iterations() * rtf.size());
  state.counters["bytes"] = static_cast<double>(rtf.size());
}

void BM_LoadRuns(benchmark::State& state) { Load(state, ManyRuns(static_cast<int>(state.range(0)), true)); }
BENCHMARK(BM_LoadRuns)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_LoadRunsOneWord(benchmark::State& state) {
  Load(state, ManyRuns(static_cast<int>(state.range(0)), false));
}
BENCHMARK(BM_LoadRunsOneWord)->Arg(10000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_LoadFontTable(benchmark::State& state) { Load(state, FontTable(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_LoadFontTable)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void BM_LoadTable(benchmark::State& state) { Load(state, Table(static_cast<int>(state.range(0)), false)); }
BENCHMARK(BM_LoadTable)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_LoadTableSpans(benchmark::State& state) {
  Load(state, Table(static_cast<int>(state.range(0)), true));
}
BENCHMARK(BM_LoadTableSpans)->Arg(500)->Arg(5000)->Unit(benchmark::kMillisecond);

// "Save": the document read from `runs` runs written back as RTF.
void BM_SaveRuns(benchmark::State& state) {
  QTextDocument doc;
  quorvex::rtf::ReadRtf(ManyRuns(static_cast<int>(state.range(0)), state.range(1) != 0), doc);
  qsizetype bytes = 0;
  for (auto _ : state) bytes = quorvex::rtf::WriteRtf(doc).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_SaveRuns)
    ->Args({100000, 1})
    ->Args({200000, 1})
    ->Args({200000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Text layout needs a GUI application; no display is needed.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
