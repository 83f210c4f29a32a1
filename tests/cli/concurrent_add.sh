#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two writers add different equations through quorvex-cli at the same time
# while a reader copies the library file over and over: the file must end
# with every line, and no copy may be empty or cut short.
#   concurrent_add.sh QUORVEX_CLI [COUNT]
set -euo pipefail
cli=$1
count=${2:-500}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
library=$dir/cbd.dat
printf '#seed#\r\n' >"$library"

writer() {
  for ((i = 1; i <= count; i++)); do
    "$cli" add --library "$library" "$1$i = $1$i" >/dev/null
  done
}
writer A &
first=$!
writer B &
second=$!

bad=0
reads=0
while kill -0 "$first" 2>/dev/null || kill -0 "$second" 2>/dev/null; do
  # One open, so the copy is one version of the file, however often it is replaced.
  cat "$library" >"$dir/copy"
  reads=$((reads + 1))
  # Whole lines only: every line framed by "#" and ended by CR LF, the seed first.
  if [[ $(head -c 8 "$dir/copy") != $'#seed#\r' ]] ||
     [[ $(tail -c 2 "$dir/copy" | od -An -tx1 | tr -d ' \n') != 0d0a ]] ||
     grep -qv $'^#.*#\r$' "$dir/copy"; then
    echo "copy $reads is partial:" >&2
    od -c "$dir/copy" | tail -n 3 >&2
    bad=1
  fi
done
wait "$first"
wait "$second"

lines=$(grep -c '' "$library")
distinct=$(sort -u "$library" | grep -c '')
echo "$reads copies read; $lines lines, $distinct distinct"
[[ $bad == 0 && $lines == $((2 * count + 1)) && $distinct == "$lines" ]]
