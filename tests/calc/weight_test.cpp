// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/weight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "calc/decimal.h"
#include "calcenv.h"
#include "core/errors.h"
#include "core/numbertext.h"

namespace quorvex::calc {
namespace {

TEST(GetWeight, WeighsSpeciesInBothPrecisions) {
  struct Case {
    const char* species;
    const char* low;
    const char* high;
  };
  const std::vector<Case> cases = {
      {"H2O", "18", "18.0148"},
      {"2H2O", "18", "18.0148"},
      {"NaCl", "58.5", "58.443"},
      {"CuSO4*5H2O", "249.5", "249.682"},
      {"(NH4)2SO4", "132", "132.1392"},
      {"Fe[3+]", "56", "55.847"},
      {"K", "39", "39.098"},
      {"Er", "167", "167.26"},
      {"Lr", "260", "260"},  // the last slot walked; Rf and later are not
      {"Rf", "0", "0"},
      {"Uun", "0", "0"},
      {"Xx2", "0", "0"},
      {"", "0", "0"},
      {"co", "0", "0"},
  };
  CalcEnv env;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.species);
    EXPECT_EQ(NumberText(GetWeight(c.species, Precision::Low, env.elements, env.scanner)), c.low);
    EXPECT_EQ(NumberText(GetWeight(c.species, Precision::High, env.elements, env.scanner)), c.high);
  }
  EXPECT_TRUE(env.notifier.messages().empty());
  // A long subscript is reported once, by the one slot that finds it.
  EXPECT_EQ(GetWeight("H123456", Precision::Low, env.elements, env.scanner), 123456);
  EXPECT_EQ(env.notifier.messages(), std::vector<std::string>{"Input error 2-Number too great!"});
  EXPECT_THROW(GetWeight("H99999999999", Precision::Low, env.elements, env.scanner), ConvertError);
}

TEST(BoundWeight, GivesNineHalfIntegersOverTheTable) {
  CalcEnv env;
  std::set<std::string> halves;
  for (int k = 1; k <= 103; ++k) {
    const double low = BoundWeight(ReadDecimal(env.elements.slot(k).weight).value());
    if (low != std::floor(low)) halves.insert(env.elements.slot(k).symbol);
  }
  EXPECT_EQ(halves, (std::set<std::string>{"Cl", "Cu", "Rb", "Pd", "Cd", "Te", "Dy", "Hf", "Hg"}));
  // "127.60" reads as just below 127.6, within 0.1 of 127.5; the next double up is not.
  EXPECT_EQ(BoundWeight(127.6), 127.5);
  EXPECT_EQ(BoundWeight(std::nextafter(127.6, 200.0)), 128);
  EXPECT_EQ(BoundWeight(65.39), 65);
}

// The coefficient the calculation table takes (the scanner's GetHeadNum) and the formula it shows.
TEST(HeadNum, SplitsTheCoefficientFromTheFormula) {
  const std::vector<std::tuple<const char*, int, const char*>> cases = {
      {"2H2O", 2, "H2O"}, {"H2O", 1, "H2O"},     {"12CO2", 12, "CO2"}, {"", 0, ""},
      {"3", 3, ""},       {" 2H2O", 1, " 2H2O"}, {"2 H2O", 2, " H2O"}};
  for (const auto& [species, head, formula] : cases) {
    EXPECT_EQ(formula::Scanner::GetHeadNum(species), head) << species;
    EXPECT_EQ(DeleteHeadNum(species), formula) << species;
  }
  EXPECT_EQ(DeleteHeadNum("99999999999H2"), "H2");
}

TEST(ReadDecimal, ReadsAPointAndNothingElse) {
  const std::vector<std::pair<const char*, std::optional<double>>> cases = {
      {"8.0632", 8.0632}, {" +4 ", 4},   {"-.5", -0.5}, {"1.5E2", 150}, {"8,0632", {}}, {"1.000,5", {}},
      {"", {}},           {" ", {}},     {"4a", {}},    {"+-4", {}},    {"inf", {}},    {"nan", {}},
      {"0x10", {}},       {"1e400", {}}, {"4 4", {}},   {".", {}}};
  for (const auto& [text, value] : cases) EXPECT_EQ(ReadDecimal(text), value) << text;
}

}  // namespace
}  // namespace quorvex::calc
