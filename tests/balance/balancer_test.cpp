// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/balancer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/errors.h"
#include "support/boxes.h"
#include "support/recordingnotifier.h"

namespace quorvex::balance {
namespace {

using quorvex::testing::MakeBoxes;

const formula::BoxTexts kWater = MakeBoxes({"H2", "O2"}, {"H2O"});

TEST(Balancer, CaseTwoOnAnEmptyBoard) {
  RecordingNotifier notifier;
  Balancer b(notifier);
  EXPECT_EQ(b.balance(MakeBoxes({"CS2", "MnO4[-]", "H[+]"}, {"Mn[2+]", "S", "CO2", "H2O"})),
            Balancer::Run::Done);
  const MessageBoxView view = UpdateMessageBox(b.pendingMessage());
  EXPECT_EQ(view.text, "Balanced it successfully!");
  EXPECT_EQ(view.colour, kNormalColour);
  EXPECT_EQ(b.outcome(), BalanceOutcome::Balanced);
  ASSERT_EQ(b.board().count(), 1);
  EXPECT_EQ(b.board().record(1).equation, "5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S+5CO2+6H2O");
  EXPECT_EQ(b.board().record(1).libraryPos, -1);
  EXPECT_EQ(b.board().displayText(), "|1| 5CS2+4MnO4[-]+12H[+] = 4Mn[2+]+10S+5CO2+6H2O\n\n");
  EXPECT_TRUE(notifier.messages().empty());
}

TEST(Balancer, EquationTexts) {
  struct Case {
    const char* name;
    formula::BoxTexts boxes;
    const char* text;
  };
  formula::BoxTexts gaps;
  gaps.reactants[0] = "H2";
  gaps.reactants[2] = "O2";
  gaps.products[1] = "H2O";
  formula::BoxTexts lastBoxes;
  lastBoxes.reactants[13] = "H2";
  lastBoxes.reactants[0] = "O2";
  lastBoxes.products[13] = "H2O";
  // clang-format off
  const std::vector<Case> cases = {
      {"empty box between leaves no trace", gaps, "2H2+O2 = 2H2O"},
      {"boxes 14 are last", lastBoxes, "O2+2H2 = 2H2O"},
      {"state symbols stay in the text", MakeBoxes({"H2(g)", "O2(g)"}, {"H2O(l)"}),
       "2H2(g)+O2(g) = 2H2O(l)"},
      {"hydrate among the reactants", MakeBoxes({"CuSO4*5H2O"}, {"CuSO4", "H2O"}),
       "CuSO4*5H2O = CuSO4+5H2O"},
      {"hydrate", MakeBoxes({"CuSO4", "H2O"}, {"CuSO4*5H2O"}), "CuSO4+5H2O = CuSO4*5H2O"},
      {"case 1", MakeBoxes({"H2", "Ca(CN)2", "NaAlF4", "FeSO4", "MgSiO3", "KI", "H3PO4", "PbCrO4",
                            "BrCl", "CF2Cl2", "SO2"},
                           {"PbBr2", "CrCl3", "MgCO3", "KAl(OH)4", "Fe(SCN)3", "PI3", "NaSiO3",
                            "CaF2", "H2O"}),
       "119H2+18Ca(CN)2+6NaAlF4+12FeSO4+6MgSiO3+6KI+2H3PO4+12PbCrO4+24BrCl+6CF2Cl2+24SO2 = "
       "12PbBr2+12CrCl3+6MgCO3+6KAl(OH)4+12Fe(SCN)3+2PI3+6NaSiO3+18CaF2+110H2O"},
      {"product side with only charges", MakeBoxes({"H0[+]", "H0[-]"}, {}), "H0[+]+H0[-] ="},
      {"a decimal hydrate counted twice over", MakeBoxes({"CaSO4*0.5H2O", "H2O"}, {"CaSO4*2H2O"}),
       "2CaSO4*0.5H2O+3H2O = 2CaSO4*2H2O"},
      {"a quarter and a half", MakeBoxes({"X*0.25H2O", "H2O"}, {"X*0.5H2O"}), "4X*0.25H2O+H2O = 4X*0.5H2O"},
      {"form labels count nothing", MakeBoxes({"P(white)"}, {"P(red)"}), "P(white) = P(red)"},
      {"a Greek prefix counts nothing", MakeBoxes({"\u03B2-PbO2"}, {"PbO", "O2"}), "2\u03B2-PbO2 = 2PbO+O2"},
      {"a radical's dot counts nothing", MakeBoxes({"O2\u2022[-]", "H[+]"}, {"HO2\u2022"}),
       "O2\u2022[-]+H[+] = HO2\u2022"},
      {"an electron in a box shows e[-]", MakeBoxes({"Fe[3+]", "[-]"}, {"Fe[2+]"}), "Fe[3+]+e[-] = Fe[2+]"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SilentNotifier notifier;
    Balancer b(notifier);
    b.balance(c.boxes);
    EXPECT_EQ(b.pendingMessage(), "Balanced it successfully!");
    ASSERT_EQ(b.board().count(), 1);
    EXPECT_EQ(b.board().record(1).equation, c.text);
  }
}

TEST(Balancer, EquationTextsOfAnyCoefficients) {
  // Coefficients no success gives still come out as their number text.
  struct Case {
    std::vector<double> x;
    formula::BoxTexts boxes;
    const char* text;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {{1, 0.5, -2}, kWater, "H2+0.5O2 = -2H2O"},
      {{1e15, 123456789012345, 0}, kWater, "1E15H2+123456789012345O2 = 0H2O"},
      {{-0.0, 1}, MakeBoxes({}, {"H2", "O2"}), " = 0H2+O2"},
  };
  // clang-format on
  for (const Case& c : cases) {
    CoefficientVector x{};
    std::copy(c.x.begin(), c.x.end(), x.begin() + 1);
    EXPECT_EQ(BalancedEquationText(c.boxes, x), c.text);
  }
}

TEST(Balancer, FailuresLeaveTheBoardAlone) {
  struct Case {
    const char* name;
    formula::BoxTexts boxes;
    const char* message;
    Rgb colour;
    BalanceOutcome outcome;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"invalid character", MakeBoxes({"H2 O"}, {"H2O"}), "Input error-Invalid characters!",
       kErrorColour, BalanceOutcome::InvalidCharacters},
      {"nothing typed", formula::BoxTexts{},
       "Input error - Please input the reactants and products correctly.", kErrorColour,
       BalanceOutcome::InputError},
      {"invalid character, nothing else", MakeBoxes({"$"}, {"h"}),
       "Input error - Please input the reactants and products correctly.", kErrorColour,
       BalanceOutcome::InputError},
      {"unsolvable", MakeBoxes({"H2"}, {"O2"}), "Failed to balance!", kNormalColour, BalanceOutcome::Failed},
      {"charge error", MakeBoxes({"Fe[x+]"}, {"Fe"}), "Input error-charge error!", kErrorColour,
       BalanceOutcome::InputError},
      {"charge error after an invalid character", MakeBoxes({"Fe[x+]", "H$"}, {"Fe"}),
       "Input error-charge error!", kErrorColour, BalanceOutcome::InputError},
      {"a hydrate part of a number alone, once a pentahydrate", MakeBoxes({"CaSO4*0*5H2O"}, {"CaSO4", "H2O"}),
       "Input error - \"CaSO4*0*5H2O\": the hydrate part \"0\" holds no formula.", kErrorColour,
       BalanceOutcome::InputError},
      {"a hydrate multiplier of 0", MakeBoxes({"CuSO4", "H2O"}, {"CuSO4*0H2O"}),
       "Input error - \"CuSO4*0H2O\": the hydrate part \"0H2O\" has the multiplier 0.", kErrorColour,
       BalanceOutcome::InputError},
      {"typed coefficient", MakeBoxes({"2H2", "O2"}, {"H2O"}),
       "Input error - a coefficient typed in 2H2: type the formula alone, the balance sets the "
       "coefficients.",
       kErrorColour, BalanceOutcome::InputError},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SilentNotifier notifier;
    Balancer b(notifier);
    b.balance(kWater);
    b.balance(c.boxes);
    const MessageBoxView view = UpdateMessageBox(b.pendingMessage());
    EXPECT_EQ(view.text, c.message);
    EXPECT_EQ(view.colour, c.colour);
    EXPECT_EQ(b.outcome(), c.outcome);
    EXPECT_EQ(b.board().count(), 1);
    EXPECT_EQ(b.board().displayText(), "|1| 2H2+O2 = 2H2O\n\n");
  }
}

TEST(Balancer, TooManyElementNamesFailBeforeTheMatrix) {
  std::string names;
  for (int i = 0; i < 49; ++i) {
    names += static_cast<char>('A' + i / 26);
    names += static_cast<char>('a' + i % 26);
  }
  RecordingNotifier notifier;
  Balancer b(notifier);
  b.balance(MakeBoxes({names}, {names}));
  EXPECT_EQ(b.pendingMessage(), "Failed to balance!");
  // An input error found before stays.
  b.balance(MakeBoxes({names + " "}, {names}));
  EXPECT_EQ(b.pendingMessage(), "Input error-Invalid characters!");
  EXPECT_EQ(b.board().count(), 0);
  EXPECT_TRUE(notifier.messages().empty());
}

TEST(Balancer, OneMessageWindowForEachTextInOrderOfFirstShowing) {
  std::string twelve;
  for (int i = 0; i < 12; ++i) twelve += "H2";
  RecordingNotifier notifier;
  Balancer b(notifier);
  b.balance(MakeBoxes({twelve, "Fe[3]"}, {"H123456", "H123456", "Fe[3]"}));
  EXPECT_EQ(notifier.messages(),
            (std::vector<std::string>{"Input error 1-Too many same elements!",
                                      "Input error 2-Number too great!", "Input error-charge error!"}));
  b.balance(MakeBoxes({twelve}, {"H"}));
  EXPECT_EQ(notifier.messages().size(), 4u);  // the next balance shows its own
}

TEST(Balancer, NumberingRepeatsAndClear) {
  SilentNotifier notifier;
  Balancer b(notifier);
  b.balance(kWater);
  b.balance(kWater);
  EXPECT_EQ(b.board().displayText(), "|1| 2H2+O2 = 2H2O\n\n|2| 2H2+O2 = 2H2O\n\n");
  b.setPendingMessage("kept");
  b.clearResults();
  EXPECT_EQ(b.board().count(), 0);
  EXPECT_EQ(b.board().displayText(), "");
  EXPECT_EQ(b.pendingMessage(), "kept");
  // Records stay until overwritten.
  EXPECT_EQ(b.board().record(2).equation, "2H2+O2 = 2H2O");
  b.balance(MakeBoxes({"H2O"}, {"H2O"}));
  EXPECT_EQ(b.board().displayText(), "|1| H2O = H2O\n\n");
  EXPECT_EQ(b.board().record(1).equation, "H2O = H2O");
}

TEST(Balancer, BoardLimitRefusesThe1502nd) {
  RecordingNotifier notifier;
  Balancer b(notifier);
  for (int i = 0; i < 1500; ++i) b.balance(kWater);
  EXPECT_FALSE(b.board().isFull());
  EXPECT_EQ(b.balance(kWater), Balancer::Run::Done);
  EXPECT_EQ(b.board().count(), 1501);
  EXPECT_TRUE(notifier.messages().empty());

  b.setPendingMessage("unchanged");
  EXPECT_EQ(b.balance(kWater), Balancer::Run::Refused);
  EXPECT_EQ(notifier.messages(), std::vector<std::string>{"Too many equations in the result board! "});
  EXPECT_EQ(b.pendingMessage(), "unchanged");
  EXPECT_EQ(b.outcome(), BalanceOutcome::None);
  EXPECT_EQ(b.board().count(), 1501);

  b.clearResults();
  EXPECT_EQ(b.balance(kWater), Balancer::Run::Done);
  EXPECT_EQ(b.board().displayText(), "|1| 2H2+O2 = 2H2O\n\n");
}

TEST(Balancer, DisplayLimitRefusesASuccessThatWouldNotFit) {
  SilentNotifier notifier;
  Balancer b(notifier);
  // "|n| " + 30,008-byte equation + two line feeds: two lines fit, a third not.
  const formula::BoxTexts longOne = MakeBoxes({"H2" + std::string(30000, '_')}, {"H"});
  b.balance(longOne);
  b.balance(longOne);
  EXPECT_EQ(b.board().count(), 2);
  const std::string before = b.board().displayText();
  b.balance(longOne);
  EXPECT_EQ(b.pendingMessage(), kDisplayFull);
  EXPECT_EQ(b.outcome(), BalanceOutcome::DisplayFull);
  EXPECT_EQ(UpdateMessageBox(b.pendingMessage()).colour, kErrorColour);
  EXPECT_EQ(b.board().count(), 2);
  EXPECT_EQ(b.board().displayText(), before);
  // A short one still fits.
  b.balance(kWater);
  EXPECT_EQ(b.board().count(), 3);
  EXPECT_LE(b.board().displayText().size(), ResultBoard::kDisplayLimit);
}

TEST(ResultBoard, DisplayLimitEdge) {
  ResultBoard board;
  // "|1| " + equation + "\n\n" is exactly 65,535 bytes.
  const std::string exact(65535 - 6, 'x');
  EXPECT_TRUE(board.canAppend(exact));
  EXPECT_FALSE(board.canAppend(exact + "x"));
  EXPECT_TRUE(board.append(exact));
  EXPECT_EQ(board.displayText().size(), 65535u);
  EXPECT_FALSE(board.append(""));
  EXPECT_THROW(board.record(0), AssertionFailure);
  EXPECT_THROW(board.record(ResultBoard::kRecordTable + 1), AssertionFailure);
}

TEST(Balancer, ScannerExceptionsStopTheCommand) {
  RecordingNotifier notifier;
  Balancer b(notifier);
  b.balance(kWater);
  try {
    b.balance(MakeBoxes({"H99999999999"}, {"H"}));
    ADD_FAILURE() << "no exception";
  } catch (const ConvertError& e) {
    EXPECT_STREQ(e.what(), "'99999999999' is not a valid integer value");
  }
  EXPECT_EQ(b.board().count(), 1);
  EXPECT_THROW(b.balance(MakeBoxes({std::string(601, 'H') + "[2+]"}, {"H"})), AssertionFailure);
  EXPECT_EQ(b.board().count(), 1);
}

TEST(Balancer, MessageColours) {
  struct Case {
    const char* text;
    Rgb colour;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"Balanced it successfully!", kNormalColour},
      {"Failed to balance!", kNormalColour},
      {"Input error!", kErrorColour},
      {"", kNormalColour},
      {"Error", kNormalColour},  // case-sensitive
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(UpdateMessageBox(c.text).colour, c.colour);
  }
  EXPECT_EQ(kErrorColour, (Rgb{255, 100, 100}));
  EXPECT_EQ(kNormalColour, (Rgb{100, 100, 255}));
}

}  // namespace
}  // namespace quorvex::balance
