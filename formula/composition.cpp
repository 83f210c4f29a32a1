// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/composition.h"

#include <algorithm>

#include "core/errors.h"
#include "formula/charset.h"
#include "formula/notation.h"

namespace quorvex::formula {

std::string TypedCoefficientMessage(std::string_view species) {
  std::string message(kTypedCoefficient);
  message.append(species);
  message.append(kTypedCoefficientAdvice);
  return message;
}

int GetSpecieNum(const BoxTexts& boxes) {
  int count = 0;
  for (int i = 0; i < kBoxesPerSide; ++i) {
    if (!boxes.reactants[i].empty()) ++count;
    if (!boxes.products[i].empty()) ++count;
  }
  return count;
}

void ElementNameList::ClearElementName() {
  m_count = 0;
  for (std::string& s : m_slots) s.clear();
}

bool ElementNameList::IsInElementName(std::string_view name, int k, std::string& pending) const {
  if (name.empty()) pending.assign(kNoEquation);
  for (int i = 0; i < k && i < kElementSlots; ++i) {
    if (m_slots[i] == name) return true;
  }
  return false;
}

void ElementNameList::GetTotalElement(const BoxTexts& boxes, std::string& pending) {
  ClearElementName();
  int k = -1;
  bool anyCapital = false;
  bool full = false;  // more distinct names than slots: stop collecting

  // A coefficient typed before a formula: the balance sets the coefficients.
  const auto typedCoefficient = [&]() -> const std::string* {
    for (const auto* side : {&boxes.reactants, &boxes.products}) {
      for (const std::string& text : *side) {
        if (TypedCoefficientLength(text) != 0) return &text;
      }
    }
    return nullptr;
  };
  if (const std::string* text = typedCoefficient()) pending.assign(TypedCoefficientMessage(*text));

  const auto walk = [&](std::string_view text, bool reactant) {
    for (const char c : text) {
      if (IsCapital(c)) {
        anyCapital = true;
        if (full) continue;
        if (k == -1) {
          k = 0;
        } else if (!IsInElementName(m_slots[k], k, pending)) {
          if (k + 1 == kElementSlots) {
            full = true;
            continue;
          }
          ++k;
        }
        m_slots[k].assign(1, c);
      } else if (IsSmall(c)) {
        // Appended to the name most recently begun, whatever stood between.
        if (k != -1 && !full) m_slots[k] += c;
      } else if (!BoxMayHold(reactant, c)) {
        pending.assign(kInvalidCharacters);
      }
    }
  };
  // A state symbol at the end names no element.
  for (const std::string& text : boxes.reactants) walk(WithoutStateSymbol(text), true);
  for (const std::string& text : boxes.products) walk(WithoutStateSymbol(text), false);

  if (!anyCapital) {
    pending.assign(kNoEquation);
    m_count = 0;
    return;
  }
  if (full) {
    m_count = kElementSlots;
    return;
  }
  if (IsInElementName(m_slots[k], k, pending)) {
    m_slots[k].clear();
    --k;
  }
  m_count = k + 1;
}

std::optional<BoxPosition> FirstInvalidCharacter(const BoxTexts& boxes) {
  for (const bool reactant : {true, false}) {
    const auto& side = reactant ? boxes.reactants : boxes.products;
    for (std::size_t box = 0; box < side.size(); ++box) {
      const std::string& text = side[box];
      for (std::size_t byte = 0; byte < text.size(); ++byte) {
        if (!BoxMayHold(reactant, text[byte])) {
          return BoxPosition{!reactant, static_cast<int>(box), byte};
        }
      }
    }
  }
  return std::nullopt;
}

void FillMatrix(const BoxTexts& boxes, const ElementNameList& names, Scanner& scanner,
                CompositionMatrix& m) {
  if (names.count() > kMaxElements) {
    throw AssertionFailure("more element names than the composition matrix holds");
  }
  const int E = names.count();
  // Only rows up to the larger of the old and the new n can hold anything:
  // the solver and this fill touch no other cell.
  const int used = std::min(std::max(m.n, E + 2), kMatrixCapacity);
  for (int r = 0; r <= used; ++r) m.a[static_cast<std::size_t>(r)].fill(0.0);
  m.n = E + 2;
  m.S = GetSpecieNum(boxes);

  static const std::string kNoName;
  for (int r = 1; r <= m.n; ++r) {
    const std::string& name = r <= E ? names.slot(r - 1) : kNoName;
    int j = 1;
    for (const std::string& text : boxes.reactants) {
      if (text.empty()) continue;
      m.a[r][j++] = scanner.ExGetElementNum(name, WithoutStateSymbol(text));
    }
    for (const std::string& text : boxes.products) {
      if (text.empty()) continue;
      m.a[r][j++] = -static_cast<double>(scanner.ExGetElementNum(name, WithoutStateSymbol(text)));
    }
  }
  int j = 1;
  for (const std::string& text : boxes.reactants) {
    if (text.empty()) continue;
    m.a[m.n][j++] = scanner.GetChargeNum(WithoutStateSymbol(text));
  }
  for (const std::string& text : boxes.products) {
    if (text.empty()) continue;
    m.a[m.n][j++] = -static_cast<double>(scanner.GetChargeNum(WithoutStateSymbol(text)));
  }
}

}  // namespace quorvex::formula
