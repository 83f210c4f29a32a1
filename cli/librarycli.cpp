#include "cli/librarycli.h"

#include <optional>
#include <ostream>
#include <string_view>

#include "library/library.h"
#include "library/searcher.h"

namespace quorvex::cli {

int RunLibraryChange(bool add, const std::vector<std::string>& args, std::ostream& out,
                     std::ostream& err) {
  const std::string_view command = add ? "add" : "delete";
  std::optional<std::string> file;
  std::string equation;
  bool words = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--library") {
      if (file || i + 1 >= args.size()) {
        err << "quorvex-cli: " << command << ": --library needs one FILE\n";
        return 2;
      }
      file = args[++i];
      continue;
    }
    if (words) equation += ' ';
    equation += args[i];
    words = true;
  }
  if (!file || !words) {
    err << "quorvex-cli: " << command << " needs --library FILE and an EQUATION\n";
    return 2;
  }
  library::Library lib(*file);
  const std::string line = library::LibraryLine(equation);
  try {
    const library::Library::Change change = add ? lib.add(line) : lib.remove(line);
    out << library::ChangeMessage(change) << '\n';
    return change == library::Library::Change::Added || change == library::Library::Change::Deleted
               ? 0
               : 1;
  } catch (const library::FileError& e) {
    err << "quorvex-cli: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace quorvex::cli
