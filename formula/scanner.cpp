// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/scanner.h"

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

// A name is a capital and small letters. For such a name, and only when
// cutting an occurrence out of a working copy joins a letter on its left to
// a small letter on its right, can the cut create an occurrence that was not
// in the text. The readings below walk the text once and fall back to cutting
// copies only then.
bool IsPlainName(std::string_view name) {
  if (name.empty() || !IsCapital(name[0])) return false;
  for (std::size_t i = 1; i < name.size(); ++i) {
    if (!IsSmall(name[i])) return false;
  }
  return true;
}

bool IsLetter(char c) { return IsCapital(c) || IsSmall(c); }

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

}  // namespace

std::int32_t Scanner::GetElementPos(std::string_view name, std::string_view text) {
  if (name.empty()) return 0;
  if (!IsPlainName(name)) return ElementPosByCutting(name, text);
  // Occurrences of a plain name never overlap. One followed by a small letter
  // begins a longer name ("C" in "Ca") and is passed over; `left` is the byte
  // the cut would leave before it.
  const bool joinable = name.size() > 1;
  std::size_t lastEnd = std::string_view::npos;
  char left = '\0';
  for (std::size_t at = text.find(name); at != std::string_view::npos;
       at = text.find(name, at + name.size())) {
    const std::size_t after = at + name.size();
    if (after < text.size() && IsSmall(text[after])) {
      if (at != lastEnd) left = at > 0 ? text[at - 1] : '\0';
      if (joinable && IsLetter(left)) return ElementPosByCutting(name, text);
      lastEnd = after;
      continue;
    }
    return static_cast<std::int32_t>(at + 1);
  }
  return 0;
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
      if (result * multiplier > kInt32Max) {
        inputError(kInputError);
        continue;
      }
      result *= multiplier;
    }
  }
  return static_cast<std::int32_t>(result);
}

std::int32_t Scanner::GetElementNum(std::string_view name, std::string_view text) {
  if (name.empty()) return 0;
  if (!IsPlainName(name)) return GetElementNumByCutting(name, text);

  // One walk finds what cutting each counted occurrence (the name and its
  // digits) out of a working copy would find, as long as no cut joins letters
  // into a new occurrence; then the cutting reading is used.
  const bool joinable = name.size() > 1;
  m_occurrences.clear();
  std::size_t keptEnd = std::string_view::npos;    // end of the last cut counted occurrence
  char keptLeft = '\0';                            // the byte left before that cut
  std::size_t passedEnd = std::string_view::npos;  // end of the last cut of any kind
  char passedLeft = '\0';
  for (std::size_t at = text.find(name); at != std::string_view::npos;
       at = text.find(name, at + name.size())) {
    const std::size_t after = at + name.size();
    const bool longer = after < text.size() && IsSmall(text[after]);
    const char before = at > 0 ? text[at - 1] : '\0';
    const char leftAll = at == passedEnd ? passedLeft : before;
    if (longer) {
      if (joinable && IsLetter(leftAll)) return GetElementNumByCutting(name, text);
      passedEnd = after;
      passedLeft = leftAll;
      continue;
    }
    const std::size_t runLen = DigitRunLength(text, after);
    const std::size_t end = after + runLen;
    const char leftKept = at == keptEnd ? keptLeft : before;
    if (joinable && end < text.size() && IsSmall(text[end]) &&
        (IsLetter(leftKept) || IsLetter(leftAll))) {
      return GetElementNumByCutting(name, text);
    }
    m_occurrences.push_back({at, runLen, 1});
    keptEnd = end;
    keptLeft = leftKept;
    passedEnd = end;
    passedLeft = leftAll;
  }
  if (m_occurrences.empty()) return 0;

  // The multiplier of every occurrence from one walk back over the text: the
  // ")" that enclose a position are those its tail leaves unpaired, and a "("
  // pairs with the nearest unpaired ")" after it. A multiplier that needs
  // more care (zero, unreadable, over 32 bits) is read the long way below.
  constexpr std::int32_t kReadLongWay = -1;
  m_enclosing.clear();
  std::size_t next = m_occurrences.size();
  for (std::size_t i = text.size(); i-- > m_occurrences.front().at && next > 0;) {
    if (i == m_occurrences[next - 1].at) {
      m_occurrences[--next].multiplier = m_enclosing.empty() ? 1 : m_enclosing.back();
      continue;
    }
    if (text[i] == ')') {
      const std::size_t len = DigitRunLength(text, i + 1);
      std::int32_t value = 1;
      if (len > 0 && !ParseDigitRun(text.substr(i + 1, len), value)) value = kReadLongWay;
      const std::int64_t outer = m_enclosing.empty() ? 1 : m_enclosing.back();
      std::int64_t product = kReadLongWay;
      if (value > 0 && outer != kReadLongWay && value * outer <= kInt32Max) product = value * outer;
      m_enclosing.push_back(static_cast<std::int32_t>(product));
    } else if (text[i] == '(' && !m_enclosing.empty()) {
      m_enclosing.pop_back();
    }
  }

  std::int64_t sum = 0;
  int k = 0;
  for (const Occurrence& o : m_occurrences) {
    const std::int32_t multiplier =
        o.multiplier == kReadLongWay
            ? GetBracketNum(static_cast<std::int32_t>(o.at + 1), text)
            : o.multiplier;
    const std::string_view run = text.substr(o.at + name.size(), o.runLen);
    if (!AddOccurrence(run, multiplier, ++k, sum)) inputError(kInputError);
  }
  return static_cast<std::int32_t>(sum);
}

bool Scanner::AddOccurrence(std::string_view run, std::int32_t multiplier, int k,
                            std::int64_t& sum) {
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

std::int32_t Scanner::GetElementNumByCutting(std::string_view name, std::string_view text) {
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
    if (!AddOccurrence(run, multiplier, ++k, sum)) inputError(kInputError);
  }
  return static_cast<std::int32_t>(sum);
}

std::int32_t Scanner::ExGetElementNum(std::string_view name, std::string_view text) {
  std::size_t star = text.find('*');
  if (star == std::string_view::npos) return GetElementNum(name, text);

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
