// SPDX-License-Identifier: GPL-3.0-or-later
// The library file reader on arbitrary bytes: what it reads must be written
// and read back as the same table. The first byte repeats the rest (1 to 4
// times) so that files past the table's capacity are reached.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "library/foundlist.h"
#include "library/library.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string bytes;
  for (int i = 0; i <= (data[0] & 3); ++i) bytes += rest;

  quorvex::SilentNotifier notifier;
  quorvex::library::Library first("unused");
  first.loadFromBytes(bytes, notifier);
  if (first.count() > quorvex::library::kLibraryCapacity) __builtin_trap();
  // Bytes past the table start with 0x1A, or follow a full table.
  const std::string& tail = first.tail();
  if (!tail.empty() && tail[0] != '\x1A' && first.count() != quorvex::library::kLibraryCapacity) {
    __builtin_trap();
  }

  const std::string written = first.fileBytes();
  quorvex::library::Library second("unused");
  second.loadFromBytes(written, notifier);
  if (second.lines() != first.lines() || second.tail() != first.tail()) __builtin_trap();
  if (second.fileBytes() != written) __builtin_trap();

  // Every line read is storable, and its side texts put together give it back.
  for (const std::string& line : first.lines()) {
    if (!quorvex::library::IsStorable(line)) __builtin_trap();
    const std::string_view left = quorvex::library::LeftSide(line);
    const std::string_view right = quorvex::library::RightSide(line);
    if (std::string(left).append(right) != line) __builtin_trap();
  }

  // A search with the first line's own text as a term never reads out of bounds.
  if (first.count() > 0) {
    quorvex::formula::BoxTexts terms;
    terms.reactants[0] = first.line(1).substr(0, 8);
    terms.products[0] = std::string(quorvex::library::StripEnds(first.line(1)));
    quorvex::library::FoundList found;
    found.Search(first, terms);
    if (found.displayText().size() > quorvex::library::kFoundDisplayLimit) __builtin_trap();
  }
  return 0;
}
