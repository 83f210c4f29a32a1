// SPDX-License-Identifier: GPL-3.0-or-later
// RTF's lexical rules: a control word is letters and an optional signed number, and eats one
// space after it; \'hh is one byte; raw line ends are not text.
#include "rtf/rtftokenizer.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string_view>

namespace quorvex::rtf::detail {
namespace {

// RTF limits control words to 32 letters; longer ones are treated as unknown.
constexpr std::size_t kMaxWordLength = 32;
// Larger parameters are clamped; no control word needs more than 32 bits.
constexpr qint64 kMaxParameter = std::numeric_limits<int>::max();

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

Token Tokenizer::next() {
  while (m_pos < m_in.size()) {
    const char c = m_in[m_pos++];
    switch (c) {
      case '{': return {TokenKind::GroupOpen};
      case '}': return {TokenKind::GroupClose};
      case '\r':
      case '\n': continue;
      case '\\': {
        if (m_pos >= m_in.size()) return {};
        const char after = m_in[m_pos];
        if (IsLetter(after)) return word();
        ++m_pos;
        if (after == '\'') return hexByte();
        Token symbol{TokenKind::Symbol};
        symbol.byte = after;
        return symbol;
      }
      default: {
        Token text{TokenKind::Text};
        text.byte = c;
        return text;
      }
    }
  }
  return {};
}

Token Tokenizer::word() {
  const qsizetype start = m_pos;
  while (m_pos < m_in.size() && IsLetter(m_in[m_pos])) ++m_pos;
  const std::string_view name(m_in.data() + start, static_cast<std::size_t>(m_pos - start));
  Token token{TokenKind::Word};
  const bool negative = m_pos + 1 < m_in.size() && m_in[m_pos] == '-' && IsDigit(m_in[m_pos + 1]);
  if (negative || (m_pos < m_in.size() && IsDigit(m_in[m_pos]))) {
    if (negative) ++m_pos;
    qint64 value = 0;
    for (; m_pos < m_in.size() && IsDigit(m_in[m_pos]); ++m_pos)
      value = std::min(value * 10 + (m_in[m_pos] - '0'), kMaxParameter);
    token.hasParam = true;
    token.param = static_cast<int>(negative ? -value : value);
  }
  if (m_pos < m_in.size() && m_in[m_pos] == ' ') ++m_pos;
  token.keyword = name.size() <= kMaxWordLength ? FindKeyword(name) : nullptr;
  return token;
}

Token Tokenizer::hexByte() {
  const qsizetype left = m_in.size() - m_pos;
  const int high = left > 0 ? HexValue(m_in[m_pos]) : -1;
  const int low = left > 1 ? HexValue(m_in[m_pos + 1]) : -1;
  if (high < 0 || low < 0) {
    // A malformed escape is dropped and what follows it read as usual.
    if (high >= 0) ++m_pos;
    return {TokenKind::BadHex};
  }
  m_pos += 2;
  Token token{TokenKind::HexByte};
  token.byte = static_cast<char>(high * 16 + low);
  return token;
}

void Tokenizer::skipBytes(int count) {
  if (count > 0) m_pos += std::min<qsizetype>(count, m_in.size() - m_pos);
}

// Writers also star plain properties, such as {\*\pgdscno0}: those hold no text. Each group
// is looked at once, since a skipped group's inner groups are not.
bool Tokenizer::groupHoldsText() const {
  for (qsizetype i = m_pos; i < m_in.size(); ++i) {
    const char c = m_in[i];
    if (c == '}') return false;
    if (c == '{') return true;
    if (c == '\\') {
      if (i + 1 >= m_in.size() || !IsLetter(m_in[i + 1])) return true;  // a symbol or \'hh
      if (m_in.sliced(i + 1).startsWith("bin")) return true;            // raw data
      while (i + 1 < m_in.size() && (IsLetter(m_in[i + 1]) || IsDigit(m_in[i + 1]) || m_in[i + 1] == '-'))
        ++i;
    } else if (c != ' ' && c != ';' && c != '\r' && c != '\n') {
      return true;
    }
  }
  return false;
}

// Some \row words stand in skipped groups or raw data, so the count may be high, never low.
int Tokenizer::rowWordsAhead() {
  if (!m_rowWords) {
    m_rowWords.emplace();
    for (qsizetype at = m_in.indexOf("\\row"); at >= 0; at = m_in.indexOf("\\row", at + 4)) {
      if (at + 4 == m_in.size() || !IsLetter(m_in[at + 4])) m_rowWords->push_back(at);
    }
  }
  const auto next = std::lower_bound(m_rowWords->begin(), m_rowWords->end(), m_pos);
  return static_cast<int>(
      std::min<std::ptrdiff_t>(m_rowWords->end() - next, std::numeric_limits<int>::max()));
}

// RichEdit ends a file with a NUL, and line ends are not text either.
bool Tokenizer::holdsTextAhead() const {
  return std::any_of(m_in.begin() + m_pos, m_in.end(), [](char c) {
    return c != '\0' && c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v';
  });
}

}  // namespace quorvex::rtf::detail
