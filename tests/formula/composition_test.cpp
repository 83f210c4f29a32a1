// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/composition.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/errors.h"
#include "formula/notation.h"
#include "support/recordingnotifier.h"

namespace quorvex::formula {
namespace {

// Boxes from "Sp3=O2" style names.
BoxTexts Boxes(const std::vector<std::pair<std::string, std::string>>& filled) {
  BoxTexts b;
  for (const auto& [box, text] : filled) {
    const int index = std::stoi(box.substr(2)) - 1;
    (box[0] == 'S' ? b.reactants : b.products).at(static_cast<std::size_t>(index)) = text;
  }
  return b;
}

struct Built {
  std::string pending;
  RecordingNotifier notifier;
  ElementNameList names;
  CompositionMatrix m;

  explicit Built(const BoxTexts& boxes) {
    const SpeciesList species = ReadSpecies(boxes);
    names.GetTotalElement(species, pending);
    if (names.count() <= kMaxElements) {
      Scanner scanner(pending, notifier);
      FillMatrix(species, names, scanner, m);
    }
  }
  std::vector<std::string> nameList() const {
    std::vector<std::string> out;
    out.reserve(static_cast<std::size_t>(names.count()));
    for (int i = 0; i < names.count(); ++i) out.push_back(names.slot(i));
    return out;
  }
  std::vector<double> row(int r) const {
    return std::vector<double>(m.a[r].begin() + 1, m.a[r].begin() + 1 + m.S);
  }
};

TEST(Composition, WaterFromBoxesWithGaps) {
  Built b(Boxes({{"Sp1", "H2"}, {"Sp3", "O2"}, {"Pr2", "H2O"}}));
  EXPECT_EQ(b.pending, "");
  EXPECT_EQ(b.nameList(), (std::vector<std::string>{"H", "O"}));
  EXPECT_EQ(b.m.n, 4);
  EXPECT_EQ(b.m.S, 3);
  EXPECT_EQ(b.row(1), (std::vector<double>{2, 0, -2}));
  EXPECT_EQ(b.row(2), (std::vector<double>{0, 2, -1}));
  EXPECT_EQ(b.row(3), (std::vector<double>{0, 0, 0}));
  EXPECT_EQ(b.row(4), (std::vector<double>{0, 0, 0}));
}

TEST(Composition, IonicCaseTwo) {
  Built b(Boxes({{"Sp1", "CS2"},
                 {"Sp2", "MnO4[-]"},
                 {"Sp3", "H[+]"},
                 {"Pr1", "Mn[2+]"},
                 {"Pr2", "S"},
                 {"Pr3", "CO2"},
                 {"Pr4", "H2O"}}));
  EXPECT_EQ(b.nameList(), (std::vector<std::string>{"C", "S", "Mn", "O", "H"}));
  EXPECT_EQ(b.m.n, 7);
  EXPECT_EQ(b.m.S, 7);
  // clang-format off
  const std::vector<std::vector<double>> rows = {
      {1, 0, 0, 0, 0, -1, 0}, {2, 0, 0, 0, -1, 0, 0}, {0, 1, 0, -1, 0, 0, 0},
      {0, 4, 0, 0, 0, -2, -1}, {0, 0, 1, 0, 0, 0, -2}, {0, 0, 0, 0, 0, 0, 0},
      {0, -1, 1, -2, 0, 0, 0}};
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(b.row(r), rows[r - 1]) << "row " << r;
}

// A decimal hydrate part is counted in whole atoms, the species taken as many
// times over as that needs, its charge too.
TEST(Composition, ADecimalHydrateIsCountedScaled) {
  Built b(Boxes({{"Sp1", "CaSO4*0.5H2O"}, {"Sp2", "H2O"}, {"Pr1", "CaSO4*0.25H2O[2+]"}}));
  EXPECT_EQ(b.pending, "");
  EXPECT_EQ(b.nameList(), (std::vector<std::string>{"Ca", "S", "O", "H"}));
  EXPECT_EQ(b.row(1), (std::vector<double>{2, 0, -4}));
  EXPECT_EQ(b.row(3), (std::vector<double>{9, 1, -17}));
  EXPECT_EQ(b.row(4), (std::vector<double>{2, 2, -2}));
  EXPECT_EQ(b.row(6), (std::vector<double>{0, 0, -8}));  // the charge
  EXPECT_EQ(b.m.scale[1], 2);
  EXPECT_EQ(b.m.scale[2], 1);
  EXPECT_EQ(b.m.scale[3], 4);
}

TEST(Composition, NameListQuirksAndInputErrors) {
  struct Case {
    const char* name;
    BoxTexts boxes;
    std::vector<std::string> names;
    int S;
    std::string pending;
  };
  // clang-format on
  // clang-format off
  const std::vector<Case> cases = {
      {"last boxes take part", Boxes({{"Sp14", "Na"}, {"Pr14", "NaCl"}}), {"Na", "Cl"}, 2, ""},
      {"space in a reactant", Boxes({{"Sp1", "H2 O"}, {"Pr1", "H2O"}}), {"H", "O"}, 2,
       "Input error-Invalid characters!"},
      {"space in a product is not tested", Boxes({{"Sp1", "H2O"}, {"Pr1", "H2 O"}}), {"H", "O"}, 2,
       ""},
      {"star in a reactant joins a hydrate", Boxes({{"Sp1", "CuSO4*5H2O"}, {"Pr1", "CuSO4"}}),
       {"Cu", "S", "O", "H"}, 2, ""},
      {"byte above 127", Boxes({{"Sp1", "H\xe9"}, {"Pr1", "H"}}), {"H"}, 2,
       "Input error-Invalid characters!"},
      {"byte above 127 in a product", Boxes({{"Sp1", "H2"}, {"Pr1", "H\xe2\x82\x82"}}), {"H"}, 2,
       "Input error-Invalid characters!"},
      {"tab in a product", Boxes({{"Sp1", "H2"}, {"Pr1", "H2\t"}}), {"H"}, 2,
       "Input error-Invalid characters!"},
      {"state symbols name nothing", Boxes({{"Sp1", "H2(g)"}, {"Sp2", "Fe(s)"}, {"Pr1", "H2O(aq)"}}),
       {"H", "Fe", "O"}, 3, ""},
      {"typed coefficient", Boxes({{"Sp1", "H2"}, {"Pr1", "2 H2"}}), {"H"}, 2,
       "Input error - a coefficient typed in 2 H2: type the formula alone, the balance sets the "
       "coefficients."},
      {"small letter continues the name", Boxes({{"Sp1", "H2o"}}), {"Ho"}, 1, ""},
      {"small letter before any name", Boxes({{"Sp1", "h2"}, {"Pr1", "H2"}}), {"H"}, 2, ""},
      {"small letter across boxes", Boxes({{"Sp1", "H"}, {"Sp2", "e"}}), {"He"}, 2, ""},
      {"repeated names", Boxes({{"Sp1", "HOH"}, {"Pr1", "OHO"}}), {"H", "O"}, 2, ""},
      {"all empty", BoxTexts{}, {}, 0,
       "Input error - Please input the reactants and products correctly."},
      {"no capital", Boxes({{"Sp1", "2"}, {"Pr1", "(3)"}}), {}, 2,
       "Input error - Please input the reactants and products correctly."},
      {"box of spaces", Boxes({{"Sp1", "  "}, {"Pr1", "H"}}), {"H"}, 2,
       "Input error-Invalid characters!"},
      {"labels name nothing", Boxes({{"Sp1", "\u03B2-PbO2"}, {"Sp2", "alpha-Fe2O3"}, {"Pr1", "P(red)(s)"},
                                     {"Pr2", "HO2\u2022"}}),
       {"Pb", "O", "Fe", "P", "H"}, 4, ""},
      {"a hydrate part of a number alone", Boxes({{"Sp1", "CaSO4*0*5H2O"}, {"Pr1", "CaSO4"}}),
       {"Ca", "S", "O", "H"}, 2,
       "Input error - \"CaSO4*0*5H2O\": the hydrate part \"0\" holds no formula."},
      {"a fraction hydrate is named, not its bytes", Boxes({{"Sp1", "CaSO4*(1/3)H2O"}, {"Pr1", "CaSO4"}}),
       {"Ca", "S", "O", "H"}, 2,
       "Input error - \"CaSO4*(1/3)H2O\": the hydrate part \"(1/3)H2O\" is a fraction without a decimal: "
       "write it as a decimal (0.5) or multiply the whole formula."},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Built b(c.boxes);
    EXPECT_EQ(b.nameList(), c.names);
    EXPECT_EQ(GetSpecieNum(c.boxes), c.S);
    EXPECT_EQ(b.pending, c.pending);
    // The same read into a list reused from a reading with a hydrate problem.
    SpeciesList reused = ReadSpecies(cases.back().boxes);
    ReadSpecies(c.boxes, reused);
    std::string pending;
    ElementNameList names;
    names.GetTotalElement(reused, pending);
    EXPECT_EQ(pending, c.pending);
  }
}

TEST(Composition, FirstInvalidCharacter) {
  struct Case {
    const char* name;
    BoxTexts boxes;
    std::optional<BoxPosition> at;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"space in a reactant", Boxes({{"Sp1", "H2 O"}, {"Pr1", "H2O"}}), BoxPosition{false, 0, 2}},
      {"space in a product is allowed", Boxes({{"Sp1", "H2O"}, {"Pr1", "H2 O"}}), std::nullopt},
      {"first byte of a character above 127", Boxes({{"Sp1", "H2"}, {"Pr2", "H\xe2\x82\x82"}}),
       BoxPosition{true, 1, 1}},
      {"reactant boxes before product boxes", Boxes({{"Sp3", "Na\xc3\xa9" "Cl"}, {"Pr1", "H\t"}}),
       BoxPosition{false, 2, 2}},
      {"labels and a radical's dot may hold any byte", Boxes({{"Sp1", "\u03B3-Al2O3"}, {"Pr1", "OH\u2022"}}),
       std::nullopt},
      {"a byte past a label is still found", Boxes({{"Sp1", "\u03B3-Al2O3\xe9"}}), BoxPosition{false, 0, 8}},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FirstInvalidCharacter(c.boxes), c.at);
  }
}

TEST(Composition, CaseSensitiveNamesGiveZeroRows) {
  Built b(Boxes({{"Sp1", "H2o"}, {"Pr1", "H2O"}}));
  EXPECT_EQ(b.nameList(), (std::vector<std::string>{"Ho", "H", "O"}));
  EXPECT_EQ(b.row(1), (std::vector<double>{0, 0}));  // "Ho" is in no box
  EXPECT_EQ(b.row(2), (std::vector<double>{2, -2}));
}

TEST(Composition, BoxOfSpacesTakesAZeroColumn) {
  Built b(Boxes({{"Pr1", "  "}, {"Sp1", "H"}}));
  EXPECT_EQ(b.m.S, 2);
  EXPECT_EQ(b.row(1), (std::vector<double>{1, 0}));
}

TEST(Composition, ModalMessagesComeRowByRowThenCharges) {
  // Row O first reports Sp1's long subscript, row H reports Pr1's, then the
  // charge row reports Sp2's charge error.
  Built b(Boxes({{"Sp1", "O123456"}, {"Sp2", "H[3]"}, {"Pr1", "H1234567"}}));
  EXPECT_EQ(b.nameList(), (std::vector<std::string>{"O", "H"}));
  EXPECT_EQ(b.notifier.messages(),
            (std::vector<std::string>{"Input error 2-Number too great!", "Input error 2-Number too great!",
                                      "Input error-charge error!"}));
  EXPECT_EQ(b.pending, "Input error-charge error!");
}

TEST(Composition, ChargeRowErrorsOverwriteEarlierOnes) {
  Built b(Boxes({{"Sp1", "H 2"}, {"Sp2", "(H)99999999999"}, {"Pr1", "H[x+]"}}));
  EXPECT_EQ(b.pending, "Input error-charge error!");
  Built c(Boxes({{"Sp1", "H 2"}, {"Sp2", "(H)99999999999"}}));
  EXPECT_EQ(c.pending, "Input error!");
}

TEST(Composition, ElementLimits) {
  // Names made of a capital and small letters: "Aa", "Ab", ... all distinct.
  const auto manyNames = [](int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      text += static_cast<char>('A' + i / 26);
      text += static_cast<char>('a' + i % 26);
    }
    return text;
  };
  Built fits(Boxes({{"Sp1", manyNames(48)}, {"Pr1", manyNames(48)}}));
  EXPECT_EQ(fits.names.count(), 48);
  EXPECT_EQ(fits.m.n, 50);
  EXPECT_EQ(fits.pending, "");

  Built over(Boxes({{"Sp1", manyNames(49)}}));
  EXPECT_EQ(over.names.count(), 49);

  // 201 names fill every slot; more stop the collection without writing past it.
  Built full(Boxes({{"Sp1", manyNames(201)}}));
  EXPECT_EQ(full.names.count(), 201);
  EXPECT_EQ(full.names.slot(200), "Hs");
  Built beyond(Boxes({{"Sp1", manyNames(300)}, {"Pr1", "x y"}}));
  EXPECT_EQ(beyond.names.count(), kElementNameSlots);
  EXPECT_EQ(beyond.pending, "");

  CompositionMatrix m;
  std::string pending;
  RecordingNotifier notifier;
  Scanner scanner(pending, notifier);
  const BoxTexts many = Boxes({{"Sp1", manyNames(49)}});
  EXPECT_THROW(FillMatrix(ReadSpecies(many), over.names, scanner, m), AssertionFailure);
}

TEST(Composition, FillAgreesWithCountingNameByName) {
  // Random texts from pieces where the cutting rules, group multipliers,
  // messages and errors matter; the fill must give what asking the scanner
  // for every cell in row order gives, messages and errors included.
  // clang-format off
  const std::vector<std::string> pieces = {
      "C", "Ca", "Caa", "Cl", "N", "Na", "H", "O", "a", "l", "2", "3", "10", "123456", "(", ")",
      ")2", ")0", ")65536", "*", "*2", "[2+]", "[-]", "+", " ", "99999999999", "(aq)", "H2H2H2H2H2"};
  std::mt19937 rng(11);
  for (int round = 0; round < 20000; ++round) {
    std::vector<std::pair<std::string, std::string>> filled;
    const int species = 2 + static_cast<int>(rng() % 3);
    for (int k = 0; k < species; ++k) {
      std::string text;
      const int length = 1 + static_cast<int>(rng() % 8);
      for (int p = 0; p < length; ++p) text += pieces[rng() % pieces.size()];
      filled.emplace_back((k % 2 ? "Pr" : "Sp") + std::to_string(k / 2 + 1), text);
    }
    const BoxTexts boxes = Boxes(filled);
    std::string expectedPending;
    RecordingNotifier expectedMessages;
    ElementNameList names;
    const SpeciesList read = ReadSpecies(boxes);
    names.GetTotalElement(read, expectedPending);
    if (names.count() > kMaxElements) continue;
    std::string pending = expectedPending;
    CompositionMatrix expected;
    expected.n = names.count() + 2;
    std::string expectedStop;
    std::vector<std::string> texts;
    for (const auto& [box, text] : filled) {
      if (box[0] == 'S') texts.push_back(text);
    }
    const std::size_t reactants = texts.size();
    for (const auto& [box, text] : filled) {
      if (box[0] == 'P') texts.push_back(text);
    }
    try {
      Scanner scanner(expectedPending, expectedMessages);
      for (int r = 1; r <= names.count(); ++r) {
        for (std::size_t j = 0; j < texts.size(); ++j) {
          const double v = scanner.ExGetElementNum(names.slot(r - 1), read.species[j].formula);
          expected.a[r][j + 1] = j < reactants ? v : -v;
        }
      }
    } catch (const std::exception& e) {
      expectedStop = e.what();
    }
    RecordingNotifier messages;
    CompositionMatrix m;
    std::string stop;
    try {
      Scanner scanner(pending, messages);
      FillMatrix(read, names, scanner, m);
    } catch (const std::exception& e) {
      stop = e.what();
    }
    std::string shown;
    for (const std::string& t : texts) shown += "|" + t;
    SCOPED_TRACE(shown);
    ASSERT_EQ(stop, expectedStop);
    if (!stop.empty()) {
      ASSERT_EQ(pending, expectedPending);
      ASSERT_EQ(messages.messages(), expectedMessages.messages());
      continue;
    }
    for (int r = 1; r <= names.count(); ++r) {
      for (std::size_t j = 1; j <= texts.size(); ++j) {
        ASSERT_EQ(m.a[r][j], expected.a[r][j]) << names.slot(r - 1) << " in " << texts[j - 1];
        ASSERT_EQ(std::signbit(m.a[r][j]), std::signbit(expected.a[r][j]));
      }
    }
    // The charge row follows the element rows, as before.
    Scanner charges(expectedPending, expectedMessages);
    for (const std::string& t : texts) charges.GetChargeNum(WithoutStateSymbol(t));
    ASSERT_EQ(pending, expectedPending);
    ASSERT_EQ(messages.messages(), expectedMessages.messages());
  }
  // clang-format on
}

TEST(Composition, IsInElementNameWithAnEmptyName) {
  ElementNameList names;
  std::string pending;
  const BoxTexts boxes = Boxes({{"Sp1", "H"}});
  names.GetTotalElement(ReadSpecies(boxes), pending);
  EXPECT_TRUE(names.IsInElementName("H", 1, pending));
  EXPECT_FALSE(names.IsInElementName("H", 0, pending));
  EXPECT_EQ(pending, "");
  EXPECT_FALSE(names.IsInElementName("", 1, pending));
  EXPECT_EQ(pending, "Input error - Please input the reactants and products correctly.");
  names.ClearElementName();
  EXPECT_EQ(names.count(), 0);
  EXPECT_EQ(names.slot(0), "");
}

}  // namespace
}  // namespace quorvex::formula
