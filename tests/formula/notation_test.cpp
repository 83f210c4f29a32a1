// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvex::formula {
namespace {

TEST(Notation, RewritesWhatPeopleTypeAndPaste) {
  struct Case {
    const char* name;
    std::string typed;
    std::string normalised;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"plain formula", "Ca3(PO4)2[2-]", "Ca3(PO4)2[2-]"},
      {"subscript digits", "H\u2082O", "H2O"},
      {"every subscript digit", "C\u2080\u2081\u2082\u2083\u2084\u2085\u2086\u2087\u2088\u2089",
       "C0123456789"},
      {"superscript charge", "SO\u2084\u00B2\u207B", "SO4[2-]"},
      {"superscript sign alone", "e\u207B", "e[-]"},
      {"superscript three plus", "Fe\u00B3\u207A", "Fe[3+]"},
      {"superscript sign before digits", "Fe\u207A\u00B3", "Fe[3+]"},
      {"superscript digits without a sign are kept", "x\u00B2", "x\u00B2"},
      {"caret charge", "SO4^2-", "SO4[2-]"},
      {"caret sign alone", "H^+", "H[+]"},
      {"caret without a sign is kept", "H^2", "H^2"},
      {"middle dot", "CuSO4\u00B75H2O", "CuSO4*5H2O"},
      {"bullet", "CuSO4\u20225H2O", "CuSO4*5H2O"},
      {"bullet operator", "CuSO4\u22195H2O", "CuSO4*5H2O"},
      {"hydrate dot before a digit", "CuSO4.5H2O", "CuSO4*5H2O"},
      {"hydrate dot before a capital", "CaCl2.H2O", "CaCl2*H2O"},
      {"other dots keep no meaning", "H2.o_.", "H2.o_."},
      {"state symbol stays", "H\u2082O(l)", "H2O(l)"},
      {"other bytes are kept for the balance to report", "H\xe9", "H\xe9"},
      {"twice is once", "SO4[2-]*5H2O", "SO4[2-]*5H2O"},
      {"minus sign in a charge", "Cl[\u2212]", "Cl[-]"},
      {"en dash after a caret", "SO4^2\u2013", "SO4[2-]"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(NormaliseSpecies(c.typed), c.normalised);
  }
}

TEST(Notation, FinishedSpeciesAndSlipHints) {
  struct Case {
    std::string typed;
    std::string finished;
    std::string hint;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"e", "[-]", ""},
      {"e-", "[-]", ""},
      {"e\u207B", "[-]", ""},
      {"e^-", "[-]", ""},
      {"Fe[+3]", "Fe[+3]", "Fe[+3]: write the charge as [3+]."},
      {"MnO4[-1]", "MnO4[-1]", "MnO4[-1]: write the charge as [1-]."},
      {"e(-)", "e(-)", "e(-): write an electron as [-]."},
      {"Fe[3+]", "Fe[3+]", ""},
      {"H[+]", "H[+]", ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(FinishedSpecies(c.typed), c.finished);
    EXPECT_EQ(SlipHint(FinishedSpecies(c.typed)), c.hint);
  }
}

TEST(Notation, StateSymbolsAndTypedCoefficients) {
  EXPECT_EQ(WithoutStateSymbol("H2O(l)"), "H2O");
  EXPECT_EQ(WithoutStateSymbol("Fe[3+](aq)"), "Fe[3+]");
  EXPECT_EQ(WithoutStateSymbol("(g)"), "");
  EXPECT_EQ(WithoutStateSymbol("H2(g)(g)"), "H2(g)");  // one symbol only
  EXPECT_EQ(WithoutStateSymbol("Ca(OH)2"), "Ca(OH)2");
  EXPECT_EQ(TypedCoefficientLength("2H2O"), 1u);
  EXPECT_EQ(TypedCoefficientLength("12 (NH4)2SO4"), 3u);
  EXPECT_EQ(TypedCoefficientLength("2e[-]"), 1u);
  EXPECT_EQ(TypedCoefficientLength("H2O"), 0u);
  EXPECT_EQ(TypedCoefficientLength("2"), 0u);  // digits alone name no formula
  EXPECT_EQ(TypedCoefficientLength("2*H2O"), 0u);
}

}  // namespace
}  // namespace quorvex::formula
