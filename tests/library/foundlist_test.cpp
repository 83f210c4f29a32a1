// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/foundlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/boxes.h"

namespace quorvex::library {
namespace {

using quorvex::testing::MakeBoxes;

TEST(Search, SidesSplitAtTheFirstEquals) {
  EXPECT_EQ(LeftSide("#2H2+O2 = 2H2O#"), "#2H2+O2 =");
  EXPECT_EQ(RightSide("#2H2+O2 = 2H2O#"), " 2H2O#");
  EXPECT_EQ(LeftSide("#A = B = C#"), "#A =");
  EXPECT_EQ(RightSide("#A = B = C#"), " B = C#");
  EXPECT_EQ(LeftSide("#no equals#"), "");
  EXPECT_EQ(RightSide("#no equals#"), "#no equals#");
}

TEST(Search, MatchTests) {
  struct Case {
    const char* name;
    bool right;  // IsInRight, else IsInLeft
    std::string term;
    std::string side;
    bool found;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"empty term always holds", false, "", "", true},
      {"plain species", false, "H2", "#H2+O2 =", true},
      {"second species", false, "O2", "#2H2+O2 =", true},
      {"coefficient passed over", true, "H2O", " 2H2O#", true},
      {"long coefficient passed over", true, "H2O", " 10H2O#", true},
      {"whole species only", false, "H2", "#2H2O+O2 =", false},
      {"a later occurrence counts", true, "O2", " 2KNO2+O2#", true},
      {"later occurrence on the left", false, "O2", "#2SO2+O2 =", true},
      {"later occurrence after a coefficient", true, "Cl2", " MnCl2+Cl2+2H2O#", true},
      {"no occurrence a whole species", true, "O2", " 2KNO2+KO2#", false},
      {"letter case counts", true, "h2o", " 2H2O#", false},
      {"not there", false, "N2", "#H2+O2 =", false},
      {"end of side is no bound", true, "H2O", " 2H2O", false},
      {"bounded by < and >", false, "A", "#B<A>C =", true},
      {"left bound only by a listed separator", false, "A", "#B*A+C =", false},
      {"0xA1 bounds on the right", true, "B", " A\xA1" "B\xA2", true},
      {"0xA1 does not bound on the left", false, "B", "#A\xA1" "B+C =", false},
      {"occurrence starting the side, a letter", false, "H2", "H2+O2 =", false},
      {"occurrence starting the side, a separator", false, "#H2", "#H2+O2 =", true},
      {"digits running to the side's start", false, "H2", "2H2+O2 =", false},
      {"digits after a letter", false, "O2", "#K2O2+H2 =", false},
      {"an occurrence overlapping the one before", false, "a+a", "#xa+a+a =", true},
      {"a long term overlapping the occurrence before", false, "H2+H2+H2+H2+H2+H2", "#XH2+H2+H2+H2+H2+H2+H2 =", true},
      {"the last digit of a long number", false, "1", "#" + std::string(1000, '1') + " =", true},
      {"a long number running to the side's start", false, "1", std::string(1000, '1') + " =", false},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.right ? IsInRight(c.term, c.side) : IsInLeft(c.term, c.side), c.found);
  }
}

class FoundListTest : public ::testing::Test {
 protected:
  void load(std::string_view bytes) { m_library.loadFromBytes(bytes, m_notifier); }

  SilentNotifier m_notifier;
  Library m_library{"unused"};
  FoundList m_found;
};

TEST_F(FoundListTest, EveryTermMustHoldForTheSameLine) {
  load(
      "#2KClO3 = 2KCl+3O2#\r\n#2H2O2 = 2H2O+O2#\r\n#2KClO3 = 2KCl+3O2#\r\n#KClO3 = KCl#\r\n"
      "#no equals O2#\r\n");
  const FoundList::Outcome outcome = m_found.Search(m_library, MakeBoxes({"KClO3"}, {"O2"}));
  EXPECT_EQ(outcome.matches, 2);
  EXPECT_EQ(outcome.listed, 2);
  EXPECT_EQ(m_found.displayText(),
            "\n...... Found 2 equations ......\n\n"
            "|1| 2KClO3 = 2KCl+3O2\n\n"
            "|2| 2KClO3 = 2KCl+3O2\n\n");
  ASSERT_EQ(m_found.count(), 2);
  EXPECT_EQ(m_found.record(1).libraryPos, 1);
  EXPECT_EQ(m_found.record(2).libraryPos, 3);
  EXPECT_EQ(m_found.record(2).equation, "2KClO3 = 2KCl+3O2");

  // With no "=", a product term is tried on the whole line.
  m_found.Search(m_library, MakeBoxes({}, {"O2"}));
  ASSERT_EQ(m_found.count(), 6);
  EXPECT_EQ(m_found.record(4).libraryPos, 2);
  EXPECT_EQ(m_found.record(6).libraryPos, 5);
  EXPECT_EQ(m_found.record(6).equation, "no equals O2");
}

TEST_F(FoundListTest, SearchesNumberOnFromTheListCount) {
  m_found.Search(m_library, MakeBoxes({"H2"}, {}));  // the library is still empty
  EXPECT_EQ(m_found.displayText(), "\n...... Found 0 equations ......\n\n");
  m_found.clearDisplay();
  load("#2H2+O2 = 2H2O#\r\n#2Na+2H2O = 2NaOH+H2#\r\n");
  m_found.Search(m_library, MakeBoxes({}, {"H2O"}));
  m_found.Search(m_library, MakeBoxes({"H2O"}, {}));
  m_found.Search(m_library, MakeBoxes({"Xe"}, {}));
  m_found.Search(m_library, MakeBoxes({}, {"H2"}));
  EXPECT_EQ(m_found.displayText(),
            "\n...... Found 1 equation ......\n\n"
            "|1| 2H2+O2 = 2H2O\n\n"
            "\n...... Found 1 equation ......\n\n"
            "|2| 2Na+2H2O = 2NaOH+H2\n\n"
            "\n...... Found 0 equations ......\n\n"
            "\n...... Found 1 equation ......\n\n"
            "|3| 2Na+2H2O = 2NaOH+H2\n\n");
  EXPECT_EQ(m_found.count(), 3);
  EXPECT_EQ(m_found.record(3).libraryPos, 2);

  m_found.clearDisplay();
  m_found.Search(m_library, MakeBoxes({"Na"}, {}));
  EXPECT_EQ(m_found.displayText(), "\n...... Found 1 equation ......\n\n|4| 2Na+2H2O = 2NaOH+H2\n\n");

  m_found.clear();
  m_found.Search(m_library, MakeBoxes({"Na"}, {}));
  EXPECT_EQ(m_found.displayText(), "\n...... Found 1 equation ......\n\n|1| 2Na+2H2O = 2NaOH+H2\n\n");
  EXPECT_EQ(m_found.count(), 1);
}

// The list holds 5000 records: further matches are counted but not listed.
TEST_F(FoundListTest, RecordLimit) {
  std::string bytes;
  for (int i = 0; i < kFoundCapacity; ++i) bytes += "#A=B#\n";
  load(bytes);
  const FoundList::Outcome first = m_found.Search(m_library, MakeBoxes({"A"}, {}));
  EXPECT_EQ(first.listed, kFoundCapacity);
  EXPECT_EQ(m_found.count(), kFoundCapacity);
  EXPECT_EQ(m_found.displayText().substr(m_found.displayText().size() - 12), "|5000| A=B\n\n");

  m_found.clearDisplay();
  const FoundList::Outcome second = m_found.Search(m_library, MakeBoxes({"A"}, {}));
  EXPECT_EQ(second.matches, kFoundCapacity);
  EXPECT_EQ(second.listed, 0);
  EXPECT_FALSE(second.refused);
  EXPECT_EQ(m_found.count(), kFoundCapacity);
  EXPECT_EQ(m_found.displayText(),
            "\n...... Found 5000 equations ......\n\n"
            "...... The list is full: only the first 0 are listed. Click \"Clear List\" to make "
            "room. ......\n\n");
}

// 5000 matches whose lines fill the display exactly are all listed, with no
// "list is full" line.
TEST_F(FoundListTest, RecordAndDisplayLimitsMeet) {
  const std::size_t header = std::string("\n...... Found 5000 equations ......\n\n").size();
  std::size_t used = header;
  for (int k = 1; k <= kFoundCapacity; ++k) used += std::to_string(k).size() + 5 + 4;  // "|k| A=BB\n\n"
  const std::size_t longer = kFoundDisplayLimit - used;  // lines that get one more B
  ASSERT_LT(longer, static_cast<std::size_t>(kFoundCapacity));
  std::string bytes;
  for (int k = 1; k <= kFoundCapacity; ++k)
    bytes += static_cast<std::size_t>(k) <= longer ? "#A=BBB#\n" : "#A=BB#\n";
  load(bytes);
  const FoundList::Outcome outcome = m_found.Search(m_library, MakeBoxes({"A"}, {}));
  EXPECT_EQ(outcome.listed, kFoundCapacity);
  EXPECT_EQ(m_found.count(), kFoundCapacity);
  EXPECT_EQ(m_found.displayText().size(), kFoundDisplayLimit);
}

// The display holds 65,535 characters: one that fits exactly is listed whole.
TEST_F(FoundListTest, DisplayLimit) {
  const std::size_t header = std::string("\n...... Found 1 equation ......\n\n").size();
  const std::size_t fits = kFoundDisplayLimit - header - std::string("|1| \n\n").size();
  const std::string longest = "A=" + std::string(fits - 2, 'B');

  load("#" + longest + "#\n");
  const FoundList::Outcome exact = m_found.Search(m_library, MakeBoxes({"A"}, {}));
  EXPECT_EQ(exact.listed, 1);
  EXPECT_EQ(m_found.displayText().size(), kFoundDisplayLimit);
  // Not even a count line fits now: the search changes nothing.
  EXPECT_TRUE(m_found.Search(m_library, MakeBoxes({"A"}, {})).refused);
  EXPECT_EQ(m_found.count(), 1);
  EXPECT_EQ(m_found.displayText().size(), kFoundDisplayLimit);
  EXPECT_FALSE(m_found.appendDisplay("x"));

  m_found.clear();
  load("#" + longest + "B#\n#A=C#\n");
  const FoundList::Outcome over = m_found.Search(m_library, MakeBoxes({"A"}, {}));
  EXPECT_EQ(over.matches, 2);
  EXPECT_EQ(over.listed, 0);
  EXPECT_EQ(m_found.count(), 0);
  EXPECT_EQ(m_found.displayText(),
            "\n...... Found 2 equations ......\n\n"
            "...... The list is full: only the first 0 are listed. Click \"Clear List\" to make "
            "room. ......\n\n");
}

}  // namespace
}  // namespace quorvex::library
