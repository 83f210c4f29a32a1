// SPDX-License-Identifier: GPL-3.0-or-later
#include "formula/notation.h"

#include <algorithm>
#include <array>
#include <vector>

#include "formula/charset.h"
#include "formula/equationtext.h"

namespace quorvex::formula {
namespace {

// A superscript character: a digit ('0'..'9') or a sign ('+', '-'), and the
// bytes of its UTF-8 form.
struct Superscript {
  std::string_view bytes;
  char ascii;
};
constexpr std::array<Superscript, 12> kSuperscripts = {{
    {"\u2070", '0'},
    {"\u00B9", '1'},
    {"\u00B2", '2'},
    {"\u00B3", '3'},
    {"\u2074", '4'},
    {"\u2075", '5'},
    {"\u2076", '6'},
    {"\u2077", '7'},
    {"\u2078", '8'},
    {"\u2079", '9'},
    {"\u207A", '+'},
    {"\u207B", '-'},
}};
constexpr std::array<std::string_view, 4> kMiddleDots = {"\u00B7", "\u2022", "\u2219", "\u22C5"};
constexpr std::string_view kSubscriptLead = "\xE2\x82";  // U+2080..U+2089: E2 82 80..89
// The minus sign and the en dash, then the macron some pages write for a minus.
constexpr std::array<std::string_view, 3> kDashes = {"\u2212", "\u2013", "\u00AF"};
constexpr std::array<std::string_view, 2> kMarks = {"\u2191", "\u2193"};  // gas and precipitate
constexpr std::array<std::string_view, 4> kStates = {"(aq)", "(s)", "(l)", "(g)"};

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
constexpr bool IsSign(char c) { return c == '+' || c == '-'; }
constexpr bool IsAscii(char c) { return static_cast<unsigned char>(c) < 0x80; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Step 2: marks and a state at the end of `rest`, in any order, blanks
// before them dropped; the state goes to `state` (written twice, once), the
// marks are left out. `rest` views the text `state` is cut from.
// A state with a form written inside it at the end of `rest`, "(s, graphite)":
// its length, the state's symbol into `state` and the form into `form`; 0 when
// there is none.
std::size_t StateWithForm(std::string_view rest, std::string_view& state, std::string_view& form) {
  if (rest.empty() || rest.back() != ')') return 0;
  std::size_t word = rest.size() - 1;
  while (word > 0 && IsSmall(rest[word - 1])) --word;
  if (word == rest.size() - 1) return 0;
  std::size_t comma = word;
  while (comma > 0 && IsBlank(rest[comma - 1])) --comma;
  if (comma == 0 || rest[comma - 1] != ',') return 0;
  const std::string_view before = rest.substr(0, comma - 1);
  for (const std::string_view symbol : kStates) {
    const std::string_view open = symbol.substr(0, symbol.size() - 1);  // "(s" of "(s)"
    if (before.size() > open.size() && before.ends_with(open)) {
      state = symbol;
      form = rest.substr(word, rest.size() - 1 - word);
      return rest.size() - (before.size() - open.size());
    }
  }
  return 0;
}

std::string_view CutEndings(std::string_view rest, std::string_view& state, std::string_view& form) {
  // A state ends in ")" and a mark in a byte beyond ASCII.
  for (bool more = !rest.empty() && (rest.back() == ')' || !IsAscii(rest.back())); more;) {
    more = false;
    rest = Trim(rest);
    for (const std::string_view mark : kMarks) {
      if (rest.ends_with(mark)) {
        rest.remove_suffix(mark.size());
        more = true;
      }
    }
    // A state with its form ends the reading of endings: `state` then views
    // the symbol, not the text, so no state before it may join it.
    if (state.empty()) {
      if (const std::size_t length = StateWithForm(rest, state, form); length > 0) {
        rest.remove_suffix(length);
        return Trim(rest);
      }
    }
    for (const std::string_view symbol : kStates) {
      if (rest.size() <= symbol.size() || !rest.ends_with(symbol)) continue;
      // `state` views the text. A state written twice ("Na+(aq)(aq)") is one
      // state; a second one that differs ("Na+(s)(aq)") joins it, with what
      // stands between, for the balance to count or report, so that the
      // charge before them is read either way.
      const std::string_view cut = rest.substr(rest.size() - symbol.size());
      if (state.empty()) {
        state = cut;
      } else if (symbol != state) {
        state =
            std::string_view(cut.data(), static_cast<std::size_t>(state.data() + state.size() - cut.data()));
      }
      rest.remove_suffix(symbol.size());
      more = true;
      break;
    }
  }
  return rest;
}

// Step 3 works in two passes. Subscript digits are written as digits first,
// so that the second pass sees "^" and "." before digits whichever way the
// digits were written ("^\u2082-", "CuSO4.\u2085H2O"); in a single pass they
// would stay as written, and rewriting the result again would change it.
std::string DigitsOfSubscripts(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, 2) == kSubscriptLead && i + 2 < text.size() &&
        static_cast<unsigned char>(text[i + 2]) >= 0x80 && static_cast<unsigned char>(text[i + 2]) <= 0x89) {
      out += static_cast<char>('0' + (static_cast<unsigned char>(text[i + 2]) - 0x80));
      i += 3;
    } else {
      out += text[i++];
    }
  }
  return out;
}

// The superscript character at the start of `rest`, or 0 for none; `length`
// gets its byte count.
char SuperscriptAt(std::string_view rest, std::size_t& length) {
  for (const Superscript& s : kSuperscripts) {
    if (rest.starts_with(s.bytes)) {
      length = s.bytes.size();
      return s.ascii;
    }
  }
  return 0;
}

// A charge written as digits then a sign, or a sign then digits, or a sign
// alone, in `marks`; the charge group it stands for, or "" when it is none.
std::string ChargeGroup(std::string_view marks) {
  if (marks.empty()) return {};
  std::string_view digits;
  char sign = 0;
  if (IsSign(marks.back())) {
    sign = marks.back();
    digits = marks.substr(0, marks.size() - 1);
  } else if (IsSign(marks.front())) {
    sign = marks.front();
    digits = marks.substr(1);
  } else {
    return {};
  }
  if (!std::all_of(digits.begin(), digits.end(), IsDigit)) return {};
  std::string group = "[";
  group.append(digits);
  group += sign;
  group += ']';
  return group;
}

// The bytes of a superscript charge at `i`, written as its charge group into
// `out`; a run that is no charge is kept as written. The end of the run.
std::size_t RewriteSuperscripts(std::string_view text, std::size_t i, std::string& out) {
  std::string marks;
  std::size_t end = i;
  std::size_t length = 0;
  for (char c = SuperscriptAt(text.substr(end), length); c != 0;
       c = SuperscriptAt(text.substr(end), length)) {
    marks += c;
    end += length;
  }
  const std::string group = ChargeGroup(marks);
  if (group.empty()) {
    out.append(text.substr(i, end - i));  // not a charge: kept for the balance to report
  } else {
    out += group;
  }
  return end;
}

// The vulgar fractions a hydrate's multiplier may be written with, and the
// decimal each stands for.
struct VulgarFraction {
  std::string_view bytes;
  std::string_view decimal;
};
constexpr std::array<VulgarFraction, 3> kVulgarFractions = {{
    {"\u00BD", "0.5"},
    {"\u00BC", "0.25"},
    {"\u00BE", "0.75"},
}};
constexpr std::string_view kRadical = kRadicalDot;

// "p/q" as a decimal of at most four places ("1/2" is "0.5"); "" when q is 0
// or the decimal does not end by then ("1/3").
std::string FractionAsDecimal(std::string_view p, std::string_view q) {
  if (p.size() > 6 || q.size() > 6) return {};
  long numerator = 0;
  long denominator = 0;
  for (const char c : p) numerator = numerator * 10 + (c - '0');
  for (const char c : q) denominator = denominator * 10 + (c - '0');
  if (denominator == 0) return {};
  constexpr long kPlaces = 10000;
  if (numerator * kPlaces % denominator != 0) return {};
  const long scaled = numerator * kPlaces / denominator;
  std::string text = std::to_string(scaled / kPlaces);
  long fraction = scaled % kPlaces;
  if (fraction == 0) return text;
  std::string digits = std::to_string(fraction + kPlaces).substr(1);
  while (digits.back() == '0') digits.pop_back();
  return text + "." + digits;
}

// The multiplier written right after a hydrate's mark, at the start of `rest`:
// digits with an optional ".digits" ("0.5"), a fraction "p/q" or "(p/q)", or
// one of U+00BD, U+00BC, U+00BE. `out` gets it as the formula syntax writes
// it: digits as typed, a fraction as its decimal ("(1/2)" is "0.5"), or as
// typed when it has none within four places (the balance then refuses it).
// The bytes read; 0 for none.
std::size_t HydrateMultiplier(std::string_view rest, std::string& out) {
  for (const VulgarFraction& v : kVulgarFractions) {
    if (rest.starts_with(v.bytes)) {
      out += v.decimal;
      return v.bytes.size();
    }
  }
  const bool bracketed = rest.starts_with('(');
  std::size_t i = bracketed ? 1 : 0;
  const std::size_t p = i;
  while (i < rest.size() && IsDigit(rest[i])) ++i;
  if (i == p) return 0;
  const std::string_view numerator = rest.substr(p, i - p);
  if (i + 1 < rest.size() && rest[i] == '/' && IsDigit(rest[i + 1])) {
    const std::size_t q = ++i;
    while (i < rest.size() && IsDigit(rest[i])) ++i;
    if (bracketed && (i == rest.size() || rest[i] != ')')) return 0;
    const std::size_t end = bracketed ? i + 1 : i;
    const std::string decimal = FractionAsDecimal(numerator, rest.substr(q, i - q));
    out.append(decimal.empty() ? rest.substr(0, end) : std::string_view(decimal));
    return end;
  }
  if (bracketed) return 0;
  if (i + 1 < rest.size() && rest[i] == '.' && IsDigit(rest[i + 1])) {
    ++i;
    while (i < rest.size() && IsDigit(rest[i])) ++i;
  }
  out.append(rest.substr(0, i));
  return i;
}

// A hydrate's mark at the start of `rest`, whose bytes are `mark`, written as
// "*" and its multiplier; the bytes read.
std::size_t RewriteHydrate(std::string_view rest, std::size_t mark, std::string& out) {
  out += '*';
  return mark + HydrateMultiplier(rest.substr(mark), out);
}

// True when a dot ends the formula at `next` of `text`: nothing follows but a
// charge (a sign, a caret or a superscript) and a state or marks after it.
bool EndsFormula(std::string_view text, std::size_t next) {
  if (next == text.size()) return true;
  const char c = text[next];
  std::size_t length = 0;
  return IsSign(c) || c == '^' || c == '[' ||
         (c == '(' && next + 1 < text.size() && IsSmall(text[next + 1])) ||
         SuperscriptAt(text.substr(next), length) != 0;
}

// A middle dot at `i` of `text` ("HO2\u2022", "O2\u2022-", "HO2^\u2022", "\u2022OH"): the
// radical's label, kept as U+2022, when it ends the formula or begins it. A charge written
// after it ("O2\u2022-", "CO3\u20222-") cannot run into the formula's digits and
// is written as its charge group. The bytes read; 0 when the dot is no radical.
std::size_t RewriteRadical(std::string_view text, std::size_t i, std::string& out) {
  const std::string_view rest = text.substr(i);
  const std::size_t caret = rest.starts_with('^') ? 1 : 0;
  const auto dot = std::find_if(kMiddleDots.begin(), kMiddleDots.end(),
                                [&](std::string_view d) { return rest.substr(caret).starts_with(d); });
  if (dot == kMiddleDots.end()) return 0;
  const std::size_t next = i + caret + dot->size();
  // A dot before the formula ("\u2022OH") is a radical's too.
  if ((i == 0 || IsBlank(text[i - 1])) && caret == 0 && next < text.size() && IsCapital(text[next])) {
    out += kRadical;
    return next - i;
  }
  if (i == 0 || !EndsFormula(text, next)) return 0;
  out += kRadical;
  // An ASCII charge after the dot, up to a state or the end.
  std::size_t end = next;
  while (end < text.size() && (IsDigit(text[end]) || IsSign(text[end]))) ++end;
  const std::string group = ChargeGroup(text.substr(next, end - next));
  if (group.empty()) return next - i;
  out += group;
  return end - i;
}

// A charge mark at the start of `rest`, a digit or a sign written plainly or
// as a superscript: its plain character, or 0; `length` gets its byte count.
char ChargeMarkAt(std::string_view rest, std::size_t& length) {
  if (!rest.empty() && (IsDigit(rest[0]) || IsSign(rest[0]))) {
    length = 1;
    return rest[0];
  }
  return SuperscriptAt(rest, length);
}

// The marks of a charge at `at` of `text`: digits then a sign, or a sign then
// digits, each written plainly or as superscripts ("2+", "+3", "3\u207A").
// Appends the plain marks to `marks` and returns the end, or `at` for none.
std::size_t ChargeMarks(std::string_view text, std::size_t at, std::string& marks) {
  std::size_t end = at;
  std::size_t length = 0;
  std::string read;
  const auto digits = [&] {
    for (char c = ChargeMarkAt(text.substr(end), length); IsDigit(c);
         c = ChargeMarkAt(text.substr(end), length)) {
      read += c;
      end += length;
    }
  };
  digits();
  const char sign = ChargeMarkAt(text.substr(end), length);
  if (!IsSign(sign)) return at;
  read += sign;
  end += length;
  // Digits after the sign only when none came before it ("+3", not "2+3").
  if (read.size() == 1) digits();
  marks += read;
  return end;
}

// A charge written with a caret ("^2+", "^+3", "^3\u207A", "^{2+}") or in round
// brackets that hold nothing else and end the formula ("Zn(2+)", "e(-)",
// "Cu(2+)(aq)"), which can be no group of it: its charge group appended to
// `out`, and its length in `rest`; 0 and nothing appended for neither.
std::size_t WrittenCharge(std::string_view rest, std::string& out) {
  const bool caret = rest[0] == '^';
  const bool brace = caret && rest.size() > 1 && rest[1] == '{';
  const std::size_t from = brace ? 2 : 1;
  std::string marks;
  std::size_t end = ChargeMarks(rest, from, marks);
  if (end == from) return 0;
  if (brace || !caret) {
    if (end == rest.size() || rest[end] != (brace ? '}' : ')')) return 0;
    ++end;
    if (!caret && end < rest.size() && rest[end] != '(' && !IsBlank(rest[end])) return 0;
  }
  out += ChargeGroup(marks);
  return end;
}

// Step 3: the notation characters of one species written as formulas:
// subscript digits, superscript and caret charges ("SO4^2-" is "SO4[2-]"),
// the middle dots and a "." or (in a line) ":" before a digit or a capital
// as the hydrate "*", the dashes as "-".
std::string RewriteCharacters(std::string_view typed, Written written) {
  const bool line = written == Written::Line;
  // Plain ASCII without a caret, a dot, a slash, (in a line) a colon, or a "(" before
  // a digit or a sign is already in the formula syntax.
  const auto notation = [&](std::size_t k) {
    const char c = typed[k];
    if (c == '(') return k + 1 < typed.size() && (IsDigit(typed[k + 1]) || IsSign(typed[k + 1]));
    return c == '^' || c == '.' || c == '/' || (line && c == ':') || !IsAscii(c);
  };
  bool plain = true;
  for (std::size_t k = 0; k < typed.size() && plain; ++k) plain = !notation(k);
  if (plain) return std::string(typed);
  // Dashes first, so that "^2\u2212" reads as a caret charge.
  const std::string digits = DigitsOfSubscripts(WithoutDashes(typed));
  const std::string_view text = digits;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::string_view rest = text.substr(i);
    std::size_t length = 0;
    if (SuperscriptAt(rest, length) != 0) {
      i = RewriteSuperscripts(text, i, out);
      continue;
    }
    if (const std::size_t radical = RewriteRadical(text, i, out); radical != 0) {
      i += radical;
      continue;
    }
    // A "(+)" that begins the species is a label ("(+)-C4H6O6"), not a charge.
    if (rest[0] == '^' || (rest[0] == '(' && i > 0)) {
      const std::size_t end = WrittenCharge(rest, out);
      if (end > 0) {
        i += end;
        continue;
      }
    }
    const auto dot = std::find_if(kMiddleDots.begin(), kMiddleDots.end(),
                                  [&](std::string_view d) { return rest.starts_with(d); });
    if (dot != kMiddleDots.end()) {
      i += RewriteHydrate(rest, dot->size(), out);
      continue;
    }
    if (rest[0] == ':' && !line) {
      // A colon is a line's hydrate mark; elsewhere it stays, and so does the point of its multiplier.
      out += ':';
      i += 1 + HydrateMultiplier(rest.substr(1), out);
      continue;
    }
    const bool hydrate = rest[0] == '.' || (line && rest[0] == ':');
    std::string multiplier;
    if (rest[0] == '*' ||
        (hydrate && rest.size() > 1 &&
         (IsDigit(rest[1]) || IsCapital(rest[1]) || HydrateMultiplier(rest.substr(1), multiplier) != 0))) {
      i += RewriteHydrate(rest, 1, out);
      continue;
    }
    out += rest[0];
    ++i;
  }
  return out;
}

// Step 4: an electron alone. A line writes it "e[-]" (step 5 reads "e-");
// a box holds the charge group alone, "[-]", which the balance counts.
void WriteElectron(std::string& species, Written written) {
  if (written == Written::Line && species == "e") species = "e[-]";
  if (written == Written::Box && (species == "e" || species == "e-" || species == "e[-]")) species = "[-]";
}

// The square bracket pair that closes at `close`: true when it holds a
// formula (an element symbol) rather than a charge.
bool HoldsFormula(std::string_view core, std::size_t close) {
  const std::size_t open = core.rfind('[', close);
  if (open == std::string_view::npos) return false;
  return std::any_of(core.begin() + static_cast<std::ptrdiff_t>(open),
                     core.begin() + static_cast<std::ptrdiff_t>(close), [](char c) { return IsCapital(c); });
}

// How a core ends in a charge written without brackets.
struct TrailingCharge {
  enum class Kind { None, Charge, TwoWays };
  Kind kind = Kind::None;
  std::size_t base = 0;  // the formula is core[0, base)
  std::string group;     // Charge: the charge group
  std::string other;     // TwoWays: the reading with the last digit as the charge
};

// The charge a core ends in. A sign after a formula is its charge; digits
// before a single sign are the subscript or the charge ("Fe3+": Fe3[+] or
// Fe[3+]), which the line decides: sign-first or repeated charges elsewhere
// make them a subscript, a square bracket before them the charge; else both
// readings are named. A sign written first then digits ("Fe+2") is a charge
// in a spaced line; elsewhere ("MnO-4+H+") it may be a flattened "MnO4-" too.
// Without `texts` only the kind and the base are found (no group, no other).
TrailingCharge FindTrailingCharge(std::string_view core, LineStyle style, bool texts = true) {
  TrailingCharge t;
  const std::size_t n = core.size();
  if (n < 2) return t;
  std::size_t digits = n;
  while (digits > 0 && IsDigit(core[digits - 1])) --digits;
  if (digits < n && digits >= 2 && IsSign(core[digits - 1]) && !IsSign(core[digits - 2]) &&
      (IsCapital(core[digits - 2]) || IsSmall(core[digits - 2]) || IsDigit(core[digits - 2]) ||
       core[digits - 2] == ')' || core[digits - 2] == ']')) {
    t.kind = style.spaced ? TrailingCharge::Kind::Charge : TrailingCharge::Kind::TwoWays;
    t.base = digits - 1;
    if (!texts) return t;
    t.group = "[" + std::string(core.substr(digits)) + core[digits - 1] + "]";
    t.other = std::string(core.substr(0, digits - 1)) + std::string(core.substr(digits)) + "[" +
              core[digits - 1] + "]";
    return t;
  }
  if (!IsSign(core[n - 1])) return t;
  const char sign = core[n - 1];
  std::size_t run = n;
  while (run > 0 && core[run - 1] == sign) --run;
  if (run == 0) return t;
  const std::size_t count = n - run;
  const char before = core[run - 1];
  const auto group = [&](std::string_view magnitude) { return "[" + std::string(magnitude) + sign + "]"; };
  t.base = run;
  if (IsCapital(before) || IsSmall(before) || before == ')' ||
      (before == ']' && HoldsFormula(core, run - 1)) ||
      (IsDigit(before) && (count > 1 || style.databaseStyle))) {
    t.kind = TrailingCharge::Kind::Charge;
    if (texts) t.group = group(count > 1 ? std::to_string(count) : "");
    return t;
  }
  if (!IsDigit(before) || count > 1) return t;
  std::size_t first = run;
  while (first > 0 && IsDigit(core[first - 1])) --first;
  if (first == 0) return t;
  if (core[first - 1] == ']' && HoldsFormula(core, first - 1)) {
    // A complex in square brackets carries its charge after them.
    t.kind = TrailingCharge::Kind::Charge;
    t.base = first;
    if (texts) t.group = group(core.substr(first, run - first));
    return t;
  }
  t.kind = TrailingCharge::Kind::TwoWays;
  if (!texts) return t;
  t.group = group("");
  t.other = std::string(core.substr(0, run - 1)) + group(core.substr(run - 1, 1));
  return t;
}

// Step 6: square brackets holding a formula become round ones, since the
// balance reads square brackets as a charge.
// Each "]" in turn pairs with the last "[" before it that is still square and
// turns both round when a capital stands between them. Searching back for that
// "[" from every "]" is quadratic in a species of many brackets; the "[" still
// square are kept on a stack instead, and the last capital read tells whether
// one stands after the top of it.
void RoundFormulaBrackets(std::string& core) {
  if (core.find(']') == std::string::npos) return;
  // The stack on the stack for the few "[" of a species; on the heap past them.
  const auto opens = static_cast<std::size_t>(std::count(core.begin(), core.end(), '['));
  std::array<std::size_t, 8> few{};
  std::vector<std::size_t> many(opens > few.size() ? opens : 0);
  std::size_t* const square = opens > few.size() ? many.data() : few.data();
  std::size_t depth = 0;
  std::size_t lastCapital = std::string::npos;
  for (std::size_t i = 0; i < core.size(); ++i) {
    const char c = core[i];
    if (IsCapital(c)) lastCapital = i;
    if (c == '[') square[depth++] = i;
    if (c != ']' || depth == 0 || lastCapital == std::string::npos || lastCapital < square[depth - 1])
      continue;
    core[square[depth - 1]] = '(';
    core[i] = ')';
    --depth;
  }
}

}  // namespace

std::size_t CoefficientLength(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  // ".5 O2" has no digit before its point.
  if (i == 0 && !(text.size() > 1 && text[0] == '.' && IsDigit(text[1]))) return 0;
  if (i + 1 < text.size() && (text[i] == '.' || text[i] == '/') && IsDigit(text[i + 1])) {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  std::size_t formula = i;
  while (formula < text.size() && IsBlank(text[formula])) ++formula;
  if (formula == text.size()) return 0;
  const char c = text[formula];
  if (IsCapital(c) || IsSmall(c) || c == '(' || c == '[') return i;
  // A radical written with its dot first, after a blank ("2 \u2022OH").
  const std::string_view rest = text.substr(formula);
  const auto dot = std::find_if(kMiddleDots.begin(), kMiddleDots.end(),
                                [&](std::string_view d) { return rest.starts_with(d); });
  const bool radical =
      formula > i && dot != kMiddleDots.end() && dot->size() < rest.size() && IsCapital(rest[dot->size()]);
  return radical ? i : 0;
}

namespace {

// The length of a coefficient inside round brackets at the start of `text`
// ("(1/2) I2", "(0.5)O2"), brackets left out, when a formula follows; 0 for none.
std::size_t BracketedCoefficient(std::string_view text) {
  if (text.size() < 4 || text[0] != '(') return 0;
  std::size_t i = 1;
  while (i < text.size() && IsDigit(text[i])) ++i;
  if (i == 1) return 0;
  if (i + 1 < text.size() && (text[i] == '.' || text[i] == '/') && IsDigit(text[i + 1])) {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
  }
  if (i == text.size() || text[i] != ')') return 0;
  std::size_t formula = i + 1;
  while (formula < text.size() && IsBlank(text[formula])) ++formula;
  if (formula == text.size()) return 0;
  const char c = text[formula];
  return IsCapital(c) || IsSmall(c) || c == '(' || c == '[' ? i - 1 : 0;
}

}  // namespace

TermParts SplitTerm(std::string_view text, Written written) {
  TermParts parts;
  if (written == Written::Formula) {
    parts.core = text;
    return parts;
  }
  std::size_t coefficient = CoefficientLength(text);
  parts.coefficient = text.substr(0, coefficient);
  if (coefficient == 0 && written == Written::Line) {
    // A fraction in round brackets, as tables of half-reactions write it ("(1/2) I2").
    if (const std::size_t inner = BracketedCoefficient(text); inner != 0) {
      parts.coefficient = text.substr(1, inner);
      coefficient = inner + 2;
    }
  }
  std::string_view rest = text.substr(coefficient);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  // A box keeps its blanks and state where typed: the balance reports a blank and leaves the state out.
  parts.core = written == Written::Line ? CutEndings(Trim(rest), parts.state, parts.form) : rest;
  return parts;
}

Term RewriteParts(const TermParts& parts, Written written, LineStyle style) {
  Term term;
  term.coefficient = parts.coefficient;
  std::string core = RewriteCharacters(parts.core, written);
  WriteElectron(core, written);
  if (written == Written::Line) {
    const TrailingCharge t = FindTrailingCharge(core, style);
    if (t.kind == TrailingCharge::Kind::TwoWays) {
      std::string first = core.substr(0, t.base) + t.group;
      std::string second = t.other;
      RoundFormulaBrackets(first);
      RoundFormulaBrackets(second);
      term.error = "Input error - \"" + core + "\" reads two ways: " + first + " or " + second +
                   ". Write its charge in square brackets.";
      term.species = std::move(core);
      term.readings = {std::move(first), std::move(second)};
      return term;
    }
    if (t.kind == TrailingCharge::Kind::Charge) core = core.substr(0, t.base) + t.group;
    RoundFormulaBrackets(core);
    if (!parts.form.empty()) core.append(1, '(').append(parts.form).append(1, ')');
    core += parts.state;
  }
  term.species = std::move(core);
  return term;
}

Term ReadTerm(std::string_view text, Written written, LineStyle style) {
  return RewriteParts(SplitTerm(text, written), written, style);
}

bool WritesDatabaseCharge(std::string_view core, bool spaced) {
  // A charge is found only in a core that ends in a digit or a sign.
  if (core.size() < 2 || !(IsDigit(core.back()) || IsSign(core.back()))) return false;
  const TrailingCharge t = FindTrailingCharge(core, {false, spaced}, false);
  return t.kind == TrailingCharge::Kind::Charge && IsSign(core[t.base]) && core.size() - t.base > 1;
}

std::string TextWhileTyping(std::string_view text) {
  if (!HoldsOneSpecies(text)) return std::string(text);
  return ReadTerm(text, Written::Formula).species;
}

std::string WithSpeciesRewritten(std::string_view line) {
  const std::string dashed = WithoutDashes(line);
  std::string out;
  out.reserve(dashed.size());
  std::size_t from = 0;
  for (const SpeciesSeparator& s : SpeciesSeparators(dashed)) {
    out += ReadTerm(std::string_view(dashed).substr(from, s.at - from), Written::Formula).species;
    out.append(dashed, s.at, s.length);
    from = s.at + s.length;
  }
  out += ReadTerm(std::string_view(dashed).substr(from), Written::Formula).species;
  return out;
}

std::string WithoutDashes(std::string_view text, bool macron) {
  const std::size_t kinds = macron ? kDashes.size() : kDashes.size() - 1;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    // Every dash begins with a byte of 0xC2 or above: the ASCII runs between are copied whole.
    std::size_t run = i;
    while (run < text.size() && static_cast<unsigned char>(text[run]) < 0xC2) ++run;
    if (run > i) {
      out.append(text, i, run - i);
      i = run;
      continue;
    }
    const auto dash = std::find_if(kDashes.begin(), kDashes.begin() + static_cast<std::ptrdiff_t>(kinds),
                                   [&](std::string_view d) { return text.substr(i, d.size()) == d; });
    if (dash == kDashes.begin() + static_cast<std::ptrdiff_t>(kinds)) {
      out += text[i++];
    } else {
      out += '-';
      i += dash->size();
    }
  }
  return out;
}

std::string SlipHint(std::string_view species) {
  // A charge written sign first: "[+3]".
  const std::size_t open = species.find('[');
  if (open != std::string_view::npos && open + 2 < species.size() && IsSign(species[open + 1])) {
    std::size_t end = open + 2;
    while (end < species.size() && IsDigit(species[end])) ++end;
    if (end > open + 2 && end < species.size() && species[end] == ']') {
      std::string hint(species);
      hint += ": write the charge as [";
      hint.append(species.substr(open + 2, end - open - 2));
      hint += species[open + 1];
      hint += "].";
      return hint;
    }
  }
  // An electron inside another species' box.
  if (species.starts_with('e') && species.size() > 1 && !IsSmall(species[1])) {
    return std::string(species) + ": write an electron as [-].";
  }
  return {};
}

namespace {

constexpr std::array<std::string_view, 4> kGreekNames = {"alpha-", "beta-", "gamma-", "delta-"};

// The length of a Greek letter's prefix and its "-" at the start of `species`, or 0.
std::size_t GreekPrefix(std::string_view species) {
  // A small Greek letter is CE B1..CE BF or CF 80..CF 89 in UTF-8.
  if (species.size() > 3 && species[2] == '-') {
    const auto lead = static_cast<unsigned char>(species[0]);
    const auto trail = static_cast<unsigned char>(species[1]);
    if ((lead == 0xCE && trail >= 0xB1 && trail <= 0xBF) || (lead == 0xCF && trail >= 0x80 && trail <= 0x89))
      return 3;
  }
  for (const std::string_view name : kGreekNames) {
    if (species.size() > name.size() && species.starts_with(name)) return name.size();
  }
  return 0;
}

// The length of a form label "(small letters)" at the end of `formula`, or 0;
// a formula of the label alone keeps it.
std::size_t FormLabel(std::string_view formula) {
  if (formula.size() < 4 || formula.back() != ')') return 0;
  std::size_t open = formula.size() - 1;
  while (open > 0 && IsSmall(formula[open - 1])) --open;
  if (open < 2 || open == formula.size() - 1 || formula[open - 1] != '(') return 0;
  return formula.size() - open + 1;
}

}  // namespace

std::string_view CountedFormula(std::string_view species) {
  if (species.empty()) return species;
  const char first = species.front();
  if (species.back() != ')' && !IsSmall(first) && IsAscii(first)) return species;
  std::string_view formula = species.back() == ')' ? WithoutStateSymbol(species) : species;
  for (std::size_t label = FormLabel(formula); label != 0; label = FormLabel(formula)) {
    formula.remove_suffix(label);
  }
  formula.remove_prefix(GreekPrefix(formula));
  return formula;
}

std::string_view WithoutStateSymbol(std::string_view species) {
  for (const std::string_view symbol : {"(s)", "(l)", "(g)", "(aq)"}) {
    if (species.size() >= symbol.size() && species.substr(species.size() - symbol.size()) == symbol) {
      return species.substr(0, species.size() - symbol.size());
    }
  }
  return species;
}

}  // namespace quorvex::formula
