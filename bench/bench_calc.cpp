// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <string>

#include "calc/calctable.h"
#include "calc/elements.h"
#include "calc/weight.h"
#include "formula/scanner.h"

namespace {

using quorvex::SilentNotifier;
using quorvex::calc::CalcTable;
using quorvex::calc::ElementTable;
using quorvex::calc::Precision;

// Twenty elements from across the table, with subscripts, a group and a hydrate part.
const std::string kTwentyElements = "KNaLi2(CaMgBa)3FeCuZnAgAuPtHgPbSnAlSi2O7Cl*5H2O";

// An equation of twenty species, ten on each side.
const std::string kTwentySpecies =
    "2KMnO4+16HCl+3H2SO4+CuSO4*5H2O+Ca3(PO4)2+Fe2O3+Al2(SO4)3+Na2CO3+NH4NO3+C6H12O6 = "
    "2KCl+2MnCl2+5Cl2+8H2O+K2Cr2O7+Cu(NH3)4[2+]+Ca(OH)2+FeCl3+CO2+Ba(NO3)2";

void BM_GetWeight(benchmark::State& state) {
  const Precision precision = state.range(0) == 0 ? Precision::Low : Precision::High;
  ElementTable elements;
  elements.InitRealElement();
  std::string pending;
  SilentNotifier notifier;
  quorvex::formula::Scanner scanner(pending, notifier);
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetWeight(kTwentyElements, precision, elements, scanner));
  }
}
BENCHMARK(BM_GetWeight)->Arg(0)->Arg(1)->ArgName("high");

// The refresh that every precision change, page change and picker step runs.
void BM_RefreshTwentySpecies(benchmark::State& state) {
  ElementTable elements;
  elements.InitRealElement();
  std::string pending;
  SilentNotifier notifier;
  quorvex::formula::Scanner scanner(pending, notifier);
  CalcTable table;
  for (auto _ : state) {
    table.UpdateCaculate(kTwentySpecies, elements, scanner);
    benchmark::DoNotOptimize(table.rowCount());
  }
  if (table.rowCount() != 20) state.SkipWithError("not twenty rows");
}
BENCHMARK(BM_RefreshTwentySpecies);

}  // namespace

BENCHMARK_MAIN();
