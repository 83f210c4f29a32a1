#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares two builds of quorvex-cli on the delivered and the corpus equations;
# the output of each command (standard output, standard error and exit
# status) must be byte-identical:
#   balance  every line of data/reactions.txt, every data/cbd.dat equation with
#            its coefficients removed, and every line of the notation corpus
#            (tests/formula/notation_corpus.tsv, second column) as written;
#   check    the same lines with their coefficients: data/reactions.txt,
#            data/cbd.dat as stored, the corpus;
#   table    each corpus line and each tenth data/cbd.dat equation, one call each.
# Prints the lines that differ; status 1 when any do.
#
#   scripts/balance-diff.sh OLD_CLI NEW_CLI
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "#2H2+O2 = 2H2O#" is "2H2+O2 = 2H2O" as stored.
tr -d '\r' <"$root/data/cbd.dat" | sed -e 's/^#//' -e 's/#$//' >"$work/library"
grep -v '^#' "$root/tests/formula/notation_corpus.tsv" | cut -f2 >"$work/corpus"

cp "$root/data/reactions.txt" "$work/balance"
# "2H2+O2 = 2H2O" becomes "H2+O2 = H2O": each term's leading digits go.
sed -E -e 's/(^|\+| = )[0-9]+/\1/g' "$work/library" >>"$work/balance"
cat "$work/corpus" >>"$work/balance"
cat "$root/data/reactions.txt" "$work/library" "$work/corpus" >"$work/check"
{
  cat "$work/corpus"
  awk 'NR % 10 == 1' "$work/library"
} >"$work/table"

# Runs one command of one build: its output, then its exit status.
run() {
  local cli=$1
  shift
  "$cli" "$@" 2>&1 || echo "exit $?"
}

status=0
compared=0
for command in balance check; do
  for cli in old new; do
    run "${!cli}" "$command" "$work/$command" >"$work/$cli.$command"
  done
  if ! cmp -s "$work/old.$command" "$work/new.$command"; then
    echo "$command:"
    diff "$work/old.$command" "$work/new.$command" || true
    status=1
  fi
  compared=$((compared + $(grep -vc '^#' "$work/$command")))
done
while IFS= read -r line; do
  if [ "$(run "$old" table "$line")" != "$(run "$new" table "$line")" ]; then
    echo "table: $line"
    status=1
  fi
  compared=$((compared + 1))
done <"$work/table"
echo "$compared lines compared" >&2
exit $status
