// SPDX-License-Identifier: GPL-3.0-or-later
// Turns RTF bytes into tokens: group braces, control words and symbols, escaped bytes and text.
#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <optional>
#include <vector>

#include "rtf/controlwords.h"

namespace quorvex::rtf::detail {

enum class TokenKind : std::uint8_t {
  End,         // no more input
  GroupOpen,   // {
  GroupClose,  // }
  Word,        // a control word such as \b0 or \fonttbl
  Symbol,      // a backslash and the one character after it: \*, \~, \{ ...
  HexByte,     // \'hh
  BadHex,      // \' without two hex digits after it
  Text,        // any other byte but a raw line end
};

struct Token {
  TokenKind kind = TokenKind::End;
  const Keyword* keyword = nullptr;  // Word: the table's entry; nullptr for a word not known
  bool hasParam = false;             // Word: whether a number follows the word
  int param = 0;                     // Word: that number, clamped to the range of int
  char byte = 0;                     // Symbol: the character; HexByte: the byte; Text: the byte
};

// Reads tokens from RTF bytes, and looks ahead in them where the reader needs to.
class Tokenizer {
 public:
  // Tokens from `start` on; `input` must outlive the tokenizer.
  Tokenizer(QByteArrayView input, qsizetype start) : m_in(input), m_pos(start) {}

  // The next token; End at the end of the input. Raw line ends are not tokens.
  Token next();
  // Skips up to `count` raw bytes, the data of \binN.
  void skipBytes(int count);

  // Whether the rest of the current group holds text or groups, which skipping it loses.
  bool groupHoldsText() const;
  // The \row words from here on, counted in the raw bytes: at least as many as the rows a
  // table can still get.
  int rowWordsAhead();
  // Whether anything but NULs and white space follows the reading position.
  bool holdsTextAhead() const;

 private:
  Token word();
  Token hexByte();

  QByteArrayView m_in;
  qsizetype m_pos = 0;
  std::optional<std::vector<qsizetype>> m_rowWords;  // where each \row stands, found when first asked
};

}  // namespace quorvex::rtf::detail
