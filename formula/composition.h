// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "formula/scanner.h"

namespace quorvex::formula {

inline constexpr int kBoxesPerSide = 14;
inline constexpr int kMatrixCapacity = 50;                // rows and columns
inline constexpr int kMaxElements = kMatrixCapacity - 2;  // a zero row and the charge row follow
inline constexpr int kElementNameSlots = 201;             // slots 0 to 200 of the name list

inline constexpr std::string_view kInvalidCharacters = "Input error-Invalid characters!";
inline constexpr std::string_view kNoEquation =
    "Input error - Please input the reactants and products correctly.";

// A box that begins with a coefficient; the box's text follows, then the advice.
inline constexpr std::string_view kTypedCoefficient = "Input error - a coefficient typed in ";
inline constexpr std::string_view kTypedCoefficientAdvice =
    ": type the formula alone, the balance sets the coefficients.";
std::string TypedCoefficientMessage(std::string_view species);

// The texts of the 14 reactant boxes and the 14 product boxes, each
// numbered from 1, as bytes. An empty text is an empty box.
struct BoxTexts {
  std::array<std::string, kBoxesPerSide> reactants;
  std::array<std::string, kBoxesPerSide> products;
};

// A byte in one of the boxes: the side, the box counted from 0 and the byte's offset in its text.
struct BoxPosition {
  bool product = false;
  int box = 0;
  std::size_t byte = 0;
  bool operator==(const BoxPosition&) const = default;
};
// The first byte a box may not hold, the reactant boxes in order before the
// product boxes; none when every box holds only what it may.
std::optional<BoxPosition> FirstInvalidCharacter(const BoxTexts& boxes);

// Number of non-empty boxes on both sides (0 to 28).
int GetSpecieNum(const BoxTexts& boxes);

// The species of the boxes as a balance counts them: each non-empty box in
// column order (the reactant boxes, then the product boxes), its text as the
// box holds it and its formula, the text less a state symbol at its end.
// Views into the boxes it was read from, which must outlive it.
struct SpeciesList {
  struct Species {
    std::string_view text;
    std::string_view formula;
    // Whether the formula holds a "*" (a hydrate part): looked for once, here,
    // not again by the matrix fill.
    bool hydrate = false;
  };
  std::array<Species, std::size_t{2} * kBoxesPerSide> species;
  int count = 0;      // S
  int reactants = 0;  // species 0 to reactants - 1 stand on the left
  // The first species whose text begins with a coefficient (CoefficientLength),
  // which the balance refuses; -1 for none.
  int typedCoefficient = -1;
  // The first species with a hydrate part that cannot be counted
  // (HydrateProblem), which the balance refuses; -1 for none.
  int hydrateProblem = -1;
};
// The one reading of the boxes' notation a balance makes: the name list and
// the matrix fill see only the formulas it gives.
SpeciesList ReadSpecies(const BoxTexts& boxes);
// The same into `into`, reused from one balance to the next: its species past
// the count are left as they were, never read.
void ReadSpecies(const BoxTexts& boxes, SpeciesList& into);
SpeciesList ReadSpecies(BoxTexts&&) = delete;  // its views would outlive the boxes

// The distinct element names of an equation in order of first appearance.
class ElementNameList {
 public:
  // Empties every slot; the count becomes 0.
  void ClearElementName();
  // True when `name` equals one of slots 0..k-1; an empty name also writes
  // the "please input" error into `pending`.
  bool IsInElementName(std::string_view name, int k, std::string& pending) const;
  // Rebuilds the list from the species of `list`; writes input errors into `pending`.
  void GetTotalElement(const SpeciesList& list, std::string& pending);
  // True when the last GetTotalElement left kInvalidCharacters in `pending`.
  bool invalidCharacters() const { return m_invalidCharacters; }

  // E. More names than the slots hold (kElementNameSlots) stop the collection and
  // leave E at kElementNameSlots, which no matrix can take.
  int count() const { return m_count; }
  const std::string& slot(int i) const { return m_slots.at(static_cast<std::size_t>(i)); }
  // Slot i's name as one number, its bytes in order, for i < count() after
  // GetTotalElement (the number it compared names by); 0 for a name over 8 bytes.
  std::uint64_t key(int i) const { return m_keys[static_cast<std::size_t>(i)]; }

 private:
  std::array<std::string, kElementNameSlots> m_slots;
  std::array<std::uint64_t, kElementNameSlots> m_keys{};
  int m_count = 0;
  bool m_invalidCharacters = false;
};

// Rows 1..E: atoms of each element per species (products negated); row E+1
// zero; row n = E+2 the charges. Indices count from 1; row and column 0 are
// unused.
struct CompositionMatrix {
  std::array<std::array<double, kMatrixCapacity + 1>, kMatrixCapacity + 1> a{};
  int n = 0;  // E + 2
  int S = 0;  // species count
  // How many formulas column j counts: 1, or for a species with a decimal
  // hydrate part the smallest number of them whose atoms are whole
  // ("CaSO4*0.5H2O": 2, counted as Ca2S2O9H2). A balance of the columns
  // multiplies the coefficient of j by it.
  std::array<std::int64_t, kMatrixCapacity + 1> scale = [] {
    std::array<std::int64_t, kMatrixCapacity + 1> ones{};
    ones.fill(1);
    return ones;
  }();
};

// Fills `m` from the species of `list` and the name list (which must hold at most
// kMaxElements names). Scanner errors go where the scanner sends them. Every
// other cell ends zero, provided only rows 1..m.n and columns 1..max(m.n, m.S)
// of `m` held anything before (as after a fill and a solve).
void FillMatrix(const SpeciesList& list, const ElementNameList& names, Scanner& scanner,
                CompositionMatrix& m);

}  // namespace quorvex::formula
