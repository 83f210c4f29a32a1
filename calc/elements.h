// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex::calc {

// Slots of the element table, numbered from 1 (formula::kElementNameSlots is
// the size of an equation's list of element names, a different table).
inline constexpr int kElementTableSlots = 200;
// Slots 1 to this one are filled by InitRealElement; the rest stay empty.
inline constexpr int kRealElements = 109;

// The ten texts of one element, in the order the Periodic Table page shows
// them. Every field is display text; only the molecular weight reads `weight`
// as a number. A missing value is "N/A" (" N / A" for three electronegativities).
struct ElementRecord {
  std::string name;
  std::string symbol;
  std::string type;        // "Metal", "Metalloid", "Non-Metal" or "Non-metal"
  std::string number;      // atomic number
  std::string weight;      // atomic weight, g/mol, "." as separator
  std::string state;       // "Gaseous", "Solid" or "Liquid"
  std::string melt;        // melting point, degrees Celsius
  std::string boil;        // boiling point, degrees Celsius
  std::string negativity;  // Pauling electronegativity
  std::string energy;      // first ionization energy, kJ/mol

  friend bool operator==(const ElementRecord&, const ElementRecord&) = default;
};

// The 200-slot element table; every slot is empty until InitRealElement.
class ElementTable {
 public:
  ElementTable() : m_slots(kElementTableSlots) {}

  // Fills slots 1 to 109 with the stored element data; slots 110 to 200 stay empty.
  void InitRealElement();
  // Slot k, 1 <= k <= 200. Throws std::out_of_range for any other k.
  const ElementRecord& slot(int k) const;
  // The record of the first of slots 1 to 199 whose symbol equals `symbol`
  // byte for byte, else slot 200 (always empty).
  const ElementRecord& ShowRealElementInfo(std::string_view symbol) const;

 private:
  std::vector<ElementRecord> m_slots;  // m_slots[k - 1] is slot k
};

}  // namespace quorvex::calc
