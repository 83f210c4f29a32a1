#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Compares two builds of quorvex-cli on the delivered equations: every line of
# data/reactions.txt, and every data/cbd.dat equation with its coefficients
# removed, must give byte-identical `balance` output (standard output and
# standard error). Prints the lines that differ; status 1 when any do.
#
#   scripts/balance-diff.sh OLD_CLI NEW_CLI
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
old=$1
new=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cp "$root/data/reactions.txt" "$work/input"
# "#2H2+O2 = 2H2O#" becomes "H2+O2 = H2O": the frame and each term's leading digits go.
tr -d '\r' <"$root/data/cbd.dat" | sed -e 's/^#//' -e 's/#$//' |
  sed -E -e 's/(^|\+| = )[0-9]+/\1/g' >>"$work/input"

status=0
for cli in old new; do
  "${!cli}" balance "$work/input" >"$work/$cli.out" 2>"$work/$cli.err" || true
done
if ! cmp -s "$work/old.out" "$work/new.out" || ! cmp -s "$work/old.err" "$work/new.err"; then
  diff "$work/old.out" "$work/new.out" || true
  diff "$work/old.err" "$work/new.err" || true
  status=1
fi
echo "$(grep -vc '^#' "$work/input") equations compared" >&2
exit $status
