// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/notation.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formula/equationtext.h"

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
      {"caret sign before digits", "Fe^+3", "Fe[3+]"},
      {"caret before a superscript sign", "Fe^3\u207A", "Fe[3+]"},
      {"caret charge in braces", "Cu^{2+}", "Cu[2+]"},
      {"charge in round brackets", "Zn(2+)(aq)", "Zn[2+](aq)"},
      {"round brackets that begin a species are a label", "(+)-C4H6O6", "(+)-C4H6O6"},
      {"round brackets inside a formula are a group", "Fe(2+)O", "Fe(2+)O"},
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
      {"caret before subscript digits", "SO\u2084^\u2082\u2212", "SO4[2-]"},
      {"hydrate dot before a subscript digit", "CuSO\u2084.\u2085H\u2082O", "CuSO4*5H2O"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string once = ReadTerm(c.typed, Written::Formula).species;
    EXPECT_EQ(once, c.normalised);
    EXPECT_EQ(ReadTerm(once, Written::Formula).species, once);  // twice is once
    EXPECT_EQ(TextWhileTyping(c.typed), c.normalised);
  }
}

// The steps each place takes (the table in notation.h), on the same texts.
TEST(Notation, EachPlaceTakesItsSteps) {
  struct Case {
    std::string typed;
    std::string formula;  // Written::Formula
    std::string box;      // Written::Box: coefficient|species
    std::string line;     // Written::Line alone: coefficient|species, or the error
    std::string hint = "";
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"2 H\u2082O", "2 H2O", "2|H2O", "2|H2O"},
      {"1/2O2", "1/2O2", "1/2|O2", "1/2|O2"},
      {".5 O2", "*5 O2", ".5|O2", ".5|O2"},
      {"2", "2", "|2", "|2"},
      {"e", "e", "|[-]", "|e[-]"},
      {"e-", "e-", "|[-]", "|e[-]"},
      {"e\u207B", "e[-]", "|[-]", "|e[-]"},
      {"2e^-", "2e[-]", "2|[-]", "2|e[-]"},
      {"Fe+2", "Fe+2", "|Fe+2", "|Fe[2+]"},
      {"Cl-", "Cl-", "|Cl-", "|Cl[-]"},
      {"K4[Fe(CN)6]", "K4[Fe(CN)6]", "|K4[Fe(CN)6]", "|K4(Fe(CN)6)"},
      {"FeSO4:7H2O", "FeSO4:7H2O", "|FeSO4:7H2O", "|FeSO4*7H2O"},
      {"CaCO3 (s)\u2193", "CaCO3 (s)\u2193", "|CaCO3 (s)\u2193", "|CaCO3(s)"},
      {"Fe[+3]", "Fe[+3]", "|Fe[+3]", "|Fe[+3]", "Fe[+3]: write the charge as [3+]."},
      {"MnO4[-1]", "MnO4[-1]", "|MnO4[-1]", "|MnO4[-1]", "MnO4[-1]: write the charge as [1-]."},
      {"e(-)", "e[-]", "|[-]", "|e[-]"},
      {"Na+(aq)(aq)", "Na+(aq)(aq)", "|Na+(aq)(aq)", "|Na[+](aq)"},
      {"Na+(s)(aq)", "Na+(s)(aq)", "|Na+(s)(aq)", "|Na[+](s)(aq)"},
      {"eCl", "eCl", "|eCl", "|eCl", "eCl: write an electron as [-]."},
      {"Fe3+", "Fe3+", "|Fe3+",
       "Input error - \"Fe3+\" reads two ways: Fe3[+] or Fe[3+]. Write its charge in square brackets."},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(ReadTerm(c.typed, Written::Formula).species, c.formula);
    const Term box = ReadTerm(c.typed, Written::Box);
    EXPECT_EQ(box.coefficient + "|" + box.species, c.box);
    EXPECT_EQ(SlipHint(box.species), c.hint);
    const Term line = ReadTerm(c.typed, Written::Line);
    EXPECT_EQ(line.error.empty() ? line.coefficient + "|" + line.species : line.error, c.line);
  }
}

// A text of more than one species: the clean-up while typing leaves it as
// typed; the calculator's equation has each species rewritten where it stands.
TEST(Notation, EquationsAreLeftOrRewrittenSpeciesBySpecies) {
  struct Case {
    std::string text;
    std::string whileTyping;
    std::string calculator;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"SO\u2084\u00B2\u207B", "SO4[2-]", "SO4[2-]"},
      {"H\u2082O ", "H2O ", "H2O "},
      {"2H\u2082+O\u2082 = 2H\u2082O", "2H\u2082+O\u2082 = 2H\u2082O", "2H2+O2 = 2H2O"},
      {"Ba^2++SO4^2- = BaSO4", "Ba^2++SO4^2- = BaSO4", "Ba[2+]+SO4[2-] = BaSO4"},
      {"H2O + H^+", "H2O + H^+", "H2O + H[+]"},
      {"CuSO4\u00B75H2O, NaCl", "CuSO4\u00B75H2O, NaCl", "CuSO4*5H2O, NaCl"},
      {"SO4^->X", "SO4^->X", "SO4^->X"},  // an arrow, not a caret charge
      {"Fe\u00B3\u207A \u2212> Fe", "Fe\u00B3\u207A \u2212> Fe", "Fe[3+] -> Fe"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(TextWhileTyping(c.text), c.whileTyping);
    EXPECT_EQ(WithSpeciesRewritten(c.text), c.calculator);
  }
}

// Typed key by key, an ion equation keeps every species: the clean-up while
// typing rewrites a first species and leaves a text of more alone, so that
// the box reads as the prefix typed so far after every key.
TEST(Notation, StateSymbolsAndTypedCoefficients) {
  EXPECT_EQ(WithoutStateSymbol("H2O(l)"), "H2O");
  EXPECT_EQ(WithoutStateSymbol("Fe[3+](aq)"), "Fe[3+]");
  EXPECT_EQ(WithoutStateSymbol("(g)"), "");
  EXPECT_EQ(WithoutStateSymbol("H2(g)(g)"), "H2(g)");  // one symbol only
  EXPECT_EQ(WithoutStateSymbol("Ca(OH)2"), "Ca(OH)2");
  EXPECT_EQ(CoefficientLength("2H2O"), 1u);
  EXPECT_EQ(CoefficientLength("12 (NH4)2SO4"), 2u);
  EXPECT_EQ(CoefficientLength("2e[-]"), 1u);
  EXPECT_EQ(CoefficientLength("1/2 O2"), 3u);
  EXPECT_EQ(CoefficientLength("H2O"), 0u);
  EXPECT_EQ(CoefficientLength("2"), 0u);  // digits alone name no formula
  EXPECT_EQ(CoefficientLength("2*H2O"), 0u);
}

}  // namespace
}  // namespace quorvex::formula
