// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/completion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/boxes.h"
#include "support/recordingnotifier.h"

namespace quorvex::balance {
namespace {

using quorvex::testing::MakeBoxes;

std::vector<std::string> Split(const std::string& text, const std::string& by) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(by, from)) != std::string::npos; from = at + by.size()) {
    parts.push_back(text.substr(from, at - from));
  }
  parts.push_back(text.substr(from));
  return parts;
}

// "2A + B = C" with blanks around "+" and "=": species to signed coefficient.
using Terms = std::map<std::string, long>;
Terms ReadAnswer(const std::string& equation) {
  Terms terms;
  const std::vector<std::string> sides = Split(equation, " = ");
  for (std::size_t s = 0; s < sides.size(); ++s) {
    for (const std::string& term : Split(sides[s], " + ")) {
      std::size_t digits = 0;
      while (digits < term.size() && term[digits] >= '0' && term[digits] <= '9') ++digits;
      const long c = digits == 0 ? 1 : std::stol(term.substr(0, digits));
      terms[term.substr(digits)] += s == 0 ? c : -c;
    }
  }
  return terms;
}

formula::BoxTexts ReadTyped(const std::string& equation) {
  const std::vector<std::string> sides = Split(equation, " = ");
  return MakeBoxes(Split(sides.at(0), " + "), Split(sides.at(1), " + "));
}

// The balanced boxes with their coefficients, as ReadAnswer gives them.
Terms Balanced(const Completion& c, const Balancer& b) {
  Terms terms;
  int column = 1;
  for (const bool product : {false, true}) {
    for (const std::string& species : product ? c.boxes.products : c.boxes.reactants) {
      if (species.empty()) continue;
      const auto x = static_cast<long>(b.coefficients()[static_cast<std::size_t>(column++)]);
      terms[species] += product ? -x : x;
    }
  }
  return terms;
}

// Textbook problems with their published answers, each checked to balance
// before it went in: the completion must find the same equation, or say
// that the equation combines several reactions where the answer is one pick.
TEST(Completion, TextbookProblems) {
  std::ifstream file(QUORVEX_TEST_DATA_DIR "/redox_problems.tsv");
  ASSERT_TRUE(file);
  std::string line;
  int rows = 0;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = Split(line, "\t");
    ASSERT_EQ(f.size(), 6u) << line;
    SCOPED_TRACE(f[0] + ": " + f[3]);
    ++rows;
    const CompletionChoice choice{*ReadMedium(f[1]), f[2] == "yes"};
    RecordingNotifier notifier;
    Balancer balancer(notifier);
    const Completion c = CompleteAndBalance(balancer, ReadTyped(f[3]), choice);
    if (f[5] == "multiple") {
      EXPECT_EQ(balancer.failureReason().code, "multiple");
      continue;
    }
    ASSERT_EQ(balancer.pendingMessage(), kBalanced) << balancer.failureReason().text();
    EXPECT_EQ(Balanced(c, balancer), ReadAnswer(f[4]));
    EXPECT_EQ(balancer.board().count(), 1);
  }
  EXPECT_GE(rows, 60);
}

TEST(Completion, Outcomes) {
  struct Case {
    const char* name;
    CompletionChoice choice;
    formula::BoxTexts typed;
    std::string message;
    std::string board;   // the equation listed, "" for none
    std::string reason;  // failure reason text
    std::string added;
  };
  const CompletionChoice acid{Medium::Acidic, false};
  const CompletionChoice acidHalf{Medium::Acidic, true};
  // clang-format off
  const std::vector<Case> cases = {
      {"as typed balances as always", {}, MakeBoxes({"H2", "O2"}, {"H2O"}), "Balanced it successfully!",
       "2H2+O2 = 2H2O", "", ""},
      {"a half-reaction without a medium", {Medium::AsTyped, true}, MakeBoxes({"Sn[4+]"}, {"Sn[2+]"}),
       "Balanced it successfully!", "Sn[4+]+2[-] = Sn[2+]", "", "2[-]"},
      {"added species follow the typed ones", acidHalf, MakeBoxes({"MnO4[-]"}, {"Mn[2+]"}),
       "Balanced it successfully!", "MnO4[-]+8H[+]+5[-] = Mn[2+]+4H2O", "", "8H[+], 5[-], 4H2O"},
      {"an added coefficient of 1 is not written", acidHalf, MakeBoxes({"NO3[-]"}, {"NO2"}),
       "Balanced it successfully!", "NO3[-]+2H[+]+[-] = NO2+H2O", "", "2H[+], [-], H2O"},
      {"a typed species is not added again", acid, MakeBoxes({"MnO4[-]", "Fe[2+]", "H[+]"}, {"Mn[2+]", "Fe[3+]"}),
       "Balanced it successfully!", "MnO4[-]+5Fe[2+]+8H[+] = Mn[2+]+5Fe[3+]+4H2O", "", "4H2O"},
      {"a species typed with its state is not added again", acidHalf,
       MakeBoxes({"MnO4[-]", "H[+](aq)"}, {"Mn[2+]", "H2O(l)"}), "Balanced it successfully!",
       "MnO4[-]+8H[+](aq)+5[-] = Mn[2+]+4H2O(l)", "", "5[-]"},
      {"a species typed twice on one side", acid, MakeBoxes({"MnO4[-]", "Fe[2+]", "Fe[2+]"}, {"Mn[2+]", "Fe[3+]"}),
       "Failed to balance!", "", "repeated: Fe[2+] appears twice among the reactants; write it once, with its "
       "coefficient.", ""},
      {"a number alone is no species to complete", acid, MakeBoxes({"Fe[2+]", "2"}, {"Fe[3+]"}),
       "Input error - \"2\" is a number alone, not a species. Write decimals with a point (1.5 O2), and no "
       "locants (1,2-) in names.", "", "", ""},
      {"a typed electron is not added again", acidHalf, MakeBoxes({"MnO4[-]", "[-]"}, {"Mn[2+]"}),
       "Balanced it successfully!", "MnO4[-]+5[-]+8H[+] = Mn[2+]+4H2O", "", "8H[+], 4H2O"},
      {"a typed species keeps its side", acidHalf, MakeBoxes({"MnO4[-]", "H2O"}, {"Mn[2+]"}),
       "Failed to balance!", "", "sign: Every balance needs H2O on the other side.", ""},
      {"a species no balance needs", acid, MakeBoxes({"Cu", "Ag"}, {"Cu[2+]", "H2"}), "Failed to balance!", "",
       "zero: Every balance gives Ag the coefficient 0.", ""},
      {"neutral: water alone", {Medium::Neutral, false}, MakeBoxes({"Na"}, {"NaOH", "H2"}),
       "Balanced it successfully!", "2Na+2H2O = 2NaOH+H2", "", "2H2O"},
      {"an element on one side", acid, MakeBoxes({"Fe"}, {"Cu"}), "Failed to balance!", "",
       "none: Fe is found among the reactants only.", ""},
      {"a half-reaction balanced as a whole", acid, MakeBoxes({"MnO4[-]"}, {"Mn[2+]"}), "Failed to balance!", "",
       "none: No amounts of H[+] and H2O on either side balance it; a half-reaction needs electrons as well.", ""},
      {"two reactions in one", acid, MakeBoxes({"MnO4[-]", "H2O2"}, {"Mn[2+]", "O2"}), "Failed to balance!", "",
       "multiple: It combines 2 independent reactions: 2H2O2 = O2+2H2O and 4MnO4[-]+12H[+] = 4Mn[2+]+5O2+6H2O; "
       "split it into equations that balance on their own.",
       ""},
      {"input errors as in a plain balance", acid, MakeBoxes({"H2 O"}, {"H2O"}), "Input error-Invalid characters!",
       "", "", ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingNotifier notifier;
    Balancer balancer(notifier);
    const Completion done = CompleteAndBalance(balancer, c.typed, c.choice);
    EXPECT_EQ(balancer.pendingMessage(), c.message);
    EXPECT_EQ(balancer.board().count() == 1 ? balancer.board().record(1).equation : "", c.board);
    EXPECT_EQ(balancer.failureReason().code.empty() ? "" : balancer.failureReason().text(), c.reason);
    EXPECT_EQ(AddedList(done.added), c.added);
  }
  // The scanner's warnings are shown once, also when no balance follows the exact solve.
  RecordingNotifier notifier;
  Balancer balancer(notifier);
  CompleteAndBalance(balancer, MakeBoxes({"H100001"}, {"Fe"}), acid);
  EXPECT_EQ(notifier.messages(), std::vector<std::string>{"Input error 2-Number too great!"});
}

}  // namespace
}  // namespace quorvex::balance
