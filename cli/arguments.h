// SPDX-License-Identifier: GPL-3.0-or-later
// Command-line conventions shared by the subcommands of quorvex-cli.
#pragma once

#include <fstream>
#include <initializer_list>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorvex::cli {

// An option a subcommand knows, with its leading "--".
struct OptionName {
  std::string_view name;
  bool takesValue;
};

struct Arguments {
  // Options in the order given: name with "--", value ("" for a flag).
  std::vector<std::pair<std::string, std::string>> options;
  std::vector<std::string> operands;
};

// True when `words` ask for help ("-h" or "--help") before any "--".
bool AsksForHelp(const std::vector<std::string>& words);

// Splits a subcommand's words into options and operands. An option takes its
// value as "--name value" or "--name=value"; "--" ends the options and "-"
// alone is an operand. An unknown option, a missing value or a value given to
// a flag writes one usage-error line to `err` and gives nullopt.
std::optional<Arguments> ParseArguments(std::string_view command, const std::vector<std::string>& words,
                                        std::initializer_list<OptionName> known, std::ostream& err);

// "quorvex-cli: COMMAND: TEXT (see 'quorvex-cli COMMAND --help')" on `err`;
// returns the usage-error status 2.
int UsageError(std::ostream& err, std::string_view command, std::string_view text);

// Opens `path` for reading; when that fails, writes
// "quorvex-cli: cannot open 'PATH': REASON" to `err` and returns false.
bool OpenInput(const std::string& path, std::ifstream& file, std::ostream& err);
// "quorvex-cli: cannot read 'PATH': REASON" for the errno of a failed read.
void ReadFailed(const std::string& path, int error, std::ostream& err);

// `text` without a UTF-8 byte-order mark at its start.
std::string_view SkipByteOrderMark(std::string_view text);

}  // namespace quorvex::cli
