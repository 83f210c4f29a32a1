// SPDX-License-Identifier: GPL-3.0-or-later
// Equations as textbooks, course pages, Q&A sites and geochemical databases
// write them (notation_corpus.tsv), each with what it means; and random
// equations written in every notation the reader knows.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "formula/equationtext.h"
#include "support/writtenterms.h"

namespace quorvex::formula {
namespace {

using testing::WrittenTerms;

// A line the plain reader takes reads as the full reader reads it.
void ExpectPlainReadsAlike(std::string_view line, const WrittenEquation& read) {
  PlainEquation plain;
  if (!ReadPlainEquation(line, plain)) return;
  ASSERT_EQ(read.kind, WrittenEquation::Kind::Equation);
  for (std::size_t s = 0; s < 2; ++s) {
    const auto& full = s == 0 ? read.reactants : read.products;
    ASSERT_EQ(plain.counts[s], full.size());
    for (std::size_t i = 0; i < full.size(); ++i) {
      EXPECT_EQ(plain.sides[s][i].coefficient, full[i].coefficient);
      EXPECT_EQ(plain.sides[s][i].species, full[i].species);
    }
  }
}

TEST(NotationCorpus, EachLineReadsAsMeantOrSaysItReadsTwoWays) {
  std::ifstream in(QUORVEX_NOTATION_CORPUS);
  ASSERT_TRUE(in) << QUORVEX_NOTATION_CORPUS;
  std::string row;
  int rows = 0;
  while (std::getline(in, row)) {
    if (row.empty() || row[0] == '#') continue;
    std::istringstream columns(row);
    std::string source, line, meant, status;
    std::getline(columns, source, '\t');
    std::getline(columns, line, '\t');
    std::getline(columns, meant, '\t');
    std::getline(columns, status, '\t');
    SCOPED_TRACE(source + ": " + line);
    ++rows;
    const WrittenEquation read = ReadWrittenEquation(line);
    ExpectPlainReadsAlike(line, read);
    if (status == "read") {
      EXPECT_EQ(read.kind, WrittenEquation::Kind::Equation) << read.error;
      EXPECT_EQ(WrittenTerms(read), meant);
    } else if (status == "two-ways") {
      // The error names both readings; the meant one is among them.
      ASSERT_EQ(read.kind, WrittenEquation::Kind::Error);
      const std::size_t from = read.error.find(" reads two ways: ");
      const std::size_t to = read.error.find(" or ", from);
      ASSERT_NE(to, std::string::npos) << read.error;
      const std::string first = read.error.substr(from + 17, to - from - 17);
      const std::string second = read.error.substr(to + 4, read.error.find(". ", to) - to - 4);
      EXPECT_TRUE(meant.find(first) != std::string::npos || meant.find(second) != std::string::npos)
          << read.error;
    } else {
      ASSERT_EQ(status, "unread");
      EXPECT_NE(WrittenTerms(read), meant);
    }
  }
  EXPECT_GE(rows, 150);
}

// A species of the random equations, and its charge.
struct Species {
  const char* formula;  // "*" marks a hydrate's dot
  int charge;
};

// How a notation writes a charge z, the hydrate dot, digits, joins and the arrow.
struct Notation {
  const char* name;
  std::string (*charge)(int z);
  const char* dot;
  bool subscripts;
  const char* join;
  const char* arrow;
};

// `species` as notation `n` writes it.
std::string Write(const Notation& n, const Species& species) {
  std::string text;
  bool afterDot = false;
  for (const char* c = species.formula; *c != 0; ++c) {
    if (*c == '*') {
      text += n.dot;
      afterDot = true;
    } else if (n.subscripts && *c >= '0' && *c <= '9' && !afterDot) {
      text += "\xE2\x82";
      text += static_cast<char>('\x80' + (*c - '0'));
    } else {
      text += *c;
      afterDot = afterDot && *c >= '0' && *c <= '9';
    }
  }
  return species.charge == 0 ? text : text + n.charge(species.charge);
}

// Random equations of random species, written in each notation, read back
// as the same terms.
TEST(NotationCorpus, EveryNotationOfARandomEquationReadsTheSame) {
  // A charge of 1 after a digit ("MnO4-") reads two ways in some notations;
  // the reader's table tests it.
  const std::vector<Species> pool = {
      {"H2O", 0},         {"Fe", 3},         {"Cu", 2},         {"Cl", -1}, {"SO4", -2},    {"Na", 1},
      {"Al", 3},          {"CO2", 0},        {"PO4", -3},       {"OH", -1}, {"Ca(OH)2", 0}, {"CH3COO", -1},
      {"K4[Fe(CN)6]", 0}, {"[Cu(NH3)4]", 2}, {"CuSO4*5H2O", 0}, {"e", -1},
  };
  static const auto kSign = [](int z) { return std::string(1, z > 0 ? '+' : '-'); };
  static const auto kSize = [](int z) {
    return std::abs(z) == 1 ? std::string() : std::to_string(std::abs(z));
  };
  const std::vector<Notation> notations = {
      {"brackets", [](int z) { return "[" + kSize(z) + kSign(z) + "]"; }, "*", false, "+", " = "},
      {"caret and minus sign", [](int z) { return "^" + kSize(z) + (z > 0 ? "+" : "\u2212"); }, ".", false,
       " + ", " \u2192 "},
      {"database", [](int z) { return kSign(z) + kSize(z); }, ":", false, " + ", " = "},
      {"repeated signs",
       [](int z) { return std::string(static_cast<std::size_t>(std::abs(z)), kSign(z)[0]); }, ":", false,
       " + ", " <=> "},
      {"superscripts and subscripts",
       [](int z) {
         static const char* const sizes[] = {"", "", "\u00B2", "\u00B3"};
         return std::string(sizes[std::abs(z)]) + (z > 0 ? "\u207A" : "\u207B");
       },
       "\u00B7", true, " + ", " \u21CC "},
      {"commas", [](int z) { return "[" + kSize(z) + kSign(z) + "]"; }, "\u22C5", false, ",", " --> "},
  };
  std::mt19937 random(17);
  for (int round = 0; round < 300; ++round) {
    struct Term {
      int coefficient;  // 0 for none
      const Species* species;
      bool state;  // "(aq)" after a charged species
      bool mark;   // a precipitate mark after a neutral one
    };
    std::vector<Term> sides[2];
    for (auto& side : sides) {
      const int count = 1 + static_cast<int>(random() % 4);
      for (int i = 0; i < count; ++i) {
        const Species* species = &pool[random() % pool.size()];
        side.push_back({static_cast<int>(random() % 4), species, random() % 3 == 0, random() % 4 == 0});
      }
    }
    std::string expected;
    for (const Notation& n : notations) {
      std::string line;
      for (int s = 0; s < 2; ++s) {
        if (s == 1) line += n.arrow;
        for (std::size_t i = 0; i < sides[s].size(); ++i) {
          const Term& t = sides[s][i];
          if (i > 0) line += n.join;
          if (t.coefficient > 0) line += std::to_string(t.coefficient) + (round % 2 ? " " : "");
          line += Write(n, *t.species);
          if (t.species->charge != 0 && t.state) line += "(aq)";
          if (t.species->charge == 0 && t.mark) line += "\u2193";
        }
      }
      SCOPED_TRACE(std::string(n.name) + ": " + line);
      const WrittenEquation read = ReadWrittenEquation(line);
      ASSERT_EQ(read.kind, WrittenEquation::Kind::Equation) << read.error;
      ExpectPlainReadsAlike(line, read);
      if (expected.empty()) expected = WrittenTerms(read);
      EXPECT_EQ(WrittenTerms(read), expected);
    }
  }
}

}  // namespace
}  // namespace quorvex::formula
