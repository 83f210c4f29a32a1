// SPDX-License-Identifier: GPL-3.0-or-later
// What reading a written line costs next to balancing it, on the delivered
// library's equations: data/reactions.txt and the equations of data/cbd.dat
// with their coefficients.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/balancerun.h"
#include "cli/equationline.h"

namespace {

std::vector<std::string> LibraryLines() {
  std::vector<std::string> lines;
  std::string line;
  std::ifstream reactions(QUORVEX_SOURCE_DIR "/data/reactions.txt");
  while (std::getline(reactions, line)) {
    if (!line.empty() && line[0] != '#') lines.push_back(line);
  }
  std::ifstream library(QUORVEX_SOURCE_DIR "/data/cbd.dat");
  while (std::getline(library, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.size() > 2) lines.push_back(line.substr(1, line.size() - 2));  // the "#...#" frame
  }
  return lines;
}

// The reader alone, line to box texts; items are lines.
void BM_ReadLibraryLines(benchmark::State& state) {
  const std::vector<std::string> lines = LibraryLines();
  for (auto _ : state) {
    for (const std::string& line : lines)
      benchmark::DoNotOptimize(quorvex::cli::ParseEquationLine(line).kind);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_ReadLibraryLines)->Unit(benchmark::kMicrosecond);

// quorvex-cli balance over the same lines, in process, reading included.
void BM_BalanceLibraryLines(benchmark::State& state) {
  const std::vector<std::string> lines = LibraryLines();
  std::string input;
  for (const std::string& line : lines) input += line + "\n";
  for (auto _ : state) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    quorvex::cli::RunBalance(in, out, err);
    benchmark::DoNotOptimize(out.str().size());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(lines.size()));
}
BENCHMARK(BM_BalanceLibraryLines)->Unit(benchmark::kMicrosecond);

// Crafted lines, each read once; their time per byte must stay flat from n to
// 16n. A run of dashes with no ">" ("H2 ---...--- O2 = H2O"), in ASCII and as
// U+2212, which an arrow search from every dash read again; a species closed by
// many "]" ("H]]]...] = H"), and one nested in many square brackets
// ("[[[...H...]]] = H"), whose every "]" searched back for its "[".
std::string CraftedLine(int kind, std::size_t n) {
  switch (kind) {
    case 0: return "H2 " + std::string(n, '-') + " O2 = H2O";
    case 1: {
      std::string minus;
      for (std::size_t i = 0; i < n; ++i) minus += "\u2212";
      return "H2 " + minus + " O2 = H2O";
    }
    case 2: return "H" + std::string(n, ']') + " = H";
    default: return std::string(n / 2, '[') + "H" + std::string(n / 2, ']') + " = H";
  }
}

// Items are bytes of the crafted line.
void BM_ReadCraftedLine(benchmark::State& state) {
  const std::string line =
      CraftedLine(static_cast<int>(state.range(0)), static_cast<std::size_t>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(quorvex::cli::ParseEquationLine(line).kind);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_ReadCraftedLine)
    ->ArgNames({"kind", "n"})
    ->ArgsProduct({{0, 1, 2, 3}, {10000, 40000, 160000}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
