// SPDX-License-Identifier: GPL-3.0-or-later
// The scanner on crafted species texts whose counting once grew faster than their length.
#include <benchmark/benchmark.h>

#include <string>

#include "balance/balancer.h"
#include "calc/elements.h"
#include "calc/weight.h"
#include "formula/scanner.h"

namespace {

using quorvex::SilentNotifier;
using quorvex::formula::Scanner;

// About `bytes` bytes: "X", then "Caa" k times, then "Ca" k times. Every "Ca" of the
// first half begins a longer name and is passed over before each "Ca" of the second.
std::string LongerNamesFirst(std::size_t bytes) {
  const std::size_t k = bytes / 5;
  std::string text = "X";
  text.reserve(1 + 5 * k);
  for (std::size_t i = 0; i < k; ++i) text += "Caa";
  for (std::size_t i = 0; i < k; ++i) text += "Ca";
  return text;
}

// "C" k times, then "a" k + 1 times, then "Ca" k times: every cut of a "Ca" joins the
// "C" before it to the "a" after it into a new one.
std::string JoinedNames(std::size_t bytes) {
  const std::size_t k = bytes / 4;
  std::string text(k, 'C');
  text.append(k + 1, 'a');
  for (std::size_t i = 0; i < k; ++i) text += "Ca";
  return text;
}

// "H" k times inside k + 1 groups whose multipliers overflow after the innermost:
// "H" k times, then ")2" and k times ")2000000000".
std::string OverflowingGroups(std::size_t bytes) {
  const std::size_t k = bytes / 13;
  std::string text(k, 'H');
  text += ")2";
  for (std::size_t i = 0; i < k; ++i) text += ")2000000000";
  return text;
}

void Count(benchmark::State& state, const std::string& name, const std::string& text) {
  std::string pending;
  SilentNotifier notifier;
  Scanner scanner(pending, notifier);
  for (auto _ : state) benchmark::DoNotOptimize(scanner.ExGetElementNum(name, text));
  state.SetComplexityN(static_cast<benchmark::IterationCount>(text.size()));
  state.counters["bytes"] = static_cast<double>(text.size());
}

// Texts of growing length, to show that the cost grows linearly.
void GrowingTexts(benchmark::internal::Benchmark* b) {
  b->Arg(10'000)->Arg(20'000)->Arg(40'000)->Arg(1'000'000);
  b->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
}

void BM_CountLongerNamesFirst(benchmark::State& state) {
  Count(state, "Ca", LongerNamesFirst(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_CountLongerNamesFirst)->Apply(GrowingTexts);

void BM_CountJoinedNames(benchmark::State& state) {
  Count(state, "Ca", JoinedNames(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_CountJoinedNames)->Apply(GrowingTexts);

void BM_CountInOverflowingGroups(benchmark::State& state) {
  Count(state, "H", OverflowingGroups(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_CountInOverflowingGroups)->Apply(GrowingTexts);

// The molecular weight of the first crafted text: every element of the table counted.
void BM_WeightLongerNamesFirst(benchmark::State& state) {
  const std::string text = LongerNamesFirst(static_cast<std::size_t>(state.range(0)));
  quorvex::calc::ElementTable elements;
  elements.InitRealElement();
  std::string pending;
  SilentNotifier notifier;
  Scanner scanner(pending, notifier);
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetWeight(text, quorvex::calc::Precision::Low, elements, scanner));
  }
  state.SetComplexityN(static_cast<benchmark::IterationCount>(text.size()));
}
BENCHMARK(BM_WeightLongerNamesFirst)->Apply(GrowingTexts);

// "Balance" with the first crafted text in a reactant box, as the window runs it.
void BM_BalanceLongerNamesFirst(benchmark::State& state) {
  quorvex::formula::BoxTexts boxes;
  boxes.reactants[0] = LongerNamesFirst(static_cast<std::size_t>(state.range(0)));
  boxes.products[0] = "Ca";
  SilentNotifier notifier;
  quorvex::balance::Balancer balancer(notifier);
  for (auto _ : state) {
    balancer.clearResults();
    balancer.balance(boxes);
  }
  state.SetComplexityN(static_cast<benchmark::IterationCount>(boxes.reactants[0].size()));
}
BENCHMARK(BM_BalanceLongerNamesFirst)->Apply(GrowingTexts);

}  // namespace

BENCHMARK_MAIN();
