// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/scanner.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/errors.h"
#include "support/recordingnotifier.h"

namespace quorvex::formula {
namespace {

struct Fixture {
  std::string pending;
  RecordingNotifier notifier;
  Scanner scanner{pending, notifier};
};

struct CountCase {
  const char* text;
  std::vector<std::pair<const char*, int>> counts;
  int charge;
};

TEST(Scanner, CountsAndChargesOfSpeciesTexts) {
  // clang-format off
  const std::vector<CountCase> cases = {
      {"NaCl", {{"Na", 1}, {"Cl", 1}, {"N", 0}, {"C", 0}}, 0},
      {"CaCO3", {{"C", 1}, {"Ca", 1}, {"O", 3}}, 0},
      {"Ca3(PO4)2", {{"Ca", 3}, {"P", 2}, {"O", 8}}, 0},
      {"Ca(OH)2", {{"Ca", 1}, {"O", 2}, {"H", 2}}, 0},
      {"Al2(SO4)3", {{"Al", 2}, {"S", 3}, {"O", 12}}, 0},
      {"Ca3(Fe(CN)6)2", {{"Ca", 3}, {"Fe", 2}, {"C", 12}, {"N", 12}}, 0},
      {"Cu(NH3)4[2+]", {{"Cu", 1}, {"N", 4}, {"H", 12}}, 2},
      {"CuSO4*5H2O", {{"Cu", 1}, {"S", 1}, {"O", 9}, {"H", 10}}, 0},
      {"2H2O", {{"H", 2}, {"O", 1}}, 0},
      {"H2O)2", {{"H", 4}, {"O", 2}}, 0},
      {"(H2O", {{"H", 2}, {"O", 1}}, 0},
      {"MnO4[-]", {{"Mn", 1}, {"O", 4}}, -1},
      {"H[+]", {{"H", 1}}, 1},
      {"SO4[2-]", {{"S", 1}, {"O", 4}}, -2},
      {"CO", {{"C", 1}, {"O", 1}}, 0},
      {"co", {{"Co", 0}, {"C", 0}, {"O", 0}}, 0},
      {"Fe[3+]", {{"Fe", 1}}, 3},
      {"Cr2O7[2-]", {{"Cr", 2}, {"O", 7}}, -2},
      {"[-]", {{"H", 0}}, -1},
      {"CH3COOH", {{"C", 2}, {"H", 4}, {"O", 2}}, 0},
      {"Na2CO3*10H2O", {{"Na", 2}, {"C", 1}, {"O", 13}, {"H", 20}}, 0},
      {"A*2B*3B", {{"A", 1}, {"B", 5}}, 0},      // each later part has its own multiplier
      {"CuSO4*", {{"Cu", 1}, {"O", 4}}, 0},      // an empty last part counts nothing
      {"H2O0", {{"H", 2}, {"O", 0}}, 0},         // a zero subscript
      {"((H)2)3", {{"H", 6}}, 0},                // enclosing multipliers multiply
      {"(H)(H)2", {{"H", 3}}, 0},                // a closed group does not reach later atoms
      {"H)2)3", {{"H", 6}}, 0},
      {"H2.O_", {{"H", 2}, {"O", 1}}, 0},        // "." and "_" mean nothing
      {"Uuu3", {{"Uuu", 3}, {"U", 0}}, 0},
      {"H9H", {{"H", 10}}, 0},
  };
  // clang-format on
  for (const CountCase& c : cases) {
    SCOPED_TRACE(c.text);
    Fixture f;
    for (const auto& [name, expected] : c.counts) {
      EXPECT_EQ(f.scanner.ExGetElementNum(name, c.text), expected) << name;
    }
    EXPECT_EQ(f.scanner.GetChargeNum(c.text), c.charge);
    EXPECT_EQ(f.pending, "");
    EXPECT_TRUE(f.notifier.messages().empty());
  }
}

struct ChargeErrorCase {
  const char* text;
  int charge;
  bool modal;
};

TEST(Scanner, ChargeErrorsAndTheirModalMessages) {
  // clang-format off
  const std::vector<ChargeErrorCase> cases = {
      {"Fe[+3]", 3, true},   // sign first: read, but still an error
      {"Fe[]", 0, true},
      {"Fe[3x]", 0, true},
      {"Fe[x+]", 0, false},  // sign last, inner text not a number
      {"Fe[10001-]", 0, false},  // -10001 is the failure marker
      {"Fe[2]", 0, true},    // one character that is not a sign
      {"Fe[x]", 0, true},
      {"Fe[2+", 0, true},    // only "["
      {"Fe2+]", 0, true},    // only "]"
      {"Fe]2+[", 0, true},   // "]" before "["
      {"Fe[99999999999+]", 0, false},
      {"Fe[ 2+]", 0, false},
  };
  // clang-format on
  for (const ChargeErrorCase& c : cases) {
    SCOPED_TRACE(c.text);
    Fixture f;
    EXPECT_EQ(f.scanner.GetChargeNum(c.text), c.charge);
    EXPECT_EQ(f.pending, "Input error-charge error!");
    if (c.modal) {
      EXPECT_EQ(f.notifier.messages(), std::vector<std::string>{"Input error-charge error!"});
    } else {
      EXPECT_TRUE(f.notifier.messages().empty());
    }
  }
}

TEST(Scanner, ChargeExtremes) {
  Fixture f;
  EXPECT_EQ(f.scanner.GetChargeNum("X[2147483647+]"), 2147483647);
  EXPECT_EQ(f.scanner.GetChargeNum("X[2147483648-]"), -2147483647 - 1);
  EXPECT_EQ(f.scanner.GetChargeNum("X[10000-]"), -10000);
  EXPECT_EQ(f.pending, "");
  EXPECT_EQ(f.scanner.GetChargeNum("X[2147483648+]"), 0);
  EXPECT_EQ(f.pending, "Input error-charge error!");
}

TEST(Scanner, OnlyTheFirstBracketsCount) {
  Fixture f;
  EXPECT_EQ(f.scanner.GetChargeNum("A[2+]B[3-]"), 2);
  EXPECT_EQ(f.pending, "");
}

TEST(Scanner, LongSubscriptIsReportedAndStillCounted) {
  Fixture f;
  EXPECT_EQ(f.scanner.ExGetElementNum("H", "H123456"), 123456);
  EXPECT_EQ(f.notifier.messages(), std::vector<std::string>{"Input error 2-Number too great!"});
  EXPECT_EQ(f.pending, "");
  // Each call on the offending text reports again.
  f.scanner.ExGetElementNum("H", "H123456");
  EXPECT_EQ(f.notifier.messages().size(), 2u);
  // Five digits are fine; leading zeros count as digits.
  f.notifier.clear();
  EXPECT_EQ(f.scanner.ExGetElementNum("H", "H99999"), 99999);
  EXPECT_EQ(f.scanner.ExGetElementNum("H", "H000001"), 1);
  EXPECT_EQ(f.notifier.messages(), std::vector<std::string>{"Input error 2-Number too great!"});
}

TEST(Scanner, TenthOccurrenceWithSubscriptIsReported) {
  Fixture f;
  // Nine subscripted occurrences: fine.
  EXPECT_EQ(f.scanner.GetElementNum("H", "H2H2H2H2H2H2H2H2H2"), 18);
  EXPECT_TRUE(f.notifier.messages().empty());
  // The tenth and eleventh carry a subscript: one message each, counts kept.
  EXPECT_EQ(f.scanner.GetElementNum("H", "H2H2H2H2H2H2H2H2H2H2H2"), 22);
  EXPECT_EQ(f.notifier.messages(), (std::vector<std::string>{"Input error 1-Too many same elements!",
                                                             "Input error 1-Too many same elements!"}));
  // Without subscripts nothing is reported.
  f.notifier.clear();
  EXPECT_EQ(f.scanner.GetElementNum("H", "HHHHHHHHHHHH"), 12);
  EXPECT_TRUE(f.notifier.messages().empty());
}

TEST(Scanner, NumberConversionErrorsStopWithTheirText) {
  struct Case {
    const char* name;
    const char* text;
    const char* message;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"H", "H2147483648", "'2147483648' is not a valid integer value"},
      {"H", "CuSO4*99999999999H2O", "'99999999999' is not a valid integer value"},
      {"O", "CuSO4*99999999999H2O", "'99999999999' is not a valid integer value"},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Fixture f;
    f.pending = "kept";
    try {
      f.scanner.ExGetElementNum(c.name, c.text);
      ADD_FAILURE() << "no exception";
    } catch (const ConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
    EXPECT_EQ(f.pending, "kept");
  }
  // The modal for a long run comes before the conversion stops the command.
  Fixture f;
  EXPECT_THROW(f.scanner.GetElementNum("H", "H99999999999"), ConvertError);
  EXPECT_EQ(f.notifier.messages(), std::vector<std::string>{"Input error 2-Number too great!"});
  EXPECT_EQ(Scanner::GetHeadNum("2147483647X"), 2147483647);
  EXPECT_THROW(Scanner::GetHeadNum("2147483648X"), ConvertError);
}

TEST(Scanner, OverflowingCountsAreInputErrors) {
  struct Case {
    const char* name;
    const char* text;
    int count;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"H", "(H)99999(H)", 100000},                  // fine
      {"H", "((H)65536)65536", 65536},               // bracket product overflows: inner kept
      {"H", "(((H)65536)65536)2", 65536},            // and the groups further out left out
      {"H", "(H2)2147483647", 0},                    // subscript x multiplier overflows
      {"H", "H2147483647H", 2147483647},             // the sum would overflow
      {"H", "(H)99999999999", 1},                    // run after ")" too long
      {"H", "H*2147483647H2", 1},                    // part count x head overflows: left out
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Fixture f;
    EXPECT_EQ(f.scanner.ExGetElementNum(c.name, c.text), c.count);
    if (c.count == 100000) {
      EXPECT_EQ(f.pending, "");
    } else {
      EXPECT_EQ(f.pending, "Input error!");
    }
  }
}

TEST(Scanner, StrCharLimitAndTheChargeOfLongTexts) {
  const std::string fits(600, 'H');
  const std::string tooLong(601, 'H');
  EXPECT_EQ(Scanner::GetStrChar(fits, 600), 'H');
  EXPECT_EQ(Scanner::GetStrChar("AB", 3), '\0');
  EXPECT_THROW(Scanner::GetStrChar(tooLong, 1), AssertionFailure);

  Fixture f;
  EXPECT_EQ(f.scanner.GetChargeNum(tooLong), 0);  // no brackets: never looked at
  EXPECT_EQ(f.scanner.GetChargeNum(tooLong + "[+]"), 1);
  try {
    f.scanner.GetChargeNum(tooLong + "[2+]");
    ADD_FAILURE() << "no exception";
  } catch (const AssertionFailure& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Assertion failure", 0), 0u);
  }
  EXPECT_EQ(f.scanner.GetChargeNum(std::string(595, 'H') + "[2+]"), 2);
}

TEST(Scanner, ElementPositions) {
  struct Case {
    const char* name;
    const char* text;
    int pos;
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"C", "CaCO3", 3}, {"Ca", "CaCO3", 1}, {"O", "CaCO3", 4}, {"N", "NaNO3", 3},
      {"Cl", "NaCl", 3}, {"C", "CaCa", 0},   {"", "CaCO3", 0},  {"H", "", 0},
      {"a", "CaCO3", 2},  // the character before an occurrence is not examined
      {"Cl", "CCll", 3},  // a name joined by the cut is found where the cut left it
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " in " + c.text);
    EXPECT_EQ(Scanner::GetElementPos(c.name, c.text), c.pos);
  }
}

// The step-by-step readings, working on copies as the algorithms state them,
// against which the scanner's faster walks are checked.
int ReferenceElementPos(const std::string& name, std::string text) {
  if (name.empty()) return 0;
  int skip = 0;
  for (;;) {
    const std::size_t at = text.find(name);
    if (at == std::string::npos) return 0;
    const std::size_t after = at + name.size();
    if (after < text.size() && text[after] >= 'a' && text[after] <= 'z') {
      text.erase(at, name.size());
      ++skip;
      continue;
    }
    return static_cast<int>(at + 1 + skip * name.size());
  }
}

long long ReferenceBracketNum(int pos, const std::string& text) {
  long long result = 1;
  std::string tail = static_cast<std::size_t>(pos - 1) < text.size() ? text.substr(pos - 1) : "";
  for (;;) {
    const std::size_t close = tail.find(')');
    if (close == std::string::npos) return result;
    const std::size_t open = tail.find('(');
    if (open != std::string::npos && open < close) {
      tail.erase(close, 1);
      tail.erase(open, 1);
      continue;
    }
    std::size_t end = close + 1;
    while (end < tail.size() && tail[end] >= '0' && tail[end] <= '9') ++end;
    const std::string run = tail.substr(close + 1, end - close - 1);
    if (run.size() > 9) return -1;  // the scanner reports these instead
    if (!run.empty()) result *= std::stoll(run);
    if (result > 2147483647) return -1;
    tail.erase(close, 1);
  }
}

// Counts by cutting each occurrence and its digits out of a copy; -1 where
// the scanner would report an error instead.
long long ReferenceElementNum(const std::string& name, std::string text, int& withRun) {
  long long sum = 0;
  withRun = 0;
  for (int pos = ReferenceElementPos(name, text); pos != 0; pos = ReferenceElementPos(name, text)) {
    const std::size_t runAt = static_cast<std::size_t>(pos) - 1 + name.size();
    std::size_t end = runAt;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    const std::string run = text.substr(runAt, end - runAt);
    const long long multiplier = ReferenceBracketNum(pos, text);
    if (multiplier < 0 || run.size() > 5) return -1;
    if (!run.empty()) ++withRun;
    sum += (run.empty() ? 1 : std::stoll(run)) * multiplier;
    text.erase(static_cast<std::size_t>(pos) - 1, name.size() + run.size());
  }
  return sum;
}

TEST(Scanner, WalksAgreeWithTheStepByStepReadings) {
  std::mt19937 rng(12345);
  const std::string alphabet = "CClla()()2(3)HC2l0)";
  const std::vector<std::string> names = {"C", "Cl", "l", "H", "Ca"};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    const int len = static_cast<int>(rng() % 24);
    for (int i = 0; i < len; ++i) text += alphabet[rng() % alphabet.size()];
    const std::string& name = names[rng() % names.size()];
    SCOPED_TRACE(name + " in " + text);
    ASSERT_EQ(Scanner::GetElementPos(name, text), ReferenceElementPos(name, text));
    Fixture f;
    int withRun = 0;
    const long long count = ReferenceElementNum(name, text, withRun);
    if (count >= 0 && withRun < 9) {
      ASSERT_EQ(f.scanner.GetElementNum(name, text), count);
    }
    for (int pos = 1; pos <= len + 1; ++pos) {
      const long long expected = ReferenceBracketNum(pos, text);
      if (expected < 0) continue;
      ASSERT_EQ(f.scanner.GetBracketNum(pos, text), expected) << pos;
    }
  }
}

TEST(Scanner, HeadNumbers) {
  EXPECT_EQ(Scanner::GetHeadNum(""), 0);
  EXPECT_EQ(Scanner::GetHeadNum("H2O"), 1);
  EXPECT_EQ(Scanner::GetHeadNum("5H2O"), 5);
  EXPECT_EQ(Scanner::GetHeadNum("05H2O"), 5);
  EXPECT_EQ(Scanner::GetHeadNum("12"), 12);
}

// A hydrate part that cannot be counted in whole atoms is an input error of
// the count (and of HydrateProblem, which the balance asks first), never a
// silent count: "CaSO4*0*5H2O" once read as a pentahydrate.
TEST(Scanner, HydratePartsThatCannotBeCounted) {
  struct Case {
    const char* text;
    bool problem;     // HydrateProblem names it
    bool countError;  // ExGetElementNum records an input error
    bool decimal;     // HasDecimalHydrate
  };
  // clang-format off
  const std::vector<Case> cases = {
      {"CuSO4*5H2O", false, false, false},
      {"CuSO4*", false, false, false},              // an empty last part counts nothing, as ever
      {"CaSO4*0.5H2O", false, true, true},          // halves: only a balance, scaled, counts them
      {"CdSO4*2.667H2O", false, true, true},
      {"CaSO4*0*5H2O", true, true, false},          // a part that is a number alone
      {"CaSO4*0.5", true, true, true},
      {"CuSO4*0H2O", true, true, false},            // the multiplier 0
      {"CaSO4*0.0H2O", true, true, true},
      {"CaSO4*(1/3)H2O", true, true, false},        // a fraction without a decimal
      {"CaSO4*1/3H2O", true, true, false},
      {"CaSO4*0.33333H2O", true, true, true},       // past four decimal places
      {"CaSO4*0.3333H2O", false, true, true},
  };
  // clang-format on
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(!HydrateProblem(c.text).empty(), c.problem);
    EXPECT_EQ(HasDecimalHydrate(c.text), c.decimal);
    Fixture f;
    f.scanner.ExGetElementNum("Ca", c.text);
    EXPECT_EQ(!f.pending.empty(), c.countError);
  }
}

}  // namespace
}  // namespace quorvex::formula
