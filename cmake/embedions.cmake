# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the common-ion table (data/ions.tsv) as C++ source, so that the reader of
# written equations has it without opening a file at run time.
# Run as: cmake -DIONS=<data/ions.tsv> -DOUTPUT=<iontable.cpp> -P embedions.cmake
# Each row that is not empty or a "#" comment gives its first two columns (the formula
# with its charge in square brackets, and the name); the source column stays in the file.
cmake_minimum_required(VERSION 3.22)
file(READ ${IONS} content)
# One list element per line, semicolons in a row kept as text.
string(REPLACE ";" "\\;" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")
set(rows "")
set(count 0)
foreach(line IN LISTS lines)
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(NOT line MATCHES "^([^\t]+)\t([^\t]+)\t[^\t]")
    message(FATAL_ERROR "${IONS}: a row without its three columns: ${line}")
  endif()
  set(formula "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  foreach(text formula name)
    string(REPLACE "\\" "\\\\" ${text} "${${text}}")
    string(REPLACE "\"" "\\\"" ${text} "${${text}}")
  endforeach()
  string(APPEND rows "    {\"${formula}\", \"${name}\"},\n")
  math(EXPR count "${count} + 1")
endforeach()
if(count EQUAL 0)
  message(FATAL_ERROR "${IONS}: no rows")
endif()
set(source "// Generated from data/ions.tsv by cmake/embedions.cmake; edit the table, not this file.
#include <algorithm>
#include <array>

#include \"balance/iontable.h\"

namespace quorvex::balance {
namespace {

constexpr std::array<CommonIon, ${count}> kRows = {{
${rows}}};

// Sorted by formula while compiling, for the binary search of IsCommonIon.
constexpr std::array<CommonIon, ${count}> kSorted = [] {
  std::array<CommonIon, ${count}> sorted = kRows;
  std::sort(sorted.begin(), sorted.end(),
            [](const CommonIon& a, const CommonIon& b) { return a.formula < b.formula; });
  return sorted;
}();

}  // namespace

std::span<const CommonIon> CommonIons() { return kSorted; }

}  // namespace quorvex::balance
")
# Written only when it changes, so that an unchanged table rebuilds nothing.
file(WRITE ${OUTPUT}.new "${source}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
