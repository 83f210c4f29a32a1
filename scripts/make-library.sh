#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates data/cbd.dat, the equation library delivered with Quorvex, from
# the reaction list data/reactions.txt. quorvex-cli balances every reaction;
# each result becomes one library line "#equation#" ending in CR LF, in list
# order, exactly as "Add To Lib" writes it. A reaction that does not balance,
# or that gives the same equation as an earlier one, stops the script and
# leaves data/cbd.dat as it was.
#
#   scripts/make-library.sh [BUILD_DIR]
#
# BUILD_DIR (default: build in the source tree; a relative path is taken from
# the current directory) is configured when it holds no CMake cache yet;
# quorvex-cli is brought up to date in it either way.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
list=$root/data/reactions.txt
library=$root/data/cbd.dat

if [[ ! -f $build/CMakeCache.txt ]]; then
  generator=()
  if command -v ninja >/dev/null; then generator=(-G Ninja); fi
  cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target quorvex-cli >/dev/null
cli=$build/cli/quorvex-cli

outcomes=$(mktemp)
messages=$(mktemp)
fresh=$(mktemp "$library.XXXXXX")
trap 'rm -f "$outcomes" "$messages" "$fresh"' EXIT

"$cli" balance "$list" >"$outcomes" 2>"$messages"

# The balancer answers each equation line of the list with one outcome line,
# "message<TAB>equation". Pair them up again to name the offending line.
LC_ALL=C awk -v list="$list" -v messages="$messages" '
  function trim(s) {
    sub(/^[ \t\r\n]+/, "", s)
    sub(/[ \t\r\n]+$/, "", s)
    return s
  }
  FNR == NR {
    text = trim($0)
    if (text != "" && substr(text, 1, 1) != "#") {
      ++equations
      lineOf[equations] = FNR
      textOf[equations] = text
    }
    next
  }
  {
    ++answered
    tab = index($0, "\t")
    message = tab ? substr($0, 1, tab - 1) : $0
    equation = tab ? substr($0, tab + 1) : ""
    where = list ":" lineOf[answered] ": " textOf[answered]
    if (message != "Balanced it successfully!") {
      printf "%s\n  %s\n", where, message > "/dev/stderr"
      while ((getline note < messages) > 0) {
        split(note, field, ": ")
        if (field[1] == lineOf[answered]) printf "  %s\n", note > "/dev/stderr"
      }
      failed = 1
      exit 1
    }
    if (equation in firstSeen) {
      printf "%s\n  gives %s, as line %d does\n", where, equation, firstSeen[equation] > "/dev/stderr"
      failed = 1
      exit 1
    }
    firstSeen[equation] = lineOf[answered]
    printf "#%s#\r\n", equation
  }
  END {
    if (failed) exit 1
    if (answered != equations) {
      printf "%s: %d equations, but %d outcomes from quorvex-cli\n", list, equations, answered > "/dev/stderr"
      exit 1
    }
  }
' "$list" "$outcomes" >"$fresh"

chmod 644 "$fresh"
mv "$fresh" "$library"
echo "$library: $(wc -l <"$library") equations"
