// SPDX-License-Identifier: GPL-3.0-or-later
#include "workspace/examples.h"

#include <stdexcept>

namespace quorvex::workspace {
namespace {

const std::array<BalanceExample, kExampleCases> kBalanceExamples = {{
    {{"H2", "Ca(CN)2", "NaAlF4", "FeSO4", "MgSiO3", "KI", "H3PO4", "PbCrO4", "BrCl", "CF2Cl2", "SO2"},
     {"PbBr2", "CrCl3", "MgCO3", "KAl(OH)4", "Fe(SCN)3", "PI3", "NaSiO3", "CaF2", "H2O"}},
    {{"CS2", "MnO4[-]", "H[+]"}, {"Mn[2+]", "S", "CO2", "H2O"}},
    {{"P4", "P2I4", "H2O"}, {"H3PO4", "PH4I"}},
    {{"CrI3", "Cl2", "KOH"}, {"K2CrO4", "KIO3", "KCl", "H2O"}},
    {{"Cu(NH3)4[2+]", "CN[-]", "OH[-]"}, {"Cu(CN)3[2-]", "CNO[-]", "NH3", "H2O"}},
}};

const std::array<SearchExample, kExampleCases> kSearchExamples = {{
    {{"", "", "", "", "", "", "H2"},
     "In this example, you will search for the equations which have \"H2\" as a product. Now "
     "click \"Search\" to search, or click \"Examples\" again for next."},
    {{"", "", "", "", "", "", "O2"},
     "In this example, you will search for the equations which have \"O2\" as a product. Now "
     "click \"Search\" to search, or click \"Examples\" again for next."},
    {{"", "", "", "", "", "", "H2", "O2"},
     "In this example, you will search for the equations which have both \"O2\" and \"H2\" as "
     "products. Now click \"Search\" to search, or click \"Examples\" again for next."},
    {{"KClO3", "HCl"},
     "In this example, you will search for the equations which have both \"KClO3\" and \"HCl\" "
     "as reactants. Now click \"Search\" to search, or click \"Examples\" again for next."},
    {{"H2O2", "", "", "", "", "", "O2"},
     "In this example, you will search for all equations which have \"H2O2\" as a reactant and "
     "\"O2\" as a product. Now click \"Search\" to search, or click \"Examples\" again for next."},
}};

}  // namespace

const BalanceExample& BalanceExampleCase(int caseNumber) {
  if (caseNumber < 1 || caseNumber > kExampleCases) throw std::out_of_range("example case");
  return kBalanceExamples[static_cast<std::size_t>(caseNumber - 1)];
}

const SearchExample& SearchExampleCase(int caseNumber) {
  if (caseNumber < 1 || caseNumber > kExampleCases) throw std::out_of_range("example case");
  return kSearchExamples[static_cast<std::size_t>(caseNumber - 1)];
}

}  // namespace quorvex::workspace
