#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Records what a build shows, so that a change meant to keep the behaviour can
# be checked with `diff -r OLD NEW`: quorvex-cli's standard output, standard
# error and exit status for balance (each medium, with and without --half),
# check, weight, table, search, add and delete over the delivered library's
# equations; and every page of the window under Xvfb, as PNG and as widget tree,
# in the C locale and in de_DE.UTF-8.
#
#   scripts/behaviour-snapshot.sh BUILD OUT
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "$1")
out=$(realpath -m "$2")
cli=$build/cli/quorvex-cli
lib=$root/data/cbd.dat
mkdir -p "$out/cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# "#2H2+O2 = 2H2O#": the equation, then its species without coefficients, then each species once.
tr -d '\r' <"$lib" | sed 's/^#//; s/#$//' >eqs.txt
sed -E 's/(^|\+| = )[0-9]+/\1/g' eqs.txt >bare.txt
tr '+' '\n' <eqs.txt | sed 's/ = /\n/' | sed -E 's/^[0-9]+//' | sort -u >species.txt

run() {
  local name=$1
  shift
  "$@" >"$out/cli/$name.out" 2>"$out/cli/$name.err"
  echo "exit $?" >>"$out/cli/$name.out"
}
run balance-eqs "$cli" balance eqs.txt
run balance-bare "$cli" balance bare.txt
for medium in acid base neutral; do
  run "balance-$medium" "$cli" balance --medium "$medium" bare.txt
  run "balance-$medium-half" "$cli" balance --medium "$medium" --half bare.txt
done
run check-eqs "$cli" check eqs.txt
run check-bare "$cli" check bare.txt
mapfile -t species <species.txt
run weight-low "$cli" weight "${species[@]}"
run weight-high "$cli" weight --high "${species[@]}"
while read -r equation; do
  "$cli" table "$equation" >>"$out/cli/table.out" 2>&1
  echo "exit $?" >>"$out/cli/table.out"
  "$cli" table --high "$equation" >>"$out/cli/table.out" 2>&1
  echo "exit $?" >>"$out/cli/table.out"
done <eqs.txt
for term in "${species[@]:0:150}"; do
  for side in --reactant --product; do
    "$cli" search --library "$lib" "$side" "$term" >>"$out/cli/search.out" 2>&1
    echo "exit $?" >>"$out/cli/search.out"
  done
done
cp "$lib" changed.dat
for equation in "2H2+O2 = 2H2O" "C+O2 = CO2" "2Na+Cl2 = 2NaCl" "H2+Cl2 = HCl" "bad(("; do
  for command in add delete delete add; do
    "$cli" "$command" --library changed.dat "$equation" >>"$out/cli/library.out" 2>&1
    echo "exit $?" >>"$out/cli/library.out"
  done
done
cp changed.dat "$out/cli/library-after.dat"

cp "$root/data/cbd.dat" "$root/data/help.rtf" "$root/data/report.rtf" .
for locale in C.UTF-8 de_DE.UTF-8; do
  LANG=$locale LC_ALL=$locale xvfb-run -a -s "-screen 0 800x600x24" \
    "$build/app/quorvex-screenshots" "$out/window-$locale" >/dev/null 2>&1 ||
    echo "behaviour-snapshot: the window could not be shown in $locale" >&2
done
echo "$out"
