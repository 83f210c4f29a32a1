// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "library/foundlist.h"
#include "library/library.h"
#include "library/searchertab.h"

namespace {

using quorvex::SilentNotifier;
using quorvex::library::Library;

// A full library of 5000 distinct balanced equations, 50 to 80 bytes a line.
std::string FullLibrary() {
  const char* metals[] = {"Na", "K", "Li", "Ca", "Mg", "Al", "Fe", "Zn", "Cu", "Ba"};
  const char* acids[] = {"HCl", "HBr", "HNO3", "H2SO4", "H3PO4", "HClO4", "HI", "HF"};
  std::string bytes;
  for (int i = 0; i < quorvex::library::kLibraryCapacity; ++i) {
    const std::string metal = metals[i % 10];
    const std::string acid = acids[(i / 10) % 8];
    const std::string tag = "C" + std::to_string(i / 80 + 2) + "H" + std::to_string(i % 80 + 2);
    bytes.append("#2").append(metal).append("+2").append(acid).append("+").append(tag);
    bytes.append("+O2+N2+H2O = 2").append(metal).append("X+H2+2H2O+CO2+NO2+").append(tag).append("#\r\n");
  }
  return bytes;
}

std::filesystem::path BenchFile() {
  return std::filesystem::temp_directory_path() /
         ("quorvex-bench-library-" + std::to_string(std::random_device()()) + ".dat");
}

void BM_LoadLibrary(benchmark::State& state) {
  const std::filesystem::path file = BenchFile();
  {
    std::ofstream out(file, std::ios::binary);
    out << FullLibrary();
  }
  SilentNotifier notifier;
  Library lib(file);
  for (auto _ : state) {
    lib.load(notifier);
    benchmark::DoNotOptimize(lib.count());
  }
  if (lib.count() != quorvex::library::kLibraryCapacity) state.SkipWithError("not loaded");
  std::filesystem::remove(file);
}
BENCHMARK(BM_LoadLibrary)->Unit(benchmark::kMillisecond);

// One change of a full library file: lock, read, new file synced, rename, folder synced.
void BM_SaveLibrary(benchmark::State& state) {
  const std::filesystem::path file = BenchFile();
  {
    std::ofstream out(file, std::ios::binary);
    out << FullLibrary();
  }
  Library lib(file);
  SilentNotifier notifier;
  lib.load(notifier);
  // Each change writes (one that changes nothing leaves the file alone): the
  // first line is taken out, then put back at the end.
  const std::string line = lib.line(1);
  bool out = false;
  for (auto _ : state) {
    const Library::Change change = out ? lib.add(line) : lib.remove(line);
    if (change != Library::Change::Added && change != Library::Change::Deleted) {
      state.SkipWithError("nothing written");
    }
    out = !out;
  }
  if (std::filesystem::file_size(file) != lib.fileBytes().size()) state.SkipWithError("not saved");
  std::filesystem::remove(file);
}
BENCHMARK(BM_SaveLibrary)->Unit(benchmark::kMillisecond);

// Twelve terms. Arg 1: every term holds on every line, so all twelve tests
// run on each line and the listing fills the display. Arg 0: a typical search.
void BM_SearchTwelveTerms(benchmark::State& state) {
  SilentNotifier notifier;
  Library lib("unused");
  lib.loadFromBytes(FullLibrary(), notifier);
  quorvex::library::SearchTerms terms;
  if (state.range(0) == 1) {
    terms.reactants = {"O2", "N2", "H2O", "O2", "N2", "H2O"};
    terms.products = {"H2", "H2O", "CO2", "NO2", "H2", "CO2"};
  } else {
    terms.reactants = {"Cu", "HCl", "O2", "N2", "H2O", "C3H10"};
    terms.products = {"CuX", "H2", "H2O", "CO2", "NO2", "C3H10"};
  }
  const auto boxes = quorvex::library::CopySearchEditToInputEdit(terms);
  quorvex::library::FoundList found;
  int matches = 0;
  for (auto _ : state) {
    found.clear();
    matches = found.Search(lib, boxes).matches;
    benchmark::DoNotOptimize(matches);
  }
  state.counters["matches"] = matches;
}
BENCHMARK(BM_SearchTwelveTerms)->Arg(0)->Arg(1)->ArgName("all")->Unit(benchmark::kMillisecond);

// One library line whose two sides are long numbers, and the term "1" on each side:
// every digit is an occurrence, and only the last is bounded on the right.
void BM_SearchOneLongNumber(benchmark::State& state) {
  const std::size_t digits = static_cast<std::size_t>(state.range(0)) / 2;
  SilentNotifier notifier;
  Library lib("unused");
  lib.loadFromBytes("#" + std::string(digits, '1') + " = " + std::string(digits, '1') + "#\r\n", notifier);
  quorvex::library::SearchTerms terms;
  terms.reactants[0] = "1";
  terms.products[0] = "1";
  const auto boxes = quorvex::library::CopySearchEditToInputEdit(terms);
  quorvex::library::FoundList found;
  for (auto _ : state) {
    found.clear();
    benchmark::DoNotOptimize(found.Search(lib, boxes).matches);
  }
  if (found.Search(lib, boxes).matches != 1) state.SkipWithError("not found");
  state.SetComplexityN(static_cast<benchmark::IterationCount>(2 * digits));
}
BENCHMARK(BM_SearchOneLongNumber)
    ->Arg(10'000)
    ->Arg(20'000)
    ->Arg(40'000)
    ->Arg(200'000)
    ->Arg(1'000'000)
    ->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
