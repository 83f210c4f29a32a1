// SPDX-License-Identifier: GPL-3.0-or-later
// Ions written as students and sources write them ("Fe3+", "SO42-"), read
// through the path quorvex-cli and the window take; and the common-ion table
// the reading consults.
#include "balance/ionreading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "balance/iontable.h"
#include "core/notifier.h"
#include "formula/notation.h"
#include "formula/scanner.h"
#include "support/tablerows.h"
#include "support/writtenterms.h"

namespace quorvex::balance {
namespace {

using formula::WrittenEquation;

using testing::WrittenTerms;

// The tab-separated columns of each row of a table, comments left out.
std::vector<std::vector<std::string>> Rows(const char* path) {
  auto rows = testing::TableRows(path);
  EXPECT_FALSE(rows.empty()) << path;
  return rows;
}

TEST(IonTable, EveryRowIsASpeciesWithTheChargeItNames) {
  const auto rows = Rows(QUORVEX_IONS);
  for (const auto& row : rows) {
    ASSERT_GE(row.size(), 3U);
    const std::string& formula = row[0];
    SCOPED_TRACE(formula);
    EXPECT_FALSE(row[1].empty());
    EXPECT_FALSE(row[2].empty()) << "a row names its source";
    // Written as a line reads it, so that a reading compares byte for byte.
    EXPECT_EQ(formula::ReadTerm(formula, formula::Written::Line).species, formula);
    const std::size_t open = formula.rfind('[');
    ASSERT_TRUE(open != std::string::npos && formula.back() == ']');
    const std::string group = formula.substr(open + 1, formula.size() - open - 2);
    ASSERT_FALSE(group.empty());
    const int size = group.size() == 1 ? 1 : std::stoi(group.substr(0, group.size() - 1));
    std::string pending;
    SilentNotifier silent;
    formula::Scanner scanner(pending, silent);
    EXPECT_EQ(scanner.GetChargeNum(formula), group.back() == '-' ? -size : size);
    EXPECT_EQ(pending, "");
    EXPECT_TRUE(IsCommonIon(formula));
  }
  EXPECT_EQ(CommonIons().size(), rows.size());
}

TEST(IonsAsWritten, EachLineReadsAsMeantOrIsRefusedNamingBothReadings) {
  int rows = 0;
  for (const auto& row : Rows(QUORVEX_IONS_AS_WRITTEN)) {
    ASSERT_GE(row.size(), 4U);
    const std::string& line = row[1];
    const std::string& status = row[3];
    SCOPED_TRACE(row[0] + ": " + line);
    if (status == "hint") continue;
    ++rows;
    IonDecision decision;
    const WrittenEquation read = ReadInContext(line, decision);
    if (status == "read") {
      EXPECT_EQ(read.kind, WrittenEquation::Kind::Equation) << read.error;
      EXPECT_EQ(WrittenTerms(read), row[2]);
      continue;
    }
    ASSERT_EQ(status, "refused");
    EXPECT_EQ(decision.kind, IonDecision::Kind::Refused);
    ASSERT_EQ(read.kind, WrittenEquation::Kind::Error);
    ASSERT_FALSE(read.twoWays.empty());
    const auto& first = read.twoWays.front();
    EXPECT_NE(read.error.find(" reads two ways: " + first.readings[0] + " or " + first.readings[1]),
              std::string::npos)
        << read.error;
  }
  EXPECT_GE(rows, 10);
}

// The published lines of the notation table that read two ways term by term
// read as meant through the line's context, or stay refused: never otherwise.
TEST(IonsAsWritten, TheNotationTableLinesThatReadTwoWaysReadAsMeantOrStayRefused) {
  int decided = 0;
  for (const auto& row : Rows(QUORVEX_NOTATION_CORPUS)) {
    ASSERT_GE(row.size(), 4U);
    if (row[3] != "two-ways") continue;
    SCOPED_TRACE(row[0] + ": " + row[1]);
    IonDecision decision;
    const WrittenEquation read = ReadInContext(row[1], decision);
    if (decision.kind == IonDecision::Kind::Refused) continue;
    EXPECT_EQ(WrittenTerms(read), row[2]);
    ++decided;
  }
  EXPECT_GE(decided, 30);
}

// Which test settles each term, and what is refused.
TEST(IonReading, EachTestDecidesOnlyWhatItMay) {
  using S = SettledBy;
  struct Case {
    const char* name;
    std::string line;
    std::string read;  // the terms read, or "" when refused
    std::vector<IonReading> readings;
  };
  // Ten ammonium ions, 2^10 combinations, and as they read.
  std::string ten = "NH4+";
  std::string tenRead = "NH4[+]";
  for (int i = 1; i < 10; ++i) {
    ten += " + NH4+";
    tenRead += " + NH4[+]";
  }
  // clang-format off
  const std::vector<Case> cases = {
      {"written coefficients", "Cr2O72- + 14H+ + 6e- = 2Cr3+ + 7H2O",
       "Cr2O7[2-] + 14 H[+] + 6 e[-] = 2 Cr[3+] + 7 H2O",
       {{"Cr2O72-", "Cr2O7[2-]", S::Coefficients}, {"Cr3+", "Cr[3+]", S::Coefficients}}},
      {"no coefficient counts 1; conserved both ways, the table settles; a term noted once",
       "Fe3+ + Fe3+ = Fe2+ + Fe4+", "Fe[3+] + Fe[3+] = Fe[2+] + Fe[4+]",
       {{"Fe3+", "Fe[3+]", S::Table}, {"Fe2+", "Fe[2+]", S::Table}, {"Fe4+", "Fe[4+]", S::Table}}},
      {"the table, where the line conserves neither way", "Fe3+ + OH- = Fe(OH)3", "Fe[3+] + OH[-] = Fe(OH)3",
       {{"Fe3+", "Fe[3+]", S::Table}}},
      {"the table in a list", "NH4+, NO3-", "NH4[+] + NO3[-] = ",
       {{"NH4+", "NH4[+]", S::Table}, {"NO3-", "NO3[-]", S::Table}}},
      {"a trap settled by the coefficients", "I2 + I- = I3-", "I2 + I[-] = I3[-]", {{"I3-", "I3[-]", S::Coefficients}}},
      {"a trap settled by a unique balance", "O2- + H2O = OH-", "O[2-] + H2O = OH[-]", {{"O2-", "O[2-]", S::Balance}}},
      {"a trap the table may not settle", "Na + N3- = NaN3", "", {}},
      {"electrons: a unique balance alone settles nothing", "I3- + e- = I-", "", {}},
      {"two readings with one balance each", "Hg2+ + e- = Hg", "", {}},
      {"the most terms", ten + " = 10 NH3 + 10 H+", tenRead + " = 10 NH3 + 10 H[+]",
       {{"NH4+", "NH4[+]", S::Coefficients}}},
      {"one term past the most", "NH4+ + " + ten + " = 11 NH3 + 11 H+", "", {}},
      {"another fault of the line is never decided", "Fe3+ + + e- = Fe2+", "", {}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    IonDecision decision;
    const WrittenEquation read = ReadInContext(c.line, decision);
    if (c.read.empty()) {
      EXPECT_EQ(read.kind, WrittenEquation::Kind::Error);
      EXPECT_NE(read.error.find("reads two ways"), std::string::npos) << read.error;
      EXPECT_NE(decision.kind, IonDecision::Kind::Decided);
      continue;
    }
    EXPECT_EQ(decision.kind, IonDecision::Kind::Decided) << read.error;
    EXPECT_EQ(WrittenTerms(read), c.read);
    EXPECT_EQ(decision.readings, c.readings);
  }
  EXPECT_EQ(ReadingNote({"SO42-", "SO4[2-]", SettledBy::Table}), "read SO42- as SO4[2-]");
}

}  // namespace
}  // namespace quorvex::balance
