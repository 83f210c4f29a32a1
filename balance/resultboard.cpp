// SPDX-License-Identifier: GPL-3.0-or-later
#include "balance/resultboard.h"

#include <charconv>

#include "core/errors.h"

namespace quorvex::balance {

const ListRecord& ResultBoard::record(int i) const {
  if (i < 1 || i > kRecordTable) throw AssertionFailure("result board record out of range");
  static const ListRecord kNeverAppended;
  if (static_cast<std::size_t>(i) >= m_records.size()) return kNeverAppended;
  return m_records[static_cast<std::size_t>(i)];
}

std::string ResultBoard::displayLine(int number, std::string_view equation) {
  std::string line = "|" + std::to_string(number) + "| ";
  line += equation;
  line += "\n\n";
  return line;
}

bool ResultBoard::canAppend(std::string_view equation) const {
  if (isFull()) return false;
  // "|", the number, "| ", the equation and two line feeds.
  char number[16];
  const auto digits =
      static_cast<std::size_t>(std::to_chars(number, number + sizeof number, m_count + 1).ptr - number);
  const std::size_t lineLength = digits + 5 + equation.size();
  return m_display.size() <= kDisplayLimit && lineLength <= kDisplayLimit - m_display.size();
}

bool ResultBoard::append(std::string_view equation) {
  if (!canAppend(equation)) return false;
  ++m_count;
  if (static_cast<std::size_t>(m_count) == m_records.size()) {
    // A copy of a board has only the room of its records.
    m_records.reserve(kRefuseAbove + 2);
    m_records.emplace_back();
  }
  ListRecord& r = m_records[static_cast<std::size_t>(m_count)];
  r.libraryPos = -1;
  r.equation.assign(equation);
  char number[16];
  const auto end = std::to_chars(number, number + sizeof number, m_count).ptr;
  m_display += '|';
  m_display.append(number, end);
  m_display += "| ";
  m_display += equation;
  m_display += "\n\n";
  return true;
}

void ResultBoard::clear() {
  m_count = 0;
  m_display.clear();
}

}  // namespace quorvex::balance
