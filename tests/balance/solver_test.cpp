// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "balance/balancer.h"
#include "balance/exact.h"
#include "support/boxes.h"
#include "support/recordingnotifier.h"

namespace quorvex::balance {
namespace {

using quorvex::testing::MakeBoxes;

struct SolveCase {
  const char* name;
  std::vector<std::string> reactants;
  std::vector<std::string> products;
  std::string outcome;
  std::vector<double> coefficients;  // checked on success
};

std::vector<double> Coefficients(const Balancer& b, int S) {
  return std::vector<double>(b.coefficients().begin() + 1, b.coefficients().begin() + 1 + S);
}

TEST(Solver, StatedOutcomes) {
  // clang-format off
  const std::vector<SolveCase> cases = {
      {"worked example", {"H2", "O2"}, {"H2O"}, "Balanced it successfully!", {2, 1, 2}},
      {"same on both sides", {"H2O"}, {"H2O"}, "Balanced it successfully!", {1, 1}},
      {"case 1",
       {"H2", "Ca(CN)2", "NaAlF4", "FeSO4", "MgSiO3", "KI", "H3PO4", "PbCrO4", "BrCl", "CF2Cl2",
        "SO2"},
       {"PbBr2", "CrCl3", "MgCO3", "KAl(OH)4", "Fe(SCN)3", "PI3", "NaSiO3", "CaF2", "H2O"},
       "Balanced it successfully!",
       {119, 18, 6, 12, 6, 6, 2, 12, 24, 6, 24, 12, 12, 6, 6, 12, 2, 6, 18, 110}},
      {"case 2", {"CS2", "MnO4[-]", "H[+]"}, {"Mn[2+]", "S", "CO2", "H2O"},
       "Balanced it successfully!", {5, 4, 12, 4, 10, 5, 6}},
      {"case 3", {"P4", "P2I4", "H2O"}, {"H3PO4", "PH4I"}, "Balanced it successfully!",
       {13, 10, 128, 32, 40}},
      {"case 4", {"CrI3", "Cl2", "KOH"}, {"K2CrO4", "KIO3", "KCl", "H2O"},
       "Balanced it successfully!", {2, 21, 52, 2, 6, 42, 26}},
      {"case 5", {"Cu(NH3)4[2+]", "CN[-]", "OH[-]"}, {"Cu(CN)3[2-]", "CNO[-]", "NH3", "H2O"},
       "Balanced it successfully!", {2, 7, 2, 2, 1, 8, 1}},
      {"a charge alone is a species", {"MnO4[-]", "H[+]", "[-]"}, {"Mn[2+]", "H2O"},
       "Balanced it successfully!", {1, 8, 5, 1, 4}},
      {"hydrate product", {"CuSO4", "H2O"}, {"CuSO4*5H2O"}, "Balanced it successfully!",
       {1, 5, 1}},
      {"two independent solutions", {"H2", "O2"}, {"H2O", "H2O2"}, "Failed to balance!", {}},
      {"only the zero solution", {"H2"}, {"O2"}, "Failed to balance!", {}},
      {"mixed signs", {"H2O", "O2"}, {"H2"}, "Failed to balance!", {}},
      {"single species", {"H2"}, {}, "Failed to balance!", {}},
      {"more species than rows", {"H", "H2", "H3"}, {"H4"}, "Failed to balance!", {}},
      {"near miss within the tolerance", {"H2000001"}, {"H2000000"}, "Failed to balance!", {}},
  };
  // clang-format on
  for (const SolveCase& c : cases) {
    SCOPED_TRACE(c.name);
    SilentNotifier notifier;
    Balancer b(notifier);
    b.balance(MakeBoxes(c.reactants, c.products));
    EXPECT_EQ(b.pendingMessage(), c.outcome);
    if (!c.coefficients.empty()) {
      EXPECT_EQ(Coefficients(b, static_cast<int>(c.coefficients.size())), c.coefficients);
    }
  }
}

TEST(Solver, ExhaustedMultiplierSearch) {
  // The smallest coefficient in lowest terms is 100001.
  RecordingNotifier notifier;
  Balancer b(notifier);
  b.balance(MakeBoxes({"H100001"}, {"H100003"}));
  EXPECT_EQ(b.pendingMessage(), "Failed to balance!");
  EXPECT_EQ(notifier.messages(),
            (std::vector<std::string>{"Input error 2-Number too great!", "Failed to Balance!"}));
  EXPECT_EQ(b.board().count(), 0);

  // 100000 itself is still found.
  RecordingNotifier quiet;
  Balancer c(quiet);
  c.balance(MakeBoxes({"H99999"}, {"H100000"}));
  EXPECT_EQ(c.pendingMessage(), "Balanced it successfully!");
  EXPECT_EQ(Coefficients(c, 2), (std::vector<double>{100000, 99999}));
  // A smallest coefficient of exactly 100000 needs the last multiplier tried.
  Balancer d(quiet);
  d.balance(MakeBoxes({"H100000"}, {"H100001"}));
  EXPECT_EQ(d.pendingMessage(), "Balanced it successfully!");
  EXPECT_EQ(Coefficients(d, 2), (std::vector<double>{100001, 100000}));
}

TEST(Solver, WhyABalanceFailed) {
  struct Case {
    const char* code;
    std::vector<std::string> reactants;
    std::vector<std::string> products;
    std::string sentence;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"none", {"H2"}, {"O2"}, "H is found among the reactants only."},
      {"none", {"Fe[3+]"}, {"Fe"}, "Only the reactants carry a charge."},
      {"none", {"Fe[5-]"}, {"Fe"}, "Only the reactants carry a charge."},
      {"none", {"Fe"}, {"Fe[2-]"}, "Only the products carry a charge."},
      {"none", {"H2O"}, {}, "An equation needs at least two species."},
      {"multiple", {"KMnO4", "H2O2", "H2SO4"}, {"K2SO4", "MnSO4", "O2", "H2O"},
       "It combines 2 independent reactions; split it into equations that balance on their own."},
      {"zero", {"H2", "O2", "N2"}, {"H2O"}, "Every balance gives N2 the coefficient 0."},
      {"sign", {"H2O", "O2"}, {"H2"}, "Every balance needs O2 on the other side."},
      {"too-large", {"H100001"}, {"H100003"},
       "The smallest whole-number balance is 100003H100001 = 100001H100003; its smallest "
       "coefficient is over 100000."},
      {"too-large", {"H2000001"}, {"H2000000"},  // a near miss the search takes, refused after
       "The smallest whole-number balance is 2000000H2000001 = 2000001H2000000; its smallest "
       "coefficient is over 100000."},
      {"too-large", {"HON"}, {"H4194301", "O4194287", "N4194277"},  // a balance past 64 bits
       "The smallest whole-number balance is 73786149464572951199HON = 17592001495499H4194301+"
       "17592060215377O4194287+17592102158387N4194277; its smallest coefficient is over 100000."},
      {"precision", {"P308257845N9"}, {"N4", "P6"},
       "The exact balance is 4P308257845N9 = 9N4+205505230P6, but the floating-point method "
       "missed it."},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sentence);
    SilentNotifier notifier;
    Balancer b(notifier);
    b.balance(MakeBoxes(c.reactants, c.products));
    EXPECT_EQ(b.pendingMessage(), "Failed to balance!");
    EXPECT_EQ(b.failureReason().code, c.code);
    EXPECT_EQ(b.failureReason().sentence, c.sentence);
  }
  SilentNotifier notifier;
  Balancer ok(notifier);
  ok.balance(MakeBoxes({"H2", "O2"}, {"H2O"}));
  EXPECT_EQ(ok.failureReason().code, "");
}

TEST(Solver, ExactSolutionsOfLargeCounts) {
  // Counts near 2^31 take the unbounded path; the balance stays exact.
  formula::CompositionMatrix m;
  m.n = 4;
  m.S = 3;
  m.a[1] = {0, 2147483647.0, 0, -2147483646.0};
  m.a[2] = {0, 0, 2147483629.0, -2147483647.0};
  const ExactSolution s = SolveExactly(m);
  ASSERT_EQ(s.nullity, 1);
  const mpz_class a = 2147483647, b = 2147483646, c = 2147483629;
  // x1*a = x3*b and x2*c = x3*a, in lowest terms.
  EXPECT_EQ(s.balance[0] * a, s.balance[2] * b);
  EXPECT_EQ(s.balance[1] * c, s.balance[2] * a);
  EXPECT_GT(s.balance[2], 0);
}

// The multiplier search as first written: every multiplier in turn.
int EveryMultiplier(const CoefficientVector& x, int S) {
  for (int t = 1; t <= kLargestMultiplier; ++t) {
    bool whole = true;
    for (int j = 1; j <= S && whole; ++j) {
      const double v = t * x[j];
      whole = !(std::fabs(std::round(v) - v) > 1e-6);
    }
    if (whole) return t;
  }
  return 0;
}

TEST(Solver, SkippingMultipliersFindsWhatTryingEachFinds) {
  std::mt19937_64 rng(2024);
  const auto roll = [&](long long lo, long long hi) {
    return lo + static_cast<long long>(rng() % static_cast<unsigned long long>(hi - lo + 1));
  };
  const double kOdd[] = {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e-30, 0x1p52 + 2, 0.5, -0.5, 2.5};
  for (int round = 0; round < 3000; ++round) {
    // Scaled solutions p(j)/q of denominators up to several times the limit,
    // some moved off by a little, some negative or out of the ordinary.
    CoefficientVector x{};
    const int S = static_cast<int>(roll(2, 8));
    const long long q = round % 3 == 0 ? roll(1, 300) : roll(1, 3000000);
    for (int j = 1; j <= S; ++j) {
      const long long p = roll(0, 3) == 0 ? q : roll(1, 40 * q);
      x[j] = static_cast<double>(p) / static_cast<double>(q);
      const long long kind = roll(0, 19);
      if (kind == 0) x[j] += std::ldexp(1.0, -static_cast<int>(roll(20, 45)));
      if (kind == 1) x[j] = -x[j];
      if (kind == 2) x[j] = kOdd[roll(0, 7)];
      if (kind == 3)
        x[j] = static_cast<double>(roll(1, 1000)) * (1 + 1e-7 * static_cast<double>(roll(-9, 9)));
    }
    SCOPED_TRACE(round);
    ASSERT_EQ(SmallestWholeMultiplier(x, S), EveryMultiplier(x, S));
  }
}

TEST(Solver, ExactCheck) {
  formula::CompositionMatrix m;
  m.n = 3;
  m.S = 2;
  m.a[1][1] = 2;
  m.a[1][2] = -1;
  CoefficientVector x{};
  x[1] = 1;
  x[2] = 2;
  EXPECT_TRUE(ConservesEveryRow(m, x));
  x[2] = 3;
  EXPECT_FALSE(ConservesEveryRow(m, x));
  x[2] = 2;
  m.a[3][1] = -2147483648.0;  // a charge at the edge of 32 bits
  m.a[3][2] = 1073741824.0;
  EXPECT_TRUE(ConservesEveryRow(m, x));
  x[1] = 0;
  EXPECT_FALSE(ConservesEveryRow(m, x));
  x[1] = 1e300;
  EXPECT_FALSE(ConservesEveryRow(m, x));
}

TEST(Solver, TiesPickTheFirstPivotInScanOrder) {
  // Every entry of the first block has magnitude 1; the first in row-by-row
  // order is a(1,1), so no exchange happens and the free column is the last.
  formula::CompositionMatrix m;
  m.n = 3;
  m.S = 3;
  m.a[1] = {0, 1, -1, 0};
  m.a[2] = {0, 0, 1, -1};
  CoefficientVector x{};
  SilentNotifier notifier;
  EXPECT_EQ(Solve(m, notifier, x), BalanceOutcome::Balanced);
  // The whole matrix as the elimination leaves it: a later pivot of the same
  // size would have exchanged rows and columns.
  const double left[4][5] = {{0, 0, 0, 0, 0}, {0, 1, -1, 0, 0}, {0, 0, 1, -1, 0}, {0, 0, 0, 0, 0}};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 5; ++c) EXPECT_EQ(m.a[r][c], left[r][c]) << "a(" << r << "," << c << ")";
  }
  EXPECT_EQ(x[1], 1);
  EXPECT_EQ(x[2], 1);
  EXPECT_EQ(x[3], 1);
}

}  // namespace
}  // namespace quorvex::balance
