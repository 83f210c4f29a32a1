// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formula/equationtext.h"

// Terms of a written line that read two ways ("SO42-": SO42[-] or SO4[2-])
// decided by the line itself, or refused; never guessed.
namespace quorvex::balance {

// The most terms that read two ways a line may hold and still be decided:
// their combinations (2 to this power) are each tested.
inline constexpr std::size_t kMostTwoWayTerms = 10;

// The test that settled a term's reading.
enum class SettledBy {
  Coefficients,  // the line as written conserves every element and the charge only so
  Table,         // exactly one reading is a common ion (balance/iontable.h)
  Balance,       // the equation has exactly one balance only so
};

// A term read one of its two ways.
struct IonReading {
  std::string written;  // "SO42-"
  std::string reading;  // "SO4[2-]"
  SettledBy by = SettledBy::Coefficients;
  friend bool operator==(const IonReading&, const IonReading&) = default;
};

// "read SO42- as SO4[2-]"
std::string ReadingNote(const IonReading& reading);

struct IonDecision {
  enum class Kind {
    None,     // no term of the line reads two ways
    Decided,  // exactly one reading of each is left: the line now reads so
    Refused,  // the line stays an input error naming both readings
  };
  Kind kind = Kind::None;
  // Decided: each term read, in the line's order, a term written alike and
  // read alike once.
  std::vector<IonReading> readings;
};

// Decides the terms of `read` that read two ways (read.twoWays) by three
// tests, in order, each keeping only some of the combinations of readings:
//   1. the coefficients written on the line (1 where none is): those under
//      which the equation as written conserves every element and the charge,
//      unless none does;
//   2. the common-ion table: of a term whose one reading only is a common
//      ion, that reading; never for a trap (N3-, O2-, S2-, O22-, C22-, I3-,
//      Hg22+, Hg2+, or both readings common ions);
//   3. a fresh balance: those under which the equation has exactly one
//      balance. With electrons on the line this test never decides.
// A list of species (no arrow) takes the table's test only. When exactly one
// combination is left, `read` becomes the line read so; otherwise, and past
// kMostTwoWayTerms terms, it is left as it is.
IonDecision DecideIonReadings(formula::WrittenEquation& read);

// formula::ReadWrittenEquation, then DecideIonReadings: how quorvex-cli and
// the window read a written line.
formula::WrittenEquation ReadInContext(std::string_view line, IonDecision& decision);

// The counting the tests take (the balance's name list and matrix), made for
// the first line with a term to decide and kept for the next.
class ReadingCounter;

// Reads and decides lines one after another, as a file is read: the same
// decisions as the functions above, without making the counting again for
// every line that needs it.
class IonReader {
 public:
  IonReader();
  IonReader(IonReader&&) noexcept;
  IonReader& operator=(IonReader&&) noexcept;
  ~IonReader();
  IonDecision decide(formula::WrittenEquation& read);
  formula::WrittenEquation read(std::string_view line, IonDecision& decision);

 private:
  std::unique_ptr<ReadingCounter> m_counter;
};

}  // namespace quorvex::balance
