// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/scanner.h"

#include <algorithm>
#include <limits>

#include "core/errors.h"
#include "formula/charset.h"

namespace quorvex::formula {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
// What a failed charge conversion yields. A charge that really is -10001 is
// therefore reported as an error too.
constexpr std::int32_t kChargeFailure = -10001;

std::size_t DigitRunLength(std::string_view text, std::size_t from) {
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - from;
}

// One or more decimal digits whose value is at most `limit`.
bool ParseMagnitude(std::string_view digits, std::int64_t limit, std::int64_t& value) {
  if (digits.empty()) return false;
  std::int64_t v = 0;
  for (char c : digits) {
    if (!IsDigit(c)) return false;
    v = v * 10 + (c - '0');
    if (v > limit) return false;
  }
  value = v;
  return true;
}

// A run of decimal digits as a 32-bit signed value; false when it is empty or
// does not fit.
bool ParseDigitRun(std::string_view digits, std::int32_t& value) {
  std::int64_t v = 0;
  if (!ParseMagnitude(digits, kInt32Max, v)) return false;
  value = static_cast<std::int32_t>(v);
  return true;
}

// An optional sign, then one or more digits, within 32 bits.
bool ParseSignedInt(std::string_view text, std::int32_t& value) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  std::int64_t magnitude = 0;
  if (!ParseMagnitude(text, negative ? -kInt32Min : kInt32Max, magnitude)) return false;
  value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
  return true;
}

std::int32_t ToInt32OrThrow(std::string_view digits) {
  std::int32_t value = 0;
  if (!ParseDigitRun(digits, value)) throw ConvertError(digits);
  return value;
}

// A name is a capital and small letters; the only names an equation or the
// element table can hold. Any other name is read by cutting copies, step by step.
bool IsPlainName(std::string_view name) {
  if (name.empty() || !IsCapital(name[0])) return false;
  for (std::size_t i = 1; i < name.size(); ++i) {
    if (!IsSmall(name[i])) return false;
  }
  return true;
}

// GetElementPos by cutting every occurrence that begins a longer name out of a
// working copy and searching again.
std::int32_t ElementPosByCutting(std::string_view name, std::string_view text) {
  std::string work(text);
  std::size_t skipped = 0;
  for (;;) {
    const std::size_t at = work.find(name);
    if (at == std::string::npos) return 0;
    const std::size_t after = at + name.size();
    if (after < work.size() && IsSmall(work[after])) {
      work.erase(at, name.size());
      ++skipped;
      continue;
    }
    return static_cast<std::int32_t>(at + 1 + skipped * name.size());
  }
}

// The counting of a plain name reads as: search the working copy for the first
// occurrence, cutting out (and searching again from the start) each one that a
// small letter follows, as it begins a longer name; count the one found and cut
// it and its digits out of the working copy; repeat. Done literally that is
// quadratic or worse, since every search starts over and a cut can join letters
// into a new occurrence ("C" + "Ca" + "a").
//
// One pass does the same. The bytes of the working copy read so far are kept
// on a stack with, for each, the state of the search after it: how much of the
// name ends there, and the node below where that partial occurrence began.
// Cutting an occurrence that begins a longer name drops the search back to the
// node below it. Since a plain name never overlaps itself (its capital comes
// only first), the search needs no other memory. A counted occurrence ends where
// the working copy was read to; the cut takes the name's length of bytes before
// that point and the digits after it, and the search resumes in the state it
// had before those bytes, looking at the byte that now follows.
template <class Counted>
void WalkByCutting(std::string_view name, std::string_view text, CutWalk& walk, Counted&& counted) {
  const auto length = static_cast<std::int32_t>(name.size());
  walk.nodes.clear();
  walk.read.clear();
  walk.nodes.push_back({0, -1});
  std::int32_t top = 0;
  std::size_t i = 0;
  for (;;) {
    if (walk.nodes[static_cast<std::size_t>(top)].matched == length) {
      if (i < text.size() && IsSmall(text[i])) {
        top = walk.nodes[static_cast<std::size_t>(top)].below;
      } else {
        const std::size_t cut = counted(i);
        if (cut == std::string_view::npos) return;
        walk.read.resize(walk.read.size() - name.size());
        top = walk.read.empty() ? 0 : walk.read.back();
        i += cut;
        continue;
      }
    }
    if (i == text.size()) return;
    const char c = text[i++];
    const CutWalk::Node& at = walk.nodes[static_cast<std::size_t>(top)];
    std::int32_t matched = 0;
    if (c == name[static_cast<std::size_t>(at.matched)]) {
      matched = at.matched + 1;
    } else if (c == name[0]) {
      matched = 1;
    }
    const std::int32_t below = matched == 1 ? top : (matched > 1 ? at.below : -1);
    walk.nodes.push_back({matched, below});
    top = static_cast<std::int32_t>(walk.nodes.size() - 1);
    walk.read.push_back(top);
  }
}

// A decimal multiplier has at most four places: it is digits over at most this.
constexpr std::int64_t kMostHydrateOver = 10000;

}  // namespace

HydrateHead ReadHydrateHead(std::string_view part) {
  HydrateHead head;
  std::size_t i = 0;
  while (i < part.size() && IsDigit(part[i]) && head.digits < kInt32Max)
    head.digits = head.digits * 10 + (part[i++] - '0');
  if (i == 0) return head;
  if (i + 1 < part.size() && part[i] == '.' && IsDigit(part[i + 1])) {
    ++i;
    // Past four places the part is refused; the digits read stay within 64 bits.
    while (i < part.size() && IsDigit(part[i]) && head.over <= kMostHydrateOver * 10) {
      head.digits = head.digits * 10 + (part[i++] - '0');
      head.over *= 10;
    }
  }
  head.length = i;
  return head;
}

bool HasDecimalHydrate(std::string_view species) {
  for (std::size_t star = species.find('*'); star != std::string_view::npos;
       star = species.find('*', star + 1)) {
    if (ReadHydrateHead(species.substr(star + 1)).over > 1) return true;
  }
  return false;
}

std::string HydrateProblem(std::string_view species) {
  std::size_t star = species.find('*');
  while (star != std::string_view::npos) {
    const std::size_t next = species.find('*', star + 1);
    const std::string_view part =
        species.substr(star + 1, next == std::string_view::npos ? std::string_view::npos : next - star - 1);
    star = next;
    if (part.empty()) continue;  // counts nothing, as ever
    const auto quoted = [&](std::string_view why) {
      return "Input error - \"" + std::string(species) + "\": the hydrate part \"" + std::string(part) +
             "\" " + std::string(why);
    };
    const HydrateHead head = ReadHydrateHead(part);
    const std::string_view rest = part.substr(head.length);
    if (rest.starts_with('/') || (head.length == 0 && rest.starts_with('(') && rest.size() > 1 &&
                                  IsDigit(rest[1]) && rest.find('/') != std::string_view::npos)) {
      return quoted(
          "is a fraction without a decimal: write it as a decimal (0.5) or multiply the whole formula.");
    }
    if (std::none_of(rest.begin(), rest.end(), IsCapital)) return quoted("holds no formula.");
    if (head.length > 0 && head.digits == 0) return quoted("has the multiplier 0.");
    if (head.over > kMostHydrateOver) return quoted("has more than four decimal places.");
  }
  return {};
}

std::int32_t Scanner::GetElementPos(std::string_view name, std::string_view text) {
  if (name.empty()) return 0;
  if (!IsPlainName(name)) return ElementPosByCutting(name, text);
  // The first search reads the caller's text itself: where it stops is where
  // the occurrence found ends.
  std::int32_t pos = 0;
  CutWalk walk;
  WalkByCutting(name, text, walk, [&](std::size_t end) {
    pos = static_cast<std::int32_t>(end - name.size() + 1);
    return std::string_view::npos;
  });
  return pos;
}

std::int32_t Scanner::GetBracketNum(std::int32_t pos, std::string_view text) {
  // Walking the tail left to right with a count of open "(" gives the same
  // pairs as repeatedly deleting the first "(" together with the first ")"
  // after it: a ")" with no "(" before it closes a group around `pos`.
  std::int64_t result = 1;
  const std::size_t start = pos < 1 ? 0 : static_cast<std::size_t>(pos) - 1;
  if (start >= text.size()) return 1;
  const std::string_view tail = text.substr(start);
  std::size_t open = 0;
  for (std::size_t i = 0; i < tail.size(); ++i) {
    if (tail[i] == '(') {
      ++open;
    } else if (tail[i] == ')') {
      if (open > 0) {
        --open;
        continue;
      }
      const std::size_t len = DigitRunLength(tail, i + 1);
      std::int32_t multiplier = 1;
      if (len > 0 && !ParseDigitRun(tail.substr(i + 1, len), multiplier)) {
        inputError(kInputError);
        continue;
      }
      // A product too large for 32 bits: the groups further out are left out.
      if (result * multiplier > kInt32Max) {
        inputError(kInputError);
        break;
      }
      result *= multiplier;
    }
  }
  return static_cast<std::int32_t>(result);
}

std::int32_t Scanner::GetElementNum(std::string_view name, std::string_view text) {
  if (name.empty()) return 0;
  if (!IsPlainName(name)) return getElementNumByCutting(name, text);
  // Without an occurrence there is nothing to cut (the weight asks for every element).
  if (text.find(name) == std::string_view::npos) return 0;
  const bool grouped = text.find(')') != std::string_view::npos;
  bool groupsRead = false;
  std::int64_t sum = 0;
  int k = 0;
  WalkByCutting(name, text, m_walk, [&](std::size_t end) {
    // Bytes cut from the working copy are all letters, so the groups enclosing the
    // occurrence are those the caller's text leaves open from `end` on.
    if (grouped && !groupsRead) {
      readGroups(text);
      groupsRead = true;
    }
    const std::int32_t multiplier = grouped ? groupMultiplier(m_innermost[end]) : 1;
    const std::size_t runLen = DigitRunLength(text, end);
    if (!addOccurrence(text.substr(end, runLen), multiplier, ++k, sum)) inputError(kInputError);
    return runLen;
  });
  return static_cast<std::int32_t>(sum);
}

void Scanner::readGroups(std::string_view text) {
  // From the end back: a ")" opens a group around everything before it, and a
  // "(" closes the innermost group still open.
  m_groups.clear();
  m_innermost.assign(text.size() + 1, -1);
  std::int32_t open = -1;
  for (std::size_t i = text.size(); i-- > 0;) {
    if (text[i] == ')') {
      Group g;
      g.outer = open;
      const std::size_t len = DigitRunLength(text, i + 1);
      g.unreadable = len > 0 && !ParseDigitRun(text.substr(i + 1, len), g.multiplier);
      if (g.unreadable) g.multiplier = 1;
      const Group* outer = open < 0 ? nullptr : &m_groups[static_cast<std::size_t>(open)];
      g.unreadableAround = g.unreadable || (outer != nullptr && outer->unreadableAround);
      open = static_cast<std::int32_t>(m_groups.size());
      g.nextMultiplying = g.multiplier != 1 ? open : (outer != nullptr ? outer->nextMultiplying : -1);
      m_groups.push_back(g);
    } else if (text[i] == '(' && open >= 0) {
      open = m_groups[static_cast<std::size_t>(open)].outer;
    }
    m_innermost[i] = open;
  }
}

std::int32_t Scanner::groupMultiplier(std::int32_t innermost) {
  if (innermost < 0) return 1;
  const Group& first = m_groups[static_cast<std::size_t>(innermost)];
  if (first.unreadableAround) inputError(kInputError);
  // Multipliers of 1 are passed over; every other one is 0 or at least doubles
  // the product, so at most 32 are multiplied before it is 0 or too large.
  std::int64_t result = 1;
  for (std::int32_t g = first.nextMultiplying; g >= 0;) {
    const Group& group = m_groups[static_cast<std::size_t>(g)];
    if (result * group.multiplier > kInt32Max) {
      inputError(kInputError);
      break;
    }
    result *= group.multiplier;
    if (result == 0) break;
    g = group.outer < 0 ? -1 : m_groups[static_cast<std::size_t>(group.outer)].nextMultiplying;
  }
  return static_cast<std::int32_t>(result);
}

bool Scanner::addOccurrence(std::string_view run, std::int32_t multiplier, int k, std::int64_t& sum) {
  std::int32_t subscript = 1;
  if (!run.empty()) {
    if (run.size() > 5) m_notifier.modal(kNumberTooGreat);
    subscript = ToInt32OrThrow(run);
  }
  if (!run.empty() && k > 9) m_notifier.modal(kTooManySame);
  const std::int64_t term = std::int64_t{subscript} * multiplier;
  if (term > kInt32Max || sum + term > kInt32Max) return false;
  sum += term;
  return true;
}

std::int32_t Scanner::getElementNumByCutting(std::string_view name, std::string_view text) {
  std::int32_t pos = GetElementPos(name, text);
  if (pos == 0) return 0;
  std::string work(text);
  std::int64_t sum = 0;
  int k = 0;
  while (pos != 0) {
    const std::size_t nameAt = static_cast<std::size_t>(pos) - 1;
    const std::size_t runAt = nameAt + name.size();
    const std::size_t runLen = DigitRunLength(work, runAt);
    const std::string run = work.substr(runAt, runLen);
    const std::int32_t multiplier = GetBracketNum(pos, work);
    work.erase(nameAt, name.size() + runLen);
    pos = GetElementPos(name, work);
    if (!addOccurrence(run, multiplier, ++k, sum)) inputError(kInputError);
  }
  return static_cast<std::int32_t>(sum);
}

std::int32_t Scanner::ExGetElementNum(std::string_view name, std::string_view text) {
  std::size_t star = text.find('*');
  if (star == std::string_view::npos) return GetElementNum(name, text);
  if (std::string problem = HydrateProblem(text); !problem.empty()) {
    inputError(problem);
  } else if (HasDecimalHydrate(text)) {
    inputError("Input error - \"" + std::string(text) +
               "\" holds a decimal hydrate part, which has no whole number of atoms.");
  }

  // Every part but the last keeps its closing "*".
  std::int64_t sum = GetElementNum(name, text.substr(0, star + 1));
  std::size_t from = star + 1;
  for (;;) {
    star = text.find('*', from);
    const std::string_view part =
        star == std::string_view::npos ? text.substr(from) : text.substr(from, star + 1 - from);
    const std::int64_t count = GetElementNum(name, part);
    const std::int64_t head = GetHeadNum(part);
    const std::int64_t term = count * head;
    if (term > kInt32Max || sum + term > kInt32Max) {
      inputError(kInputError);
    } else {
      sum += term;
    }
    if (star == std::string_view::npos) break;
    from = star + 1;
  }
  return static_cast<std::int32_t>(sum);
}

std::int32_t Scanner::GetHeadNum(std::string_view text) {
  const std::size_t len = DigitRunLength(text, 0);
  if (len == 0) return text.empty() ? 0 : 1;
  return ToInt32OrThrow(text.substr(0, len));
}

std::int32_t Scanner::GetChargeNum(std::string_view text) {
  const std::size_t open = text.find('[');
  const std::size_t close = text.find(']');
  if (open == std::string_view::npos && close == std::string_view::npos) return 0;

  // Only one of the two brackets, or "]" before "[": no charge can be read.
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) {
    inputError(kChargeError);
    m_notifier.modal(kChargeError);
    return 0;
  }

  // The common "[2-]": one digit and a sign, read as the general path below reads it.
  if (close == open + 3 && IsDigit(text[open + 1]) && (text[open + 2] == '+' || text[open + 2] == '-') &&
      text.size() <= kStrCharCapacity) {
    const std::int32_t magnitude = text[open + 1] - '0';
    return text[open + 2] == '+' ? magnitude : -magnitude;
  }
  // "[+]" and "[-]" as the single-character case below reads them, without the copy.
  if (close == open + 2 && (text[open + 1] == '+' || text[open + 1] == '-'))
    return text[open + 1] == '+' ? 1 : -1;
  std::string inner(text.substr(open + 1, close - open - 1));
  if (inner.size() == 1) {
    // "[+]" and "[-]": the sign followed by "1".
    if (inner[0] == '+') return 1;
    if (inner[0] == '-') return -1;
    // Any other single character ("[2]") carries no sign.
    inputError(kChargeError);
    m_notifier.modal(kChargeError);
    return 0;
  }

  const char beforeClose = GetStrChar(text, static_cast<std::int32_t>(close));
  const bool signed_ = beforeClose == '+' || beforeClose == '-';
  if (signed_) {
    inner.pop_back();
    inner.insert(inner.begin(), beforeClose);
  }
  std::int32_t charge = kChargeFailure;
  if (!ParseSignedInt(inner, charge)) charge = kChargeFailure;
  if (charge == kChargeFailure) {
    inputError(kChargeError);
    charge = 0;
  }
  if (!signed_) {
    inputError(kChargeError);
    m_notifier.modal(kChargeError);
  }
  return charge;
}

char Scanner::GetStrChar(std::string_view text, std::int32_t pos) {
  if (text.size() > kStrCharCapacity) {
    throw AssertionFailure("species text longer than 600 characters");
  }
  if (pos < 1 || static_cast<std::size_t>(pos) > text.size()) return '\0';
  return text[static_cast<std::size_t>(pos) - 1];
}

}  // namespace quorvex::formula
