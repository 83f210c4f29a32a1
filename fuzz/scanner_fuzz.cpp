// SPDX-License-Identifier: GPL-3.0-or-later
// Every scanner operation on an arbitrary name and text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/errors.h"
#include "formula/equationtext.h"
#include "formula/notation.h"
#include "formula/scanner.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t nameLength = data[0] % 4;
  if (size < 1 + nameLength) return 0;
  const std::string_view name(reinterpret_cast<const char*>(data) + 1, nameLength);
  const std::string_view text(reinterpret_cast<const char*>(data) + 1 + nameLength, size - 1 - nameLength);
  std::string pending;
  quorvex::SilentNotifier notifier;
  quorvex::formula::Scanner scanner(pending, notifier);
  try {
    scanner.ExGetElementNum(name, text);
  } catch (const quorvex::ConvertError&) {
  }
  try {
    scanner.GetChargeNum(text);
  } catch (const quorvex::AssertionFailure&) {
  }
  try {
    quorvex::formula::Scanner::GetHeadNum(text);
  } catch (const quorvex::ConvertError&) {
  }
  const auto pos = static_cast<std::int32_t>(data[0]) - 8;
  scanner.GetBracketNum(pos, text);
  quorvex::formula::Scanner::GetElementPos(name, text);
  try {
    quorvex::formula::Scanner::GetStrChar(text, pos);
  } catch (const quorvex::AssertionFailure&) {
  }
  // What a box does with a whole equation and a slip.
  quorvex::formula::ReadEquationText(text);
  const quorvex::formula::WrittenEquation read = quorvex::formula::ReadWrittenEquation(text);
  // A line the plain reader takes must read as the full reader reads it.
  if (quorvex::formula::PlainEquation plain; quorvex::formula::ReadPlainEquation(text, plain)) {
    if (read.kind != quorvex::formula::WrittenEquation::Kind::Equation) std::abort();
    for (std::size_t s = 0; s < 2; ++s) {
      const auto& terms = s == 0 ? read.reactants : read.products;
      if (plain.counts[s] != terms.size()) std::abort();
      for (std::size_t i = 0; i < terms.size(); ++i) {
        if (plain.sides[s][i].coefficient != terms[i].coefficient ||
            plain.sides[s][i].species != terms[i].species) {
          std::abort();
        }
      }
    }
  }
  quorvex::formula::TermJoins(text);
  quorvex::formula::SlipHint(quorvex::formula::ReadTerm(text, quorvex::formula::Written::Box).species);
  quorvex::formula::WithSpeciesRewritten(text);
  if (quorvex::formula::TextWhileTyping(text) != text && !quorvex::formula::HoldsOneSpecies(text))
    std::abort();
  return 0;
}
