// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::balance {

// One record of the result board or the found list: a library position (-1
// for none) and an equation text.
struct ListRecord {
  std::int32_t libraryPos = -1;
  std::string equation;
};

// This run's balanced equations, numbered from 1, and the text that shows them.
class ResultBoard {
 public:
  static constexpr int kRecordTable = 5000;
  // A balance is refused once the count is above this, so at most 1501 records.
  static constexpr int kRefuseAbove = 1500;
  // The display text is copied into a buffer of 65,536 bytes with a zero.
  static constexpr std::size_t kDisplayLimit = 65535;

  ResultBoard() : m_records(1) { m_records.reserve(kRefuseAbove + 2); }

  int count() const { return m_count; }
  bool isFull() const { return m_count > kRefuseAbove; }
  // Record i, 1 <= i <= kRecordTable (records past the count keep old texts).
  const ListRecord& record(int i) const;
  const std::string& displayText() const { return m_display; }

  // The display line of record `number`: "|number| equation" and two line feeds.
  static std::string displayLine(int number, std::string_view equation);
  // True when one more equation of this text fits the count and the display.
  bool canAppend(std::string_view equation) const;
  // Appends a record (library position -1) and its display line; false, with
  // nothing changed, when canAppend is false.
  bool append(std::string_view equation);
  // Count 0 and an empty display; the old records stay until overwritten.
  void clear();

 private:
  // Index 0 unused; grown as records are appended, a record never appended
  // reading as empty: 5001 made at once cost a short balance many times over. The
  // room for every record the count allows is kept from the start, so that a record's
  // reference outlives the appends after it.
  std::vector<ListRecord> m_records;
  int m_count = 0;
  std::string m_display;
};

}  // namespace quorvex::balance
