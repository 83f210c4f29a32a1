// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "balance/balancer.h"
#include "cli/balancerun.h"
#include "cli/equationline.h"

namespace {

using quorvex::SilentNotifier;
using quorvex::balance::Balancer;

const std::vector<std::string> kExamples = {
    // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one equation, split over two lines
    "H2 + Ca(CN)2 + NaAlF4 + FeSO4 + MgSiO3 + KI + H3PO4 + PbCrO4 + BrCl + CF2Cl2 + SO2 = "
    "PbBr2 + CrCl3 + MgCO3 + KAl(OH)4 + Fe(SCN)3 + PI3 + NaSiO3 + CaF2 + H2O",
    "CS2 + MnO4[-] + H[+] = Mn[2+] + S + CO2 + H2O",
    "P4 + P2I4 + H2O = H3PO4 + PH4I",
    "CrI3 + Cl2 + KOH = K2CrO4 + KIO3 + KCl + H2O",
    "Cu(NH3)4[2+] + CN[-] + OH[-] = Cu(CN)3[2-] + CNO[-] + NH3 + H2O",
};

quorvex::formula::BoxTexts Boxes(const std::string& line) {
  return quorvex::cli::ParseEquationLine(line).boxes;
}

// The whole command, box texts to the appended record.
void BM_BalanceExample(benchmark::State& state) {
  const auto boxes = Boxes(kExamples[static_cast<std::size_t>(state.range(0) - 1)]);
  SilentNotifier notifier;
  Balancer balancer(notifier);
  for (auto _ : state) {
    balancer.clearResults();
    balancer.balance(boxes);
    benchmark::DoNotOptimize(balancer.board().count());
  }
  if (balancer.outcome() != quorvex::balance::BalanceOutcome::Balanced) state.SkipWithError("not balanced");
}
BENCHMARK(BM_BalanceExample)->DenseRange(1, 5)->ArgName("case");

// Elimination, back substitution and multiplier search on case 1's matrix.
void BM_SolveOnly(benchmark::State& state) {
  const auto boxes = Boxes(kExamples[0]);
  std::string pending;
  SilentNotifier notifier;
  quorvex::formula::ElementNameList names;
  const quorvex::formula::SpeciesList species = quorvex::formula::ReadSpecies(boxes);
  names.GetTotalElement(species, pending);
  quorvex::formula::Scanner scanner(pending, notifier);
  quorvex::formula::CompositionMatrix filled;
  quorvex::formula::FillMatrix(species, names, scanner, filled);
  quorvex::balance::CoefficientVector x{};
  for (auto _ : state) {
    quorvex::formula::CompositionMatrix m = filled;
    benchmark::DoNotOptimize(quorvex::balance::Solve(m, notifier, x));
  }
}
BENCHMARK(BM_SolveOnly);

// Balances whose smallest whole balance is over the multiplier limit: two
// species, three, and chains of 10 and 14 species where each shares an
// element with the next in the ratio 5:7.
const std::vector<std::string> kTooLarge = {
    "H100001 = H100003",
    "H100003 + O100019 = H2O",
    "S1000000 = S1000001",
    "H7 + C5N7 + O5F7 + P5S7 + K5V7 = H5C7 + N5O7 + F5P7 + S5K7 + V5",
    // NOLINTNEXTLINE(bugprone-suspicious-missing-comma): one equation, split over two lines
    "H7 + C5N7 + O5F7 + P5S7 + K5V7 + Y5I7 + W5U7 = "
    "H5C7 + N5O7 + F5P7 + S5K7 + V5Y7 + I5W7 + U5",
};

void BM_FailingBalance(benchmark::State& state) {
  const auto boxes = Boxes(kTooLarge[static_cast<std::size_t>(state.range(0))]);
  SilentNotifier notifier;
  Balancer balancer(notifier);
  for (auto _ : state) {
    balancer.balance(boxes);
    benchmark::DoNotOptimize(balancer.pendingMessage().data());
  }
  if (balancer.failureReason().code != "too-large") state.SkipWithError("not too-large");
}
BENCHMARK(BM_FailingBalance)->DenseRange(0, 4)->ArgName("case")->Unit(benchmark::kMicrosecond);

// quorvex-cli balance over `input`, in process.
void RunCliBalance(const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  quorvex::cli::RunBalance(in, out, err);
  benchmark::DoNotOptimize(out.str().size());
}

// quorvex-cli balance over 10,000 equations held in memory.
void BM_CliBalance10k(benchmark::State& state) {
  std::string input;
  for (int i = 0; i < 10000; ++i) input += kExamples[static_cast<std::size_t>(i) % kExamples.size()] + "\n";
  for (auto _ : state) RunCliBalance(input);
  state.SetItemsProcessed(state.iterations() * 10000);
}
BENCHMARK(BM_CliBalance10k)->Unit(benchmark::kMillisecond);

// The delivered library's equations (the reaction list it is made from),
// repeated to 10,540 lines.
std::string LibraryInput() {
  std::ifstream file(QUORVEX_SOURCE_DIR "/data/reactions.txt");
  std::string once;
  for (std::string line; std::getline(file, line);) {
    if (!line.empty() && line[0] != '#') once += line + "\n";
  }
  std::string input;
  while (std::count(input.begin(), input.end(), '\n') < 10000) input += once;
  return input;
}

// quorvex-cli balance over the library input, in process; items are equations.
void BM_CliBalanceLibrary(benchmark::State& state) {
  const std::string input = LibraryInput();
  const auto lines = static_cast<std::int64_t>(std::count(input.begin(), input.end(), '\n'));
  for (auto _ : state) RunCliBalance(input);
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_CliBalanceLibrary)->Unit(benchmark::kMillisecond);

// The delivered reaction list with one failing equation after every nine
// real ones (about 10% failing), cycling through the ways a balance fails.
std::string MixedInput() {
  const std::vector<std::string> failing = {
      "KMnO4 + H2O2 + H2SO4 = K2SO4 + MnSO4 + O2 + H2O",  // two independent balances
      "NaOH + HCl = NaCl",                                // O and H on one side only
      "H2 + O2 + N2 = H2O",                               // N2 gets 0
      "H2O + O2 = H2",                                    // O2 belongs on the other side
      "C6H12O6 = C2H5OH + CO2 + O2",                      // two independent balances
      "H100001 = H100003",                                // coefficients above the limit
  };
  std::ifstream file(QUORVEX_SOURCE_DIR "/data/reactions.txt");
  std::string input;
  std::string line;
  std::size_t real = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    input += line + "\n";
    if (++real % 9 == 0) input += failing[(real / 9) % failing.size()] + "\n";
  }
  return input;
}

// quorvex-cli balance over the mixed file, in process; items are equations.
void BM_CliBalanceMixed(benchmark::State& state) {
  const std::string input = MixedInput();
  const auto lines = static_cast<std::int64_t>(std::count(input.begin(), input.end(), '\n'));
  for (auto _ : state) RunCliBalance(input);
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_CliBalanceMixed)->Unit(benchmark::kMillisecond);

// One species of state.range(0) bytes repeating one element ("H2H2..."),
// balanced against H2. Sizes ten times apart show how the cost grows.
void BM_LongSpecies(benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0));
  std::string species;
  while (species.size() < bytes) species += "H2";
  const auto boxes = Boxes(species + " = H2");
  SilentNotifier notifier;
  Balancer balancer(notifier);
  for (auto _ : state) {
    balancer.clearResults();
    balancer.balance(boxes);
    benchmark::DoNotOptimize(balancer.pendingMessage().data());
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LongSpecies)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

// One quorvex-cli balance line of state.range(0) bytes: fourteen long
// reactants of several elements and their product.
void BM_LongEquationLine(benchmark::State& state) {
  const auto bytes = static_cast<std::size_t>(state.range(0));
  const std::size_t each = bytes / 15;
  std::string reactant;
  while (reactant.size() < each) reactant += "CH3(OH)2";
  std::string line;
  for (int i = 0; i < 14; ++i) line += (i == 0 ? "" : " + ") + reactant;
  line += " = " + reactant + "\n";
  for (auto _ : state) RunCliBalance(line);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}
BENCHMARK(BM_LongEquationLine)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
