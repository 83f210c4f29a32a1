#include "formula/scanner.h"

#include <limits>

#include "formula/charset.h"
#include "formula/errors.h"

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

}  // namespace

std::int32_t Scanner::GetElementPos(std::string_view name, std::string_view text) {
  if (name.empty()) return 0;
  // An occurrence followed by a small letter begins a longer name ("C" in
  // "Ca"); it is cut out of a working copy and the search starts again, so
  // the copy is only made when that happens.
  std::string work;
  std::string_view current = text;
  std::size_t skipped = 0;
  for (;;) {
    const std::size_t at = current.find(name);
    if (at == std::string_view::npos) return 0;
    const std::size_t after = at + name.size();
    if (after < current.size() && IsSmall(current[after])) {
      if (skipped == 0) work.assign(current);
      work.erase(at, name.size());
      current = work;
      ++skipped;
      continue;
    }
    return static_cast<std::int32_t>(at + 1 + skipped * name.size());
  }
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

    std::int32_t subscript = 1;
    if (!run.empty()) {
      if (run.size() > 5) m_notifier.modal(kNumberTooGreat);
      subscript = ToInt32OrThrow(run);
    }
    ++k;
    if (!run.empty() && k > 9) m_notifier.modal(kTooManySame);

    const std::int64_t term = std::int64_t{subscript} * multiplier;
    if (term > kInt32Max || sum + term > kInt32Max) {
      inputError(kInputError);
      continue;
    }
    sum += term;
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
