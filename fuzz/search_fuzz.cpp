// SPDX-License-Identifier: GPL-3.0-or-later
// The search command's terms against a library: the first twelve lines are
// the terms (six reactants, six products), the rest is the library file.
// Every equation listed satisfies every term, the count line counts every
// line that does, and quorvex-cli search prints the list of the terms as the
// Searcher page reads them.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"
#include "cli/searchrun.h"
#include "library/foundlist.h"
#include "library/library.h"
#include "library/searchertab.h"

namespace {

namespace lib = quorvex::library;

bool Satisfies(const lib::SearchTerms& terms, std::string_view line) {
  for (const std::string& term : terms.reactants) {
    if (!lib::IsInLeft(term, lib::LeftSide(line))) return false;
  }
  for (const std::string& term : terms.products) {
    if (!lib::IsInRight(term, lib::RightSide(line))) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  lib::SearchTerms terms;
  std::size_t from = 0;
  for (int k = 0; k < 2 * lib::kTermsPerSide && from <= input.size(); ++k) {
    std::size_t end = input.find('\n', from);
    if (end == std::string_view::npos) end = input.size();
    (k < lib::kTermsPerSide ? terms.reactants[k] : terms.products[k - lib::kTermsPerSide]) =
        std::string(input.substr(from, end - from));
    from = end + 1;
  }
  const std::string_view file = from < input.size() ? input.substr(from) : std::string_view();

  quorvex::SilentNotifier notifier;
  lib::Library library("unused");
  // quorvex-cli reads a library file as the search command does: a byte-order
  // mark at its start is skipped.
  library.loadFromBytes(quorvex::cli::SkipByteOrderMark(file), notifier);
  const quorvex::formula::BoxTexts boxes = lib::CopySearchEditToInputEdit(terms);
  if (quorvex::formula::GetSpecieNum(boxes) == 0) return 0;

  lib::FoundList found;
  const lib::FoundList::Outcome outcome = found.Search(library, boxes);
  int matches = 0;
  for (const std::string& line : library.lines()) matches += Satisfies(terms, line) ? 1 : 0;
  if (outcome.matches != matches || outcome.listed > matches || outcome.listed != found.count()) {
    __builtin_trap();
  }
  if (found.displayText().size() > lib::kFoundDisplayLimit) __builtin_trap();
  for (int i = 1; i <= found.count(); ++i) {
    const quorvex::balance::ListRecord& record = found.record(i);
    const std::string& line = library.line(record.libraryPos);
    if (lib::StripEnds(line) != record.equation || !Satisfies(terms, line)) __builtin_trap();
  }

  // The command line: the same terms as options, the library from a file,
  // read as the Searcher page reads them (notation, a pasted equation or list).
  const lib::SearchReading reading = lib::ReadSearchTerms(terms);
  const std::array<quorvex::formula::BoxTexts, 3> readings = lib::SearchedReadings(reading);
  const bool refused = !reading.error.empty() || quorvex::formula::GetSpecieNum(readings[0]) == 0;
  lib::FoundList read;
  if (!refused) read.Search(library, readings);
  const std::string path = "/tmp/quorvex-search-fuzz-" + std::to_string(::getpid()) + ".dat";
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(file.data(), static_cast<std::streamsize>(file.size()));
    if (!out.flush()) return 0;
  }
  std::vector<std::string> args = {"--library", path};
  for (const std::string& term : terms.reactants) args.insert(args.end(), {"--reactant", term});
  for (const std::string& term : terms.products) args.insert(args.end(), {"--product", term});
  std::ostringstream out;
  std::ostringstream err;
  const int status = quorvex::cli::RunSearch(args, out, err);
  ::unlink(path.c_str());
  if (refused ? status != 2 : status != 0 || out.str() != read.displayText()) __builtin_trap();
  return 0;
}
