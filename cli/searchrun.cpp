// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/searchrun.h"

#include <algorithm>
#include <array>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "cli/arguments.h"
#include "library/foundlist.h"
#include "library/library.h"
#include "library/searchertab.h"

namespace quorvex::cli {
namespace {

// Messages the window shows in a message box, printed as they come.
class ErrNotifier final : public Notifier {
 public:
  explicit ErrNotifier(std::ostream& err) : m_err(err) {}
  void modal(std::string_view text) override { m_err << "quorvex-cli: " << text << '\n'; }

 private:
  std::ostream& m_err;
};

constexpr std::string_view kCommand = "search";

// The line that closes a search whose matches did not all fit. The window's
// own line asks to clear the list; here each search starts on an empty one.
std::string ListedLine(int listed) {
  return "...... The list is full: only the first " + std::to_string(listed) +
         " are listed. Give more terms to narrow the search. ......\n\n";
}

}  // namespace

int RunSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::optional<Arguments> parsed =
      ParseArguments(kCommand, args, {{"--library", true}, {"--reactant", true}, {"--product", true}}, err);
  if (!parsed) return 2;
  if (!parsed->operands.empty()) {
    return UsageError(err, kCommand, "unexpected argument '" + parsed->operands.front() + "'");
  }
  std::optional<std::string> file;
  std::vector<std::string> reactants;
  std::vector<std::string> products;
  for (const auto& [option, value] : parsed->options) {
    if (option == "--library") {
      if (file) return UsageError(err, kCommand, "option '--library' given twice");
      file = value;
    } else {
      (option == "--reactant" ? reactants : products).push_back(value);
    }
  }
  if (!file) return UsageError(err, kCommand, "option '--library FILE' is missing");
  const auto tooMany = [](const std::vector<std::string>& terms) {
    return terms.size() > static_cast<std::size_t>(library::kTermsPerSide);
  };
  if (tooMany(reactants)) return UsageError(err, kCommand, "at most 6 --reactant terms");
  if (tooMany(products)) return UsageError(err, kCommand, "at most 6 --product terms");

  library::SearchTerms terms;
  std::copy(reactants.begin(), reactants.end(), terms.reactants.begin());
  std::copy(products.begin(), products.end(), terms.products.begin());
  // The terms are read as the window's search reads them: notation, a pasted equation or list.
  const library::SearchReading reading = library::ReadSearchTerms(terms);
  if (!reading.error.empty()) {
    err << "quorvex-cli: " << reading.error << '\n';
    return 2;
  }
  const std::array<formula::BoxTexts, 3> readings = library::SearchedReadings(reading);
  if (formula::GetSpecieNum(readings[0]) == 0) {
    return UsageError(err, kCommand, "give at least one non-empty --reactant or --product term");
  }

  std::string bytes;
  try {
    const ReplaceOutcome read = library::ReadLibraryFile(*file, bytes);
    if (read.step != ReplaceOutcome::Step::Done) {
      err << "quorvex-cli: " << library::ReadFailure(*file, read) << '\n';
      return 2;
    }
  } catch (const library::FileError& e) {
    err << "quorvex-cli: " << e.what() << '\n';
    return 2;
  }
  ErrNotifier notifier(err);
  library::Library lib(*file);
  lib.loadFromBytes(SkipByteOrderMark(bytes), notifier);
  library::FoundList found;
  err << library::TwoWaysNotes(reading);
  const library::FoundList::Outcome outcome = found.Search(lib, readings);
  std::string text = found.displayText();
  // Only the closing line, the last one, speaks of the window: it gives way to
  // ours. The equations, whatever they hold, are printed as the library has them.
  if (!outcome.refused && outcome.listed < outcome.matches) {
    text.resize(text.rfind('\n', text.size() - 3) + 1);
    text += ListedLine(outcome.listed);
  }
  out << text;
  return 0;
}

}  // namespace quorvex::cli
