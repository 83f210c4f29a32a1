#include "balance/solver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "balance/balancer.h"
#include "support/boxes.h"

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
  for (const SolveCase& c : cases) {
    SCOPED_TRACE(c.name);
    SilentNotifier notifier;
    Balancer b(notifier);
    b.Input_BalanceClick(MakeBoxes(c.reactants, c.products));
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
  b.Input_BalanceClick(MakeBoxes({"H100001"}, {"H100003"}));
  EXPECT_EQ(b.pendingMessage(), "Failed to balance!");
  EXPECT_EQ(notifier.messages(), (std::vector<std::string>{"Input error 2-Number too great!",
                                                           "Failed to Balance!"}));
  EXPECT_EQ(b.board().count(), 0);

  // 100000 itself is still found.
  RecordingNotifier quiet;
  Balancer c(quiet);
  c.Input_BalanceClick(MakeBoxes({"H99999"}, {"H100000"}));
  EXPECT_EQ(c.pendingMessage(), "Balanced it successfully!");
  EXPECT_EQ(Coefficients(c, 2), (std::vector<double>{100000, 99999}));
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
  EXPECT_EQ(Solve(m, notifier, x), kBalanced);
  EXPECT_EQ(m.a[1][1], 1);
  EXPECT_EQ(m.a[2][2], 1);
  EXPECT_EQ(m.a[2][3], -1);
  EXPECT_EQ(x[1], 1);
  EXPECT_EQ(x[2], 1);
  EXPECT_EQ(x[3], 1);
}

}  // namespace
}  // namespace quorvex::balance
