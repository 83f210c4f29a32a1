// SPDX-License-Identifier: GPL-3.0-or-later
// quorvex-cli balance in process over the inputs scripts/mixed-corpus.sh
// writes, built here the same way: the delivered library and the mixed corpus
// of written equations, each repeated to 10,000 lines, and the mixed corpus
// with every tenth line an ASCII ion line that reads two ways. Items are
// equations. scripts/balance-speed.sh times the same inputs, whole process.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/balancerun.h"

namespace {

constexpr std::size_t kLines = 10000;

bool IsEquation(const std::string& line) {
  return line.find_first_not_of(" \t") != std::string::npos && line[0] != '#';
}

// The lines of a file; with `column` > 0 that tab-separated column of each line.
std::vector<std::string> Lines(const char* path, int column = 0) {
  std::ifstream file(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!IsEquation(line)) continue;
    std::string field = line;
    if (column > 0) {
      std::istringstream fields(line);
      for (int i = 0; i < column && std::getline(fields, field, '\t'); ++i) {
      }
    }
    if (IsEquation(field)) lines.push_back(field);
  }
  return lines;
}

// The notation corpus, each redox problem and its published answer, the
// golden corpus's block of library equations and the ions as written.
std::vector<std::string> MixedCorpus() {
  std::vector<std::string> lines = Lines(QUORVEX_SOURCE_DIR "/tests/formula/notation_corpus.tsv", 2);
  const auto typed = Lines(QUORVEX_SOURCE_DIR "/tests/data/redox_problems.tsv", 4);
  const auto answers = Lines(QUORVEX_SOURCE_DIR "/tests/data/redox_problems.tsv", 5);
  for (std::size_t i = 0; i < typed.size() && i < answers.size(); ++i) {
    lines.push_back(typed[i]);
    lines.push_back(answers[i]);
  }
  const auto library = Lines(QUORVEX_SOURCE_DIR "/data/reactions.txt");
  const std::unordered_set<std::string> real(library.begin(), library.end());
  for (const std::string& line : Lines(QUORVEX_SOURCE_DIR "/tests/balance/golden/corpus.txt")) {
    if (real.count(line) == 0) break;
    lines.push_back(line);
  }
  for (const std::string& line : Lines(QUORVEX_SOURCE_DIR "/tests/balance/ions_as_written.tsv", 2))
    lines.push_back(line);
  return lines;
}

// `once` repeated to kLines lines; with `ions`, every tenth line one of them.
std::string Repeated(const std::vector<std::string>& once, const std::vector<std::string>& ions = {}) {
  std::string input;
  for (std::size_t i = 0; i < kLines; ++i) {
    const bool ion = !ions.empty() && (i + 1) % 10 == 0;
    input += ion ? ions[((i + 1) / 10 - 1) % ions.size()] : once[i % once.size()];
    input += '\n';
  }
  return input;
}

void RunCli(benchmark::State& state, const std::string& input) {
  for (auto _ : state) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    quorvex::cli::RunBalance(in, out, err);
    benchmark::DoNotOptimize(out.str().size());
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kLines));
}

void BM_CliBalanceDelivered(benchmark::State& state) {
  RunCli(state, Repeated(Lines(QUORVEX_SOURCE_DIR "/data/reactions.txt")));
}
BENCHMARK(BM_CliBalanceDelivered)->Unit(benchmark::kMillisecond);

void BM_CliBalanceWritten(benchmark::State& state) {
  const std::vector<std::string> once = MixedCorpus();
  state.counters["corpus"] = static_cast<double>(once.size());
  RunCli(state, Repeated(once));
}
BENCHMARK(BM_CliBalanceWritten)->Unit(benchmark::kMillisecond);

// Half-reactions and ionic equations whose ions read two ways until one
// reading is decided: by the written coefficients, the table of common ions
// or a fresh balance. Until then they are input errors naming both readings.
void BM_CliBalanceWrittenIons(benchmark::State& state) {
  const std::vector<std::string> ions = {
      "Fe3+ + e- = Fe2+",
      "MnO4- + 8H+ + 5e- = Mn2+ + 4H2O",
      "NO3- + 4H+ + 3e- = NO + 2H2O",
      "Cr2O72- + 14H+ + 6e- = 2Cr3+ + 7H2O",
      "SO42- + Ba2+ = BaSO4",
      "Cu2+ + Zn = Cu + Zn2+",
      "H3BO3 + 3 H+ + 4 F- = BF4- + 3 H2O",
      "NaAlSi3O8 + 8 H2O = Na+ + Al(OH)4- + 3 H4SiO4",
      "Hg22+ + 2e- = 2Hg",
      "Al3+ + 3OH- = Al(OH)3",
      "MnO4- + Fe2+ + H+ = Mn2+ + Fe3+ + H2O",
      "Ca2+ + CO32- = CaCO3",
  };
  RunCli(state, Repeated(MixedCorpus(), ions));
}
BENCHMARK(BM_CliBalanceWrittenIons)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
