// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/elements.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "calc/decimal.h"

namespace quorvex::calc {
namespace {

TEST(ElementTable, ShowsTheTextsOfAPressedSymbol) {
  struct Case {
    const char* symbol;
    ElementRecord texts;
  };
  const std::vector<Case> cases = {
      {"Fe", {"Iron", "Fe", "Metal", "26", "55.847", "Solid", "1535", "2750", "1.8", "759"}},
      {"He", {"Helium", "He", "Non-Metal", "2", "4.003", "Gaseous", "-272.2", "-268.934", " N / A", "2372"}},
      {"Rf", {"N/A", "Rf", "Metal", "N/A", "N/A", "Solid", "N/A", "N/A", "N/A", "N/A"}},
      {"Uun", {}},
      {"Uuu", {}},
      {"Uub", {}},
      {"fe", {}},
      {"FE", {}},  // slot 200
  };
  ElementTable table;
  EXPECT_EQ(table.ShowRealElementInfo("Fe"), ElementRecord{});  // not yet filled
  table.InitRealElement();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.symbol);
    EXPECT_EQ(table.ShowRealElementInfo(c.symbol), c.texts);
  }
  std::vector<std::string> quirks;
  for (const char* s : {"C", "Al", "P", "Cs", "Ac"}) {
    quirks.push_back(table.ShowRealElementInfo(s).name + " " + table.ShowRealElementInfo(s).type);
  }
  EXPECT_EQ(quirks, (std::vector<std::string>{"Carbon Non-metal", "Aluminum Metalloid",
                                              "Phosphorous Metalloid", "Cesium Metal", "Actinum Metal"}));
}

// Every filled slot's texts have their field's form, and every melting point
// lies below its boiling point where both are known.
TEST(ElementTable, EveryTextHasTheFormOfItsField) {
  const std::regex name("[A-Z][a-z]+|N/A"), symbol("[A-Z][a-z]?"),
      type("Metal|Metalloid|Non-Metal|Non-metal"), number("[1-9][0-9]*|N/A"),
      weight("[0-9]+\\.[0-9]{1,4}|N/A"), state("Gaseous|Solid|Liquid"),
      temperature("-?[0-9]+(\\.[0-9]+)?|N/A"), negativity("[0-9]\\.[0-9]|N/A| N / A"),
      energy("[1-9][0-9]*|N/A");
  ElementTable table;
  table.InitRealElement();
  std::set<std::string> symbols, blankPadded, unnamed;
  for (int k = 1; k <= kRealElements; ++k) {
    const ElementRecord& e = table.slot(k);
    SCOPED_TRACE(e.symbol);
    const std::vector<std::pair<const std::string*, const std::regex*>> fields = {
        {&e.name, &name},        {&e.symbol, &symbol},    {&e.type, &type},
        {&e.number, &number},    {&e.weight, &weight},    {&e.state, &state},
        {&e.melt, &temperature}, {&e.boil, &temperature}, {&e.negativity, &negativity},
        {&e.energy, &energy}};
    for (const auto& [text, form] : fields) {
      EXPECT_TRUE(std::regex_match(*text, *form)) << '"' << *text << '"';
    }
    EXPECT_TRUE(e.number == std::to_string(k) || k > 103) << e.number;
    EXPECT_TRUE(symbols.insert(e.symbol).second);
    if (e.negativity == " N / A") blankPadded.insert(e.symbol);
    if (e.name == "N/A" && e.number == "N/A" && e.weight == "N/A") unnamed.insert(e.symbol);
    if (e.melt != "N/A" && e.boil != "N/A") {
      EXPECT_LT(ReadDecimal(e.melt).value(), ReadDecimal(e.boil).value());
    }
  }
  EXPECT_EQ(blankPadded, (std::set<std::string>{"He", "Ne", "Ar"}));
  EXPECT_EQ(unnamed, (std::set<std::string>{"Rf", "Db", "Sg", "Bh", "Hs", "Mt"}));
}

TEST(ElementTable, HasTwoHundredSlots) {
  ElementTable table;
  table.InitRealElement();
  EXPECT_EQ(table.slot(kRealElements).symbol, "Mt");
  for (int k = kRealElements + 1; k <= kElementTableSlots; ++k) {
    EXPECT_EQ(table.slot(k), ElementRecord{}) << k;
  }
  for (int k : {0, kElementTableSlots + 1}) EXPECT_THROW(table.slot(k), std::out_of_range) << k;
}

}  // namespace
}  // namespace quorvex::calc
