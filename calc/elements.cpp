// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/elements.h"

#include <array>
#include <stdexcept>

namespace quorvex::calc {
namespace {

struct ElementData {
  std::string_view name, symbol, type, number, weight, state, melt, boil, negativity, energy;
};

// Slot k holds the element with atomic number k. A few texts are fixed by the
// product's requirements and kept even where newer data differ: hydrogen's
// melting point -255.34, iron's 1535, gallium's state "Liquid", the missing
// values of astatine and berkelium, the names "Aluminum", "Phosphorous",
// "Cesium" and "Actinum", and the " N / A" of the first three noble gases.
// Sources of the rest:
// - atomic weights: the IUPAC standard atomic weights as printed in common
//   periodic tables of the 1990s, to five significant figures; the mass
//   number of a long-lived isotope (as "209.0") for elements without a stable one.
//   Potassium 39.098 and erbium 167.26 are the IUPAC values (39.0983(1) and
//   167.259(3)) rounded to the precision of their neighbours.
// - melting and boiling points: CRC Handbook of Chemistry and Physics (the
//   1990s editions), degrees Celsius at 101.325 kPa. Arsenic sublimes at
//   613 C and has no boiling point at that pressure; its 817 C is the melting
//   point under its own vapour pressure (3.6 MPa).
// - electronegativity: Pauling scale to one decimal, as tabulated by Pauling
//   and by the CRC Handbook; "N/A" where neither gives a value.
// - ionization energy: first ionization energy in kJ/mol from the CRC
//   Handbook (NIST atomic spectra data), rounded to whole kJ/mol.
// clang-format off
constexpr std::array<ElementData, kRealElements> kElementData = {{
    {"Hydrogen",     "H",  "Non-Metal", "1",   "1.0079",  "Gaseous", "-255.34",  "-252.87",  "2.1",    "1312"},
    {"Helium",       "He", "Non-Metal", "2",   "4.003",   "Gaseous", "-272.2",   "-268.934", " N / A", "2372"},
    {"Lithium",      "Li", "Metal",     "3",   "6.941",   "Solid",   "180.54",   "1342",     "1.0",    "520"},
    {"Beryllium",    "Be", "Metal",     "4",   "9.012",   "Solid",   "1278",     "2970",     "1.5",    "899"},
    {"Boron",        "B",  "Metalloid", "5",   "10.811",  "Solid",   "2300",     "2550",     "2.0",    "801"},
    {"Carbon",       "C",  "Non-metal", "6",   "12.011",  "Solid",   "3550",     "4827",     "2.5",    "1086"},
    {"Nitrogen",     "N",  "Non-metal", "7",   "14.007",  "Gaseous", "-209.86",  "-195.8",   "3.0",    "1402"},
    {"Oxygen",       "O",  "Non-metal", "8",   "15.999",  "Gaseous", "-218.4",   "-182.962", "3.5",    "1314"},
    {"Fluorine",     "F",  "Non-metal", "9",   "18.998",  "Gaseous", "-219.62",  "-188.14",  "4.0",    "1681"},
    {"Neon",         "Ne", "Non-metal", "10",  "20.180",  "Gaseous", "-248.67",  "-246.048", " N / A", "2081"},
    {"Sodium",       "Na", "Metal",     "11",  "22.990",  "Solid",   "97.81",    "882.9",    "0.9",    "496"},
    {"Magnesium",    "Mg", "Metal",     "12",  "24.305",  "Solid",   "648.8",    "1090",     "1.2",    "738"},
    {"Aluminum",     "Al", "Metalloid", "13",  "26.982",  "Solid",   "660.37",   "2467",     "1.5",    "578"},
    {"Silicon",      "Si", "Metalloid", "14",  "28.086",  "Solid",   "1410",     "2355",     "1.8",    "787"},
    {"Phosphorous",  "P",  "Metalloid", "15",  "30.974",  "Solid",   "44.1",     "280",      "2.1",    "1012"},
    {"Sulfur",       "S",  "Non-metal", "16",  "32.066",  "Solid",   "112.8",    "444.674",  "2.5",    "1000"},
    {"Chlorine",     "Cl", "Non-metal", "17",  "35.453",  "Gaseous", "-100.98",  "-34.6",    "3.0",    "1251"},
    {"Argon",        "Ar", "Non-metal", "18",  "39.948",  "Gaseous", "-189.3",   "-185.86",  " N / A", "1521"},
    {"Potassium",    "K",  "Metal",     "19",  "39.098",  "Solid",   "63.65",    "774",      "0.8",    "419"},
    {"Calcium",      "Ca", "Metal",     "20",  "40.08",   "Solid",   "839",      "1484",     "1.0",    "590"},
    {"Scandium",     "Sc", "Metal",     "21",  "44.956",  "Solid",   "1541",     "2831",     "1.3",    "633"},
    {"Titanium",     "Ti", "Metal",     "22",  "47.88",   "Solid",   "1660",     "3287",     "1.5",    "659"},
    {"Vanadium",     "V",  "Metal",     "23",  "50.942",  "Solid",   "1890",     "3380",     "1.6",    "651"},
    {"Chromium",     "Cr", "Metal",     "24",  "51.996",  "Solid",   "1857",     "2672",     "1.6",    "653"},
    {"Manganese",    "Mn", "Metal",     "25",  "54.938",  "Solid",   "1244",     "1962",     "1.5",    "717"},
    {"Iron",         "Fe", "Metal",     "26",  "55.847",  "Solid",   "1535",     "2750",     "1.8",    "759"},
    {"Cobalt",       "Co", "Metal",     "27",  "58.933",  "Solid",   "1495",     "2870",     "1.8",    "760"},
    {"Nickel",       "Ni", "Metal",     "28",  "58.69",   "Solid",   "1453",     "2732",     "1.8",    "737"},
    {"Copper",       "Cu", "Metal",     "29",  "63.546",  "Solid",   "1083.4",   "2567",     "1.9",    "745"},
    {"Zinc",         "Zn", "Metal",     "30",  "65.39",   "Solid",   "419.58",   "907",      "1.6",    "906"},
    {"Gallium",      "Ga", "Metal",     "31",  "69.723",  "Liquid",  "29.78",    "2403",     "1.6",    "579"},
    {"Germanium",    "Ge", "Metalloid", "32",  "72.61",   "Solid",   "937.4",    "2830",     "1.8",    "762"},
    {"Arsenic",      "As", "Metalloid", "33",  "74.922",  "Solid",   "817",      "N/A",      "2.0",    "947"},
    {"Selenium",     "Se", "Non-metal", "34",  "78.96",   "Solid",   "217",      "684.9",    "2.4",    "941"},
    {"Bromine",      "Br", "Non-metal", "35",  "79.904",  "Liquid",  "-7.2",     "58.78",    "2.8",    "1140"},
    {"Krypton",      "Kr", "Non-metal", "36",  "83.80",   "Gaseous", "-156.6",   "-152.3",   "3.0",    "1351"},
    {"Rubidium",     "Rb", "Metal",     "37",  "85.47",   "Solid",   "38.89",    "686",      "0.8",    "403"},
    {"Strontium",    "Sr", "Metal",     "38",  "87.62",   "Solid",   "769",      "1384",     "1.0",    "550"},
    {"Yttrium",      "Y",  "Metal",     "39",  "88.906",  "Solid",   "1522",     "3338",     "1.2",    "600"},
    {"Zirconium",    "Zr", "Metal",     "40",  "91.224",  "Solid",   "1852",     "4377",     "1.4",    "640"},
    {"Niobium",      "Nb", "Metal",     "41",  "92.906",  "Solid",   "2468",     "4742",     "1.6",    "652"},
    {"Molybdenum",   "Mo", "Metal",     "42",  "95.94",   "Solid",   "2617",     "4612",     "1.8",    "684"},
    {"Technetium",   "Tc", "Metal",     "43",  "98.00",   "Solid",   "2172",     "4877",     "1.9",    "702"},
    {"Ruthenium",    "Ru", "Metal",     "44",  "101.07",  "Solid",   "2310",     "3900",     "2.2",    "710"},
    {"Rhodium",      "Rh", "Metal",     "45",  "102.91",  "Solid",   "1966",     "3727",     "2.2",    "720"},
    {"Palladium",    "Pd", "Metal",     "46",  "106.42",  "Solid",   "1552",     "2927",     "2.2",    "804"},
    {"Silver",       "Ag", "Metal",     "47",  "107.87",  "Solid",   "961.93",   "2212",     "1.9",    "731"},
    {"Cadmium",      "Cd", "Metal",     "48",  "112.412", "Solid",   "320.9",    "765",      "1.7",    "868"},
    {"Indium",       "In", "Metal",     "49",  "114.82",  "Solid",   "156.61",   "2080",     "1.7",    "558"},
    {"Tin",          "Sn", "Metal",     "50",  "118.71",  "Solid",   "231.9681", "2270",     "1.8",    "709"},
    {"Antimony",     "Sb", "Metalloid", "51",  "121.75",  "Solid",   "630.74",   "1750",     "1.9",    "834"},
    {"Tellurium",    "Te", "Metalloid", "52",  "127.60",  "Solid",   "449.5",    "989.8",    "2.1",    "869"},
    {"Iodine",       "I",  "Non-metal", "53",  "126.90",  "Solid",   "113.5",    "184.35",   "2.5",    "1008"},
    {"Xenon",        "Xe", "Non-metal", "54",  "131.29",  "Gaseous", "-111.9",   "-107.1",   "2.6",    "1170"},
    {"Cesium",       "Cs", "Metal",     "55",  "132.90",  "Solid",   "28.4",     "669.3",    "0.7",    "376"},
    {"Barium",       "Ba", "Metal",     "56",  "137.33",  "Solid",   "725",      "1640",     "0.9",    "503"},
    {"Lanthanum",    "La", "Metal",     "57",  "138.91",  "Solid",   "920",      "3454",     "1.1",    "538"},
    {"Cerium",       "Ce", "Metal",     "58",  "140.12",  "Solid",   "798",      "3257",     "1.1",    "534"},
    {"Praseodymium", "Pr", "Metal",     "59",  "140.91",  "Solid",   "931",      "3212",     "1.1",    "527"},
    {"Neodymium",    "Nd", "Metal",     "60",  "144.24",  "Solid",   "1010",     "3127",     "1.1",    "533"},
    {"Promethium",   "Pm", "Metal",     "61",  "145.0",   "Solid",   "1080",     "2460",     "N/A",    "540"},
    {"Samarium",     "Sm", "Metal",     "62",  "150.36",  "Solid",   "1072",     "1778",     "1.2",    "545"},
    {"Europium",     "Eu", "Metal",     "63",  "151.96",  "Solid",   "822",      "1597",     "N/A",    "547"},
    {"Gadolinium",   "Gd", "Metal",     "64",  "157.25",  "Solid",   "1311",     "3233",     "1.2",    "593"},
    {"Terbium",      "Tb", "Metal",     "65",  "158.92",  "Solid",   "1360",     "3041",     "N/A",    "566"},
    {"Dysprosium",   "Dy", "Metal",     "66",  "162.50",  "Solid",   "1412",     "2562",     "1.2",    "573"},
    {"Holmium",      "Ho", "Metal",     "67",  "164.93",  "Solid",   "1470",     "2720",     "1.2",    "581"},
    {"Erbium",       "Er", "Metal",     "68",  "167.26",  "Solid",   "1522",     "2510",     "1.2",    "589"},
    {"Thulium",      "Tm", "Metal",     "69",  "168.93",  "Solid",   "1545",     "1727",     "1.3",    "597"},
    {"Ytterbium",    "Yb", "Metal",     "70",  "173.04",  "Solid",   "824",      "1193",     "N/A",    "603"},
    {"Lutetium",     "Lu", "Metal",     "71",  "174.97",  "Solid",   "1656",     "3315",     "1.3",    "524"},
    {"Hafnium",      "Hf", "Metal",     "72",  "178.49",  "Solid",   "2227",     "4602",     "1.3",    "659"},
    {"Tantalum",     "Ta", "Metal",     "73",  "180.95",  "Solid",   "2996",     "5425",     "1.5",    "761"},
    {"Tungsten",     "W",  "Metal",     "74",  "183.85",  "Solid",   "3410",     "5660",     "1.7",    "770"},
    {"Rhenium",      "Re", "Metal",     "75",  "186.21",  "Solid",   "3180",     "5627",     "1.9",    "760"},
    {"Osmium",       "Os", "Metal",     "76",  "190.2",   "Solid",   "3045",     "5027",     "2.2",    "840"},
    {"Iridium",      "Ir", "Metal",     "77",  "192.22",  "Solid",   "2410",     "4130",     "2.2",    "880"},
    {"Platinum",     "Pt", "Metal",     "78",  "195.08",  "Solid",   "1772",     "3827",     "2.2",    "870"},
    {"Gold",         "Au", "Metal",     "79",  "196.97",  "Solid",   "1064.43",  "2807",     "2.4",    "890"},
    {"Mercury",      "Hg", "Metal",     "80",  "200.59",  "Liquid",  "-38.87",   "356.58",   "1.9",    "1007"},
    {"Thallium",     "Tl", "Metal",     "81",  "204.38",  "Solid",   "303.5",    "1457",     "1.8",    "589"},
    {"Lead",         "Pb", "Metal",     "82",  "207.2",   "Solid",   "327.502",  "1740",     "1.8",    "716"},
    {"Bismuth",      "Bi", "Metal",     "83",  "208.98",  "Solid",   "271.3",    "1560",     "1.9",    "703"},
    {"Polonium",     "Po", "Metalloid", "84",  "209.0",   "Solid",   "254",      "962",      "2.0",    "812"},
    {"Astatine",     "At", "Metalloid", "85",  "210.0",   "Solid",   "302",      "337",      "2.2",    "N/A"},
    {"Radon",        "Rn", "Non-metal", "86",  "222.0",   "Gaseous", "-71",      "-61.8",    "N/A",    "1037"},
    {"Francium",     "Fr", "Metal",     "87",  "223.0",   "Solid",   "27",       "677",      "0.7",    "393"},
    {"Radium",       "Ra", "Metal",     "88",  "226.0",   "Solid",   "700",      "1737",     "0.9",    "509"},
    {"Actinum",      "Ac", "Metal",     "89",  "227.0",   "Solid",   "1050",     "3200",     "1.1",    "499"},
    {"Thorium",      "Th", "Metal",     "90",  "232.04",  "Solid",   "1750",     "4790",     "1.3",    "587"},
    {"Protactinium", "Pa", "Metal",     "91",  "231.04",  "Solid",   "1600",     "N/A",      "1.5",    "570"},
    {"Uranium",      "U",  "Metal",     "92",  "238.03",  "Solid",   "1132.3",   "3818",     "1.4",    "598"},
    {"Neptunium",    "Np", "Metal",     "93",  "237.05",  "Solid",   "640",      "3902",     "1.4",    "605"},
    {"Plutonium",    "Pu", "Metal",     "94",  "244.0",   "Solid",   "641",      "3232",     "1.3",    "581"},
    {"Americium",    "Am", "Metal",     "95",  "243.0",   "Solid",   "994",      "2607",     "1.3",    "576"},
    {"Curium",       "Cm", "Metal",     "96",  "247.0",   "Solid",   "1340",     "3110",     "1.3",    "578"},
    {"Berkelium",    "Bk", "Metal",     "97",  "247.0",   "Solid",   "N/A",      "N/A",      "1.3",    "N/A"},
    {"Californium",  "Cf", "Metal",     "98",  "251.0",   "Solid",   "900",      "N/A",      "1.3",    "606"},
    {"Einsteinium",  "Es", "Metal",     "99",  "254.0",   "Solid",   "860",      "N/A",      "1.3",    "614"},
    {"Fermium",      "Fm", "Metal",     "100", "257.0",   "Solid",   "1527",     "N/A",      "1.3",    "627"},
    {"Mendelevium",  "Md", "Metal",     "101", "258.0",   "Solid",   "827",      "N/A",      "1.3",    "635"},
    {"Nobelium",     "No", "Metal",     "102", "259.0",   "Solid",   "827",      "N/A",      "1.3",    "642"},
    {"Lawrencium",   "Lr", "Metal",     "103", "260.0",   "Solid",   "1627",     "N/A",      "N/A",    "N/A"},
    {"N/A",          "Rf", "Metal",     "N/A", "N/A",     "Solid",   "N/A",      "N/A",      "N/A",    "N/A"},
    {"N/A",          "Db", "Metal",     "N/A", "N/A",     "Solid",   "N/A",      "N/A",      "N/A",    "N/A"},
    {"N/A",          "Sg", "Metal",     "N/A", "N/A",     "Solid",   "N/A",      "N/A",      "N/A",    "N/A"},
    {"N/A",          "Bh", "Metal",     "N/A", "N/A",     "Solid",   "N/A",      "N/A",      "N/A",    "N/A"},
    {"N/A",          "Hs", "Metal",     "N/A", "N/A",     "Solid",   "N/A",      "N/A",      "N/A",    "N/A"},
    {"N/A",          "Mt", "Metal",     "N/A", "N/A",     "Solid",   "N/A",      "N/A",      "N/A",    "N/A"},
}};
// clang-format on

}  // namespace

void ElementTable::InitRealElement() {
  for (std::size_t i = 0; i < kElementData.size(); ++i) {
    const ElementData& d = kElementData[i];
    ElementRecord& r = m_slots[i];
    r.name = d.name;
    r.symbol = d.symbol;
    r.type = d.type;
    r.number = d.number;
    r.weight = d.weight;
    r.state = d.state;
    r.melt = d.melt;
    r.boil = d.boil;
    r.negativity = d.negativity;
    r.energy = d.energy;
  }
}

const ElementRecord& ElementTable::slot(int k) const {
  if (k < 1 || k > kElementTableSlots) throw std::out_of_range("element slot out of range");
  return m_slots[static_cast<std::size_t>(k) - 1];
}

const ElementRecord& ElementTable::ShowRealElementInfo(std::string_view symbol) const {
  for (int k = 1; k < kElementTableSlots; ++k) {
    if (slot(k).symbol == symbol) return slot(k);
  }
  return slot(kElementTableSlots);
}

}  // namespace quorvex::calc
