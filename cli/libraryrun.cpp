// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/libraryrun.h"

#include <optional>
#include <ostream>
#include <string_view>

#include "cli/arguments.h"
#include "library/library.h"
#include "library/searchertab.h"

namespace quorvex::cli {

int RunLibraryChange(bool add, const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string_view command = add ? "add" : "delete";
  const std::optional<Arguments> parsed = ParseArguments(command, args, {{"--library", true}}, err);
  if (!parsed) return 2;
  if (parsed->options.size() != 1) return UsageError(err, command, "needs one --library FILE");
  if (parsed->operands.empty()) return UsageError(err, command, "needs an EQUATION");
  const std::optional<std::string> file = parsed->options.front().second;
  std::string equation;
  for (const std::string& word : parsed->operands) {
    if (!equation.empty()) equation += ' ';
    equation += word;
  }
  library::Library lib(*file);
  const std::string line = library::LibraryLine(equation);
  try {
    const library::Library::Change change = add ? lib.add(line) : lib.remove(line);
    out << library::ChangeMessage(change) << '\n';
    return change == library::Library::Change::Added || change == library::Library::Change::Deleted ? 0 : 1;
  } catch (const library::FileError& e) {
    err << "quorvex-cli: " << e.what() << '\n';
    return 1;
  }
}

}  // namespace quorvex::cli
