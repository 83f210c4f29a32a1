// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/equationline.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvex::cli {
namespace {

using Kind = EquationLine::Kind;

TEST(EquationLine, SplitsIntoBoxes) {
  struct Case {
    const char* line;
    std::vector<std::string> reactants;
    std::vector<std::string> products;
  };
  const std::vector<Case> cases = {
      {"H2 + O2 = H2O", {"H2", "O2"}, {"H2O"}},
      {"H2+O2=H2O", {"H2", "O2"}, {"H2O"}},
      {"  CS2 + MnO4[-] + H[+] = Mn[2+] + S\r", {"CS2", "MnO4[-]", "H[+]"}, {"Mn[2+]", "S"}},
      {"Fe[3+] + e[-] = Fe[2+]", {"Fe[3+]", "e[-]"}, {"Fe[2+]"}},
      {"\tCuSO4 + 5 H2O = CuSO4*5H2O", {"CuSO4", "H2O"}, {"CuSO4*5H2O"}},
      {"H2 =", {"H2"}, {}},
      {"A+B+C+D+E+F+G+H+I+J+K+L+M+N = X",
       {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M", "N"},
       {"X"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const EquationLine parsed = ParseEquationLine(c.line);
    ASSERT_EQ(parsed.kind, Kind::Equation) << parsed.error;
    for (std::size_t i = 0; i < formula::kBoxesPerSide; ++i) {
      EXPECT_EQ(parsed.boxes.reactants[i], i < c.reactants.size() ? c.reactants[i] : "");
      EXPECT_EQ(parsed.boxes.products[i], i < c.products.size() ? c.products[i] : "");
    }
  }
}

TEST(EquationLine, SkippedAndBadLines) {
  struct Case {
    const char* line;
    Kind kind;
    const char* error;
  };
  const std::vector<Case> cases = {
      {"", Kind::Skip, ""},
      {"   \t", Kind::Skip, ""},
      {"# a comment = with equals", Kind::Skip, ""},
      {"  #indented comment", Kind::Skip, ""},
      {"H2 + O2", Kind::Error, "Input error - no \"=\" between the reactants and the products."},
      {"A = B = C", Kind::Error, "Input error - more than one \"=\" or arrow in the line."},
      {"H2 + + O2 = H2O", Kind::Error, "Input error - an empty species among the reactants."},
      {"H2 = H2O +", Kind::Error, "Input error - an empty species among the products."},
      {"A+B+C+D+E+F+G+H+I+J+K+L+M+N+O = X", Kind::Error, "Input error - more than 14 reactants."},
      {"X = A+B+C+D+E+F+G+H+I+J+K+L+M+N+O", Kind::Error, "Input error - more than 14 products."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const EquationLine parsed = ParseEquationLine(c.line);
    EXPECT_EQ(parsed.kind, c.kind);
    EXPECT_EQ(parsed.error, c.error);
  }
}

}  // namespace
}  // namespace quorvex::cli
