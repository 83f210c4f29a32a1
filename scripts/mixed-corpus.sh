#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the inputs `quorvex-cli balance` is timed on, one equation a line:
#   OUT/mixed-once.txt  about 900 equations as students and databases write
#                       them: the notation corpus (tests/formula/notation_corpus.tsv,
#                       second column), the redox problems (tests/data/redox_problems.tsv,
#                       each typed equation and its published answer), the delivered
#                       library's block of the golden corpus (tests/balance/golden/
#                       corpus.txt, up to its first generated line) and the ions as
#                       written (tests/balance/ions_as_written.tsv, second column);
#   OUT/mixed.txt       mixed-once.txt repeated to LINES lines;
#   OUT/library.txt     data/reactions.txt repeated to LINES lines;
#   OUT/mixed-ions.txt  mixed.txt with every tenth line an ASCII ion line that reads
#                       two ways (Fe3+, SO42-, ...), so that a tenth of the lines need
#                       an ion decided.
# Comments and empty lines are left out, so every line is an equation.
#   scripts/mixed-corpus.sh [OUT] [LINES]     (default build/corpus, 10000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build/corpus}
lines=${2:-10000}
mkdir -p "$out"

# Drops comments, empty lines and carriage returns.
equations() { tr -d '\r' | grep -v -e '^#' -e '^[[:space:]]*$' || true; }
# Repeats standard input to exactly $lines lines.
repeat() { awk -v n="$lines" '{ line[NR] = $0 } END { for (i = 0; i < n; ++i) print line[i % NR + 1] }'; }

{
  cut -f2 "$root/tests/formula/notation_corpus.tsv" | equations
  awk -F'\t' '!/^#/ && NF >= 5 { print $4; print $5 }' "$root/tests/data/redox_problems.tsv" | equations
  # The golden corpus opens with the delivered library's equations; the generated ones
  # (crafted counts, random species) begin at the first line the library does not hold.
  equations <"$root/tests/balance/golden/corpus.txt" |
    awk 'NR == FNR { real[$0] = 1; next } !($0 in real) { exit } { print }' \
      <(equations <"$root/data/reactions.txt") -
  if [[ -f $root/tests/balance/ions_as_written.tsv ]]; then
    cut -f2 "$root/tests/balance/ions_as_written.tsv" | equations
  fi
} >"$out/mixed-once.txt"

repeat <"$out/mixed-once.txt" >"$out/mixed.txt"
equations <"$root/data/reactions.txt" | repeat >"$out/library.txt"

# Half-reactions and ionic equations whose ions read two ways until one reading is decided:
# by the written coefficients, by the table of common ions, or by a fresh balance.
cat >"$out/ions.txt" <<'EOF'
Fe3+ + e- = Fe2+
MnO4- + 8H+ + 5e- = Mn2+ + 4H2O
NO3- + 4H+ + 3e- = NO + 2H2O
Cr2O72- + 14H+ + 6e- = 2Cr3+ + 7H2O
SO42- + Ba2+ = BaSO4
Cu2+ + Zn = Cu + Zn2+
H3BO3 + 3 H+ + 4 F- = BF4- + 3 H2O
NaAlSi3O8 + 8 H2O = Na+ + Al(OH)4- + 3 H4SiO4
Hg22+ + 2e- = 2Hg
Al3+ + 3OH- = Al(OH)3
MnO4- + Fe2+ + H+ = Mn2+ + Fe3+ + H2O
Ca2+ + CO32- = CaCO3
EOF
awk 'NR == FNR { ion[++ions] = $0; next }
  FNR % 10 == 0 { print ion[(FNR / 10 - 1) % ions + 1]; next } { print }' \
  "$out/ions.txt" "$out/mixed.txt" >"$out/mixed-ions.txt"
rm "$out/ions.txt"
wc -l "$out/mixed-once.txt" "$out/mixed.txt" "$out/library.txt" "$out/mixed-ions.txt" >&2
