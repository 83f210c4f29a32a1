// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numbertext.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
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
  EXPECT_EQ(NumberText(36.0296, ','), "36,0296");
  EXPECT_EQ(NumberText(1.5e-10, ','), "1,5E-10");
}

}  // namespace
}  // namespace quorvex
