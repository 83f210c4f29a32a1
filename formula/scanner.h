// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/notifier.h"

namespace quorvex::formula {

inline constexpr std::string_view kInputError = "Input error!";
inline constexpr std::string_view kChargeError = "Input error-charge error!";
inline constexpr std::string_view kNumberTooGreat = "Input error 2-Number too great!";
inline constexpr std::string_view kTooManySame = "Input error 1-Too many same elements!";

// Longest text GetStrChar accepts (its buffer holds this many bytes and a zero).
inline constexpr std::size_t kStrCharCapacity = 600;

// The input error of a species whose hydrate part cannot be counted: a part
// that is a number alone ("CaSO4*0*5H2O"), a multiplier of 0 ("CuSO4*0H2O"),
// or one written as a fraction without a decimal ("CaSO4*(1/3)H2O"), or with
// more than four decimal places; "" when every part can be.
std::string HydrateProblem(std::string_view species);

// The decimal multiplier of a hydrate part ("0.5" of "CaSO4*0.5H2O") as a
// fraction: its digits without the point over 10^places.
struct HydrateHead {
  std::int64_t digits = 0;  // 5
  std::int64_t over = 1;    // 10
  std::size_t length = 0;   // of its text, point included; 0 for no multiplier
};
// The multiplier at the start of a hydrate part (after its "*").
HydrateHead ReadHydrateHead(std::string_view part);

// True when a hydrate part of `species` has a decimal multiplier
// ("CaSO4*0.5H2O"): its counts are fractions, which a balance scales.
bool HasDecimalHydrate(std::string_view species);

// Working storage of the one-pass counting of a name (see scanner.cpp).
struct CutWalk {
  struct Node {
    std::int32_t matched;  // bytes of the name that end here
    std::int32_t below;    // the node below where those bytes began, or -1
  };
  std::vector<Node> nodes;
  std::vector<std::int32_t> read;  // the node of each byte of the working copy read so far
};

// Reads one species text: atoms of a named element and the charge. Positions
// are 1-based byte positions. Input errors go into the pending message text
// (never cleared here); some are also shown at once through the notifier.
// Counts that would overflow 32 bits record "Input error!" and leave the
// overflowing term out.
class Scanner {
 public:
  Scanner(std::string& pendingMessage, Notifier& notifier)
      : m_pending(pendingMessage), m_notifier(notifier) {}

  // Position of the first whole-name occurrence of `name` in `text`, or 0.
  static std::int32_t GetElementPos(std::string_view name, std::string_view text);
  // Product of the multipliers of the ")" groups enclosing position `pos`; a
  // product past 32 bits records "Input error!" and the groups further out are left out.
  std::int32_t GetBracketNum(std::int32_t pos, std::string_view text);
  // Atoms of `name` in a text without "*".
  std::int32_t GetElementNum(std::string_view name, std::string_view text);
  // Atoms of `name` in a whole species text, parts joined by "*" included.
  // A part that cannot be counted in whole atoms (HydrateProblem, or a
  // decimal multiplier, which only a balance counts) records its input error.
  std::int32_t ExGetElementNum(std::string_view name, std::string_view text);
  // Leading number of `text`: its digits, else 1 (0 for ""). Throws ConvertError.
  static std::int32_t GetHeadNum(std::string_view text);
  // Charge of the species, 0 without a charge group.
  std::int32_t GetChargeNum(std::string_view text);
  // Byte at 1-based `pos`, 0 past the end. Throws AssertionFailure over 600 bytes.
  static char GetStrChar(std::string_view text, std::int32_t pos);

 private:
  void inputError(std::string_view text) { m_pending.assign(text); }
  // GetElementNum by cutting each counted occurrence out of a working copy and
  // searching again; for the texts where a cut can join a new occurrence.
  std::int32_t getElementNumByCutting(std::string_view name, std::string_view text);
  // Adds the k-th occurrence's subscript times its multiplier to `sum`,
  // showing the messages it calls for; false when the sum would overflow.
  bool addOccurrence(std::string_view run, std::int32_t multiplier, int k, std::int64_t& sum);

  // The ")" groups of the text being counted, read from its end: multiplier
  // (1 for none, or for a run too long to read), the next group out, the
  // nearest group from this one out whose multiplier is not 1.
  struct Group {
    std::int32_t multiplier = 1;
    std::int32_t outer = -1;
    std::int32_t nextMultiplying = -1;
    bool unreadable = false;        // its run does not fit 32 bits
    bool unreadableAround = false;  // this group or one further out is unreadable
  };
  void readGroups(std::string_view text);
  // The product of the multipliers of the groups from `innermost` out, as
  // GetBracketNum reads it, with the same input errors.
  std::int32_t groupMultiplier(std::int32_t innermost);

  // Working storage of GetElementNum, kept to reuse its capacity.
  CutWalk m_walk;
  std::vector<Group> m_groups;
  std::vector<std::int32_t> m_innermost;  // per byte: the innermost group around the text from it on, or -1

  std::string& m_pending;
  Notifier& m_notifier;
};

}  // namespace quorvex::formula
