// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/arguments.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace quorvex::cli {
namespace {

TEST(Arguments, OptionsOperandsAndErrors) {
  struct Case {
    const char* name;
    std::vector<std::string> words;
    std::string parsed;  // "name=value;" per option, then "|" and "operand;" each
    std::string err;
  };
  const std::vector<Case> cases = {
      {"value as next word", {"--library", "a.dat", "x"}, "--library=a.dat;|x;", ""},
      {"value after equals", {"--library=a=b", "--high"}, "--library=a=b;--high=;|", ""},
      {"empty value after equals", {"--library="}, "--library=;|", ""},
      {"dash is an operand", {"-", "--high"}, "--high=;|-;", ""},
      {"double dash ends options", {"--", "--high", "-x"}, "|--high;-x;", ""},
      {"unknown long option", {"--hi"}, "", "unknown option '--hi'"},
      {"unknown short option", {"-x", "H2"}, "", "unknown option '-x'"},
      {"unknown with value", {"--colour=red"}, "", "unknown option '--colour'"},
      {"missing value", {"x", "--library"}, "", "option '--library' needs a value"},
      {"value given to a flag", {"--high=yes"}, "", "option '--high' takes no value"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream err;
    const auto args = ParseArguments("weight", c.words, {{"--library", true}, {"--high", false}}, err);
    if (!c.err.empty()) {
      EXPECT_FALSE(args);
      EXPECT_EQ(err.str(), "quorvex-cli: weight: " + c.err + " (see 'quorvex-cli weight --help')\n");
      continue;
    }
    ASSERT_TRUE(args);
    std::string parsed;
    for (const auto& [name, value] : args->options) parsed += name + "=" + value + ";";
    parsed += "|";
    for (const std::string& operand : args->operands) parsed += operand + ";";
    EXPECT_EQ(parsed, c.parsed);
    EXPECT_EQ(err.str(), "");
  }
}

TEST(Arguments, HelpOnlyBeforeTheEndOfOptions) {
  EXPECT_TRUE(AsksForHelp({"H2O", "-h"}));
  EXPECT_TRUE(AsksForHelp({"--library", "x", "--help"}));
  EXPECT_FALSE(AsksForHelp({"--", "--help"}));
  EXPECT_FALSE(AsksForHelp({"--helpful"}));
}

TEST(Arguments, SkipByteOrderMark) {
  EXPECT_EQ(SkipByteOrderMark("\xEF\xBB\xBF#a#"), "#a#");
  EXPECT_EQ(SkipByteOrderMark("\xEF\xBB#a#"), "\xEF\xBB#a#");
}

}  // namespace
}  // namespace quorvex::cli
