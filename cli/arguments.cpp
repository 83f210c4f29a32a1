// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace quorvex::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Reason(int error) {
  if (error == 0) return "the system gave no reason";
  return std::generic_category().message(error);
}

bool IsOption(std::string_view word) { return word.size() > 1 && word.front() == '-'; }

}  // namespace

bool AsksForHelp(const std::vector<std::string>& words) {
  for (const std::string& word : words) {
    if (word == "--") return false;
    if (word == "--help" || word == "-h") return true;
  }
  return false;
}

std::optional<Arguments> ParseArguments(std::string_view command, const std::vector<std::string>& words,
                                        std::initializer_list<OptionName> known, std::ostream& err) {
  Arguments result;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || !IsOption(word)) {
      result.operands.push_back(word);
      continue;
    }
    if (word == "--") {
      optionsEnded = true;
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string name = word.substr(0, equals);
    const OptionName* option = nullptr;
    for (const OptionName& o : known) {
      if (o.name == name) option = &o;
    }
    if (option == nullptr) {
      UsageError(err, command, "unknown option '" + name + "'");
      return std::nullopt;
    }
    std::string value;
    if (equals != std::string::npos) {
      if (!option->takesValue) {
        UsageError(err, command, "option '" + name + "' takes no value");
        return std::nullopt;
      }
      value = word.substr(equals + 1);
    } else if (option->takesValue) {
      if (i + 1 >= words.size()) {
        UsageError(err, command, "option '" + name + "' needs a value");
        return std::nullopt;
      }
      value = words[++i];
    }
    result.options.emplace_back(name, std::move(value));
  }
  return result;
}

int UsageError(std::ostream& err, std::string_view command, std::string_view text) {
  err << "quorvex-cli: " << command << ": " << text << " (see 'quorvex-cli " << command << " --help')\n";
  return 2;
}

bool OpenInput(const std::string& path, std::ifstream& file, std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    err << "quorvex-cli: cannot open '" << path << "': " << Reason(EISDIR) << '\n';
    return false;
  }
  errno = 0;
  file.open(path, std::ios::binary);
  if (!file) {
    err << "quorvex-cli: cannot open '" << path << "': " << Reason(errno) << '\n';
    return false;
  }
  return true;
}

void ReadFailed(const std::string& path, int error, std::ostream& err) {
  err << "quorvex-cli: cannot read '" << path << "': " << Reason(error) << '\n';
}

std::string_view SkipByteOrderMark(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
  return text;
}

}  // namespace quorvex::cli
