// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/boxes.h"
#include "support/recordingnotifier.h"

namespace quorvex::balance {
namespace {

using quorvex::testing::MakeBoxes;

// A species and the coefficient typed before it ("" for none).
struct Term {
  std::string coefficient;
  std::string species;
};

struct Typed {
  formula::BoxTexts species;
  formula::BoxTexts coefficients;
};

Typed MakeTyped(const std::vector<Term>& reactants, const std::vector<Term>& products) {
  std::vector<std::string> names[2];
  std::vector<std::string> typed[2];
  for (const auto* side : {&reactants, &products}) {
    const int s = side == &reactants ? 0 : 1;
    for (const Term& t : *side) {
      names[s].push_back(t.species);
      typed[s].push_back(t.coefficient);
    }
  }
  return {MakeBoxes(names[0], names[1]), MakeBoxes(typed[0], typed[1])};
}

TEST(Check, Verdicts) {
  struct Case {
    const char* name;
    std::vector<Term> reactants;
    std::vector<Term> products;
    Verdict verdict;
    std::string message;
    std::string typed;
    std::string answer;
    std::string board;  // the equation the check lists, "" for none
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"balanced", {{"2", "H2"}, {"", "O2"}}, {{"2", "H2O"}}, Verdict::Balanced, "Balanced.", "2H2+O2 = 2H2O", "",
       "2H2+O2 = 2H2O"},
      {"a whole common factor", {{"4", "H2"}, {"2", "O2"}}, {{"4", "H2O"}}, Verdict::NotLowest,
       "Balanced, but not in lowest terms: the coefficients share the factor 2.", "4H2+2O2 = 4H2O",
       "2H2+O2 = 2H2O", "2H2+O2 = 2H2O"},
      {"a fraction", {{"", "H2"}, {"1/2", "O2"}}, {{"", "H2O"}}, Verdict::Fractional,
       "Balanced, with fractions.", "H2+1/2O2 = H2O", "2H2+O2 = 2H2O", "2H2+O2 = 2H2O"},
      {"whole numbers in the order typed", {{"1/2", "O2"}, {"", "H2"}}, {{"", "H2O"}}, Verdict::Fractional,
       "Balanced, with fractions.", "1/2O2+H2 = H2O", "O2+2H2 = 2H2O", "O2+2H2 = 2H2O"},
      {"fractions with a whole factor", {{"3", "H2"}, {"3/2", "O2"}}, {{"3", "H2O"}}, Verdict::Fractional,
       "Balanced, with fractions.", "3H2+3/2O2 = 3H2O", "2H2+O2 = 2H2O", "2H2+O2 = 2H2O"},
      {"a decimal is a fraction", {{"", "C2H6"}, {"3.5", "O2"}}, {{"2", "CO2"}, {"3", "H2O"}}, Verdict::Fractional,
       "Balanced, with fractions.", "C2H6+7/2O2 = 2CO2+3H2O", "2C2H6+7O2 = 4CO2+6H2O", "2C2H6+7O2 = 4CO2+6H2O"},
      {"charges and electrons", {{"", "MnO4[-]"}, {"8", "H[+]"}, {"5", "e[-]"}}, {{"", "Mn[2+]"}, {"4", "H2O"}},
       Verdict::Balanced, "Balanced.", "MnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O", "", "MnO4[-]+8H[+]+5e[-] = Mn[2+]+4H2O"},
      {"an element differs", {{"", "Cu"}, {"2", "Ag[+]"}}, {{"", "Cu[2+]"}, {"", "Ag"}}, Verdict::NotBalanced,
       "Not balanced: Ag: left 2, right 1.", "Cu+2Ag[+] = Cu[2+]+Ag", "Cu+2Ag[+] = Cu[2+]+2Ag",
       "Cu+2Ag[+] = Cu[2+]+2Ag"},
      {"the charge differs", {{"", "Fe[3+]"}, {"2", "e[-]"}}, {{"", "Fe[2+]"}}, Verdict::NotBalanced,
       "Not balanced: charge: left 1, right 2.", "Fe[3+]+2e[-] = Fe[2+]", "Fe[3+]+e[-] = Fe[2+]",
       "Fe[3+]+e[-] = Fe[2+]"},
      {"each element that differs, in row order", {{"", "CuSO4*5H2O"}}, {{"", "CuSO4"}, {"4", "H2O"}},
       Verdict::NotBalanced, "Not balanced: O: left 9, right 8; H: left 10, right 8.", "CuSO4*5H2O = CuSO4+4H2O",
       "CuSO4*5H2O = CuSO4+5H2O", "CuSO4*5H2O = CuSO4+5H2O"},
      {"a decimal hydrate counts halves", {{"", "CaSO4*0.5H2O"}, {"1.5", "H2O"}}, {{"", "CaSO4*2H2O"}},
       Verdict::Fractional, "Balanced, with fractions.", "CaSO4*0.5H2O+3/2H2O = CaSO4*2H2O", "2CaSO4*0.5H2O+3H2O = 2CaSO4*2H2O", "2CaSO4*0.5H2O+3H2O = 2CaSO4*2H2O"},
      {"a decimal hydrate not balanced", {{"", "CaSO4*0.5H2O"}, {"", "H2O"}}, {{"", "CaSO4*2H2O"}},
       Verdict::NotBalanced, "Not balanced: O: left 11/2, right 6; H: left 3, right 4.",
       "CaSO4*0.5H2O+H2O = CaSO4*2H2O", "2CaSO4*0.5H2O+3H2O = 2CaSO4*2H2O", "2CaSO4*0.5H2O+3H2O = 2CaSO4*2H2O"},
      {"an electron in a box shows e[-]", {{"", "Fe[3+]"}, {"", "[-]"}}, {{"", "Fe[2+]"}}, Verdict::Balanced,
       "Balanced.", "Fe[3+]+e[-] = Fe[2+]", "", "Fe[3+]+e[-] = Fe[2+]"},
      {"no balance: why", {{"", "H2"}}, {{"", "O2"}}, Verdict::NotBalanced,
       "Not balanced: H: left 2, right 0; O: left 0, right 2.", "H2 = O2",
       "none: H is found among the reactants only.", ""},
      {"an invalid character", {{"2", "H2 O"}}, {{"", "H2O"}}, Verdict::InputError,
       "Input error-Invalid characters!", "", "", ""},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Typed t = MakeTyped(c.reactants, c.products);
    RecordingNotifier notifier;
    Balancer balancer(notifier);
    const CheckOutcome outcome = CheckEquation(t.species, t.coefficients, balancer, notifier);
    EXPECT_EQ(outcome.verdict, c.verdict);
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(outcome.typed, c.typed);
    EXPECT_EQ(outcome.answer, c.answer);
    EXPECT_EQ(outcome.answerBalances, c.verdict == Verdict::NotBalanced && !c.board.empty());
    EXPECT_EQ(outcome.invalidCharacters, c.message == "Input error-Invalid characters!");
    EXPECT_EQ(balancer.board().count() == 1 ? balancer.board().record(1).equation : "", c.board);
    EXPECT_EQ(notifier.messages(), std::vector<std::string>{});
  }
}

// Texts that are not a number greater than 0 are refused, whatever the species.
TEST(Check, RefusedCoefficients) {
  for (const char* text :
       {"0", "0.0", "0/5", "1/0", "3/00", "1/", "/2", "-1", "1.5/2", "1.2.3", "2e3", " 2"}) {
    SCOPED_TRACE(text);
    const Typed t = MakeTyped({{text, "H2"}, {"", "O2"}}, {{"2", "H2O"}});
    RecordingNotifier notifier;
    Balancer balancer(notifier);
    const CheckOutcome outcome = CheckEquation(t.species, t.coefficients, balancer, notifier);
    EXPECT_EQ(outcome.verdict, Verdict::InputError);
    EXPECT_EQ(outcome.message, std::string("Input error - the coefficient ") + text +
                                   " of H2 is not a number greater than 0.");
    EXPECT_EQ(balancer.board().count(), 0);
  }
}

// A full board keeps the verdict and refuses the listing, as a balance does.
TEST(Check, FullBoard) {
  const Typed t = MakeTyped({{"2", "H2"}, {"", "O2"}}, {{"2", "H2O"}});
  RecordingNotifier notifier;
  Balancer balancer(notifier);
  while (!balancer.board().isFull()) balancer.board().append("H2 = H2");
  const int full = balancer.board().count();
  EXPECT_EQ(CheckEquation(t.species, t.coefficients, balancer, notifier).verdict, Verdict::Balanced);
  EXPECT_EQ(notifier.messages(), std::vector<std::string>{std::string(kBoardFull)});
  EXPECT_EQ(balancer.board().count(), full);
}

}  // namespace
}  // namespace quorvex::balance
