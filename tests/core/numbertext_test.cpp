// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace quorvex {
namespace {

TEST(NumberText, GeneralFormat) {
  struct Case {
    double value;
    const char* text;
  };
  const std::vector<Case> cases = {
      {0, "0"},
      {1, "1"},
      {5, "5"},
      {110, "110"},
      {18, "18"},
      {36.0296, "36.0296"},
      {-2.5, "-2.5"},
      {0.1, "0.1"},
      {1.0 / 3, "0.333333333333333"},
      {2.0 / 3, "0.666666666666667"},
      {0.0001, "0.0001"},
      {0.00012345, "0.00012345"},
      {0.00005, "5E-5"},
      {-0.00005, "-5E-5"},
      {1.5e-10, "1.5E-10"},
      {1e15, "1E15"},
      {999999999999999.0, "999999999999999"},
      {999999999999999.9, "1E15"},
      {123456789012345678.0, "1.23456789012346E17"},
      {1e100, "1E100"},
      {100000, "100000"},
      {119, "119"},
      {std::numeric_limits<double>::infinity(), "INF"},
      {-std::numeric_limits<double>::infinity(), "-INF"},
      {std::nan(""), "NAN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(NumberText(c.value), c.text);
  }
}

// The window runs under the user's locale, where printf writes a comma.
TEST(NumberText, KeepsThePointInACommaLocale) {
  const std::string before = std::setlocale(LC_ALL, nullptr);
  for (const char* locale : {"de_DE.UTF-8", "fr_FR.UTF-8"}) {
    if (!std::setlocale(LC_ALL, locale)) {
      ADD_FAILURE() << locale << " is not generated (scripts/deps.sh test generates it)";
      continue;
    }
    EXPECT_EQ(NumberText(2.0158), "2.0158") << locale;
    EXPECT_EQ(NumberText(1.5e-10), "1.5E-10") << locale;
    EXPECT_EQ(NumberText(18), "18") << locale;
  }
  std::setlocale(LC_ALL, before.c_str());
}

}  // namespace
}  // namespace quorvex
