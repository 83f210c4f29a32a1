// SPDX-License-Identifier: GPL-3.0-or-later
// What deciding the ions of a line costs: the published lines of the notation
// table whose terms read two ways ("Fe3+", "SO42-"), read with their ions
// refused (the formula reader alone) and decided by the line.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "balance/ionreading.h"
#include "formula/equationtext.h"
#include "support/tablerows.h"

namespace {

std::vector<std::string> TwoWayLines() {
  std::vector<std::string> lines;
  for (const auto& row :
       quorvex::testing::TableRows(QUORVEX_SOURCE_DIR "/tests/formula/notation_corpus.tsv")) {
    if (row.size() > 3 && row[3] == "two-ways") lines.push_back(row[1]);
  }
  return lines;
}

// The formula reader, which names both readings; items are lines.
void BM_ReadTwoWayLines(benchmark::State& state) {
  const std::vector<std::string> lines = TwoWayLines();
  for (auto _ : state) {
    for (const std::string& line : lines)
      benchmark::DoNotOptimize(quorvex::formula::ReadWrittenEquation(line).kind);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_ReadTwoWayLines)->Unit(benchmark::kMicrosecond);

// The same lines with their ions decided by the line, as quorvex-cli reads them.
void BM_DecideTwoWayLines(benchmark::State& state) {
  const std::vector<std::string> lines = TwoWayLines();
  quorvex::balance::IonReader ions;
  quorvex::balance::IonDecision decision;
  for (auto _ : state) {
    for (const std::string& line : lines) benchmark::DoNotOptimize(ions.read(line, decision).kind);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_DecideTwoWayLines)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
