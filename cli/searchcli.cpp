#include "cli/searchcli.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <string_view>

#include "library/library.h"
#include "library/search.h"
#include "library/searcher.h"

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

int UsageError(std::ostream& err, std::string_view text) {
  err << "quorvex-cli: search: " << text << '\n';
  return 2;
}

}  // namespace

int RunSearch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<std::string> file;
  std::vector<std::string> reactants;
  std::vector<std::string> products;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& option = args[i];
    if (option != "--library" && option != "--reactant" && option != "--product") {
      return UsageError(err, "unknown argument '" + option + "'");
    }
    if (i + 1 >= args.size()) return UsageError(err, option + " needs a value");
    const std::string& value = args[++i];
    if (option == "--library") {
      if (file) return UsageError(err, "--library given twice");
      file = value;
    } else {
      (option == "--reactant" ? reactants : products).push_back(value);
    }
  }
  if (!file) return UsageError(err, "--library FILE is missing");
  const auto tooMany = [](const std::vector<std::string>& terms) {
    return terms.size() > static_cast<std::size_t>(library::kTermsPerSide);
  };
  if (tooMany(reactants)) return UsageError(err, "at most 6 --reactant terms");
  if (tooMany(products)) return UsageError(err, "at most 6 --product terms");

  library::SearchTerms terms;
  std::copy(reactants.begin(), reactants.end(), terms.reactants.begin());
  std::copy(products.begin(), products.end(), terms.products.begin());
  const formula::BoxTexts boxes = library::CopySearchEditToInputEdit(terms);
  if (formula::GetSpecieNum(boxes) == 0) {
    return UsageError(err, "give at least one non-empty --reactant or --product term");
  }

  ErrNotifier notifier(err);
  library::Library lib(*file);
  try {
    lib.load(notifier);
  } catch (const library::FileError& e) {
    err << "quorvex-cli: " << e.what() << '\n';
    return 2;
  }
  library::FoundList found;
  found.Search(lib, boxes);
  out << found.displayText();
  return 0;
}

}  // namespace quorvex::cli
